// The File Types dialog and its Edit File Type dialog. Both work directly
// on the FileType records of the application's list: nothing reaches the
// settings file before the program writes it at exit, and the open document
// keeps its settings until it is loaded again.
#include "dialogs/win32_settings_dialogs.h"

#include "advancededit.h"
#include "config/file_types.h"
#include "core/allocation.h"
#include "core/id_list.h"
#include "dialogs/win32_dialog_fields.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/document_paths.h"
#include "shell/settings_texts.h"
#include "shell/win32_app.h"

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

const DWORD kFileTypesHelpTopics[] = {
    IDC_FILETYPES_LIST, 15, IDC_FILETYPES_ADD, 16, IDC_FILETYPES_EDIT, 26, IDC_FILETYPES_DELETE, 17,
    IDC_FILETYPES_CLOSE, 24, IDC_FILETYPES_STYLES, 25, 0, 0,
};

const DWORD kEditFileTypeHelpTopics[] = {
    IDC_EDITFILETYPE_NAME, 18, IDC_EDITFILETYPE_EXTENSIONS, 19, IDC_EDITFILETYPE_TABSTOPS, 20,
    IDC_EDITFILETYPE_KEEPTABS, 21, IDC_EDITFILETYPE_TEMPLATES, 22, IDC_EDITFILETYPE_BROWSE, 10,
    IDC_EDITFILETYPE_CODESTYLE, 23, IDOK, 11, IDCANCEL, 4, 0, 0,
};

const char kChangedText[] =
    "You have made changes to one or more file types.\nThese changes will only be applied on the next file load.";

// ---------------------------------------------------------------------------
// File Types: the dialog keeps the AppState it was opened with, and its
// change mark tells whether an Edit File Type dialog ended with OK.

AppState *AppOf(HWND dialog)
{
    return reinterpret_cast<AppState *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

LRESULT SendToList(HWND dialog, UINT message, WPARAM wParam)
{
    return SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, message, wParam, 0);
}

void EnableEntryButtons(HWND dialog, bool enable)
{
    EnableControls(dialog, {IDC_FILETYPES_EDIT, IDC_FILETYPES_DELETE}, enable);
}

// An entry for the type: its name, with its id as the item data. Returns the
// entry's index.
LRESULT AddTypeEntry(HWND dialog, const FileType *type)
{
    return AddListEntry(dialog, IDC_FILETYPES_LIST, type->name, type->id);
}

// The list box holds every type of the list, in the list box's own order.
void FillList(HWND dialog)
{
    IdList *types = AppOf(dialog)->fileTypes;
    if (types == nullptr)
        return; // IterateValues(nullptr) would continue another iteration
    for (auto *type = static_cast<const FileType *>(IterateValues(types)); type != nullptr;
         type = static_cast<const FileType *>(IterateValues(nullptr)))
        AddTypeEntry(dialog, type);
}

// WM_INITDIALOG
BOOL OnFileTypesInit(HWND dialog, AppState *app)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(app));
    FillList(dialog);
    EnableEntryButtons(dialog, false);
    return TRUE;
}

// "Add": a new type with a numbered name, selected.
void OnAdd(HWND dialog)
{
    IdList *types = AppOf(dialog)->fileTypes;
    const FileType *type = types != nullptr ? AddNewFileType(types) : nullptr;
    if (type == nullptr) {
        ReportAppError(dialog, kAppErrorMemory);
        return;
    }
    SendToList(dialog, LB_SETCURSEL, WPARAM(AddTypeEntry(dialog, type)));
    EnableEntryButtons(dialog, true);
}

// "Delete": the selected type goes at once; the entry that takes its place,
// or the new last one, is selected.
void OnDelete(HWND dialog)
{
    LRESULT index = SendToList(dialog, LB_GETCURSEL, 0);
    DWORD id;
    if (!SelectedListData(dialog, IDC_FILETYPES_LIST, &id))
        return;
    IdList *types = AppOf(dialog)->fileTypes;
    EngineFree(ValueOfId(types, id));
    RemoveId(types, id);
    LRESULT left = SendToList(dialog, LB_DELETESTRING, WPARAM(index));
    if (left <= 0)
        EnableEntryButtons(dialog, false);
    SelectEntryAfterRemoval(dialog, IDC_FILETYPES_LIST, index, left);
}

// "Edit" and a double click: the Edit File Type dialog on the selected type.
// Its name may have changed, so the list is filled afresh afterwards.
void OnEdit(HWND dialog)
{
    DWORD id;
    if (!SelectedListData(dialog, IDC_FILETYPES_LIST, &id))
        return;
    AppState *app = AppOf(dialog);
    auto *type = static_cast<FileType *>(ValueOfId(app->fileTypes, id));
    if (type == nullptr)
        return;
    if (g_seams.dialogBox(app->instance, MAKEINTRESOURCEA(IDD_EDITFILETYPE), dialog, EditFileTypeDialogProc,
                          reinterpret_cast<LPARAM>(type)) == 1)
        MarkChanged(dialog);
    SendToList(dialog, LB_RESETCONTENT, 0);
    FillList(dialog);
    EnableEntryButtons(dialog, false);
}

// "Close" and Escape.
void OnClose(HWND dialog)
{
    if (IsMarkedChanged(dialog)) {
        ShowNote(dialog, kChangedText);
        RebuildFileFilter();
    }
    EndDialog(dialog, 0);
}

// WM_COMMAND
BOOL OnFileTypesCommand(HWND dialog, WORD command, WORD code)
{
    switch (command) {
    case IDC_FILETYPES_LIST:
        if (code == LBN_SELCHANGE)
            EnableEntryButtons(dialog, SendToList(dialog, LB_GETCURSEL, 0) != LB_ERR);
        else if (code == LBN_DBLCLK)
            OnEdit(dialog);
        return TRUE;
    case IDC_FILETYPES_ADD:
        OnAdd(dialog);
        return TRUE;
    case IDC_FILETYPES_DELETE:
        OnDelete(dialog);
        return TRUE;
    case IDC_FILETYPES_EDIT:
        OnEdit(dialog);
        return TRUE;
    case IDC_FILETYPES_STYLES:
        OpenStylesDialog(dialog);
        return TRUE;
    case IDC_FILETYPES_CLOSE:
    case IDCANCEL:
        OnClose(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Edit File Type: the dialog keeps the FileType it was opened with.

// The code style list: "None" and every style the control has loaded, with
// the type's style selected when it is among them and "None" otherwise.
void FillStyleList(HWND dialog, const char *codeStyle)
{
    HWND list = GetDlgItem(dialog, IDC_EDITFILETYPE_CODESTYLE);
    LRESULT none = AddListEntry(dialog, IDC_EDITFILETYPE_CODESTYLE, kNoCodeStyle, 0, kComboBox);
    SendMessageA(list, CB_SETCURSEL, WPARAM(none), 0);
    // Styles get their handle as item data, never 0: only "None" has 0.
    LRESULT count = SendToEdit(AEM_GETSTYLECOUNT, 0, 0);
    if (count <= 0)
        return;
    auto *styles = static_cast<AESTYLEINFO *>(EngineAllocate(size_t(count) * sizeof(AESTYLEINFO)));
    if (styles == nullptr) {
        ShowMessage(dialog, kLowMemoryText, kWarningTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    LRESULT copied = SendToEdit(AEM_GETSTYLES, WPARAM(count), reinterpret_cast<LPARAM>(styles));
    for (LRESULT i = 0; i < copied; ++i) {
        styles[i].name[sizeof styles[i].name - 1] = '\0';
        AddListEntry(dialog, IDC_EDITFILETYPE_CODESTYLE, styles[i].name, styles[i].handle, kComboBox);
    }
    EngineFree(styles);

    // The list sorts itself, so indexes are final only now: the type's style
    // is selected when a name matches it byte for byte (CB_FINDSTRINGEXACT
    // would ignore case), else "None" again.
    LRESULT entries = SendMessageA(list, CB_GETCOUNT, 0, 0);
    LRESULT chosen = CB_ERR;
    for (LRESULT i = 0; i < entries; ++i) {
        if (SendMessageA(list, CB_GETITEMDATA, WPARAM(i), 0) == 0) {
            if (chosen == CB_ERR)
                chosen = i;
            continue;
        }
        char name[AE_STYLETEXTSIZE] = "";
        if (codeStyle[0] == '\0' || SendMessageA(list, CB_GETLBTEXTLEN, WPARAM(i), 0) >= LRESULT(sizeof name))
            continue;
        SendMessageA(list, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(name));
        if (std::strcmp(name, codeStyle) == 0) {
            chosen = i;
            break;
        }
    }
    SendMessageA(list, CB_SETCURSEL, WPARAM(chosen), 0);
}

// WM_INITDIALOG
BOOL OnEditFileTypeInit(HWND dialog, FileType *type)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(type));
    SetDlgItemTextA(dialog, IDC_EDITFILETYPE_NAME, type->name);
    SetDlgItemTextA(dialog, IDC_EDITFILETYPE_EXTENSIONS, JoinExtensions(*type).c_str());
    SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TABSTOPS, JoinTabWidths(*type).c_str());
    CheckButton(dialog, IDC_EDITFILETYPE_KEEPTABS, type->keepTabs != 0);
    SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, JoinTemplates(*type).c_str());
    FillStyleList(dialog, type->codeStyle);
    return TRUE;
}

// "Browse": a template file from the Open dialog, appended to the field
// while the field has room for it.
void OnBrowseTemplate(HWND dialog)
{
    OPENFILENAMEA &open = g_app.openDialog;
    HWND owner = open.hwndOwner;
    open.hwndOwner = dialog; // so that this dialog, not only the main window, waits for it
    BOOL chosen = g_seams.getOpenFileName(&open);
    open.hwndOwner = owner;
    if (chosen) {
        // The shell's record keeps its initial directory in a path buffer of
        // its own; the next Browse starts in the chosen file's directory.
        if (open.lpstrInitialDir != nullptr)
            CopyDirectoryPart(const_cast<char *>(open.lpstrInitialDir), kPathSize, open.lpstrFile,
                              open.nFileOffset);
        std::string templates = FieldText(dialog, IDC_EDITFILETYPE_TEMPLATES);
        if (const char *message = AppendTemplateWithRoom(templates, open.lpstrFile))
            ShowNote(dialog, message);
        else
            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, templates.c_str());
    }
    open.lpstrFile[0] = '\0';
}

// OK: the type is rebuilt in place from the fields, once it has a name and
// at least one extension.
void OnEditFileTypeOk(HWND dialog)
{
    char name[kFileTypeNameSize] = "";
    GetDlgItemTextA(dialog, IDC_EDITFILETYPE_NAME, name, sizeof name);
    char extensions[64] = "";
    GetDlgItemTextA(dialog, IDC_EDITFILETYPE_EXTENSIONS, extensions, sizeof extensions);
    FieldVerdict verdict = CheckFileTypeFields(name, extensions);
    if (verdict.message != nullptr) {
        ShowError(dialog, verdict.message);
        return;
    }
    char tabStops[64] = "";
    GetDlgItemTextA(dialog, IDC_EDITFILETYPE_TABSTOPS, tabStops, sizeof tabStops);
    uint32_t keepTabs = IsChecked(dialog, IDC_EDITFILETYPE_KEEPTABS) ? 1 : 0;
    std::string templates(kTemplatesTextSize, '\0');
    GetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, &templates[0], int(templates.size()));
    char codeStyle[kCodeStyleSize] = "";
    GetDlgItemTextA(dialog, IDC_EDITFILETYPE_CODESTYLE, codeStyle, sizeof codeStyle);
    auto *type = reinterpret_cast<FileType *>(GetWindowLongPtrA(dialog, DWLP_USER));
    CreateFileType(type, name, extensions, keepTabs, tabStops, templates.c_str(), StoredCodeStyle(codeStyle));
    EndDialog(dialog, 1);
}

// WM_COMMAND
BOOL OnEditFileTypeCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_EDITFILETYPE_BROWSE:
        OnBrowseTemplate(dialog);
        return TRUE;
    default:
        return OnOkOrCancel(dialog, command, OnEditFileTypeOk);
    }
}

} // namespace

INT_PTR CALLBACK FileTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnFileTypesInit(dialog, reinterpret_cast<AppState *>(lParam));
    case WM_COMMAND:
        return OnFileTypesCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kFileTypesHelpTopics);
    default:
        return 0;
    }
}

INT_PTR CALLBACK EditFileTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnEditFileTypeInit(dialog, reinterpret_cast<FileType *>(lParam));
    case WM_COMMAND:
        return OnEditFileTypeCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kEditFileTypeHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
