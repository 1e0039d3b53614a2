// No path that writes or reads the user's files loses them: every save,
// the save prompt of every action that drops the text, every load, the
// style file and the settings file, each with its write or read made to
// fail on purpose. For each, the bytes on disk, the document's name and
// modified state, and what the user was told.
#include "shell_fixture.h"

#include "resources/resource.h"
#include "resources/settings_dialog_ids.h"
#include "resources/styles_dialog_ids.h"
#include "support/file_faults.h"

#include <algorithm>
#include <functional>

namespace scrivlet {

namespace {

const char kWriteFailed[] = "Last write operation failed !";
const char kNotCreated[] = "File could not be created !";
const char kReadFailed[] = "Last read operation failed !";

bool Shown(const std::vector<std::string> &texts, const std::string &text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct Fault {
    FileFaults faults;
    const char *message; // what the user is told
};

Fault DiskFullAfter(int64_t bytes)
{
    FileFaults faults;
    faults.writeFailsAfter = bytes;
    return {faults, kWriteFailed};
}

Fault TargetNotReplaced()
{
    FileFaults faults;
    faults.replaceFails = true;
    return {faults, kNotCreated};
}

Fault NoNewFile()
{
    FileFaults faults;
    faults.createFails = true;
    return {faults, kNotCreated};
}

} // namespace

// Every action that saves the document, or asks to before it drops the
// text, stops when the save fails: the file on disk and the text in the
// window are both kept, and the document stays modified.
TEST_F(ShellTest, AFailedSaveLosesNeitherTheFileNorTheText)
{
    struct Row {
        const char *action;
        bool asks; // through the save prompt
        std::function<void()> run;
    };
    const Row rows[] = {
        {"Save", false, [this] { Command(IDM_SAVE); }},
        {"auto-save", false, [] { SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0); }},
        {"Exit", true, [] { SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0); }},
        {"New", true, [this] { Command(IDM_NEW); }},
        {"Open", true,
         [this] {
             openChoices.push_back(Path("b.txt"));
             Command(IDM_OPEN);
         }},
        {"Refresh", true, [this] { Command(IDM_REFRESH); }},
        {"a recent file", true,
         [this] {
             SetRecentValue(1, Path("b.txt"));
             OpenPopup(FILE_MENU_POSITION);
             Command(IDM_RECENTFIRST);
         }},
        {"New From Template", true, [this] { NewFromTemplatePath(Path("b.txt").c_str()); }},
        {"a dropped file", true,
         [this] { SendMessageA(g_app.mainWindow, WM_DROPFILES, WPARAM(MakeDrop({Path("b.txt")})), 0); }},
    };
    const Fault faults[] = {DiskFullAfter(5), TargetNotReplaced(), NoNewFile(), DiskFullAfter(0)};
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=60\r\n");
    WriteFile("b.txt", "other");
    size_t next = 0;
    for (const Row &row : rows) {
        const Fault &fault = faults[next++ % std::size(faults)];
        SCOPED_TRACE(std::string(row.action) + ", told " + fault.message);
        WriteFile("a.txt", "precious");
        Start(Path("a.txt"));
        Type("edit ");
        if (row.asks)
            answers.push_back(IDYES);
        InjectFileFaults(fault.faults);
        row.run();
        RemoveFileFaults();

        EXPECT_EQ(ReadFile("a.txt"), "precious");
        ASSERT_TRUE(Running()) << "the action stopped";
        EXPECT_EQ(EditText(), "edit precious");
        EXPECT_EQ(Title(), "a.txt - Scrivlet");
        EXPECT_EQ(g_app.modified, 1u);
        std::vector<std::string> told = TakeBoxTexts();
        EXPECT_TRUE(Shown(told, fault.message));
        EXPECT_EQ(told.size(), row.asks ? 2u : 1u) << "the prompt and the failure, nothing else";
        EXPECT_TRUE(answers.empty());
        answers.push_back(IDNO);
        Close();
        boxes.clear();
    }

    // Save As takes the new name before it writes: the file chosen is kept.
    Start(Path("a.txt"));
    Type("edit ");
    saveChoices.push_back(Path("b.txt"));
    InjectFileFaults(DiskFullAfter(5).faults);
    Command(IDM_SAVEAS);
    RemoveFileFaults();
    EXPECT_EQ(ReadFile("b.txt"), "other");
    EXPECT_EQ(ReadFile("a.txt"), "precious");
    EXPECT_EQ(g_app.modified, 1u);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{kWriteFailed});
}

// A load that stops part-way never leaves the document bound to the file
// with only part of it: a later save cannot cut the file on disk.
TEST_F(ShellTest, ALoadThatStopsPartWayLeavesTheDocumentUntitled)
{
    struct Row {
        const char *load;
        const char *title; // after the load
        std::function<void()> run;
    };
    const Row rows[] = {
        {"Open", "Untitled - Scrivlet",
         [this] {
             openChoices.push_back(Path("big.txt"));
             Command(IDM_OPEN);
         }},
        {"Refresh", "Untitled - Scrivlet", [this] { Command(IDM_REFRESH); }},
        {"a recent file", "Untitled - Scrivlet",
         [this] {
             SetRecentValue(1, Path("big.txt"));
             OpenPopup(FILE_MENU_POSITION);
             Command(IDM_RECENTFIRST);
         }},
        {"the command line", "Untitled - Scrivlet",
         [this] {
             Close();
             Start(Path("big.txt"));
         }},
        {"a dropped file", "Untitled - Scrivlet",
         [this] {
             SendMessageA(g_app.mainWindow, WM_DROPFILES, WPARAM(MakeDrop({Path("big.txt")})), 0);
         }},
        {"New From Template", "Untitled.txt - Scrivlet",
         [this] { NewFromTemplatePath(Path("big.txt").c_str()); }},
    };
    const std::string big(200000, 'b');
    for (const Row &row : rows) {
        SCOPED_TRACE(row.load);
        WriteFile("big.txt", big);
        Start(Path("big.txt")); // Refresh reloads it; the other loads replace it
        readFailsAfter = 100000;
        row.run();
        readFailsAfter = -1;

        std::string text = EditText();
        EXPECT_GT(text.size(), 0u) << "what was read is kept";
        EXPECT_LT(text.size(), big.size());
        EXPECT_EQ(Title(), row.title);
        EXPECT_TRUE(Shown(TakeBoxTexts(), kReadFailed));
        Command(IDM_SAVE); // asks for a name: cancelled
        EXPECT_EQ(ReadFile("big.txt"), big);
        answers.push_back(IDNO);
        Close();
        answers.clear();
        boxes.clear();
    }
}

// The text limit refusing a block stops a load as a read error does.
TEST_F(ShellTest, AFileBeyondTheTextLimitIsNotBoundToTheDocument)
{
    WriteFile("a.txt", "precious");
    WriteFile("long.txt", std::string(70000, 'l'));
    Start(Path("a.txt"));
    SendToEdit(AEM_SETLIMITTEXT, 0, 1000);
    openChoices.push_back(Path("long.txt"));
    Command(IDM_OPEN);
    EXPECT_EQ(EditText().size(), 0u) << "the limit refused the first block";
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
    EXPECT_EQ(g_app.modified, 1u);
    std::vector<std::string> told = TakeBoxTexts();
    EXPECT_TRUE(Shown(told, "You have exceeded the maximum size for a Scrivlet text !"));
    EXPECT_TRUE(Shown(told, kReadFailed));
}

// Auto-save waits while a box, a dialog, a load or a save is in progress:
// inside a load the document is half-replaced under its old name, and a
// Save As dialog must not open inside another.
TEST_F(ShellTest, AutoSaveNeverRunsInsideABoxADialogALoadOrASave)
{
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=60\r\n");
    WriteFile("a.txt", "precious");
    WriteFile("long.txt", "0123456789" + std::string(70000, 'l'));
    Start(Path("a.txt"));
    Type("edit ");
    SendToEdit(AEM_SETLIMITTEXT, 0, 1000);
    autoSaveTicksInModalLoops = true;
    answers.push_back(IDNO); // the prompt of Open
    openChoices.push_back(Path("long.txt"));
    Command(IDM_OPEN); // boxes show while the text is half-loaded
    EXPECT_EQ(ReadFile("a.txt"), "precious");
    EXPECT_TRUE(saveDialogsShown.empty());

    Type("more");
    Command(IDM_SAVE); // untitled now: the Save As dialog, cancelled
    EXPECT_EQ(saveDialogsShown.size(), 1u) << "no Save As dialog inside the first";
    autoSaveTicksInModalLoops = false;
}

// The style file and the settings file are replaced only when written
// whole: on a full disk the old files stay and the user is told.
TEST_F(ShellTest, TheStyleAndSettingsFilesSurviveAFullDisk)
{
    Start();
    const std::string styles = ReadFile("styles.dat");
    InjectFileFaults(DiskFullAfter(50).faults);
    dialogDriver = [this](HWND dialog) {
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "Fresh");
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        Click(dialog, IDC_STYLES_CLOSE); // the save fails: the dialog stays
        EXPECT_TRUE(IsWindowVisible(dialog));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    answers.push_back(IDOK); // leaving without saving
    Command(IDM_STYLES);
    EXPECT_EQ(ReadFile("styles.dat"), styles);
    EXPECT_EQ(SendToEdit(AEM_SAVESTYLES, 0, 0), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLESAVE));
    EXPECT_EQ(ReadFile("styles.dat"), styles);
    std::vector<std::string> told = TakeBoxTexts();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("Style file could not be saved !"), std::string::npos) << told[0];

    const std::string settings = "[Options]\r\nBackupFiles=1\r\n";
    WriteSettingsFile(settings);
    dialogDriver = [](HWND options) { Click(options, IDOK); };
    Command(IDM_OPTIONS);
    EXPECT_EQ(ReadFile("Scrivlet.ini"), settings);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{AppErrorText(kAppErrorIniCreate)});

    Close(); // the settings are written at exit
    RemoveFileFaults();
    EXPECT_EQ(ReadFile("Scrivlet.ini"), settings);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{AppErrorText(kAppErrorIniCreate)});
}

// A backup is replaced only by a whole copy of the file; a copy that fails
// keeps the previous backup, and the save goes on.
TEST_F(ShellTest, AFailedBackupKeepsThePreviousBackupAndTheSaveGoesOn)
{
    WriteSettingsFile("[Options]\r\nBackupFiles=1\r\n");
    WriteFile("a.txt", "precious");
    WriteFile("a.bak", "older");
    Start(Path("a.txt"));
    Type("edit ");
    Fault fault = DiskFullAfter(3);
    fault.faults.onlyFor = "a.bak";
    InjectFileFaults(fault.faults);
    Command(IDM_SAVE);
    RemoveFileFaults();
    EXPECT_EQ(ReadFile("a.bak"), "older");
    EXPECT_EQ(ReadFile("a.txt"), "edit precious");
    EXPECT_EQ(g_app.modified, 0u);
    EXPECT_TRUE(boxes.empty());
}

// OK in the Options dialog with the same number of undo levels keeps the
// document's undo history.
TEST_F(ShellTest, TheOptionsDialogKeepsTheUndoHistoryWhenTheLevelsStay)
{
    Start();
    Type("typed");
    dialogDriver = [](HWND options) { Click(options, IDOK); };
    Command(IDM_OPTIONS);
    EXPECT_EQ(SendToEdit(AEM_CANUNDO, 0, 0), 1);
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "");
}

} // namespace scrivlet
