#include "shell_fixture.h"

#include <shlobj.h>

#include "advancededit.h"
#include "../print/test_printer.h"
#include "support/file_faults.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace scrivlet {

namespace {

ShellTest *current = nullptr;

int AnswerBox(HWND owner, const char *text, const char *title, UINT type);
BOOL AnswerOpen(OPENFILENAMEA *record);
BOOL AnswerSave(OPENFILENAMEA *record);
BOOL CountHelp(HWND, const char *, UINT, ULONG_PTR);
BOOL AnswerPrint(PRINTDLGA *record);
INT_PTR DriveDialogBox(HINSTANCE instance, const char *name, HWND owner, DLGPROC procedure, LPARAM parameter);
BOOL AnswerColour(CHOOSECOLORA *record);
// ReadFile, failing once the test's count of bytes is used up: the bytes
// that are left still arrive.
BOOL ReadUntilFailure(HANDLE file, void *buffer, DWORD count, DWORD *read)
{
    int64_t &left = current->readFailsAfter;
    if (left < 0)
        return ReadFile(file, buffer, count, read, nullptr);
    if (left == 0) {
        *read = 0;
        return FALSE;
    }
    DWORD allowed = DWORD(std::min<int64_t>(left, count));
    BOOL ok = ReadFile(file, buffer, allowed, read, nullptr);
    left -= *read;
    return ok;
}

void *AnswerFolder(void *browseInfo);

void DeleteFolder(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteFolder(folder + name + "\\");
            } else {
                SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void ForgetRegistry()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kRegistryKey);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Path");
        RegCloseKey(key);
    }
}

} // namespace

// The seams, as the current test answers them.
namespace {

// One tick at a time: a save that the tick starts may show boxes too.
void TickAutoSaveIfAsked()
{
    static bool ticking = false;
    if (!current->autoSaveTicksInModalLoops || g_app.mainWindow == nullptr || ticking)
        return;
    ticking = true;
    SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0);
    ticking = false;
}

int AnswerBox(HWND owner, const char *text, const char *title, UINT type)
{
    TickAutoSaveIfAsked();
    char status[kStatusMessageSize] = "";
    if (g_app.statusBar != nullptr)
        SendMessageA(g_app.statusBar, SB_GETTEXTA, 3, reinterpret_cast<LPARAM>(status));
    current->boxes.push_back({owner, text, title, type, status});
    if (!current->answers.empty()) {
        int answer = current->answers.front();
        current->answers.pop_front();
        return answer;
    }
    if ((type & MB_TYPEMASK) == MB_YESNOCANCEL) {
        ADD_FAILURE() << "unexpected question: " << text;
        return IDNO;
    }
    return IDOK;
}

// Fills the record as the common dialog does: the path, the offset of its
// file name and the file title.
BOOL AnswerFileDialog(OPENFILENAMEA *record, std::deque<std::string> &choices)
{
    if (choices.empty())
        return FALSE;
    std::string path = choices.front();
    choices.pop_front();
    if (path.empty() || path.size() >= record->nMaxFile)
        return FALSE;
    std::snprintf(record->lpstrFile, record->nMaxFile, "%s", path.c_str());
    size_t slash = path.find_last_of('\\');
    record->nFileOffset = WORD(slash == std::string::npos ? 0 : slash + 1);
    if (record->lpstrFileTitle != nullptr)
        std::snprintf(record->lpstrFileTitle, record->nMaxFileTitle, "%s", path.c_str() + record->nFileOffset);
    return TRUE;
}

BOOL AnswerOpen(OPENFILENAMEA *record)
{
    TickAutoSaveIfAsked();
    return AnswerFileDialog(record, current->openChoices);
}

BOOL AnswerSave(OPENFILENAMEA *record)
{
    TickAutoSaveIfAsked();
    current->saveDialogsShown.push_back(*record);
    current->saveDialogNames.push_back(record->lpstrFile);
    current->saveDialogFolders.push_back(record->lpstrInitialDir != nullptr ? record->lpstrInitialDir : "");
    return AnswerFileDialog(record, current->saveChoices);
}

BOOL CountHelp(HWND, const char *file, UINT command, ULONG_PTR)
{
    EXPECT_STREQ(file, "Scrivlet.hlp");
    EXPECT_EQ(command, UINT(HELP_FINDER));
    ++current->helpCalls;
    return TRUE;
}

// The dialogs that showed before the modal dialog being driven opened: a
// dialog that opens another is not handed to the driver of the new one.
std::vector<HWND> dialogsBefore;

BOOL CALLBACK CollectDialogs(HWND window, LPARAM result)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND> *>(result)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

// The visible dialog of this thread that opened last, if one shows.
HWND ShownDialog()
{
    for (HWND dialog : VisibleDialogs())
        if (std::find(dialogsBefore.begin(), dialogsBefore.end(), dialog) == dialogsBefore.end())
            return dialog;
    return nullptr;
}

// Hands the dialog to the test's driver as soon as the modal loop runs.
void CALLBACK DriveShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ShownDialog();
    if (dialog == nullptr)
        return; // not up yet: the timer comes again
    KillTimer(nullptr, timer);
    std::function<void(HWND)> driver = current->dialogDriver;
    current->dialogDriver = nullptr;
    driver(dialog);
}

// Runs a modal dialog with the driver; false (and a test failure) without.
template <typename Run> auto RunDriven(Run run) -> decltype(run())
{
    if (!current->dialogDriver) {
        ADD_FAILURE() << "a modal dialog opened without a driver";
        return 0;
    }
    std::vector<HWND> outer = dialogsBefore;
    dialogsBefore = VisibleDialogs();
    SetTimer(nullptr, 0, 10, DriveShownDialog);
    auto result = run();
    dialogsBefore = outer;
    return result;
}

BOOL AnswerPrint(PRINTDLGA *record)
{
    current->printDialogsShown.push_back(*record);
    if (current->printAnswers.empty())
        return RunDriven([record] { return PrintDlgA(record); });
    ShellTest::PrintAnswer answer = current->printAnswers.front();
    current->printAnswers.pop_front();
    if (!answer.ok)
        return FALSE;
    record->hDC = answer.withDevice ? CreateTestPrinterDC() : nullptr;
    record->Flags |= answer.flags;
    record->nCopies = answer.copies;
    record->lCustData = answer.customData;
    return TRUE;
}

BOOL AnswerColour(CHOOSECOLORA *record)
{
    current->colourChoosersShown.push_back(*record);
    if (current->colourAnswers.empty())
        return FALSE;
    long answer = current->colourAnswers.front();
    current->colourAnswers.pop_front();
    if (answer < 0)
        return FALSE;
    record->rgbResult = COLORREF(answer);
    return TRUE;
}

void *AnswerFolder(void *browseInfo)
{
    const auto *info = static_cast<const BROWSEINFOA *>(browseInfo);
    current->folderPromptsShown.push_back(info->lpszTitle != nullptr ? info->lpszTitle : "");
    if (current->folderAnswers.empty())
        return nullptr;
    std::string path = current->folderAnswers.front();
    current->folderAnswers.pop_front();
    return path.empty() ? nullptr : ILCreateFromPathA(path.c_str());
}

// The program's dialogs run with a procedure in front of their own, which
// hands each dialog to its driver from a timer of the dialog once it shows:
// a driver never gets the dialog below while the new one is still hidden.
struct DrivenDialog {
    DLGPROC procedure;
    std::function<void(HWND)> driver;
    HWND window; // null until the dialog is created
};
std::deque<DrivenDialog> drivenDialogs; // the innermost last; references stay valid as it grows
const UINT_PTR kDriveTimer = 0x57D;

INT_PTR CALLBACK DriveWhenShown(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DrivenDialog *entry = &drivenDialogs.back();
    for (DrivenDialog &driven : drivenDialogs)
        entry = driven.window == dialog ? &driven : entry;
    entry->window = dialog;
    if (message == WM_INITDIALOG)
        SetTimer(dialog, kDriveTimer, 10, nullptr);
    if (message != WM_TIMER || wParam != kDriveTimer)
        return entry->procedure(dialog, message, wParam, lParam);
    if (IsWindowVisible(dialog)) {
        KillTimer(dialog, kDriveTimer);
        std::function<void(HWND)> driver = std::move(entry->driver);
        driver(dialog);
    }
    return TRUE;
}

INT_PTR DriveDialogBox(HINSTANCE instance, const char *name, HWND owner, DLGPROC procedure, LPARAM parameter)
{
    int id = int(reinterpret_cast<UINT_PTR>(name));
    size_t index = current->modalDialogs.size();
    current->modalDialogs.push_back({id, parameter, -1});
    std::function<void(HWND)> driver = std::move(current->dialogDriver);
    current->dialogDriver = nullptr;
    if (!driver) {
        driver = [id](HWND dialog) {
            ADD_FAILURE() << "dialog " << id << " showed without a driver";
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        };
    }
    drivenDialogs.push_back({procedure, std::move(driver), nullptr});
    INT_PTR result = DialogBoxParamA(instance, name, owner, DriveWhenShown, parameter);
    drivenDialogs.pop_back();
    current->modalDialogs[index].result = result;
    return result;
}

} // namespace

std::string ItemText(HWND dialog, int control)
{
    HWND item = GetDlgItem(dialog, control);
    std::string text(size_t(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(item, &text[0], int(text.size()))));
    return text;
}

bool Enabled(HWND dialog, int control)
{
    return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE;
}

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void Click(HWND dialog, int control)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), LPARAM(GetDlgItem(dialog, control)));
}

HDROP MakeDrop(const std::vector<std::string> &paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string &path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    DROPFILES *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char *names = reinterpret_cast<char *>(drop + 1);
    for (const std::string &path : paths) {
        std::memcpy(names, path.c_str(), path.size() + 1);
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::string SavePromptText(const std::string &fileName)
{
    return "File " + fileName + " has changed.\n\nDo you want to save the changes ?";
}

void ShellTest::SetUp()
{
    current = this;
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    previousDirectory = directory;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    folder = std::string(temp) + "scrivlet-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter) + "\\";
    DeleteFolder(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    ASSERT_TRUE(CopyFileA(SCRIVLET_DATA_DIR "/styles.dat", Path("styles.dat").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(SCRIVLET_DATA_DIR "/Scrivlet.ini", Path("Scrivlet.ini").c_str(), FALSE));
    ForgetRegistry();
    g_seams = {AnswerBox,      AnswerOpen,   AnswerSave,   CountHelp,       AnswerPrint,
               DriveDialogBox, AnswerColour, AnswerFolder, ReadUntilFailure};
}

void ShellTest::TearDown()
{
    if (Running()) {
        answers.clear();
        answers.push_back(IDNO);
        Close();
    }
    g_seams = kSystemSeams;
    RemoveFileFaults();
    SetCurrentDirectoryA(previousDirectory.c_str());
    DeleteFolder(folder);
    ForgetRegistry();
    current = nullptr;
}

void ShellTest::WriteFile(const std::string &name, const std::string &bytes) const
{
    std::ofstream file(Path(name), std::ios::binary | std::ios::trunc);
    file << bytes;
    ASSERT_TRUE(file.good()) << name;
}

std::string ShellTest::ReadFile(const std::string &name) const
{
    std::ifstream file(Path(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

bool ShellTest::FileExists(const std::string &name) const
{
    return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ShellTest::Start(const std::string &commandLine)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    // The class stays registered from an earlier start in this process, as
    // it would for a previous instance.
    HINSTANCE previous = GetClassInfoA(instance, kAppName, &existing) ? instance : nullptr;
    ASSERT_TRUE(StartScrivlet(instance, previous, commandLine.c_str(), SW_SHOWNORMAL));
}

void ShellTest::Close()
{
    SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    if (Running())
        return; // the save prompt was cancelled
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ShellTest::Command(UINT command) const
{
    SendMessageA(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ShellTest::ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam)); // left for the test to see
            break;
        }
        ProcessMessage(&message);
    }
}

void ShellTest::PressKey(int key, bool ctrl, bool shift)
{
    BYTE keys[256], held[256];
    GetKeyboardState(keys);
    std::memcpy(held, keys, sizeof held);
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(held);
    PostMessageA(g_app.editControl, WM_KEYDOWN, WPARAM(key), 1);
    ProcessPendingMessages();
    SetKeyboardState(keys);
}

HMENU ShellTest::OpenPopup(int position) const
{
    HMENU popup = GetSubMenu(GetMenu(g_app.mainWindow), position);
    SendMessageA(g_app.mainWindow, WM_INITMENUPOPUP, WPARAM(popup), position);
    return popup;
}

bool ShellTest::ItemEnabled(HMENU popup, UINT command) const
{
    return (GetMenuState(popup, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

namespace {

DWORD CALLBACK CollectText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    reinterpret_cast<std::string *>(cookie)->append(reinterpret_cast<const char *>(buffer), count);
    *done = count;
    return 0;
}

} // namespace

std::string ShellTest::EditText() const
{
    std::string text;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&text), 0, CollectText};
    SendMessageA(g_app.editControl, AEM_STREAMOUT, 0, reinterpret_cast<LPARAM>(&stream));
    return text;
}

void ShellTest::Type(const std::string &text) const
{
    SendMessageA(g_app.editControl, AEM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void ShellTest::Select(DWORD start, DWORD end) const
{
    AERANGE range = {start, end};
    SendMessageA(g_app.editControl, AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&range));
}

AERANGE ShellTest::Selection() const
{
    AERANGE range = {0, 0};
    SendMessageA(g_app.editControl, AEM_GETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

std::string ShellTest::StatusPart(int part) const
{
    char text[512] = "";
    SendMessageA(g_app.statusBar, SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ShellTest::Title() const
{
    char text[512] = "";
    GetWindowTextA(g_app.mainWindow, text, sizeof text);
    return text;
}

std::vector<std::string> ShellTest::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const ShownBox &box : boxes)
        texts.push_back(box.text);
    return texts;
}

std::vector<std::string> ShellTest::TakeBoxTexts()
{
    std::vector<std::string> texts = BoxTexts();
    boxes.clear();
    return texts;
}

std::string ShellTest::RecentValue(int number)
{
    char value[kRecentValueSize] = "";
    DWORD size = sizeof value;
    std::string name = "RecentFile" + std::to_string(number);
    if (RegGetValueA(HKEY_CURRENT_USER, kRegistryKey, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "<none>";
    return value;
}

void ShellTest::SetRecentValue(int number, const std::string &value)
{
    std::string name = "RecentFile" + std::to_string(number);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(key);
}

} // namespace scrivlet
