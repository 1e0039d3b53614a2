// The application shell: one main window with the AdvancedEdit control and a
// status bar, one document. This header holds the program's state and the
// operations the shell's files offer one another.
//
// Everything runs on the user-interface thread. The state is statically
// allocated and set up afresh by each start, so a test program can start the
// shell, drive it and let it end several times.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "advancededit.h"
#include "config/options.h"
#include "shell/app_texts.h"
#include "shell/recent_list.h"

#include <cstdint>

namespace scrivlet {

struct IdList;

enum : UINT {
    kEditControlId = 1,
    kStatusBarId = 2,
    kAutoSaveTimer = 1,
};

struct AppState {
    HINSTANCE instance;
    HACCEL accelerators;
    HWND mainWindow;
    HWND editControl;
    HWND statusBar;
    HWND findDialog;                      // the open Find or Replace dialog, or null
    OPENFILENAMEA openDialog;             // Open and Insert File; also the buffer of paths opened by name
    OPENFILENAMEA saveDialog;             // Save As
    FINDREPLACEA findRecord;
    char documentDirectory[kPathSize];    // ends in a backslash when it came from a path; may be empty
    char fileName[kPathSize];             // without directory; "Untitled" for a new document
    uint32_t overwrite;                   // "OVR" in the status bar
    uint32_t modified;
    uint32_t autoSaveTimerOn;
    uint32_t caretLine;                   // 1-based, as last shown
    uint32_t caretColumn;
    uint32_t font;                        // kFontAnsi, kFontOem or kFontSystem
    uint32_t autoSave;
    uint32_t autoSavePeriod;              // minutes
    uint32_t backupFiles;
    uint32_t storeRecentSelection;
    char defaultDirectory[kPathSize];
    IdList *fileTypes;                    // FileType records sorted by name, owned through the list
    PageSetup pageSetup;
};

extern AppState g_app;
extern char g_startupDirectory[kPathSize];
extern UINT g_findReplaceMessage;         // "commdlg_FindReplace"
extern RecentFileList g_recentMenuList;   // the list the Recent Files submenu was last built from

// What the shell asks of the user and the system, as one record of
// functions so that tests can answer every box and dialog. The defaults are
// the real calls.
struct ShellSeams {
    int (*messageBox)(HWND owner, const char *text, const char *title, UINT type);
    BOOL (*getOpenFileName)(OPENFILENAMEA *record);
    BOOL (*getSaveFileName)(OPENFILENAMEA *record);
    BOOL (*winHelp)(HWND window, const char *file, UINT command, ULONG_PTR data);
    BOOL (*printDialog)(PRINTDLGA *record);
    INT_PTR (*dialogBox)(HINSTANCE instance, const char *templateName, HWND owner, DLGPROC procedure,
                         LPARAM parameter);
    BOOL (*chooseColor)(CHOOSECOLORA *record);
    // SHBrowseForFolderA: the chosen folder's item list (free it with
    // CoTaskMemFree), or null when cancelled.
    void *(*browseForFolder)(void *browseInfo);
    // ReadFile of a document's next block as it streams into the control.
    BOOL (*readFile)(HANDLE file, void *buffer, DWORD count, DWORD *read);
};
extern ShellSeams g_seams;
extern const ShellSeams kSystemSeams;
extern const char kHelpFile[]; // "Scrivlet.hlp"

// Start-up and the message loop (win32_main_window.cpp).
// Runs start-up; false when it failed and the program must end with 0.
bool StartScrivlet(HINSTANCE instance, HINSTANCE previousInstance, const char *commandLine, int showCommand);
int RunMessageLoop();
// One message as the loop handles it: the find dialog's keys first, then
// the accelerators, then translation and dispatch.
void ProcessMessage(MSG *message);
LRESULT SendToEdit(UINT message, WPARAM wParam, LPARAM lParam);
// The edit control's selection (AEM_GETSEL), and a new one set with repaint
// (AEM_SETSEL with wParam 1; end 0xFFFFFFFF is the end of the text).
AERANGE EditSelection();
void SelectInEdit(DWORD start, DWORD end);
// The stock fixed-pitch font of a font setting (kFontAnsi, kFontOem, kFontSystem).
HGDIOBJ StockFontFor(uint32_t font);
void ApplyOptions(const Options *options);
void GatherOptions(Options *options);
void ApplyCurrentFileType();

// Status bar, title and messages (win32_status.cpp).
HWND CreateStatusBar(HWND parent);
void RefreshStatus(const char *statusMessage); // null keeps the status message
bool StatusMessageShows(); // an operation's message is in the bar
void UpdateCaretPosition();
void ResetCaretPosition();
void SetTitle();
int ShowMessage(HWND owner, const char *text, const char *title, UINT type);
void ReportAppError(HWND owner, int code);

// Files (win32_files.cpp).
void InitDialogRecords();
void RebuildFileFilter();
int SavePrompt();                     // IDYES, IDNO or IDCANCEL
void OpenDocument(bool withDialog);
void OpenByPath(const char *path);
void RefreshDocument();
void NewDocument();
void NewFromTemplatePath(const char *templatePath);
int SaveDocument(bool saveAs);        // 1 when written; 0 when its Save As dialog was cancelled or it failed
void InsertFile();
void AutoSaveTick();

// Find and replace (win32_find.cpp).
void InitFindRecord();
void OpenFindDialog(bool replace);
bool FindNext(); // true when a match was selected
void OnFindReplace(const FINDREPLACEA *record);

// Recent files (win32_recent_files.cpp).
extern const char kRegistryKey[];     // under HKEY_LOCAL_MACHINE ("Path") and HKEY_CURRENT_USER
void ReadRecentList(RecentFileList *list);
void WriteRecentList(const RecentFileList *list);
void AddDocumentToRecent();
void BuildRecentMenu(HMENU filePopup);
void OpenRecent(uint32_t number);

// Printing (win32_printing.cpp).
void PrintDocument();
void EditPageSetup();

// Commands and menus (win32_commands.cpp).
void OnMenuCommand(UINT command);
void OnInitMenuPopup(HMENU popup);
void ShowHelpContents();

} // namespace scrivlet
