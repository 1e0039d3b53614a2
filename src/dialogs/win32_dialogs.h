// The dialog procedures of the program. Each routes WM_INITDIALOG,
// WM_COMMAND and WM_HELP to its handlers and answers 0 to everything else.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace scrivlet {

// Page Setup (template 121); the creation parameter is the PageSetup
// record, edited in place. Ends with 1 after a valid OK, 0 after Cancel.
INT_PTR CALLBACK PageSetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The hook of the common Print dialog with template 119. On OK it leaves
// (page-set choice << 16) | (printer font ticked) in the record's custom
// data: choice 0 both, 1 odd, 2 even pages.
UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// About (template 107): the program, its version and the memory status.
// Only OK closes it.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Go To (template 108); the creation parameter is the AppState. Jumps to a
// line or an offset and stays open until Cancel.
INT_PTR CALLBACK GoToDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Date and Time (template 122); the creation parameter is a 256-byte
// buffer that receives the chosen text. Ends with 1 when one was chosen.
INT_PTR CALLBACK DateTimeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// New From Template (template 123); the creation parameter is the
// AppState. On OK the chosen template's path is in the open record's file
// buffer and the dialog ends with 1.
INT_PTR CALLBACK NewFromTemplateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Context help for a control of the dialog's table of (control, topic)
// pairs, ending in 0, 0. False when the control is not in it.
bool ShowDialogHelp(const HELPINFO *help, const DWORD *topics);

} // namespace scrivlet
