// No path that writes or reads the user's files loses them, each write or read made to fail.
#include "shell_fixture.h"

#include "resources/resource.h"
#include "resources/styles_dialog_ids.h"
#include "support/file_faults.h"

#include <algorithm>

namespace scrivlet {

namespace {

const char kWriteFailed[] = "Last write operation failed !";
const char kNotCreated[] = "File could not be created !";
const char kReadFailed[] = "Last read operation failed !";

FileFaults DiskFullAfter(int64_t bytes, const char *onlyFor = "")
{
    FileFaults faults;
    faults.writeFailsAfter = bytes;
    faults.onlyFor = onlyFor;
    return faults;
}

bool TempFilesLeft(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    FindClose(search);
    return search != INVALID_HANDLE_VALUE;
}

} // namespace

// A save, or the save an action asks for before it drops the text: a failed write keeps the
// file and the text, the document stays modified, and the action stops.
TEST_F(ShellTest, AFailedSaveLosesNeitherTheFileNorTheText)
{
    FileFaults notReplaced, noNewFile, cannotClose;
    notReplaced.replaceFails = noNewFile.createFails = cannotClose.closeFails = true;
    const struct {
        const char *message;
        FileFaults faults;
    } faults[] = {{kWriteFailed, DiskFullAfter(5)}, {kNotCreated, notReplaced}, {kNotCreated, noNewFile},
                  {kWriteFailed, DiskFullAfter(0)}, {kWriteFailed, cannotClose}}; // taken in turn
    const struct {
        const char *action;
        std::function<void()> run;
    } rows[] = {
        {"Save", [this] { Command(IDM_SAVE); }},
        {"auto-save", [this] { Tick(); }},
        {"Exit", [] { SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0); }},
        {"Open", [this] { openChoices.push_back(Path("b.txt")), Command(IDM_OPEN); }},
        {"a recent file", [this] { SetRecentValue(1, Path("b.txt")), OpenPopup(0), Command(IDM_RECENTFIRST); }},
    };
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=60\r\n");
    WriteFile("b.txt", "other");
    size_t next = 0;
    for (const auto &row : rows) {
        const auto &fault = faults[next++ % std::size(faults)];
        bool asks = next > 2;
        SCOPED_TRACE(std::string(row.action) + ", told " + fault.message);
        WriteFile("a.txt", "precious");
        Start(Path("a.txt"));
        Type("edit ");
        answers.assign(asks ? 1 : 0, IDYES);
        InjectFileFaults(fault.faults);
        row.run();
        RemoveFileFaults();
        EXPECT_FALSE(TempFilesLeft(folder));
        ASSERT_TRUE(Running()) << "the action stopped";
        EXPECT_EQ(ReadFile("a.txt") + "|" + EditText() + "|" + Title() + "|" + StatusPart(3) +
                      std::to_string(g_app.modified), "precious|edit precious|a.txt - Scrivlet|Modified1");
        EXPECT_EQ(BoxTexts().size(), asks ? 2u : 1u) << "the prompt and the failure, nothing else";
        EXPECT_EQ(boxes.back().text + "|" + boxes.back().status, fault.message + std::string("|Saving file..."));
        EXPECT_TRUE(answers.empty());
        answers.assign(1, IDNO);
        Close();
        boxes.clear();
    }

    // Save As takes the new name before it writes: the file chosen is kept.
    Start(Path("a.txt"));
    Type("edit ");
    saveChoices = {Path("b.txt"), Path("no such folder\\c.txt")};
    InjectFileFaults(DiskFullAfter(5));
    Command(IDM_SAVEAS);
    RemoveFileFaults();
    Command(IDM_SAVEAS);
    EXPECT_EQ(ReadFile("b.txt") + "|" + ReadFile("a.txt") + std::to_string(g_app.modified), "other|precious1");
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{kWriteFailed, kNotCreated}));
}

// A load that stops part-way (a read fails, the text limit refuses a block) leaves the
// document untitled, so a later save cannot cut the file on disk.
TEST_F(ShellTest, ALoadThatStopsPartWayLeavesTheDocumentUntitled)
{
    const struct {
        const char *load;
        std::function<void()> run;
    } rows[] = {
        {"Open", [this] { openChoices.push_back(Path("big.txt")), Command(IDM_OPEN); }},
        {"Refresh", [this] { Command(IDM_REFRESH); }},
        {"the command line", [this] { Close(), Start(Path("big.txt")); }},
        {"New From Template", [this] { NewFromTemplatePath(Path("big.txt").c_str()); }},
        {"the text limit", [this] { SendToEdit(AEM_SETLIMITTEXT, 0, 1000), Command(IDM_REFRESH); }},
    };
    const std::string big(200000, 'b');
    WriteFile("big.txt", big);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.load);
        Start(Path("big.txt")); // Refresh reloads it; the other loads replace it
        bool limit = std::string(row.load) == "the text limit";
        readFailsAfter = limit ? -1 : 100000;
        row.run();
        readFailsAfter = -1;
        EXPECT_EQ(EditText().empty(), limit) << "what was read is kept";
        EXPECT_LT(EditText().size(), big.size());
        EXPECT_EQ(Title(), row.load[0] == 'N' ? "Untitled.txt - Scrivlet" : "Untitled - Scrivlet");
        std::vector<std::string> told = TakeBoxTexts();
        EXPECT_NE(std::find(told.begin(), told.end(), kReadFailed), told.end());
        Command(IDM_SAVE); // asks for a name: cancelled
        EXPECT_EQ(ReadFile("big.txt"), big);
        answers.assign(1, IDNO);
        Close();
        boxes.clear();
    }
}

// Auto-save writes only a modified document, and never while a box, a dialog, a load or a save is in
// progress: inside a load the document is half-replaced under its old name.
TEST_F(ShellTest, AutoSaveNeverRunsInsideABoxADialogALoadOrASave)
{
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=60\r\n");
    WriteFile("a.txt", "precious");
    WriteFile("long.txt", "0123456789" + std::string(70000, 'l'));
    Start(Path("a.txt"));
    InjectFileFaults(DiskFullAfter(0));
    Tick();
    RemoveFileFaults();
    EXPECT_TRUE(boxes.empty()) << "only a modified document is written";
    Type("edit ");
    SendToEdit(AEM_SETLIMITTEXT, 0, 1000);
    autoSaveTicksInModalLoops = true;
    answers.push_back(IDNO); // the prompt of Open
    openChoices.push_back(Path("long.txt"));
    Command(IDM_OPEN); // boxes show while the text is half-loaded
    EXPECT_EQ(ReadFile("a.txt"), "precious");
    EXPECT_TRUE(saveDialogNames.empty());
    Type("more");
    Command(IDM_SAVE); // untitled now: the Save As dialog, cancelled
    EXPECT_EQ(saveDialogNames.size(), 1u) << "no Save As dialog inside the first";
    autoSaveTicksInModalLoops = false;
}

// The style, settings and backup files are replaced only when written whole; a failed backup does not stop the save.
TEST_F(ShellTest, TheStyleSettingsAndBackupFilesSurviveAFullDisk)
{
    const std::string settings = "[Options]\r\nBackupFiles=1\r\n";
    WriteSettingsFile(settings);
    WriteFile("a.txt", "precious");
    WriteFile("a.bak", "older");
    Start(Path("a.txt"));
    const std::string styles = ReadFile("styles.dat");
    Type("edit ");
    InjectFileFaults(DiskFullAfter(3, "a.bak"));
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("a.bak") + "|" + ReadFile("a.txt") + std::to_string(g_app.modified), "older|edit precious0");
    EXPECT_TRUE(boxes.empty());

    InjectFileFaults(DiskFullAfter(50));
    dialogDriver = [this](HWND dialog) {
        dialogDriver = [](HWND add) { SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "Fresh"), Click(add, IDOK); };
        Click(dialog, IDC_STYLES_ADD);
        Click(dialog, IDC_STYLES_CLOSE); // the save fails: the dialog stays
        EXPECT_TRUE(IsWindowVisible(dialog));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    answers.push_back(IDOK); // leaving without saving
    Command(IDM_STYLES);
    EXPECT_EQ(SendToEdit(AEM_SAVESTYLES, 0, 0), 0);
    EXPECT_EQ(ReadFile("styles.dat"), styles);
    std::vector<std::string> told = TakeBoxTexts();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("Style file could not be saved !"), std::string::npos) << told[0];

    dialogDriver = [](HWND options) { Click(options, IDOK); };
    Command(IDM_OPTIONS);
    EXPECT_EQ(ReadFile("Scrivlet.ini"), settings);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{AppErrorText(kAppErrorIniCreate)});
    Close(); // the settings are written at exit
    RemoveFileFaults();
    EXPECT_EQ(ReadFile("Scrivlet.ini"), settings);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{AppErrorText(kAppErrorIniCreate)});
}

} // namespace scrivlet
