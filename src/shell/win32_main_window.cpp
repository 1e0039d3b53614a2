// The program's start, its main window and its end: reading the settings,
// creating the main window with the edit control and the status bar,
// applying the options, the command line, the message loop, the
// notifications of the control, dropped files, and shutdown with the
// settings written back.
#include "shell/win32_app.h"

#include <commctrl.h>
#include <shellapi.h>

#include "advancededit.h"
#include "shell/apply_options.h"
#include "config/file_types.h"
#include "config/settings_file.h"
#include "core/id_list.h"
#include "resources/resource.h"
#include "shell/command_line.h"

#include <cstring>

namespace scrivlet {

AppState g_app;
char g_startupDirectory[kPathSize];
UINT g_findReplaceMessage;

namespace {

// The Options record from start-up to the moment the control exists.
Options startupOptions;

// How many messages of the main window are being handled, one inside the
// other, with start-up counted as one. Every box, dialog, load and save of
// the shell runs inside such a handling, so a timer tick that arrives at a
// depth above one arrived in the modal loop of one of them.
uint32_t handlingDepth = 0;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

intptr_t SendThroughWindow(void *control, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(static_cast<HWND>(control), message, wParam, lParam);
}

// Start-up before any window: the working directory, the defaults and the
// settings file.
void InitialiseAppState()
{
    char path[kPathSize];
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = sizeof path - 1;
        if (RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE *>(path), &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            path[size] = '\0';
            SetCurrentDirectoryA(path);
        }
        RegCloseKey(key);
    }

    g_app = AppState{};
    ResetCaretPosition();
    g_app.fileTypes = CreateIdList();
    PageSetupDefaults(&g_app.pageSetup);
    char current[kPathSize];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current)
        current[0] = '\0';
    OptionsDefaults(&startupOptions, current);
    int error = ReadSettings(kSettingsFileName, &startupOptions, &g_app.font, &g_app.pageSetup, g_app.fileTypes);
    if (error != 0)
        ReportAppError(nullptr, error);
    CopyText(g_app.documentDirectory, startupOptions.defaultDirectory);
    std::strcpy(g_app.fileName, kUntitledName);
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SCRIVLET));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kAppName;
    return RegisterClassA(&windowClass) != 0;
}

// The edit control with its font, limit and memory watch: a style-file
// error is a warning when the control exists and an error when it does not.
void CreateEditControl()
{
    g_app.editControl = CreateAdvancedEdit(WS_EX_CLIENTEDGE,
                                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                               AES_AUTOHSCROLL | AES_AUTOVSCROLL | AES_LOADSTYLES,
                                           0, 0, 0, 0, g_app.mainWindow, kEditControlId);
    DWORD error = GetLastControlError();
    if (error != 0) {
        bool exists = g_app.editControl != nullptr;
        char text[AE_ERRORTEXTSIZE];
        GetControlErrorText(error, text);
        ShowMessage(g_app.mainWindow, text, exists ? kWarningTitle : kErrorTitle,
                    MB_OK | (exists ? MB_ICONWARNING : MB_ICONERROR));
    }
    if (g_app.editControl == nullptr)
        return;
    SendToEdit(WM_SETFONT, reinterpret_cast<WPARAM>(StockFontFor(g_app.font)), 0);
    SendToEdit(AEM_SETLIMITTEXT, 0, -1);
    SendToEdit(AEM_SETMEMORYWATCH, 1, 60000);
}

void OnCommandLineEvent(void *, CommandLineEvent event)
{
    switch (event) {
    case kCommandLineHelp:
        SendMessageA(g_app.mainWindow, WM_HELP, 0, 0);
        break;
    case kCommandLineUnknownSwitch:
        ReportAppError(g_app.mainWindow, kAppErrorUnknownParameter);
        break;
    case kCommandLineExtraFile:
        ReportAppError(g_app.mainWindow, kAppErrorMultipleParameter);
        break;
    case kCommandLineNameTooLong:
        ReportAppError(g_app.mainWindow, kAppErrorOpenFile);
        break;
    }
}

void OpenCommandLineFile(const char *commandLine)
{
    char fileName[kPathSize];
    ParseCommandLine(commandLine, fileName, OnCommandLineEvent, nullptr);
    if (fileName[0] != '\0')
        OpenByPath(fileName);
}

void LayOutChildren()
{
    RECT client, status;
    GetClientRect(g_app.mainWindow, &client);
    GetClientRect(g_app.statusBar, &status);
    int statusHeight = status.bottom - status.top;
    int editHeight = client.bottom - client.top - statusHeight;
    MoveWindow(g_app.editControl, client.left, client.top, client.right - client.left, editHeight, TRUE);
    MoveWindow(g_app.statusBar, client.left, client.top + editHeight, client.right - client.left, statusHeight,
               TRUE);
}

void OnEditNotification(WORD code)
{
    switch (code) {
    case AEN_CHANGE: {
        // While an operation's message shows (a file streaming in, with a
        // notification for every block) the bar can only change with the
        // modified mark, so a block after the first leaves it alone.
        bool marked = g_app.modified != 0;
        g_app.modified = 1;
        if (!marked || !StatusMessageShows())
            RefreshStatus(nullptr);
        break;
    }
    case AEN_ERRSPACE:
        ShowMessage(g_app.mainWindow, kErrSpaceText, kWarningTitle, MB_OK | MB_ICONWARNING);
        break;
    case AEN_LOWMEMORY:
        ShowMessage(g_app.mainWindow, kLowMemoryText, kWarningTitle, MB_OK | MB_ICONWARNING);
        break;
    case AEN_MAXTEXT:
        ShowMessage(g_app.mainWindow, kMaxTextText, kInformationTitle, MB_OK | MB_ICONINFORMATION);
        break;
    }
}

void OnNotify(const NMHDR *header)
{
    if (header->hwndFrom != g_app.editControl)
        return;
    if (header->code == AEN_KEYDOWN) {
        const AENMKEY *key = reinterpret_cast<const AENMKEY *>(header);
        SendMessageA(g_app.mainWindow, key->message, key->wParam, LPARAM(key->lParam));
    } else if (header->code == AEN_SELCHANGE) {
        UpdateCaretPosition();
    }
}

void OnKeyDown(WPARAM key)
{
    if (key == VK_INSERT && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0) {
        g_app.overwrite = !g_app.overwrite;
        RefreshStatus(nullptr);
    } else if (key == VK_NUMLOCK) {
        RefreshStatus(nullptr);
    }
}

// Only the first dropped file is opened. A name too long for a path is
// refused rather than cut into the name of another file.
void OnDropFiles(HDROP drop)
{
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    char path[kPathSize];
    if (length >= sizeof path) {
        ReportAppError(g_app.mainWindow, kAppErrorOpenFile);
    } else if (DragQueryFileA(drop, 0, path, sizeof path) > 0) {
        OpenByPath(path);
    }
    DragFinish(drop);
}

void Shutdown()
{
    AddDocumentToRecent();
    Options options;
    GatherOptions(&options);
    if (!WriteSettings(kSettingsFileName, &options, g_app.font, &g_app.pageSetup, g_app.fileTypes))
        ReportAppError(nullptr, kAppErrorIniCreate);
    if (g_app.autoSaveTimerOn)
        KillTimer(g_app.mainWindow, kAutoSaveTimer);
    g_app.autoSaveTimerOn = 0;
    FreeFileTypes(&g_app.fileTypes);
    SetCurrentDirectoryA(g_startupDirectory);
    // The children go with the main window; nothing may reach them now.
    g_app.mainWindow = nullptr;
    g_app.editControl = nullptr;
    g_app.statusBar = nullptr;
    g_app.findDialog = nullptr;
    PostQuitMessage(0);
}

// Auto-save never runs while a box, a dialog, a load or a save is in
// progress: the document may be half-loaded under its old name, or a Save As
// dialog already open. The timer keeps running, so the next tick saves.
void OnTimer(WPARAM timer)
{
    if (timer == kAutoSaveTimer && handlingDepth == 1)
        AutoSaveTick();
}

LRESULT HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_findReplaceMessage && message != 0) {
        OnFindReplace(reinterpret_cast<const FINDREPLACEA *>(lParam));
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        InitCommonControls();
        RegisterAdvancedEditClass(g_app.instance);
        g_app.accelerators = LoadAcceleratorsA(g_app.instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
        return 0;
    case WM_DESTROY:
        Shutdown();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && g_app.editControl != nullptr)
            SetFocus(g_app.editControl);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (g_app.editControl != nullptr && g_app.statusBar != nullptr)
            LayOutChildren();
        return 0;
    case WM_CLOSE:
        if (SavePrompt() != IDCANCEL)
            DestroyWindow(window);
        return 0;
    case WM_COMMAND:
        if (lParam != 0 && reinterpret_cast<HWND>(lParam) == g_app.editControl)
            OnEditNotification(HIWORD(wParam));
        else if (lParam == 0)
            OnMenuCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR *>(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_HELP:
        ShowHelpContents();
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++handlingDepth;
    LRESULT result = HandleMainWindowMessage(window, message, wParam, lParam);
    --handlingDepth;
    return result;
}

} // namespace

HGDIOBJ StockFontFor(uint32_t font)
{
    static const int stock[] = {ANSI_FIXED_FONT, OEM_FIXED_FONT, SYSTEM_FIXED_FONT};
    return GetStockObject(stock[font <= kFontSystem ? font : kFontAnsi]);
}

LRESULT SendToEdit(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(g_app.editControl, message, wParam, lParam);
}

AERANGE EditSelection()
{
    AERANGE range = {0, 0};
    SendToEdit(AEM_GETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void SelectInEdit(DWORD start, DWORD end)
{
    AERANGE range = {start, end};
    SendToEdit(AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&range));
}

void ApplyCurrentFileType()
{
    ApplyFileType(ChooseFileType(g_app.fileTypes, g_app.fileName), SendThroughWindow, g_app.editControl);
}

void GatherOptions(Options *options)
{
    *options = Options{};
    options->autoSave = g_app.autoSave;
    options->autoSavePeriod = g_app.autoSavePeriod;
    options->backupFiles = g_app.backupFiles;
    options->storeRecentFileSel = g_app.storeRecentSelection;
    GatherControlOptions(options, SendThroughWindow, g_app.editControl);
    CopyText(options->defaultDirectory, g_app.defaultDirectory);
}

void ApplyOptions(const Options *options)
{
    bool running = g_app.autoSaveTimerOn != 0;
    g_app.autoSave = options->autoSave;
    g_app.autoSavePeriod = options->autoSavePeriod;
    switch (AutoSaveTimerChangeFor(running, options->autoSave)) {
    case kAutoSaveTimerStart:
        if (SetTimer(g_app.mainWindow, kAutoSaveTimer, AutoSaveInterval(options->autoSavePeriod), nullptr) != 0)
            g_app.autoSaveTimerOn = 1;
        else
            ReportAppError(g_app.mainWindow, kAppErrorTimer);
        break;
    case kAutoSaveTimerStop:
        KillTimer(g_app.mainWindow, kAutoSaveTimer);
        g_app.autoSaveTimerOn = 0;
        break;
    case kAutoSaveTimerKeep:
        break;
    }
    g_app.backupFiles = options->backupFiles;
    g_app.storeRecentSelection = options->storeRecentFileSel;
    if (ApplyControlOptions(options, SendThroughWindow, g_app.editControl) == kOptionsErrorUndoLevels)
        ReportAppError(g_app.mainWindow, kAppErrorUndoLevels);
    CopyText(g_app.defaultDirectory, options->defaultDirectory);
}

namespace {

bool StartUp(HINSTANCE instance, HINSTANCE previousInstance, const char *commandLine, int showCommand)
{
    g_findReplaceMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
    DWORD length = GetCurrentDirectoryA(sizeof g_startupDirectory, g_startupDirectory);
    if (length == 0 || length >= sizeof g_startupDirectory)
        g_startupDirectory[0] = '\0';
    InitialiseAppState();
    if (previousInstance == nullptr && !RegisterMainWindowClass(instance)) {
        ReportAppError(nullptr, kAppErrorClass);
        FreeFileTypes(&g_app.fileTypes);
        return false;
    }
    g_app.instance = instance;
    g_app.mainWindow = CreateWindowExA(0, kAppName, kAppName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (g_app.mainWindow == nullptr) {
        ReportAppError(nullptr, kAppErrorMainWindow);
        FreeFileTypes(&g_app.fileTypes);
        return false;
    }
    DragAcceptFiles(g_app.mainWindow, TRUE);
    CreateEditControl();
    g_app.statusBar = CreateStatusBar(g_app.mainWindow);
    if (g_app.editControl == nullptr || g_app.statusBar == nullptr) {
        ReportAppError(g_app.mainWindow, kAppErrorChildWindows);
        return false;
    }
    RefreshStatus("");
    InitDialogRecords();
    InitFindRecord();
    ApplyOptions(&startupOptions);
    OpenCommandLineFile(commandLine);
    SetTitle();
    ShowWindow(g_app.mainWindow, showCommand);
    UpdateWindow(g_app.mainWindow);
    return true;
}

} // namespace

bool StartScrivlet(HINSTANCE instance, HINSTANCE previousInstance, const char *commandLine, int showCommand)
{
    ++handlingDepth; // a box of start-up runs a modal loop as well
    bool started = StartUp(instance, previousInstance, commandLine, showCommand);
    --handlingDepth;
    return started;
}

void ProcessMessage(MSG *message)
{
    if (g_app.findDialog != nullptr && IsDialogMessageA(g_app.findDialog, message))
        return;
    if (g_app.mainWindow != nullptr && TranslateAcceleratorA(g_app.mainWindow, g_app.accelerators, message))
        return;
    TranslateMessage(message);
    DispatchMessageA(message);
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        ProcessMessage(&message);
    return int(message.wParam);
}

} // namespace scrivlet
