// The dialogs of one item of the current style: a class, a range or a
// symbol. Opened with the item's identifier they change it; opened with 0
// they add items, one after another with "Next >". Every item the engine
// takes is in effect at once and the edit control is repainted.
#include "dialogs/win32_styles_dialogs.h"

#include "dialogs/win32_dialog_fields.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/win32_app.h"

namespace scrivlet {

namespace {

// ---------------------------------------------------------------------------
// Shared by the three dialogs. Each keeps the identifier it was opened with,
// and its change mark tells whether it added or changed an item.

DWORD EditedItem(HWND dialog)
{
    return DWORD(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The edit mode has no "Next >": OK becomes the default button, so Enter
// cannot reach the hidden button either.
void HideNextButton(HWND dialog, int next)
{
    HWND button = GetDlgItem(dialog, next);
    ShowWindow(button, SW_HIDE);
    EnableWindow(button, FALSE);
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
    SendDlgItemMessageA(dialog, IDOK, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void BeginItemDialog(HWND dialog, DWORD item, int next)
{
    SetWindowLongPtrA(dialog, DWLP_USER, LONG_PTR(item));
    if (item != 0)
        HideNextButton(dialog, next);
}

// The current style's item `identifier` of `kind`, as its get message copies it.
template <typename Record> Record ItemRecord(UINT message, DWORD kind, DWORD identifier)
{
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, identifier, kind};
    Record record = {};
    SendStyleMessage(message, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&record));
    return record;
}

// Adds the record to the current style, or changes the edited item to it.
// A refusal shows the control's error, or `refusedText` for a text that
// styles.dat could not keep; the dialog stays open and an edited item stays
// as it was.
bool StoreItem(HWND dialog, DWORD kind, const void *record, const char *refusedText)
{
    DWORD item = EditedItem(dialog);
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, item, kind};
    if (SendStyleMessage(item != 0 ? AEM_SETSTYLEITEM : AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref),
                         reinterpret_cast<LPARAM>(record)) == 0) {
        ShowStyleError(dialog, nullptr, refusedText);
        return false;
    }
    MarkChanged(dialog);
    RepaintEditControl();
    return true;
}

// After an item was stored: OK ends the dialog; "Next >" empties the texts
// for the next item and puts the focus on the first.
void FinishItem(HWND dialog, WORD command, std::initializer_list<int> texts)
{
    if (command == IDOK) {
        EndWithChangeMark(dialog);
        return;
    }
    for (int text : texts)
        SetDlgItemTextA(dialog, text, "");
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, *texts.begin())), TRUE);
}

void CancelItemDialog(HWND dialog)
{
    if (IsMarkedChanged(dialog))
        RepaintEditControl();
    EndWithChangeMark(dialog);
}

// The commands the three dialogs share: "Next >" (while adding) and OK store
// the item through `onOk`, Cancel ends the dialog.
BOOL OnItemCommand(HWND dialog, WORD control, int next, void (*onOk)(HWND dialog, WORD command))
{
    if (control == IDCANCEL) {
        CancelItemDialog(dialog);
        return TRUE;
    }
    if (control != IDOK && control != next)
        return FALSE;
    if (control == IDOK || EditedItem(dialog) == 0) // "Next >" is only for adding
        onOk(dialog, control);
    return TRUE;
}

// The class box of the range and symbol dialogs: every class of the
// current style by name. False, after telling the user, when the style has
// no class or its classes could not be copied.
bool FillClassBox(HWND dialog, int box)
{
    StyleCopy<AESTYLECLASS> classes;
    CopyClasses(dialog, g_stylesDialogs.currentStyle, &classes);
    if (!classes.ok)
        return false;
    if (classes.count == 0) {
        ShowNote(dialog, "You must create at least one style class before adding ranges or symbols !");
        return false;
    }
    for (DWORD i = 0; i < classes.count; ++i) {
        char name[AE_STYLETEXTSIZE];
        CopyText(name, classes.records[i].name);
        AddListEntry(dialog, box, name, classes.records[i].identifier, kComboBox);
    }
    SendDlgItemMessageA(dialog, box, CB_SETCURSEL, 0, 0);
    return true;
}

// The range and symbol dialogs begin with their class box; without one they
// end at once, and the answer is false.
bool BeginClassedItemDialog(HWND dialog, DWORD item, int next, int box)
{
    BeginItemDialog(dialog, item, next);
    if (FillClassBox(dialog, box))
        return true;
    EndDialog(dialog, 0);
    return false;
}

// 0 with none selected.
DWORD SelectedClass(HWND dialog, int box)
{
    DWORD classIdentifier = 0;
    SelectedListData(dialog, box, &classIdentifier, kComboBox);
    return classIdentifier;
}

// ---------------------------------------------------------------------------
// Class

const DWORD kClassHelpTopics[] = {
    IDC_STYLECLASS_NAME, 55, IDC_STYLECLASS_COLOUR, 56, IDC_STYLECLASS_CUSTOM, 57,
    IDC_STYLECLASS_CASESENSITIVE, 58, IDC_STYLECLASS_AUTONONE, 59, IDC_STYLECLASS_AUTOLOWER, 60,
    IDC_STYLECLASS_AUTOUPPER, 61, IDC_STYLECLASS_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

// A colour none of the named ones has becomes the custom colour.
void SelectColour(HWND dialog, COLORREF colour)
{
    int entry = EntryOfColour(colour);
    if (entry == kCustomColourEntry)
        g_stylesDialogs.customColour = colour;
    SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, WPARAM(entry), 0);
}

void ShowClass(HWND dialog, DWORD classIdentifier)
{
    auto record = ItemRecord<AESTYLECLASS>(AEM_GETSTYLECLASSES, AESK_CLASS, classIdentifier);
    SetStyleText(dialog, IDC_STYLECLASS_NAME, record.name);
    SelectColour(dialog, record.colour);
    CheckButton(dialog, IDC_STYLECLASS_CASESENSITIVE, record.caseSensitive != 0);
    int autocase = record.autocase == 2   ? IDC_STYLECLASS_AUTOUPPER
                   : record.autocase == 1 ? IDC_STYLECLASS_AUTOLOWER
                                          : IDC_STYLECLASS_AUTONONE;
    CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, autocase);
}

BOOL OnClassInitDialog(HWND dialog, DWORD classIdentifier)
{
    BeginItemDialog(dialog, classIdentifier, IDC_STYLECLASS_NEXT);
    LimitStyleText(dialog, IDC_STYLECLASS_NAME);
    for (int i = 0; i <= kCustomColourEntry; ++i) {
        const char *name = i < kNamedColourCount ? kNamedColours[i].name : "Custom";
        AddListEntry(dialog, IDC_STYLECLASS_COLOUR, name, DWORD(i), kComboBox);
    }
    if (classIdentifier != 0) {
        ShowClass(dialog, classIdentifier);
        return TRUE;
    }
    SetWindowTextA(dialog, "Add Style Class");
    SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, 0, 0);
    CheckDlgButton(dialog, IDC_STYLECLASS_CASESENSITIVE, BST_CHECKED);
    CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTONONE);
    return TRUE;
}

// The chooser offers the named colours in its custom slots.
void OnCustomColour(HWND dialog)
{
    COLORREF slots[kNamedColourCount];
    for (int i = 0; i < kNamedColourCount; ++i)
        slots[i] = kNamedColours[i].value;
    CHOOSECOLORA record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = dialog;
    record.rgbResult = g_stylesDialogs.customColour;
    record.lpCustColors = slots;
    record.Flags = CC_FULLOPEN | CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR;
    if (!g_seams.chooseColor(&record))
        return;
    g_stylesDialogs.customColour = record.rgbResult;
    SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, kCustomColourEntry, 0);
}

void OnClassOk(HWND dialog, WORD command)
{
    AESTYLECLASS record = {};
    if (!ReadRequiredStyleText(dialog, IDC_STYLECLASS_NAME, record.name, kClassName))
        return;
    record.caseSensitive = IsChecked(dialog, IDC_STYLECLASS_CASESENSITIVE) ? 1 : 0;
    record.autocase =
        AutocaseOf(IsChecked(dialog, IDC_STYLECLASS_AUTOUPPER), IsChecked(dialog, IDC_STYLECLASS_AUTOLOWER));
    DWORD entry = 0; // none selected is the first colour
    SelectedListData(dialog, IDC_STYLECLASS_COLOUR, &entry, kComboBox);
    record.colour = ColourOfEntry(entry, g_stylesDialogs.customColour);
    if (StoreItem(dialog, AESK_CLASS, &record, kClassRefusedText))
        FinishItem(dialog, command, {IDC_STYLECLASS_NAME});
}

BOOL OnClassCommand(HWND dialog, WORD control)
{
    if (control != IDC_STYLECLASS_CUSTOM)
        return OnItemCommand(dialog, control, IDC_STYLECLASS_NEXT, OnClassOk);
    OnCustomColour(dialog);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Range

const DWORD kRangeHelpTopics[] = {
    IDC_STYLERANGE_START, 63, IDC_STYLERANGE_END, 64, IDC_STYLERANGE_CLASS, 65, IDC_STYLERANGE_BACKSLASH, 66,
    IDC_STYLERANGE_NESTED, 67, IDC_STYLERANGE_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

void ShowRange(HWND dialog, DWORD rangeIdentifier)
{
    auto record = ItemRecord<AESTYLERANGE>(AEM_GETSTYLERANGES, AESK_RANGE, rangeIdentifier);
    SetStyleText(dialog, IDC_STYLERANGE_START, record.startText);
    SetStyleText(dialog, IDC_STYLERANGE_END, record.endText);
    SelectListEntryByData(dialog, IDC_STYLERANGE_CLASS, record.classIdentifier, kComboBox);
    CheckButton(dialog, IDC_STYLERANGE_BACKSLASH, record.flags != 0);
    CheckButton(dialog, IDC_STYLERANGE_NESTED, record.nested != 0);
}

BOOL OnRangeInitDialog(HWND dialog, DWORD rangeIdentifier)
{
    if (!BeginClassedItemDialog(dialog, rangeIdentifier, IDC_STYLERANGE_NEXT, IDC_STYLERANGE_CLASS))
        return TRUE;
    LimitStyleText(dialog, IDC_STYLERANGE_START);
    LimitStyleText(dialog, IDC_STYLERANGE_END);
    if (rangeIdentifier != 0)
        ShowRange(dialog, rangeIdentifier);
    else
        SetWindowTextA(dialog, "Add Style Range");
    return TRUE;
}

// An empty end text makes a range that ends with its line.
void OnRangeOk(HWND dialog, WORD command)
{
    AESTYLERANGE record = {};
    if (!ReadRequiredStyleText(dialog, IDC_STYLERANGE_START, record.startText, kRangeStart))
        return;
    ReadStyleText(dialog, IDC_STYLERANGE_END, record.endText);
    record.flags = IsChecked(dialog, IDC_STYLERANGE_BACKSLASH) ? AESR_BACKSLASH : 0;
    record.nested = IsChecked(dialog, IDC_STYLERANGE_NESTED) ? 1 : 0;
    record.classIdentifier = SelectedClass(dialog, IDC_STYLERANGE_CLASS);
    if (StoreItem(dialog, AESK_RANGE, &record, kRangeRefusedText))
        FinishItem(dialog, command, {IDC_STYLERANGE_START, IDC_STYLERANGE_END});
}

// ---------------------------------------------------------------------------
// Symbol

const DWORD kSymbolHelpTopics[] = {
    IDC_STYLESYMBOL_TEXT, 68, IDC_STYLESYMBOL_CLASS, 65, IDC_STYLESYMBOL_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

void ShowSymbol(HWND dialog, DWORD symbolIdentifier)
{
    auto record = ItemRecord<AESTYLESYMBOL>(AEM_GETSTYLESYMBOLS, AESK_SYMBOL, symbolIdentifier);
    SetStyleText(dialog, IDC_STYLESYMBOL_TEXT, record.text);
    SelectListEntryByData(dialog, IDC_STYLESYMBOL_CLASS, record.classIdentifier, kComboBox);
}

BOOL OnSymbolInitDialog(HWND dialog, DWORD symbolIdentifier)
{
    if (!BeginClassedItemDialog(dialog, symbolIdentifier, IDC_STYLESYMBOL_NEXT, IDC_STYLESYMBOL_CLASS))
        return TRUE;
    LimitStyleText(dialog, IDC_STYLESYMBOL_TEXT);
    if (symbolIdentifier != 0)
        ShowSymbol(dialog, symbolIdentifier);
    else
        SetWindowTextA(dialog, "Add Style Symbol");
    return TRUE;
}

// The engine refuses a text with a byte that is no symbol character of the
// style, or that ends in a blank, with its own "Symbol contains illegal
// characters ! "; a symbol being changed then stays as it was.
void OnSymbolOk(HWND dialog, WORD command)
{
    AESTYLESYMBOL record = {};
    if (!ReadRequiredStyleText(dialog, IDC_STYLESYMBOL_TEXT, record.text, kSymbolText))
        return;
    record.classIdentifier = SelectedClass(dialog, IDC_STYLESYMBOL_CLASS);
    if (StoreItem(dialog, AESK_SYMBOL, &record, nullptr))
        FinishItem(dialog, command, {IDC_STYLESYMBOL_TEXT});
}

} // namespace

INT_PTR CALLBACK StyleClassDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnClassInitDialog(dialog, DWORD(lParam));
    case WM_COMMAND:
        return OnClassCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kClassHelpTopics);
    default:
        return 0;
    }
}

INT_PTR CALLBACK StyleRangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnRangeInitDialog(dialog, DWORD(lParam));
    case WM_COMMAND:
        return OnItemCommand(dialog, LOWORD(wParam), IDC_STYLERANGE_NEXT, OnRangeOk);
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kRangeHelpTopics);
    default:
        return 0;
    }
}

INT_PTR CALLBACK StyleSymbolDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnSymbolInitDialog(dialog, DWORD(lParam));
    case WM_COMMAND:
        return OnItemCommand(dialog, LOWORD(wParam), IDC_STYLESYMBOL_NEXT, OnSymbolOk);
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kSymbolHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
