// The Edit Style dialog: the classes of one style and, beside them, the
// ranges and symbols of the selected class, each list with Add, Edit and
// Delete. The items are changed in their own dialogs.
#include "dialogs/win32_styles_dialogs.h"

#include "dialogs/win32_dialog_fields.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/app_texts.h"

#include <cstdio>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {
    IDC_EDITSTYLE_CLASSES, 43, IDC_EDITSTYLE_RANGES, 44, IDC_EDITSTYLE_SYMBOLS, 45,
    IDC_EDITSTYLE_CLASSADD, 46, IDC_EDITSTYLE_RANGEADD, 47, IDC_EDITSTYLE_SYMBOLADD, 48,
    IDC_EDITSTYLE_CLASSEDIT, 49, IDC_EDITSTYLE_RANGEEDIT, 50, IDC_EDITSTYLE_SYMBOLEDIT, 51,
    IDC_EDITSTYLE_CLASSDELETE, 52, IDC_EDITSTYLE_RANGEDELETE, 53, IDC_EDITSTYLE_SYMBOLDELETE, 54,
    IDC_EDITSTYLE_CLOSE, 24, IDCANCEL, 4, 0, 0,
};

// One list of the dialog with its buttons and the dialog that edits its items.
struct ItemColumn {
    DWORD kind; // AESK_
    int list;
    int add;
    int edit;
    int remove;
    const char *deleteQuestion;
    int itemTemplate;
    DLGPROC itemDialog;
};

const ItemColumn kClasses = {
    AESK_CLASS, IDC_EDITSTYLE_CLASSES, IDC_EDITSTYLE_CLASSADD, IDC_EDITSTYLE_CLASSEDIT, IDC_EDITSTYLE_CLASSDELETE,
    "Are you sure you want to delete the selected class and all its ranges and symbols ?", IDD_STYLECLASS,
    StyleClassDialogProc,
};
const ItemColumn kRanges = {
    AESK_RANGE, IDC_EDITSTYLE_RANGES, IDC_EDITSTYLE_RANGEADD, IDC_EDITSTYLE_RANGEEDIT, IDC_EDITSTYLE_RANGEDELETE,
    "Are you sure you want to delete the selected range ?", IDD_STYLERANGE, StyleRangeDialogProc,
};
const ItemColumn kSymbols = {
    AESK_SYMBOL, IDC_EDITSTYLE_SYMBOLS, IDC_EDITSTYLE_SYMBOLADD, IDC_EDITSTYLE_SYMBOLEDIT,
    IDC_EDITSTYLE_SYMBOLDELETE, "Are you sure you want to delete the selected symbol ?", IDD_STYLESYMBOL,
    StyleSymbolDialogProc,
};
const ItemColumn *const kColumns[] = {&kClasses, &kRanges, &kSymbols};

void EnableItemButtons(HWND dialog, const ItemColumn &column, bool enable)
{
    EnableControls(dialog, {column.edit, column.remove}, enable);
}

void EmptyList(HWND dialog, const ItemColumn &column)
{
    SendDlgItemMessageA(dialog, column.list, LB_RESETCONTENT, 0, 0);
    EnableItemButtons(dialog, column, false);
}

using EntryText = char[2 * AE_STYLETEXTSIZE + 16];

// A range reads "[start] - [end]", with EOL for a range that ends with its line.
void PutEntryText(EntryText &entry, const AESTYLERANGE &range)
{
    CopyText(entry, RangeEntryText(range.startText, range.endText).c_str());
}

void PutEntryText(EntryText &entry, const AESTYLESYMBOL &symbol)
{
    std::snprintf(entry, sizeof entry, "%.79s", symbol.text);
}

// The column's list afresh with the items of the class.
template <typename Record>
void FillItems(HWND dialog, const ItemColumn &column, DWORD classIdentifier,
               void (*copyItems)(HWND owner, DWORD style, StyleCopy<Record> *copy))
{
    EmptyList(dialog, column);
    StyleCopy<Record> items;
    copyItems(dialog, g_stylesDialogs.currentStyle, &items);
    for (DWORD i = 0; i < items.count; ++i) {
        const Record &item = items.records[i];
        if (item.classIdentifier != classIdentifier)
            continue;
        EntryText entry;
        PutEntryText(entry, item);
        AddListEntry(dialog, column.list, entry, item.identifier);
    }
}

void FillItemList(HWND dialog, const ItemColumn &column, DWORD classIdentifier)
{
    if (column.kind == AESK_RANGE)
        FillItems(dialog, column, classIdentifier, CopyRanges);
    else
        FillItems(dialog, column, classIdentifier, CopySymbols);
}

// The ranges and symbols of the selected class; empty lists without one.
void ShowItemsOfSelectedClass(HWND dialog)
{
    DWORD selectedClass;
    if (!SelectedListData(dialog, IDC_EDITSTYLE_CLASSES, &selectedClass)) {
        EmptyList(dialog, kRanges);
        EmptyList(dialog, kSymbols);
        return;
    }
    FillItemList(dialog, kRanges, selectedClass);
    FillItemList(dialog, kSymbols, selectedClass);
}

// The class list afresh with its first entry selected.
void RefreshClasses(HWND dialog)
{
    EmptyList(dialog, kClasses);
    StyleCopy<AESTYLECLASS> classes;
    CopyClasses(dialog, g_stylesDialogs.currentStyle, &classes);
    for (DWORD i = 0; i < classes.count; ++i) {
        char name[AE_STYLETEXTSIZE];
        CopyText(name, classes.records[i].name);
        AddListEntry(dialog, IDC_EDITSTYLE_CLASSES, name, classes.records[i].identifier);
    }
    if (classes.count > 0) {
        SendDlgItemMessageA(dialog, IDC_EDITSTYLE_CLASSES, LB_SETCURSEL, 0, 0);
        EnableItemButtons(dialog, kClasses, true);
    }
    ShowItemsOfSelectedClass(dialog);
}

// A range or symbol list afresh for the selected class, its first entry selected.
void RefreshItemList(HWND dialog, const ItemColumn &column)
{
    DWORD selectedClass;
    if (!SelectedListData(dialog, IDC_EDITSTYLE_CLASSES, &selectedClass)) {
        EmptyList(dialog, column);
        return;
    }
    FillItemList(dialog, column, selectedClass);
    if (SendDlgItemMessageA(dialog, column.list, LB_GETCOUNT, 0, 0) > 0) {
        SendDlgItemMessageA(dialog, column.list, LB_SETCURSEL, 0, 0);
        EnableItemButtons(dialog, column, true);
    }
}

// The dialog's change mark makes its result.
void RefreshAfterChange(HWND dialog, const ItemColumn &column)
{
    if (column.kind == AESK_CLASS)
        RefreshClasses(dialog);
    else
        RefreshItemList(dialog, column);
    MarkChanged(dialog);
}

BOOL OnInitDialog(HWND dialog, DWORD style)
{
    g_stylesDialogs.currentStyle = style;
    RefreshClasses(dialog);
    return TRUE;
}

void OnSelectionChange(HWND dialog, const ItemColumn &column)
{
    bool selected = SendDlgItemMessageA(dialog, column.list, LB_GETCURSEL, 0, 0) != LB_ERR;
    EnableItemButtons(dialog, column, selected);
    if (column.kind == AESK_CLASS)
        ShowItemsOfSelectedClass(dialog);
}

// Add (with identifier 0) or Edit of the selected item in its own dialog.
void OnOpenItem(HWND dialog, const ItemColumn &column, bool add)
{
    DWORD item = 0;
    if (!add && !SelectedListData(dialog, column.list, &item))
        return;
    if (RunStylesSubDialog(column.itemTemplate, dialog, column.itemDialog, LPARAM(item)) != 0)
        RefreshAfterChange(dialog, column);
}

// A deleted class takes its ranges and symbols with it.
void OnDeleteItem(HWND dialog, const ItemColumn &column)
{
    DWORD item;
    if (!SelectedListData(dialog, column.list, &item))
        return;
    if (AskStyleQuestion(dialog, column.deleteQuestion, MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, item, column.kind};
    SendStyleMessage(AEM_DELETESTYLEITEM, reinterpret_cast<WPARAM>(&ref), 0);
    RepaintEditControl();
    RefreshAfterChange(dialog, column);
}

BOOL OnCommand(HWND dialog, WORD control, WORD code)
{
    if (control == IDC_EDITSTYLE_CLOSE || control == IDCANCEL) {
        EndWithChangeMark(dialog);
        return TRUE;
    }
    for (const ItemColumn *column : kColumns) {
        if (control == column->list) {
            if (code == LBN_SELCHANGE)
                OnSelectionChange(dialog, *column);
            else if (code == LBN_DBLCLK)
                OnOpenItem(dialog, *column, false);
            return TRUE;
        }
        if (control == column->add || control == column->edit) {
            OnOpenItem(dialog, *column, control == column->add);
            return TRUE;
        }
        if (control == column->remove) {
            OnDeleteItem(dialog, *column);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK EditStyleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, DWORD(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
