// What the program's dialogs do alike with their fields, lists, buttons and
// messages.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace scrivlet {

// The messages of a list box or of a combo box's list: the list helpers
// below serve both.
struct ListMessages {
    UINT addString;
    UINT setItemData;
    UINT getItemData;
    UINT getCurrentSelection;
    UINT setCurrentSelection;
    UINT getCount;
};
extern const ListMessages kListBox;
extern const ListMessages kComboBox;

// Adds an entry with its item data; the entry's index, negative when the
// list could not take it.
LRESULT AddListEntry(HWND dialog, int list, const char *text, DWORD data, const ListMessages &kind = kListBox);
// The item data of the selected entry; false, `data` untouched, with none selected.
bool SelectedListData(HWND dialog, int list, DWORD *data, const ListMessages &kind = kListBox);
// Selects the entry whose item data is `data`; false when there is none.
bool SelectListEntryByData(HWND dialog, int list, DWORD data, const ListMessages &kind = kListBox);
// After an entry at `index` went: selects the entry that took its place, or
// the last one when it was the last; nothing in a list of `count` 0.
void SelectEntryAfterRemoval(HWND dialog, int list, LRESULT index, LRESULT count);

// The whole text of a field, however long.
std::string FieldText(HWND dialog, int control);

bool IsChecked(HWND dialog, int control);
void CheckButton(HWND dialog, int control, bool checked);
void EnableControls(HWND dialog, std::initializer_list<int> controls, bool enable);

// A message with the error icon and OK.
void ShowError(HWND owner, const char *text);
// A message with the information icon and OK.
void ShowNote(HWND owner, const char *text);

// The commands of a dialog with OK and Cancel: OK goes to `onOk`, Cancel
// ends the dialog with 0. FALSE for any other command.
BOOL OnOkOrCancel(HWND dialog, WORD command, void (*onOk)(HWND dialog));

// A dialog's mark that something changed while it was open, kept with its
// window; such a dialog ends with 1 when the mark is set, 0 otherwise.
void MarkChanged(HWND dialog);
bool IsMarkedChanged(HWND dialog);
void EndWithChangeMark(HWND dialog);

} // namespace scrivlet
