// The Date and Time dialog: the current date and time in every format of
// the user's locale, the chosen one handed back for insertion.
#include "dialogs/win32_dialogs.h"

#include "dialogs/win32_dialog_fields.h"

#include "resources/resource.h"

#include <cstring>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {IDC_DATETIME_FORMATS, 34, IDOK, 11, IDCANCEL, 4, 0, 0};

enum : size_t { kFormattedSize = 256 };

// The enumeration callbacks take no context: the list being filled.
HWND formatList = nullptr;
SYSTEMTIME now;

BOOL CALLBACK AddDate(LPSTR format)
{
    char text[kFormattedSize];
    if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, format, text, sizeof text) > 0)
        SendMessageA(formatList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    return TRUE;
}

BOOL CALLBACK AddTime(LPSTR format)
{
    char text[kFormattedSize];
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, format, text, sizeof text) > 0)
        SendMessageA(formatList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    return TRUE;
}

BOOL OnInitDialog(HWND dialog, char *buffer)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(buffer));
    formatList = GetDlgItem(dialog, IDC_DATETIME_FORMATS);
    GetLocalTime(&now);
    EnumDateFormatsA(AddDate, LOCALE_USER_DEFAULT, DATE_SHORTDATE);
    EnumDateFormatsA(AddDate, LOCALE_USER_DEFAULT, DATE_LONGDATE);
    EnumTimeFormatsA(AddTime, LOCALE_USER_DEFAULT, 0);
    SendMessageA(formatList, LB_SETCURSEL, 0, 0);
    return TRUE;
}

void OnOk(HWND dialog)
{
    char *buffer = reinterpret_cast<char *>(GetWindowLongPtrA(dialog, DWLP_USER));
    HWND list = GetDlgItem(dialog, IDC_DATETIME_FORMATS);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    LRESULT length = selected != LB_ERR ? SendMessageA(list, LB_GETTEXTLEN, WPARAM(selected), 0) : LB_ERR;
    if (length == LB_ERR || length >= LRESULT(kFormattedSize)) {
        EndDialog(dialog, 0);
        return;
    }
    SendMessageA(list, LB_GETTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(buffer));
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WPARAM wParam)
{
    if (LOWORD(wParam) != IDC_DATETIME_FORMATS)
        return OnOkOrCancel(dialog, LOWORD(wParam), OnOk);
    if (HIWORD(wParam) == LBN_DBLCLK)
        OnOk(dialog);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK DateTimeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<char *>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
