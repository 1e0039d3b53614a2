// The Styles dialog, which lists the styles and saves them on Close, the Add
// Style dialog, and what all the styles dialogs share: their state, the way
// they reach the engine and how they speak to the user.
#include "dialogs/win32_styles_dialogs.h"

#include "core/allocation.h"

#include "dialogs/win32_dialog_fields.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/win32_app.h"

#include <cstdio>

namespace scrivlet {

StylesDialogState g_stylesDialogs = {};

void *(*g_stylesCopyAllocator)(size_t bytes) = std::malloc;

// ---------------------------------------------------------------------------
// Shared by the styles dialogs

namespace {

// The edit control of the AppState the Styles dialog was given; the shell's
// own before any Styles dialog opened.
HWND EditControl()
{
    const AppState *app = g_stylesDialogs.app != nullptr ? g_stylesDialogs.app : &g_app;
    return app->editControl;
}

// Copies what a get message lists into a buffer of `count` records, `copy`
// being the message that fills it.
template <typename Record, typename Copy>
void CopyRecords(HWND owner, StyleCopy<Record> *copy, DWORD count, Copy copyInto)
{
    std::free(copy->records);
    copy->records = nullptr;
    copy->count = 0;
    copy->ok = true;
    if (count == 0)
        return;
    // A count whose records a 32-bit size cannot hold is a failed allocation.
    if (ArrayFits(count, sizeof(Record)))
        copy->records = static_cast<Record *>(g_stylesCopyAllocator(size_t(count) * sizeof(Record)));
    if (copy->records == nullptr) {
        copy->ok = false;
        ReportAppError(owner, kAppErrorMemory);
        return;
    }
    copy->count = DWORD(copyInto(copy->records, count));
}

// The get messages of items count them without a buffer and copy them all
// with one.
template <typename Record> void CopyItems(HWND owner, UINT message, DWORD style, StyleCopy<Record> *copy)
{
    AESTYLEREF all = {style, 0, 0};
    DWORD count = DWORD(SendStyleMessage(message, reinterpret_cast<WPARAM>(&all), 0));
    CopyRecords(owner, copy, count, [&](Record *records, DWORD) {
        return SendStyleMessage(message, reinterpret_cast<WPARAM>(&all), reinterpret_cast<LPARAM>(records));
    });
}

} // namespace

LRESULT SendStyleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(EditControl(), message, wParam, lParam);
}

void RepaintEditControl()
{
    InvalidateRect(EditControl(), nullptr, TRUE);
}

void ShowStyleError(HWND owner, const char *format, const char *refusedText)
{
    char error[AE_ERRORTEXTSIZE];
    GetControlErrorText(GetLastControlError(), error);
    char text[kMessageTextSize];
    CopyText(text, StyleErrorMessage(format, error, GetLastControlError() == AEE_SYMBOLCHARS, refusedText).c_str());
    ShowMessage(owner, text, kErrorTitle, MB_OK | MB_ICONERROR);
}

int AskStyleQuestion(HWND owner, const char *text, UINT buttonsAndIcon)
{
    return ShowMessage(owner, text, kInformationTitle, buttonsAndIcon | MB_DEFBUTTON2);
}

INT_PTR RunStylesSubDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter)
{
    return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
}

void LimitStyleText(HWND dialog, int control)
{
    SendDlgItemMessageA(dialog, control, EM_LIMITTEXT, AE_STYLETEXTSIZE - 1, 0);
}

// The record's text need not end in a NUL.
void SetStyleText(HWND dialog, int control, const char (&text)[AE_STYLETEXTSIZE])
{
    char shown[AE_STYLETEXTSIZE];
    CopyText(shown, text);
    SetDlgItemTextA(dialog, control, shown);
}

void ReadStyleText(HWND dialog, int control, char (&text)[AE_STYLETEXTSIZE])
{
    text[0] = '\0';
    GetDlgItemTextA(dialog, control, text, AE_STYLETEXTSIZE);
}

bool ReadRequiredStyleText(HWND dialog, int control, char (&text)[AE_STYLETEXTSIZE], StyleText kind)
{
    ReadStyleText(dialog, control, text);
    const char *note = CheckStyleText(kind, text);
    if (note == nullptr)
        return true;
    ShowNote(dialog, note);
    return false;
}

void CopyStyles(HWND owner, StyleCopy<AESTYLEINFO> *copy)
{
    DWORD count = DWORD(SendStyleMessage(AEM_GETSTYLECOUNT, 0, 0));
    CopyRecords(owner, copy, count, [](AESTYLEINFO *records, DWORD maximum) {
        return SendStyleMessage(AEM_GETSTYLES, maximum, reinterpret_cast<LPARAM>(records));
    });
}

void CopyClasses(HWND owner, DWORD style, StyleCopy<AESTYLECLASS> *copy)
{
    CopyItems(owner, AEM_GETSTYLECLASSES, style, copy);
}

void CopyRanges(HWND owner, DWORD style, StyleCopy<AESTYLERANGE> *copy)
{
    CopyItems(owner, AEM_GETSTYLERANGES, style, copy);
}

void CopySymbols(HWND owner, DWORD style, StyleCopy<AESTYLESYMBOL> *copy)
{
    CopyItems(owner, AEM_GETSTYLESYMBOLS, style, copy);
}

int FillStyleList(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_STYLES_LIST, LB_RESETCONTENT, 0, 0);
    StyleCopy<AESTYLEINFO> styles;
    CopyStyles(dialog, &styles);
    for (DWORD i = 0; i < styles.count; ++i)
        AddListEntry(dialog, IDC_STYLES_LIST, styles.records[i].name, styles.records[i].handle);
    return int(styles.count);
}

// ---------------------------------------------------------------------------
// Styles

namespace {

const DWORD kStylesHelpTopics[] = {
    IDC_STYLES_LIST, 36, IDC_STYLES_ADD, 37, IDC_STYLES_EDIT, 38, IDC_STYLES_DELETE, 39,
    IDC_STYLES_IMPORT, 40, IDC_STYLES_CLOSE, 24, IDCANCEL, 4, 0, 0,
};

BOOL OnStylesInitDialog(HWND dialog, AppState *app)
{
    g_stylesDialogs.app = app;
    FillStyleList(dialog);
    return TRUE;
}

void OnAddStyle(HWND dialog)
{
    NewStyle added = {};
    if (RunStylesSubDialog(IDD_ADDSTYLE, dialog, AddStyleDialogProc, reinterpret_cast<LPARAM>(&added)) == 0)
        return;
    DWORD style = DWORD(SendStyleMessage(AEM_ADDSTYLE, reinterpret_cast<WPARAM>(added.name),
                                         reinterpret_cast<LPARAM>(added.characters)));
    if (style == 0) {
        ShowStyleError(dialog, "The following error occurred while creating the new style:\n\n[%s]",
                       kStyleRefusedText);
        return;
    }
    FillStyleList(dialog);
    SelectListEntryByData(dialog, IDC_STYLES_LIST, style);
    g_stylesDialogs.stylesChanged = true;
}

void OnEditStyle(HWND dialog)
{
    DWORD style;
    if (!SelectedListData(dialog, IDC_STYLES_LIST, &style))
        return;
    if (RunStylesSubDialog(IDD_EDITSTYLE, dialog, EditStyleDialogProc, LPARAM(style)) != 0)
        g_stylesDialogs.stylesChanged = true;
}

// The entry that takes the deleted one's place is selected, or the one
// before it when the deleted style was the last.
void OnDeleteStyle(HWND dialog)
{
    LRESULT index = SendDlgItemMessageA(dialog, IDC_STYLES_LIST, LB_GETCURSEL, 0, 0);
    DWORD style;
    if (!SelectedListData(dialog, IDC_STYLES_LIST, &style))
        return;
    if (AskStyleQuestion(dialog,
                         "Are you sure you want to delete the selected style and all classes, ranges and "
                         "symbols it contains ?",
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    SendStyleMessage(AEM_DELETESTYLE, style, 0);
    SelectEntryAfterRemoval(dialog, IDC_STYLES_LIST, index, FillStyleList(dialog));
    g_stylesDialogs.stylesChanged = true;
}

// The styles of the chosen file are added to those there are.
void OnImportStyles(HWND dialog)
{
    AppState *app = g_stylesDialogs.app != nullptr ? g_stylesDialogs.app : &g_app;
    OPENFILENAMEA *record = &app->openDialog;
    if (g_seams.getOpenFileName(record)) {
        if (SendStyleMessage(AEM_LOADSTYLES, 1, reinterpret_cast<LPARAM>(record->lpstrFile)) != 0)
            ShowNote(dialog, "Style file successfully imported !");
        else
            ShowStyleError(dialog, "The following error occurred while importing the style file:\n\n[%s]");
        FillStyleList(dialog);
        g_stylesDialogs.stylesChanged = true;
    }
    if (record->lpstrFile != nullptr)
        record->lpstrFile[0] = '\0';
}

void OnStylesClose(HWND dialog)
{
    if (g_stylesDialogs.stylesChanged && SendStyleMessage(AEM_SAVESTYLES, 0, 0) == 0) {
        ShowStyleError(dialog, "The following error occurred while saving the style file:\n\n[%s]");
        return;
    }
    EndDialog(dialog, g_stylesDialogs.stylesChanged ? 1 : 0);
    g_stylesDialogs.stylesChanged = false;
}

// Leaving without saving keeps the changes in memory and the mark set, so
// the next Close of the Styles dialog saves them.
void OnStylesCancel(HWND dialog)
{
    if (!g_stylesDialogs.stylesChanged) {
        EndDialog(dialog, 0);
        return;
    }
    if (AskStyleQuestion(dialog, "Style information has changed. These changements will not be saved to disk.",
                         MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
        EndDialog(dialog, 1);
}

BOOL OnStylesCommand(HWND dialog, WORD control, WORD code)
{
    switch (control) {
    case IDC_STYLES_LIST:
        if (code == LBN_SELCHANGE)
            EnableControls(dialog, {IDC_STYLES_EDIT, IDC_STYLES_DELETE}, true);
        else if (code == LBN_DBLCLK)
            OnEditStyle(dialog);
        return TRUE;
    case IDC_STYLES_ADD:
        OnAddStyle(dialog);
        return TRUE;
    case IDC_STYLES_EDIT:
        OnEditStyle(dialog);
        return TRUE;
    case IDC_STYLES_DELETE:
        OnDeleteStyle(dialog);
        return TRUE;
    case IDC_STYLES_IMPORT:
        OnImportStyles(dialog);
        return TRUE;
    case IDC_STYLES_CLOSE:
        OnStylesClose(dialog);
        return TRUE;
    case IDCANCEL:
        OnStylesCancel(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenStylesDialog(HWND owner)
{
    g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_STYLES), owner, StylesDialogProc,
                      reinterpret_cast<LPARAM>(&g_app));
}

INT_PTR CALLBACK StylesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnStylesInitDialog(dialog, reinterpret_cast<AppState *>(lParam));
    case WM_COMMAND:
        return OnStylesCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kStylesHelpTopics);
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------
// Add Style

namespace {

const DWORD kAddStyleHelpTopics[] = {
    IDC_ADDSTYLE_NAME, 41, IDC_ADDSTYLE_CHARACTERS, 42, IDOK, 11, IDCANCEL, 4, 0, 0,
};

BOOL OnAddStyleInitDialog(HWND dialog, NewStyle *added)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(added));
    LimitStyleText(dialog, IDC_ADDSTYLE_NAME);
    LimitStyleText(dialog, IDC_ADDSTYLE_CHARACTERS);
    return TRUE;
}

// Neither text is checked further here: a second style of a name is
// allowed, and the engine refuses texts that styles.dat could not keep when
// the style is created.
// A dialog opened without a record to fill (as the dialog gallery opens it)
// reads the texts all the same and keeps them to itself.
void OnAddStyleOk(HWND dialog)
{
    NewStyle read = {};
    if (!ReadRequiredStyleText(dialog, IDC_ADDSTYLE_NAME, read.name, kNewStyleName))
        return;
    ReadStyleText(dialog, IDC_ADDSTYLE_CHARACTERS, read.characters);
    if (auto *added = reinterpret_cast<NewStyle *>(GetWindowLongPtrA(dialog, DWLP_USER)))
        *added = read;
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK AddStyleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnAddStyleInitDialog(dialog, reinterpret_cast<NewStyle *>(lParam));
    case WM_COMMAND:
        return OnOkOrCancel(dialog, LOWORD(wParam), OnAddStyleOk);
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kAddStyleHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
