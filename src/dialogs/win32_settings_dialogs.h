// The settings dialogs. Each procedure routes WM_INITDIALOG, WM_COMMAND and WM_HELP to its handlers and
// answers 0 to everything else.
#pragma once

#include <windows.h>

// Options (template 109); the creation parameter is the Options record,
// which the dialog fills and nothing else. Ends with 1 after an OK whose
// every check passed, 0 after Cancel.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
