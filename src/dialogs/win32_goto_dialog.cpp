// The Go To dialog: the caret to the start of a line or to an offset. It
// stays open for the next jump until Cancel.
#include "dialogs/win32_dialogs.h"

#include "dialogs/win32_dialog_fields.h"

#include "advancededit.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/win32_app.h"

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {IDC_GOTO_WHAT, 2, IDC_GOTO_NUMBER, 3, IDC_GOTO_JUMP, 1, IDCANCEL, 4, 0, 0};

enum : DWORD { kGoToLine = 1, kGoToOffset = 2 };

BOOL OnInitDialog(HWND dialog)
{
    AddListEntry(dialog, IDC_GOTO_WHAT, "Line", kGoToLine);
    AddListEntry(dialog, IDC_GOTO_WHAT, "Offset", kGoToOffset);
    SendDlgItemMessageA(dialog, IDC_GOTO_WHAT, LB_SETCURSEL, 0, 0);
    return TRUE;
}

void OnGoTo(HWND dialog)
{
    BOOL isNumber = FALSE;
    UINT number = GetDlgItemInt(dialog, IDC_GOTO_NUMBER, &isNumber, FALSE);
    DWORD kind = kGoToLine; // the first entry's, when none is selected
    SelectedListData(dialog, IDC_GOTO_WHAT, &kind);
    bool line = kind == kGoToLine;
    DWORD limit = DWORD(SendToEdit(line ? AEM_GETLINECOUNT : AEM_GETTEXTLENGTH, 0, 0));
    GoToVerdict verdict = CheckGoTo(line, isNumber != FALSE, number, limit);
    if (!verdict.legal) {
        ShowError(dialog, verdict.message.c_str());
    } else {
        DWORD caret = line ? DWORD(SendToEdit(AEM_LINEINDEX, verdict.target, 0)) : verdict.target;
        SelectInEdit(caret, caret);
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

} // namespace scrivlet
