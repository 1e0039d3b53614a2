// The Options dialog: auto save and its period, backups, bracket help, the
// recent files' selection, undo levels, auto indent and the default
// directory. It edits only the Options record it was given; the caller
// applies the record when the dialog ends with 1.
#include "dialogs/win32_settings_dialogs.h"

#include "dialogs/win32_dialog_fields.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/win32_app.h"

#include <shlobj.h>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {
    IDC_OPTIONS_AUTOSAVE, 5, IDC_OPTIONS_EVERY, 6, IDC_OPTIONS_MINUTES, 6, IDC_OPTIONS_PERIOD, 6,
    IDC_OPTIONS_BACKUP, 14, IDC_OPTIONS_BRACKETHELP, 7, IDC_OPTIONS_STORESELECTION, 35,
    IDC_OPTIONS_UNDOLEVELS, 8, IDC_OPTIONS_INDENTNONE, 12, IDC_OPTIONS_INDENTDEFAULT, 13,
    IDC_OPTIONS_DIRECTORY, 9, IDC_OPTIONS_BROWSE, 10, IDOK, 11, IDCANCEL, 4, 0, 0,
};

const char kBrowsePrompt[] = "Choose your default folder:";

Options *RecordOf(HWND dialog)
{
    return reinterpret_cast<Options *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A refused field's message; true when there is none. Number fields are
// read whole, so that nothing after a cut can pass unseen.
bool Legal(HWND dialog, const char *message)
{
    if (message == nullptr)
        return true;
    ShowError(dialog, message);
    return false;
}

// The controls that belong to the auto save period: enabled with auto save.
void EnablePeriod(HWND dialog, bool enable)
{
    EnableControls(dialog, {IDC_OPTIONS_EVERY, IDC_OPTIONS_MINUTES, IDC_OPTIONS_PERIOD}, enable);
}

void PutCurrentDirectory(char (&directory)[kDirectorySize])
{
    DWORD length = GetCurrentDirectoryA(kDirectorySize, directory);
    if (length == 0 || length >= kDirectorySize)
        directory[0] = '\0'; // never a cut path
}

// WM_INITDIALOG
BOOL OnInitDialog(HWND dialog, Options *options)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(options));
    CheckButton(dialog, IDC_OPTIONS_AUTOSAVE, options->autoSave != 0);
    SetDlgItemInt(dialog, IDC_OPTIONS_PERIOD, options->autoSavePeriod, FALSE);
    EnablePeriod(dialog, options->autoSave != 0);
    CheckButton(dialog, IDC_OPTIONS_BACKUP, options->backupFiles != 0);
    CheckButton(dialog, IDC_OPTIONS_BRACKETHELP, options->bracketHelp != 0);
    CheckButton(dialog, IDC_OPTIONS_STORESELECTION, options->storeRecentFileSel != 0);
    SetDlgItemInt(dialog, IDC_OPTIONS_UNDOLEVELS, UINT(options->undoLevels), TRUE);
    CheckButton(dialog, IDC_OPTIONS_INDENTNONE, options->autoIndent == 0);
    CheckButton(dialog, IDC_OPTIONS_INDENTDEFAULT, options->autoIndent == 1);
    SendDlgItemMessageA(dialog, IDC_OPTIONS_DIRECTORY, EM_LIMITTEXT, kDirectorySize - 1, 0);
    SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, options->defaultDirectory);
    return TRUE;
}

// "Browse": the folder browser, its choice as a path into the field.
void OnBrowse(HWND dialog)
{
    BROWSEINFOA info = {};
    info.hwndOwner = dialog;
    info.lpszTitle = kBrowsePrompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    void *folder = g_seams.browseForFolder(&info);
    if (folder == nullptr)
        return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(folder), path))
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, path);
    else
        ReportAppError(dialog, kAppErrorFolderPath);
    CoTaskMemFree(folder);
}

// The period, when auto save is on; true when it is legal.
bool TakeAutoSave(HWND dialog, Options *options)
{
    options->autoSave = IsChecked(dialog, IDC_OPTIONS_AUTOSAVE) ? 1 : 0;
    if (options->autoSave == 0)
        return true;
    uint32_t period = 0;
    const char *message = ReadAutoSavePeriod(FieldText(dialog, IDC_OPTIONS_PERIOD).c_str(), &period);
    options->autoSavePeriod = period;
    return Legal(dialog, message);
}

// A new number of undo levels clears the undo buffer once applied, so it is
// taken only when the user agrees.
bool TakeUndoLevels(HWND dialog, Options *options)
{
    int32_t levels = 0;
    if (!Legal(dialog, ReadUndoLevels(FieldText(dialog, IDC_OPTIONS_UNDOLEVELS).c_str(), &levels)))
        return false;
    if (levels == options->undoLevels)
        return true;
    if (ShowMessage(dialog, kUndoClearText, kInformationTitle,
                    MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2) == IDOK) {
        options->undoLevels = levels;
        return true;
    }
    SetDlgItemInt(dialog, IDC_OPTIONS_UNDOLEVELS, UINT(options->undoLevels), TRUE);
    return false;
}

// The directory must exist; checking it leaves the current directory as it
// was. An empty field stands for the current directory.
bool TakeDefaultDirectory(HWND dialog, Options *options)
{
    GetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, options->defaultDirectory, kDirectorySize);
    if (options->defaultDirectory[0] == '\0') {
        PutCurrentDirectory(options->defaultDirectory);
        return true;
    }
    char current[kDirectorySize];
    PutCurrentDirectory(current);
    if (!SetCurrentDirectoryA(options->defaultDirectory)) {
        ShowError(dialog, kDirectoryText);
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, current);
        return false;
    }
    SetCurrentDirectoryA(current);
    return true;
}

// OK: every field is taken and checked, each failed check reported, and the
// dialog ends only when all passed.
void OnOk(HWND dialog)
{
    Options *options = RecordOf(dialog);
    bool legal = TakeAutoSave(dialog, options);
    options->backupFiles = IsChecked(dialog, IDC_OPTIONS_BACKUP) ? 1 : 0;
    options->bracketHelp = IsChecked(dialog, IDC_OPTIONS_BRACKETHELP) ? 1 : 0;
    options->storeRecentFileSel = IsChecked(dialog, IDC_OPTIONS_STORESELECTION) ? 1 : 0;
    legal = TakeUndoLevels(dialog, options) && legal;
    options->autoIndent = AutoIndentOf(IsChecked(dialog, IDC_OPTIONS_INDENTNONE),
                                       IsChecked(dialog, IDC_OPTIONS_INDENTDEFAULT), options->autoIndent);
    legal = TakeDefaultDirectory(dialog, options) && legal;
    if (legal)
        EndDialog(dialog, 1);
}

// WM_COMMAND
BOOL OnCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_OPTIONS_AUTOSAVE:
        EnablePeriod(dialog, IsChecked(dialog, IDC_OPTIONS_AUTOSAVE));
        return TRUE;
    case IDC_OPTIONS_BROWSE:
        OnBrowse(dialog);
        return TRUE;
    default:
        return OnOkOrCancel(dialog, command, OnOk);
    }
}

} // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<Options *>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
