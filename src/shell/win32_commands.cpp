// The menu and accelerator commands of the main window, and the menu states
// set when a popup opens.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "config/settings_file.h"
#include "dialogs/win32_dialogs.h"
#include "dialogs/win32_settings_dialogs.h"
#include "dialogs/win32_styles_dialogs.h"
#include "resources/resource.h"
#include "shell/case_conversion.h"

#include <cstdlib>

namespace scrivlet {

namespace {

// Undo and redo say what they do while they run.
void StepHistory(UINT message, const char *status)
{
    RefreshStatus(status);
    SendToEdit(message, 0, 0);
    RefreshStatus("");
}

// The selection converted and selected again; nothing without a selection.
void ConvertSelectionCase(CaseConversion conversion)
{
    AERANGE selection = EditSelection();
    if (selection.start == selection.end)
        return;
    size_t length = selection.end - selection.start;
    char *text = static_cast<char *>(std::malloc(length + 1));
    if (text == nullptr) {
        ShowMessage(g_app.mainWindow, kLowMemoryRetryText, kWarningTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    SendToEdit(AEM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text));
    ConvertCase(text, length, conversion);
    SendToEdit(AEM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text));
    SelectInEdit(selection.start, selection.end);
    std::free(text);
}

// Bit 0 of the control's options, the others kept.
void ToggleBracketFlash()
{
    LRESULT options = SendToEdit(AEM_GETOPTIONS, 0, 0);
    SendToEdit(AEM_SETOPTIONS, 0, options ^ AEO_BRACKETFLASH);
}

void ChooseFont(uint32_t font)
{
    g_app.font = font;
    SendToEdit(WM_SETFONT, reinterpret_cast<WPARAM>(StockFontFor(font)), 1);
}

void EnableItem(HMENU popup, UINT command, bool enabled)
{
    EnableMenuItem(popup, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void SetEditMenuStates(HMENU popup)
{
    AERANGE selection = EditSelection();
    bool selected = selection.start != selection.end;
    EnableItem(popup, IDM_UNDO, SendToEdit(AEM_CANUNDO, 0, 0) == 1);
    EnableItem(popup, IDM_REDO, SendToEdit(AEM_CANREDO, 0, 0) == 1);
    EnableItem(popup, IDM_PASTE, SendToEdit(AEM_CANPASTE, CF_TEXT, 0) == 1);
    EnableItem(popup, IDM_CUT, selected);
    EnableItem(popup, IDM_COPY, selected);
    EnableItem(popup, IDM_DELETE, selected);
    EnableItem(popup, IDM_SELECTALL, SendToEdit(AEM_LINELENGTH, 0, 0) > 0);
}

void SetFontMenuChecks(HMENU advanced)
{
    HMENU fonts = GetSubMenu(advanced, FONT_MENU_POSITION);
    const UINT items[] = {IDM_FONTANSI, IDM_FONTOEM, IDM_FONTSYSTEM};
    for (uint32_t font = kFontAnsi; font <= kFontSystem; ++font)
        CheckMenuItem(fonts, items[font], MF_BYCOMMAND | (g_app.font == font ? MF_CHECKED : MF_UNCHECKED));
}

INT_PTR OpenDialog(int templateId, DLGPROC procedure, LPARAM parameter)
{
    return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(templateId), g_app.mainWindow, procedure, parameter);
}

// The chosen date or time replaces the selection, recorded for undo.
void InsertDateAndTime()
{
    char text[256] = "";
    if (OpenDialog(IDD_DATETIME, DateTimeDialogProc, reinterpret_cast<LPARAM>(text)) == 1)
        SendToEdit(AEM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text));
}

// The options as the program runs with them, edited; on OK applied and
// written at once. A settings file that could not be written is reported;
// the old one is then still on disk as it was.
void EditOptions()
{
    Options options;
    GatherOptions(&options);
    if (OpenDialog(IDD_OPTIONS, OptionsDialogProc, reinterpret_cast<LPARAM>(&options)) != 1)
        return;
    ApplyOptions(&options);
    if (!WriteSettings(kSettingsFileName, &options, g_app.font, &g_app.pageSetup, g_app.fileTypes))
        ReportAppError(g_app.mainWindow, kAppErrorIniCreate);
}

void NewFromTemplate()
{
    if (OpenDialog(IDD_NEWFROMTEMPLATE, NewFromTemplateDialogProc, reinterpret_cast<LPARAM>(&g_app)) == 1)
        NewFromTemplatePath(g_app.openDialog.lpstrFile);
}

} // namespace

void ShowHelpContents()
{
    g_seams.winHelp(g_app.mainWindow, kHelpFile, HELP_FINDER, 0);
}

void OnMenuCommand(UINT command)
{
    switch (command) {
    case IDM_ABOUT:
        OpenDialog(IDD_ABOUT, AboutDialogProc, 0);
        break;
    case IDM_GOTO:
        OpenDialog(IDD_GOTO, GoToDialogProc, reinterpret_cast<LPARAM>(&g_app));
        break;
    case IDM_DATETIME:
        InsertDateAndTime();
        break;
    case IDM_NEWFROMTEMPLATE:
        NewFromTemplate();
        break;
    case IDM_OPTIONS:
        EditOptions();
        break;
    case IDM_FILETYPES:
        OpenDialog(IDD_FILETYPES, FileTypesDialogProc, reinterpret_cast<LPARAM>(&g_app));
        break;
    case IDM_STYLES:
        OpenStylesDialog(g_app.mainWindow);
        break;
    case IDM_EXIT:
        SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
        break;
    case IDM_CUT:
        SendToEdit(WM_CUT, 0, 0);
        break;
    case IDM_COPY:
        SendToEdit(WM_COPY, 0, 0);
        break;
    case IDM_PASTE:
        SendToEdit(WM_PASTE, 0, 0);
        break;
    case IDM_DELETE:
        SendToEdit(WM_CLEAR, 0, 0);
        break;
    case IDM_UNDO:
        StepHistory(AEM_UNDO, kStatusUndoing);
        break;
    case IDM_REDO:
        StepHistory(AEM_REDO, kStatusRedoing);
        break;
    case IDM_SELECTALL:
        SelectInEdit(0, 0xFFFFFFFF);
        break;
    case IDM_NEW:
        NewDocument();
        break;
    case IDM_OPEN:
        OpenDocument(true);
        break;
    case IDM_SAVE:
        SaveDocument(false);
        break;
    case IDM_SAVEAS:
        SaveDocument(true);
        break;
    case IDM_REFRESH:
        RefreshDocument();
        break;
    case IDM_INSERTFILE:
        InsertFile();
        break;
    case IDM_ADDINDENT:
        SendToEdit(AEM_INDENTSEL, 1, 0);
        break;
    case IDM_REMOVEINDENT:
        SendToEdit(AEM_INDENTSEL, 0, 0);
        break;
    case IDM_FIND:
        OpenFindDialog(false);
        break;
    case IDM_REPLACE:
        OpenFindDialog(true);
        break;
    case IDM_FINDNEXT:
        FindNext();
        break;
    case IDM_LOWERCASE:
        ConvertSelectionCase(kLowerCase);
        break;
    case IDM_UPPERCASE:
        ConvertSelectionCase(kUpperCase);
        break;
    case IDM_INVERTCASE:
        ConvertSelectionCase(kInvertCase);
        break;
    case IDM_HELPCONTENTS:
        ShowHelpContents();
        break;
    case IDM_PRINT:
        PrintDocument();
        break;
    case IDM_PAGESETUP:
        EditPageSetup();
        break;
    case IDM_BRACKETFLASH:
        ToggleBracketFlash();
        break;
    case IDM_FONTANSI:
    case IDM_FONTOEM:
    case IDM_FONTSYSTEM:
        ChooseFont(command - IDM_FONTANSI);
        break;
    default:
        if (command >= IDM_RECENTFIRST && command <= IDM_RECENTLAST)
            OpenRecent(command - IDM_RECENTFIRST + 1);
        break;
    }
}

// File: Refresh only for a document with a name on disk, and the Recent
// Files submenu built afresh. Edit: what the control can do now. Advanced:
// the font in use checked. The other popups stay as they are.
void OnInitMenuPopup(HMENU popup)
{
    HMENU menu = GetMenu(g_app.mainWindow);
    if (popup == GetSubMenu(menu, FILE_MENU_POSITION)) {
        EnableItem(popup, IDM_REFRESH, !IsUntitled(g_app.fileName));
        BuildRecentMenu(popup);
    } else if (popup == GetSubMenu(menu, EDIT_MENU_POSITION)) {
        SetEditMenuStates(popup);
    } else if (popup == GetSubMenu(menu, ADVANCED_MENU_POSITION)) {
        SetFontMenuChecks(popup);
    }
}

} // namespace scrivlet
