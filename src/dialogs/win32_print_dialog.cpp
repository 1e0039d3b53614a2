// The hook of the common Print dialog: the selection offered first when
// there is one, and the program's two choices (the printer's own font, odd
// or even pages only) handed back in the record's custom data.
#include "dialogs/win32_dialogs.h"

#include "dialogs/win32_dialog_fields.h"

#include <dlgs.h>

#include "resources/resource.h"

#include <initializer_list>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {
    IDC_PRINTOPTIONS, 29, IDC_PRINTERFONT, 28, IDC_PAGESETLABEL, 27, IDC_PAGESET, 27, 0, 0,
};

const char kRecordProperty[] = "ScrivletPrintRecord";

BOOL OnInitDialog(HWND dialog, PRINTDLGA *record)
{
    SetPropA(dialog, kRecordProperty, record);
    if (IsWindowEnabled(GetDlgItem(dialog, rad2)))
        CheckRadioButton(dialog, rad1, rad2, rad2); // the selection, when there is one
    for (const char *choice : {"Both odd and even pages", "Odd pages", "Even pages"})
        SendDlgItemMessageA(dialog, IDC_PAGESET, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    SendDlgItemMessageA(dialog, IDC_PAGESET, CB_SETCURSEL, 0, 0);
    return TRUE;
}

// Leaves OK itself to the common dialog.
BOOL OnCommand(HWND dialog, WORD command)
{
    if (command != IDOK)
        return FALSE;
    auto *record = static_cast<PRINTDLGA *>(GetPropA(dialog, kRecordProperty));
    if (record != nullptr) {
        LRESULT choice = SendDlgItemMessageA(dialog, IDC_PAGESET, CB_GETCURSEL, 0, 0);
        bool printerFont = IsChecked(dialog, IDC_PRINTERFONT);
        record->lCustData = LPARAM((choice > 0 ? choice : 0) * 65536 + (printerFont ? 1 : 0));
    }
    return FALSE;
}

} // namespace

UINT_PTR CALLBACK PrintDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<PRINTDLGA *>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    case WM_DESTROY:
        RemovePropA(dialog, kRecordProperty);
        return 0;
    default:
        return 0;
    }
}

} // namespace scrivlet
