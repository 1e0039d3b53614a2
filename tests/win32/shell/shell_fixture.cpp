#include "shell_fixture.h"

#include <shlobj.h>

#include "../print/test_printer.h"
#include "support/file_faults.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace scrivlet {

namespace {

ShellTest *current = nullptr;

void DeleteFolder(const std::string &folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

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

template <typename T> bool TakeFront(std::deque<T> &queue, T *front)
{
    if (queue.empty())
        return false;
    *front = queue.front();
    queue.pop_front();
    return true;
}

int AnswerBox(HWND, const char *text, const char *title, UINT type)
{
    TickAutoSaveIfAsked();
    char status[kStatusMessageSize] = "";
    if (g_app.statusBar != nullptr)
        SendMessageA(g_app.statusBar, SB_GETTEXTA, 3, reinterpret_cast<LPARAM>(status));
    current->boxes.push_back({text, title, type, status});
    int answer = IDOK;
    if (!TakeFront(current->answers, &answer) && (type & MB_TYPEMASK) == MB_YESNOCANCEL) {
        ADD_FAILURE() << "unexpected question: " << text;
        return IDNO;
    }
    return answer;
}

// Fills the record as the common dialog does: the path, its name's offset and the file title.
BOOL AnswerFileDialog(OPENFILENAMEA *record, std::deque<std::string> &choices)
{
    TickAutoSaveIfAsked();
    std::string path;
    if (!TakeFront(choices, &path) || path.empty() || path.size() >= record->nMaxFile)
        return FALSE;
    std::snprintf(record->lpstrFile, record->nMaxFile, "%s", path.c_str());
    size_t slash = path.find_last_of('\\');
    record->nFileOffset = WORD(slash == std::string::npos ? 0 : slash + 1);
    if (record->lpstrFileTitle != nullptr)
        std::snprintf(record->lpstrFileTitle, record->nMaxFileTitle, "%s", path.c_str() + record->nFileOffset);
    return TRUE;
}

// A timer hands a modal dialog to the driver once it shows; those shown before it opened are not.
std::vector<HWND> dialogsBefore;

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM result) -> BOOL {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770" && IsWindowVisible(window))
            reinterpret_cast<std::vector<HWND> *>(result)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void CALLBACK DriveShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    for (HWND dialog : VisibleDialogs()) {
        if (std::find(dialogsBefore.begin(), dialogsBefore.end(), dialog) != dialogsBefore.end())
            continue;
        KillTimer(nullptr, timer);
        std::function<void(HWND)> driver = std::exchange(current->dialogDriver, nullptr);
        if (!driver) {
            ADD_FAILURE() << "a dialog showed without a driver";
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            driver(dialog);
        }
        return;
    }
}

template <typename Run> auto Driven(Run run)
{
    std::vector<HWND> outer = dialogsBefore;
    dialogsBefore = VisibleDialogs();
    UINT_PTR timer = SetTimer(nullptr, 0, 10, DriveShownDialog);
    auto result = run();
    KillTimer(nullptr, timer);
    dialogsBefore = outer;
    return result;
}

INT_PTR DriveDialogBox(HINSTANCE instance, const char *name, HWND owner, DLGPROC procedure, LPARAM parameter)
{
    current->modalDialogs.push_back(int(reinterpret_cast<UINT_PTR>(name)));
    return Driven([&] { return DialogBoxParamA(instance, name, owner, procedure, parameter); });
}

BOOL AnswerPrint(PRINTDLGA *record)
{
    current->printDialogFlags.push_back(record->Flags);
    ShellTest::PrintAnswer answer;
    if (!TakeFront(current->printAnswers, &answer)) {
        BOOL printed = Driven([&] { return PrintDlgA(record); });
        current->printDialogData = record->lCustData;
        return printed;
    }
    if (!answer.ok)
        return FALSE;
    record->hDC = answer.withDevice ? CreateTestPrinterDC() : nullptr;
    record->nCopies = 1;
    record->lCustData = 0;
    return TRUE;
}

} // namespace

std::vector<std::string> ListTexts(HWND dialog, int list)
{
    std::vector<std::string> texts(size_t(SendDlgItemMessageA(dialog, list, LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < texts.size(); ++i) {
        char text[512] = "";
        SendDlgItemMessageA(dialog, list, LB_GETTEXT, WPARAM(i), LPARAM(text));
        texts[i] = text;
    }
    return texts;
}

void SelectEntry(HWND dialog, int list, int index, bool doubleClick)
{
    SendDlgItemMessageA(dialog, list, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, list)));
    if (doubleClick)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_DBLCLK), LPARAM(GetDlgItem(dialog, list)));
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
    RegDeleteTreeA(HKEY_CURRENT_USER, kRegistryKey);
    auto answerOpen = [](OPENFILENAMEA *record) {
        ++current->openDialogsShown;
        return AnswerFileDialog(record, current->openChoices);
    };
    auto answerSave = [](OPENFILENAMEA *record) {
        current->saveDialogNames.push_back(record->lpstrFile);
        return AnswerFileDialog(record, current->saveChoices);
    };
    auto countHelp = [](HWND, const char *file, UINT command, ULONG_PTR) -> BOOL {
        EXPECT_EQ(file + std::to_string(command), "Scrivlet.hlp" + std::to_string(HELP_FINDER));
        return ++current->helpCalls;
    };
    auto cancelColour = [](CHOOSECOLORA *) { return FALSE; };
    auto cancelFolder = [](void *) -> void * { return nullptr; };
    g_seams = {AnswerBox,      answerOpen,   answerSave,   countHelp,       AnswerPrint,
               DriveDialogBox, cancelColour, cancelFolder, ReadUntilFailure};
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
    RegDeleteTreeA(HKEY_CURRENT_USER, kRegistryKey);
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
    std::ostringstream bytes;
    bytes << std::ifstream(Path(name), std::ios::binary).rdbuf();
    return bytes.str();
}

void ShellTest::Start(const std::string &commandLine)
{
    // The class stays registered from an earlier start: a previous instance.
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

void ShellTest::Drop(const std::vector<std::string> &paths) const
{
    std::string names;
    for (const std::string &path : paths)
        names += path + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    DROPFILES *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(memory);
    SendMessageA(g_app.mainWindow, WM_DROPFILES, WPARAM(memory), 0);
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

    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam)); // left for the test to see
            break;
        }
        ProcessMessage(&message);
    }
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
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&text), 0, [](DWORD_PTR cookie, LPBYTE buffer, DWORD count,
                                                                 DWORD *done) -> DWORD {
        reinterpret_cast<std::string *>(cookie)->append(reinterpret_cast<const char *>(buffer), count);
        *done = count;
        return 0;
    }};
    SendMessageA(g_app.editControl, AEM_STREAMOUT, 0, reinterpret_cast<LPARAM>(&stream));
    return text;
}

std::string TextOf(HWND window, UINT message, WPARAM wParam)
{
    char text[512] = "";
    SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(text));
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
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRegistryKey, name.c_str(), REG_SZ, value.c_str(), DWORD(value.size() + 1)),
              ERROR_SUCCESS);
}

} // namespace scrivlet
