// The Go To dialog: the caret to the start of a line or to an offset. It
// stays open for the next jump until Cancel.
#include "dialogs/win32_dialogs.h"

#include "advancededit.h"
#include "resources/resource.h"
#include "shell/win32_app.h"

#include <cstdio>

namespace {

const DWORD kHelpTopics[] = {IDC_GOTO_WHAT, 2, IDC_GOTO_NUMBER, 3, IDC_GOTO_JUMP, 1, IDCANCEL, 4, 0, 0};

enum : LPARAM { kGoToLine = 1, kGoToOffset = 2 };

void ShowRangeError(HWND dialog, const char *format, unsigned long limit)
{
    char text[kMessageTextSize];
    std::snprintf(text, sizeof text, format, limit);
    ShowMessage(dialog, text, kErrorTitle, MB_OK | MB_ICONERROR);
}

BOOL OnInitDialog(HWND dialog)
{
    HWND what = GetDlgItem(dialog, IDC_GOTO_WHAT);
    LRESULT line = SendMessageA(what, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Line"));
    SendMessageA(what, LB_SETITEMDATA, WPARAM(line), kGoToLine);
    LRESULT offset = SendMessageA(what, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Offset"));
    SendMessageA(what, LB_SETITEMDATA, WPARAM(offset), kGoToOffset);
    SendMessageA(what, LB_SETCURSEL, 0, 0);
    return TRUE;
}

void OnGoTo(HWND dialog)
{
    BOOL isNumber = FALSE;
    UINT number = GetDlgItemInt(dialog, IDC_GOTO_NUMBER, &isNumber, FALSE);
    HWND what = GetDlgItem(dialog, IDC_GOTO_WHAT);
    LRESULT selected = SendMessageA(what, LB_GETCURSEL, 0, 0);
    LPARAM kind = SendMessageA(what, LB_GETITEMDATA, WPARAM(selected != LB_ERR ? selected : 0), 0);
    if (kind == kGoToLine) {
        DWORD count = DWORD(SendToEdit(AEM_GETLINECOUNT, 0, 0));
        if (isNumber && number >= 1 && number <= count) {
            DWORD start = DWORD(SendToEdit(AEM_LINEINDEX, number - 1, 0));
            SelectInEdit(start, start);
        } else {
            ShowRangeError(dialog, "Line number must be between 1 and %lu !", count);
        }
    } else {
        DWORD length = DWORD(SendToEdit(AEM_GETTEXTLENGTH, 0, 0));
        if (isNumber && number <= length)
            SelectInEdit(number, number);
        else
            ShowRangeError(dialog, "Offset must be between 0 and %lu !", length);
    }
    SendDlgItemMessageA(dialog, IDC_GOTO_NUMBER, EM_SETSEL, 0, -1); // the next number replaces it
}

BOOL OnCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_GOTO_JUMP:
        OnGoTo(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK GoToDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}
