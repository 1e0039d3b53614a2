// The status bar's four parts, the main window's title and every message box
// of the shell.
#include "shell/win32_app.h"

#include <commctrl.h>
#include <shlobj.h>

#include "advancededit.h"

#include <cstring>

namespace scrivlet {

namespace {

// The status message: the operation that runs, or empty.
char statusMessage[kStatusMessageSize];

// Right edges of the caret, overwrite and Num Lock parts; the last part runs
// to the window's edge.
const int kStatusPartEdges[] = {100, 150, 200, -1};

// What each part shows, so that a refresh that changes nothing costs no
// repaint: a file streams in with a change notification per block.
char shownParts[4][kStatusMessageSize];

void SetStatusPart(int part, const char *text)
{
    if (std::strcmp(shownParts[part], text) == 0)
        return;
    CopyText(shownParts[part], text);
    SendMessageA(g_app.statusBar, SB_SETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text));
}

void ShowCaretPosition()
{
    char text[32];
    FormatCaretPosition(text, g_app.caretLine, g_app.caretColumn);
    SetStatusPart(0, text);
}

int SystemMessageBox(HWND owner, const char *text, const char *title, UINT type)
{
    return MessageBoxA(owner, text, title, type);
}

BOOL SystemWinHelp(HWND window, const char *file, UINT command, ULONG_PTR data)
{
    return WinHelpA(window, file, command, data);
}

BOOL SystemOpenDialog(OPENFILENAMEA *record)
{
    return GetOpenFileNameA(record);
}

BOOL SystemSaveDialog(OPENFILENAMEA *record)
{
    return GetSaveFileNameA(record);
}

BOOL SystemPrintDialog(PRINTDLGA *record)
{
    return PrintDlgA(record);
}

BOOL SystemChooseColor(CHOOSECOLORA *record)
{
    return ChooseColorA(record);
}

void *SystemBrowseForFolder(void *browseInfo)
{
    return SHBrowseForFolderA(static_cast<BROWSEINFOA *>(browseInfo));
}

INT_PTR SystemDialogBox(HINSTANCE instance, const char *templateName, HWND owner, DLGPROC procedure,
                        LPARAM parameter)
{
    return DialogBoxParamA(instance, templateName, owner, procedure, parameter);
}

BOOL SystemReadFile(HANDLE file, void *buffer, DWORD count, DWORD *read)
{
    return ReadFile(file, buffer, count, read, nullptr);
}

} // namespace

const ShellSeams kSystemSeams = {SystemMessageBox,  SystemOpenDialog,      SystemSaveDialog,
                                 SystemWinHelp,     SystemPrintDialog,     SystemDialogBox,
                                 SystemChooseColor, SystemBrowseForFolder, SystemReadFile};
const char kHelpFile[] = "Scrivlet.hlp";
ShellSeams g_seams = kSystemSeams;

HWND CreateStatusBar(HWND parent)
{
    statusMessage[0] = '\0';
    for (char(&part)[kStatusMessageSize] : shownParts)
        part[0] = '\0';
    HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, kStatusBarId);
    if (bar != nullptr)
        SendMessageA(bar, SB_SETPARTS, WPARAM(4), reinterpret_cast<LPARAM>(kStatusPartEdges));
    return bar;
}

void RefreshStatus(const char *message)
{
    if (g_app.statusBar == nullptr)
        return;
    if (message != nullptr)
        CopyText(statusMessage, message);
    // While an operation's status message shows (a file streaming in block
    // by block), nothing is painted until it ends, and clearing the message
    // shows the caret position then: the bar is not set for every block.
    if (statusMessage[0] == '\0')
        ShowCaretPosition();
    SetStatusPart(1, g_app.overwrite ? "OVR" : "");
    SetStatusPart(2, (GetKeyState(VK_NUMLOCK) & 1) != 0 ? "NUM" : "");
    SetStatusPart(3, DocumentStatusText(statusMessage, g_app.modified != 0));
}

bool StatusMessageShows()
{
    return statusMessage[0] != '\0';
}

void UpdateCaretPosition()
{
    uint32_t line = uint32_t(SendToEdit(AEM_LINEFROMCHAR, WPARAM(-1), 0)) + 1;
    uint32_t column = uint32_t(SendToEdit(AEM_GETCARETCOLUMN, 0, 0)) + 1;
    if (line == g_app.caretLine && column == g_app.caretColumn)
        return;
    g_app.caretLine = line;
    g_app.caretColumn = column;
    if (g_app.statusBar != nullptr && statusMessage[0] == '\0') // see RefreshStatus
        ShowCaretPosition();
}

void ResetCaretPosition()
{
    g_app.caretLine = 1;
    g_app.caretColumn = 1;
}

void SetTitle()
{
    char title[kTitleSize];
    FormatTitle(title, g_app.fileName);
    SetWindowTextA(g_app.mainWindow, title);
}

int ShowMessage(HWND owner, const char *text, const char *title, UINT type)
{
    return g_seams.messageBox(owner, text, title, type);
}

void ReportAppError(HWND owner, int code)
{
    ShowMessage(owner, AppErrorText(code), kErrorTitle, MB_OK | MB_ICONERROR);
}

} // namespace scrivlet
