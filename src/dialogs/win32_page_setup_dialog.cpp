// The Page Setup dialog: header and footer texts and the four margins in
// inches, each from 0.0 to 5.0.
#include "dialogs/win32_dialogs.h"

#include "dialogs/win32_dialog_fields.h"

#include "config/options.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/win32_app.h"

#include <cstdio>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {
    IDC_HEADER, 30, IDC_FOOTER, 31, IDC_MARGINS, 32, IDC_MARGINLEFT, 32, IDC_MARGINRIGHT, 32,
    IDC_MARGINTOP, 32, IDC_MARGINBOTTOM, 32, IDOK, 11, IDCANCEL, 4, 0, 0,
};

const int kMarginEdits[] = {IDC_MARGINLEFT, IDC_MARGINRIGHT, IDC_MARGINTOP, IDC_MARGINBOTTOM};

PageSetup *RecordOf(HWND dialog)
{
    return reinterpret_cast<PageSetup *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

double *Margins(PageSetup *setup)
{
    return &setup->marginLeft; // left, right, top, bottom follow one another
}

BOOL OnInitDialog(HWND dialog, PageSetup *setup)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(setup));
    SendDlgItemMessageA(dialog, IDC_HEADER, EM_LIMITTEXT, kPageTextSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_FOOTER, EM_LIMITTEXT, kPageTextSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_HEADER, setup->header);
    SetDlgItemTextA(dialog, IDC_FOOTER, setup->footer);
    for (int i = 0; i < 4; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", Margins(setup)[i]);
        SendDlgItemMessageA(dialog, kMarginEdits[i], EM_LIMITTEXT, sizeof text - 1, 0);
        SetDlgItemTextA(dialog, kMarginEdits[i], text);
    }
    return TRUE;
}

// The texts are taken at once; the margins only when all four are legal.
void OnOk(HWND dialog)
{
    PageSetup *setup = RecordOf(dialog);
    GetDlgItemTextA(dialog, IDC_HEADER, setup->header, sizeof setup->header);
    GetDlgItemTextA(dialog, IDC_FOOTER, setup->footer, sizeof setup->footer);
    char texts[4][64] = {};
    const char *fields[4];
    for (int i = 0; i < 4; ++i) {
        GetDlgItemTextA(dialog, kMarginEdits[i], texts[i], sizeof texts[i]);
        fields[i] = texts[i];
    }
    double margins[4];
    if (const char *message = ReadMargins(fields, margins)) {
        ShowError(dialog, message);
        return;
    }
    for (int i = 0; i < 4; ++i)
        Margins(setup)[i] = margins[i];
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK PageSetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<PageSetup *>(lParam));
    case WM_COMMAND:
        return OnOkOrCancel(dialog, LOWORD(wParam), OnOk);
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
