// The settings dialogs: Options and the two File Types dialogs. Each
// procedure routes WM_INITDIALOG, WM_COMMAND and WM_HELP to its handlers and
// answers 0 to everything else.
#pragma once

#include <windows.h>

namespace scrivlet {

// Options (template 109); the creation parameter is the Options record,
// which the dialog fills and nothing else. Ends with 1 after an OK whose
// every check passed, 0 after Cancel.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// File Types (template 112); the creation parameter is the AppState. Adds,
// deletes and edits the FileType records of its list in place. Always ends
// with 0; when an edit was confirmed, it says the changes apply from the
// next load and rebuilds the Open and Save As filter first.
INT_PTR CALLBACK FileTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Edit File Type (template 117); the creation parameter is the FileType,
// rebuilt in place on OK (its id and its place in the list stay). Ends with
// 1 after OK, 0 after Cancel.
INT_PTR CALLBACK EditFileTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the Styles dialog owned by the given window, with the application
// state; the File Types dialog's "Styles..." button calls it. Defined with
// the Styles dialog.
void OpenStylesDialog(HWND owner);

} // namespace scrivlet
