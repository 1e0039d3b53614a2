#include "shell_fixture.h"

#include <shlobj.h>

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

void DeleteFolder(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    while (search != INVALID_HANDLE_VALUE) {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                DeleteFolder(folder + name + "\\");
        } else {
            SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + name).c_str());
        }
        if (!FindNextFileA(search, &found)) {
            FindClose(search);
            break;
        }
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

// The seams, as the current test answers them.

// ReadFile, failing once the test's count of bytes is used up.
BOOL ReadUntilFailure(HANDLE file, void *buffer, DWORD count, DWORD *read)
{
    int64_t &left = current->readFailsAfter;
    if (left == 0) {
        *read = 0;
        return FALSE;
    }
    BOOL ok = ReadFile(file, buffer, left < 0 ? count : DWORD(std::min<int64_t>(left, count)), read, nullptr);
    if (left > 0)
        left -= *read;
    return ok;
}

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
    if ((type & MB_TYPEMASK) != MB_YESNOCANCEL)
        return IDOK;
    ADD_FAILURE() << "unexpected question: " << text;
    return IDNO;
}

// Fills the record as the common dialog does: the path, the offset of its
// file name and the file title.
BOOL AnswerFileDialog(OPENFILENAMEA *record, std::deque<std::string> &choices)
{
    TickAutoSaveIfAsked();
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
    ++current->openDialogsShown;
    return AnswerFileDialog(record, current->openChoices);
}

BOOL AnswerSave(OPENFILENAMEA *record)
{
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

// Hands the newly shown system dialog to the test's driver once the modal loop runs.
void CALLBACK DriveShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    for (HWND dialog : VisibleDialogs()) {
        if (std::find(dialogsBefore.begin(), dialogsBefore.end(), dialog) != dialogsBefore.end())
            continue;
        KillTimer(nullptr, timer);
        std::function<void(HWND)> driver = current->dialogDriver;
        current->dialogDriver = nullptr;
        driver(dialog);
        return;
    }
}

BOOL AnswerPrint(PRINTDLGA *record)
{
    current->printDialogsShown.push_back(*record);
    if (current->printAnswers.empty()) {
        if (!current->dialogDriver) {
            ADD_FAILURE() << "the Print dialog opened without a driver";
            return FALSE;
        }
        std::vector<HWND> outer = dialogsBefore;
        dialogsBefore = VisibleDialogs();
        SetTimer(nullptr, 0, 10, DriveShownDialog);
        BOOL result = PrintDlgA(record);
        dialogsBefore = outer;
        return result;
    }
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
    long answer = current->colourAnswers.empty() ? -1 : current->colourAnswers.front();
    if (!current->colourAnswers.empty())
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

DWORD CALLBACK CollectText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    reinterpret_cast<std::string *>(cookie)->append(reinterpret_cast<const char *>(buffer), count);
    *done = count;
    return 0;
}

} // namespace

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
    std::string names;
    for (const std::string &path : paths)
        names += path + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    DROPFILES *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void ShellTest::SetUp()
{
    current = this;
    char directory[MAX_PATH], temp[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    previousDirectory = directory;
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
        answers.assign(1, IDNO);
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

void ShellTest::Start(const std::string &commandLine)
{
    // The class stays registered from an earlier start, as for a previous instance.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    HINSTANCE previous = GetClassInfoA(instance, kAppName, &existing) ? instance : nullptr;
    ASSERT_TRUE(StartScrivlet(instance, previous, commandLine.c_str(), SW_SHOWNORMAL));
}

void ShellTest::Close()
{
    SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    MSG message;
    while (!Running() && GetMessageA(&message, nullptr, 0, 0) > 0) { // still running: the prompt was cancelled
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
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

std::string ShellTest::EditText() const
{
    std::string text;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&text), 0, CollectText};
    SendMessageA(g_app.editControl, AEM_STREAMOUT, 0, reinterpret_cast<LPARAM>(&stream));
    return text;
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
    LSTATUS read = RegGetValueA(HKEY_CURRENT_USER, kRegistryKey, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size);
    return read == ERROR_SUCCESS ? value : "<none>";
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
