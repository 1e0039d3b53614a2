// What the program's dialogs do alike with their fields, lists, buttons and
// messages.
#include "dialogs/win32_dialog_fields.h"

#include "shell/win32_app.h"

namespace scrivlet {

const ListMessages kListBox = {
    LB_ADDSTRING, LB_SETITEMDATA, LB_GETITEMDATA, LB_GETCURSEL, LB_SETCURSEL, LB_GETCOUNT,
};
const ListMessages kComboBox = {
    CB_ADDSTRING, CB_SETITEMDATA, CB_GETITEMDATA, CB_GETCURSEL, CB_SETCURSEL, CB_GETCOUNT,
};

LRESULT AddListEntry(HWND dialog, int list, const char *text, DWORD data, const ListMessages &kind)
{
    LRESULT index = SendDlgItemMessageA(dialog, list, kind.addString, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendDlgItemMessageA(dialog, list, kind.setItemData, WPARAM(index), LPARAM(data));
    return index;
}

bool SelectedListData(HWND dialog, int list, DWORD *data, const ListMessages &kind)
{
    LRESULT index = SendDlgItemMessageA(dialog, list, kind.getCurrentSelection, 0, 0);
    if (index < 0)
        return false;
    *data = DWORD(SendDlgItemMessageA(dialog, list, kind.getItemData, WPARAM(index), 0));
    return true;
}

bool SelectListEntryByData(HWND dialog, int list, DWORD data, const ListMessages &kind)
{
    LRESULT count = SendDlgItemMessageA(dialog, list, kind.getCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (DWORD(SendDlgItemMessageA(dialog, list, kind.getItemData, WPARAM(i), 0)) == data) {
            SendDlgItemMessageA(dialog, list, kind.setCurrentSelection, WPARAM(i), 0);
            return true;
        }
    }
    return false;
}

void SelectEntryAfterRemoval(HWND dialog, int list, LRESULT index, LRESULT count)
{
    if (count > 0)
        SendDlgItemMessageA(dialog, list, LB_SETCURSEL, WPARAM(index < count ? index : count - 1), 0);
}

std::string FieldText(HWND dialog, int control)
{
    HWND field = GetDlgItem(dialog, control);
    std::string text(size_t(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(field, &text[0], int(text.size()))));
    return text;
}

bool IsChecked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void CheckButton(HWND dialog, int control, bool checked)
{
    CheckDlgButton(dialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

void EnableControls(HWND dialog, std::initializer_list<int> controls, bool enable)
{
    for (int control : controls)
        EnableWindow(GetDlgItem(dialog, control), enable);
}

void ShowError(HWND owner, const char *text)
{
    ShowMessage(owner, text, kErrorTitle, MB_OK | MB_ICONERROR);
}

void ShowNote(HWND owner, const char *text)
{
    ShowMessage(owner, text, kInformationTitle, MB_OK | MB_ICONINFORMATION);
}

BOOL OnOkOrCancel(HWND dialog, WORD command, void (*onOk)(HWND dialog))
{
    if (command == IDOK)
        onOk(dialog);
    else if (command == IDCANCEL)
        EndDialog(dialog, 0);
    else
        return FALSE;
    return TRUE;
}

// The window's user data, which the dialog manager leaves to the program;
// DWLP_USER keeps what the dialog was opened with.
void MarkChanged(HWND dialog)
{
    SetWindowLongPtrA(dialog, GWLP_USERDATA, 1);
}

bool IsMarkedChanged(HWND dialog)
{
    return GetWindowLongPtrA(dialog, GWLP_USERDATA) != 0;
}

void EndWithChangeMark(HWND dialog)
{
    EndDialog(dialog, IsMarkedChanged(dialog) ? 1 : 0);
}

} // namespace scrivlet
