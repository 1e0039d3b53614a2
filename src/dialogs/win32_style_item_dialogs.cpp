// The dialogs of one item of the current style: a class, a range or a
// symbol. Opened with the item's identifier they change it; opened with 0
// they add items, one after another with "Next >". Every item the engine
// takes is in effect at once and the edit control is repainted.
#include "dialogs/win32_styles_dialogs.h"

#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/win32_app.h"

namespace {

// ---------------------------------------------------------------------------
// Shared by the three dialogs

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
    g_stylesDialogs.editedItem = item;
    g_stylesDialogs.itemChanged = false;
    if (item != 0)
        HideNextButton(dialog, next);
}

void LimitText(HWND dialog, int control)
{
    SendDlgItemMessageA(dialog, control, EM_LIMITTEXT, AE_STYLETEXTSIZE - 1, 0);
}

// Adds the record to the current style, or changes the edited item to it.
// A refusal shows the control's error, or `refusedText` for a text that
// styles.dat could not keep; the dialog stays open and an edited item stays
// as it was.
bool StoreItem(HWND dialog, DWORD kind, const void *record, const char *refusedText)
{
    DWORD item = g_stylesDialogs.editedItem;
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, item, kind};
    if (SendStyleMessage(item != 0 ? AEM_SETSTYLEITEM : AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref),
                         reinterpret_cast<LPARAM>(record)) == 0) {
        ShowStyleError(dialog, nullptr, refusedText);
        return false;
    }
    g_stylesDialogs.itemChanged = true;
    RepaintEditControl();
    return true;
}

// After an item was stored: OK ends the dialog; "Next >" empties the texts
// for the next item and puts the focus on the first.
void FinishItem(HWND dialog, WORD command, const int *texts, int textCount)
{
    if (command == IDOK) {
        EndDialog(dialog, g_stylesDialogs.itemChanged ? 1 : 0);
        g_stylesDialogs.itemChanged = false;
        return;
    }
    for (int i = 0; i < textCount; ++i)
        SetDlgItemTextA(dialog, texts[i], "");
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, texts[0])), TRUE);
}

void CancelItemDialog(HWND dialog)
{
    if (g_stylesDialogs.itemChanged)
        RepaintEditControl();
    EndDialog(dialog, g_stylesDialogs.itemChanged ? 1 : 0);
    g_stylesDialogs.itemChanged = false;
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
        ShowStyleNote(dialog, "You must create at least one style class before adding ranges or symbols !");
        return false;
    }
    for (DWORD i = 0; i < classes.count; ++i) {
        char name[AE_STYLETEXTSIZE];
        CopyText(name, classes.records[i].name);
        LRESULT index = SendDlgItemMessageA(dialog, box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (index >= 0)
            SendDlgItemMessageA(dialog, box, CB_SETITEMDATA, WPARAM(index), LPARAM(classes.records[i].identifier));
    }
    SendDlgItemMessageA(dialog, box, CB_SETCURSEL, 0, 0);
    return true;
}

void SelectClass(HWND dialog, int box, DWORD classIdentifier)
{
    LRESULT count = SendDlgItemMessageA(dialog, box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (DWORD(SendDlgItemMessageA(dialog, box, CB_GETITEMDATA, WPARAM(i), 0)) == classIdentifier) {
            SendDlgItemMessageA(dialog, box, CB_SETCURSEL, WPARAM(i), 0);
            return;
        }
    }
}

DWORD SelectedClass(HWND dialog, int box)
{
    LRESULT index = SendDlgItemMessageA(dialog, box, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? 0 : DWORD(SendDlgItemMessageA(dialog, box, CB_GETITEMDATA, WPARAM(index), 0));
}

UINT CheckState(bool checked)
{
    return checked ? BST_CHECKED : BST_UNCHECKED;
}

bool IsChecked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

// ---------------------------------------------------------------------------
// Class

const DWORD kClassHelpTopics[] = {
    IDC_STYLECLASS_NAME, 55, IDC_STYLECLASS_COLOUR, 56, IDC_STYLECLASS_CUSTOM, 57,
    IDC_STYLECLASS_CASESENSITIVE, 58, IDC_STYLECLASS_AUTONONE, 59, IDC_STYLECLASS_AUTOLOWER, 60,
    IDC_STYLECLASS_AUTOUPPER, 61, IDC_STYLECLASS_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

// The value of a colour box entry: a named colour, or the custom colour.
COLORREF ColourOfEntry(LRESULT entry)
{
    if (entry >= 0 && entry < kNamedColourCount)
        return kNamedColours[entry].value;
    return entry == kCustomColourEntry ? g_stylesDialogs.customColour : kNamedColours[0].value;
}

// A colour none of the named ones has becomes the custom colour.
void SelectColour(HWND dialog, COLORREF colour)
{
    int entry = kCustomColourEntry;
    for (int i = 0; i < kNamedColourCount && entry == kCustomColourEntry; ++i) {
        if (kNamedColours[i].value == colour)
            entry = i;
    }
    if (entry == kCustomColourEntry)
        g_stylesDialogs.customColour = colour;
    SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, WPARAM(entry), 0);
}

void ShowClass(HWND dialog, DWORD classIdentifier)
{
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, classIdentifier, AESK_CLASS};
    AESTYLECLASS record = {};
    SendStyleMessage(AEM_GETSTYLECLASSES, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&record));
    char name[AE_STYLETEXTSIZE];
    CopyText(name, record.name);
    SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, name);
    SelectColour(dialog, record.colour);
    CheckDlgButton(dialog, IDC_STYLECLASS_CASESENSITIVE, CheckState(record.caseSensitive != 0));
    int autocase = record.autocase == 2   ? IDC_STYLECLASS_AUTOUPPER
                   : record.autocase == 1 ? IDC_STYLECLASS_AUTOLOWER
                                          : IDC_STYLECLASS_AUTONONE;
    CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, autocase);
}

BOOL OnClassInitDialog(HWND dialog, DWORD classIdentifier)
{
    BeginItemDialog(dialog, classIdentifier, IDC_STYLECLASS_NEXT);
    LimitText(dialog, IDC_STYLECLASS_NAME);
    for (int i = 0; i <= kCustomColourEntry; ++i) {
        const char *name = i < kNamedColourCount ? kNamedColours[i].name : "Custom";
        LRESULT index =
            SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETITEMDATA, WPARAM(index), LPARAM(i));
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
    ReadStyleText(dialog, IDC_STYLECLASS_NAME, record.name);
    if (record.name[0] == '\0') {
        ShowStyleNote(dialog, "You must specify a valid class name !");
        return;
    }
    record.caseSensitive = IsChecked(dialog, IDC_STYLECLASS_CASESENSITIVE) ? 1 : 0;
    record.autocase = IsChecked(dialog, IDC_STYLECLASS_AUTOUPPER)   ? 2
                      : IsChecked(dialog, IDC_STYLECLASS_AUTOLOWER) ? 1
                                                                    : 0;
    LRESULT entry = SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_GETCURSEL, 0, 0);
    if (entry != CB_ERR)
        entry = SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_GETITEMDATA, WPARAM(entry), 0);
    record.colour = ColourOfEntry(entry);
    if (!StoreItem(dialog, AESK_CLASS, &record, "A class name cannot contain a comma or a line break !"))
        return;
    const int texts[] = {IDC_STYLECLASS_NAME};
    FinishItem(dialog, command, texts, 1);
}

BOOL OnClassCommand(HWND dialog, WORD control)
{
    switch (control) {
    case IDC_STYLECLASS_CUSTOM:
        OnCustomColour(dialog);
        return TRUE;
    case IDC_STYLECLASS_NEXT:
        if (g_stylesDialogs.editedItem == 0)
            OnClassOk(dialog, control);
        return TRUE;
    case IDOK:
        OnClassOk(dialog, control);
        return TRUE;
    case IDCANCEL:
        CancelItemDialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Range

const DWORD kRangeHelpTopics[] = {
    IDC_STYLERANGE_START, 63, IDC_STYLERANGE_END, 64, IDC_STYLERANGE_CLASS, 65, IDC_STYLERANGE_BACKSLASH, 66,
    IDC_STYLERANGE_NESTED, 67, IDC_STYLERANGE_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

void ShowRange(HWND dialog, DWORD rangeIdentifier)
{
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, rangeIdentifier, AESK_RANGE};
    AESTYLERANGE record = {};
    SendStyleMessage(AEM_GETSTYLERANGES, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&record));
    char text[AE_STYLETEXTSIZE];
    CopyText(text, record.startText);
    SetDlgItemTextA(dialog, IDC_STYLERANGE_START, text);
    CopyText(text, record.endText);
    SetDlgItemTextA(dialog, IDC_STYLERANGE_END, text);
    SelectClass(dialog, IDC_STYLERANGE_CLASS, record.classIdentifier);
    CheckDlgButton(dialog, IDC_STYLERANGE_BACKSLASH, CheckState(record.flags != 0));
    CheckDlgButton(dialog, IDC_STYLERANGE_NESTED, CheckState(record.nested != 0));
}

BOOL OnRangeInitDialog(HWND dialog, DWORD rangeIdentifier)
{
    BeginItemDialog(dialog, rangeIdentifier, IDC_STYLERANGE_NEXT);
    if (!FillClassBox(dialog, IDC_STYLERANGE_CLASS)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    LimitText(dialog, IDC_STYLERANGE_START);
    LimitText(dialog, IDC_STYLERANGE_END);
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
    ReadStyleText(dialog, IDC_STYLERANGE_START, record.startText);
    if (record.startText[0] == '\0') {
        ShowStyleNote(dialog, "You must specify the start text of a range !");
        return;
    }
    ReadStyleText(dialog, IDC_STYLERANGE_END, record.endText);
    record.flags = IsChecked(dialog, IDC_STYLERANGE_BACKSLASH) ? AESR_BACKSLASH : 0;
    record.nested = IsChecked(dialog, IDC_STYLERANGE_NESTED) ? 1 : 0;
    record.classIdentifier = SelectedClass(dialog, IDC_STYLERANGE_CLASS);
    if (!StoreItem(dialog, AESK_RANGE, &record,
                   "The start and end texts of a range cannot contain a comma or a line break !"))
        return;
    const int texts[] = {IDC_STYLERANGE_START, IDC_STYLERANGE_END};
    FinishItem(dialog, command, texts, 2);
}

BOOL OnRangeCommand(HWND dialog, WORD control)
{
    switch (control) {
    case IDC_STYLERANGE_NEXT:
        if (g_stylesDialogs.editedItem == 0)
            OnRangeOk(dialog, control);
        return TRUE;
    case IDOK:
        OnRangeOk(dialog, control);
        return TRUE;
    case IDCANCEL:
        CancelItemDialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Symbol

const DWORD kSymbolHelpTopics[] = {
    IDC_STYLESYMBOL_TEXT, 68, IDC_STYLESYMBOL_CLASS, 65, IDC_STYLESYMBOL_NEXT, 62, IDOK, 11, IDCANCEL, 4, 0, 0,
};

void ShowSymbol(HWND dialog, DWORD symbolIdentifier)
{
    AESTYLEREF ref = {g_stylesDialogs.currentStyle, symbolIdentifier, AESK_SYMBOL};
    AESTYLESYMBOL record = {};
    SendStyleMessage(AEM_GETSTYLESYMBOLS, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&record));
    char text[AE_STYLETEXTSIZE];
    CopyText(text, record.text);
    SetDlgItemTextA(dialog, IDC_STYLESYMBOL_TEXT, text);
    SelectClass(dialog, IDC_STYLESYMBOL_CLASS, record.classIdentifier);
}

BOOL OnSymbolInitDialog(HWND dialog, DWORD symbolIdentifier)
{
    BeginItemDialog(dialog, symbolIdentifier, IDC_STYLESYMBOL_NEXT);
    if (!FillClassBox(dialog, IDC_STYLESYMBOL_CLASS)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    LimitText(dialog, IDC_STYLESYMBOL_TEXT);
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
    ReadStyleText(dialog, IDC_STYLESYMBOL_TEXT, record.text);
    if (record.text[0] == '\0') {
        ShowStyleNote(dialog, "You must specify a symbol name !");
        return;
    }
    record.classIdentifier = SelectedClass(dialog, IDC_STYLESYMBOL_CLASS);
    if (!StoreItem(dialog, AESK_SYMBOL, &record, nullptr))
        return;
    const int texts[] = {IDC_STYLESYMBOL_TEXT};
    FinishItem(dialog, command, texts, 1);
}

BOOL OnSymbolCommand(HWND dialog, WORD control)
{
    switch (control) {
    case IDC_STYLESYMBOL_NEXT:
        if (g_stylesDialogs.editedItem == 0)
            OnSymbolOk(dialog, control);
        return TRUE;
    case IDOK:
        OnSymbolOk(dialog, control);
        return TRUE;
    case IDCANCEL:
        CancelItemDialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
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
        return OnRangeCommand(dialog, LOWORD(wParam));
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
        return OnSymbolCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kSymbolHelpTopics);
    default:
        return 0;
    }
}
