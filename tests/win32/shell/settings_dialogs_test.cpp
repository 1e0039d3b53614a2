// The Options dialog, opened as the program opens it and driven with
// messages: what it shows, what it takes back into its record, and every
// message it gives.
#include "shell_fixture.h"

#include "dialogs/win32_settings_dialogs.h"
#include "resources/resource.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string ItemText(HWND dialog, int control)
{
    HWND item = GetDlgItem(dialog, control);
    std::string text(size_t(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(item, &text[0], int(text.size()))));
    return text;
}

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

bool Enabled(HWND dialog, int control)
{
    return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE;
}

// A click as the button sends it.
void Click(HWND dialog, int control)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), LPARAM(GetDlgItem(dialog, control)));
}

// Checks or unchecks a box the way a click would, notifying the dialog.
void SetCheck(HWND dialog, int control, bool checked)
{
    CheckDlgButton(dialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
    Click(dialog, control);
}

// Presses OK; true when the dialog stayed open.
bool PressOkStaysOpen(HWND dialog)
{
    Click(dialog, IDOK);
    return IsWindowVisible(dialog) != FALSE;
}

std::string CurrentDirectory()
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    return directory;
}

class SettingsDialogs : public ShellTest {
protected:
    INT_PTR RunOptions(Options *options)
    {
        return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_OPTIONS), g_app.mainWindow, OptionsDialogProc,
                                 reinterpret_cast<LPARAM>(options));
    }

    // Options with its period, undo levels and directory fields set, then OK
    // pressed: the result, and whether OK left the dialog open (it is then
    // cancelled).
    struct OkOutcome {
        INT_PTR result;
        bool stayedOpen;
    };
    OkOutcome PressOptionsOk(Options *options, const std::function<void(HWND)> &fill)
    {
        bool stayedOpen = false;
        dialogDriver = [&](HWND dialog) {
            fill(dialog);
            stayedOpen = PressOkStaysOpen(dialog);
            if (stayedOpen)
                Click(dialog, IDCANCEL);
        };
        return {RunOptions(options), stayedOpen};
    }
};

// ---------------------------------------------------------------------------
// Options

TEST_F(SettingsDialogs, OptionsShowsTheRecordAndTakesBackEveryField)
{
    Start();
    ASSERT_TRUE(CreateDirectoryA(Path("docs").c_str(), nullptr));
    Options options;
    GatherOptions(&options);
    options.autoSave = 1;
    options.autoSavePeriod = 30;
    options.backupFiles = 1;
    options.bracketHelp = 0;
    options.storeRecentFileSel = 1;
    options.autoIndent = 1;
    std::snprintf(options.defaultDirectory, sizeof options.defaultDirectory, "%s", folder.c_str());
    int32_t levels = options.undoLevels;

    dialogDriver = [&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_AUTOSAVE));
        EXPECT_EQ(ItemText(dialog, IDC_OPTIONS_PERIOD), "30");
        for (int control : {IDC_OPTIONS_EVERY, IDC_OPTIONS_PERIOD, IDC_OPTIONS_MINUTES})
            EXPECT_TRUE(Enabled(dialog, control)) << control;
        EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_BACKUP));
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_BRACKETHELP));
        EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_STORESELECTION));
        EXPECT_EQ(ItemText(dialog, IDC_OPTIONS_UNDOLEVELS), std::to_string(levels));
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_INDENTNONE));
        EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_INDENTDEFAULT));
        EXPECT_EQ(ItemText(dialog, IDC_OPTIONS_DIRECTORY), folder);

        // Auto save off: the period's controls go with it, and its field is
        // no longer read.
        SetCheck(dialog, IDC_OPTIONS_AUTOSAVE, false);
        for (int control : {IDC_OPTIONS_EVERY, IDC_OPTIONS_PERIOD, IDC_OPTIONS_MINUTES})
            EXPECT_FALSE(Enabled(dialog, control)) << control;
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "abc");
        SetCheck(dialog, IDC_OPTIONS_BACKUP, false);
        SetCheck(dialog, IDC_OPTIONS_BRACKETHELP, true);
        SetCheck(dialog, IDC_OPTIONS_STORESELECTION, false);
        CheckRadioButton(dialog, IDC_OPTIONS_INDENTNONE, IDC_OPTIONS_INDENTDEFAULT, IDC_OPTIONS_INDENTNONE);
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, Path("docs").c_str());
        Click(dialog, IDOK);
    };
    EXPECT_EQ(RunOptions(&options), 1);
    EXPECT_TRUE(boxes.empty()) << BoxTexts()[0];
    EXPECT_EQ(options.autoSave, 0u);
    EXPECT_EQ(options.autoSavePeriod, 30u) << "the period is not read with auto save off";
    EXPECT_EQ(options.backupFiles, 0u);
    EXPECT_EQ(options.bracketHelp, 1u);
    EXPECT_EQ(options.storeRecentFileSel, 0u);
    EXPECT_EQ(options.undoLevels, levels);
    EXPECT_EQ(options.autoIndent, 0u);
    EXPECT_EQ(std::string(options.defaultDirectory), Path("docs"));
    EXPECT_EQ(CurrentDirectory() + "\\", folder) << "checking the directory changes nothing";

    // Auto save back on; an auto indent the dialog does not know checks
    // neither button and stays as it was.
    options.autoIndent = 2;
    dialogDriver = [&](HWND dialog) {
        for (int control : {IDC_OPTIONS_EVERY, IDC_OPTIONS_PERIOD, IDC_OPTIONS_MINUTES})
            EXPECT_FALSE(Enabled(dialog, control)) << control;
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_INDENTNONE));
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_INDENTDEFAULT));
        SetCheck(dialog, IDC_OPTIONS_AUTOSAVE, true);
        for (int control : {IDC_OPTIONS_EVERY, IDC_OPTIONS_PERIOD, IDC_OPTIONS_MINUTES})
            EXPECT_TRUE(Enabled(dialog, control)) << control;
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, " 45 ");
        Click(dialog, IDOK);
    };
    EXPECT_EQ(RunOptions(&options), 1);
    EXPECT_EQ(options.autoSave, 1u);
    EXPECT_EQ(options.autoSavePeriod, 45u);
    EXPECT_EQ(options.autoIndent, 2u);

    // Cancel ends with 0 whatever the fields hold.
    dialogDriver = [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "0");
        Click(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunOptions(&options), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogs, OptionsTakesAPeriodFromOneToFourteenForty)
{
    Start();
    Options options;
    GatherOptions(&options);
    options.autoSave = 1;
    struct Case {
        const char *period;
        bool legal;
    };
    const Case cases[] = {{"1", true}, {"1440", true}, {"0", false}, {"1441", false},
                          {"abc", false}, {"", false}, {"-5", false}, {"4294967297", false}};
    for (const Case &c : cases) {
        boxes.clear();
        OkOutcome outcome =
            PressOptionsOk(&options, [&](HWND dialog) { SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, c.period); });
        if (c.legal) {
            EXPECT_EQ(outcome.result, 1) << c.period;
            EXPECT_EQ(std::to_string(options.autoSavePeriod), c.period);
            EXPECT_TRUE(boxes.empty()) << c.period;
            continue;
        }
        EXPECT_TRUE(outcome.stayedOpen) << c.period;
        EXPECT_EQ(outcome.result, 0) << c.period;
        ASSERT_EQ(boxes.size(), 1u) << c.period;
        EXPECT_EQ(boxes[0].text, "Minute value must be between 1 and 1440 !");
        EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
        EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONERROR));
    }
}

TEST_F(SettingsDialogs, OptionsAsksBeforeChangingTheUndoLevels)
{
    Start();
    Options options;
    GatherOptions(&options);
    options.undoLevels = 100;

    // Cancelled: the old number comes back and OK must be pressed again.
    answers.push_back(IDCANCEL);
    std::string afterCancel;
    bool stayedOpen = false;
    dialogDriver = [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "50");
        stayedOpen = PressOkStaysOpen(dialog);
        afterCancel = ItemText(dialog, IDC_OPTIONS_UNDOLEVELS);
        Click(dialog, IDOK);
    };
    EXPECT_EQ(RunOptions(&options), 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(afterCancel, "100");
    EXPECT_EQ(options.undoLevels, 100);
    ASSERT_EQ(boxes.size(), 1u) << "no question without a change";
    EXPECT_EQ(boxes[0].text, "Modifying the number undo levels will clear the undo buffer.");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Information");
    EXPECT_EQ(boxes[0].type, UINT(MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2));

    // Agreed: 0 levels is a legal number.
    boxes.clear();
    answers.push_back(IDOK);
    OkOutcome outcome =
        PressOptionsOk(&options, [](HWND dialog) { SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "0"); });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(options.undoLevels, 0);
    EXPECT_EQ(boxes.size(), 1u);

    // Not numbers: no question, only the refusal.
    for (const char *levels : {"-5", "", "12x", "2147483648"}) {
        boxes.clear();
        outcome = PressOptionsOk(&options,
                                 [&](HWND dialog) { SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, levels); });
        EXPECT_TRUE(outcome.stayedOpen) << levels;
        EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Illegal value for number of undo levels !"}) << levels;
        EXPECT_EQ(options.undoLevels, 0) << levels;
    }
}

TEST_F(SettingsDialogs, OptionsChecksTheDefaultDirectoryWithoutMovingTheCurrentOne)
{
    Start();
    Options options;
    GatherOptions(&options);
    std::string current = CurrentDirectory();

    // The field shows the current directory after the refusal; an empty one
    // stands for the current directory.
    std::string shown;
    dialogDriver = [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, "no such folder");
        Click(dialog, IDOK);
        shown = ItemText(dialog, IDC_OPTIONS_DIRECTORY);
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, "");
        Click(dialog, IDOK);
    };
    EXPECT_EQ(RunOptions(&options), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid directory name !");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
    EXPECT_EQ(shown, current);
    EXPECT_EQ(std::string(options.defaultDirectory), current);
    EXPECT_EQ(CurrentDirectory(), current);
}

TEST_F(SettingsDialogs, OptionsReportsEveryFailedCheckAndStillTakesTheOtherFields)
{
    Start();
    Options options;
    GatherOptions(&options);
    options.autoSave = 1;
    options.backupFiles = 0;
    options.autoIndent = 0;
    OkOutcome outcome = PressOptionsOk(&options, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "0");
        SetCheck(dialog, IDC_OPTIONS_BACKUP, true);
        SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "x");
        CheckRadioButton(dialog, IDC_OPTIONS_INDENTNONE, IDC_OPTIONS_INDENTDEFAULT, IDC_OPTIONS_INDENTDEFAULT);
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, "no such folder");
    });
    EXPECT_TRUE(outcome.stayedOpen);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Minute value must be between 1 and 1440 !",
                                                    "Illegal value for number of undo levels !",
                                                    "Invalid directory name !"}));
    EXPECT_EQ(options.backupFiles, 1u);
    EXPECT_EQ(options.autoIndent, 1u);
}

TEST_F(SettingsDialogs, OptionsBrowsesForTheDefaultFolder)
{
    Start();
    ASSERT_TRUE(CreateDirectoryA(Path("docs").c_str(), nullptr));
    Options options;
    GatherOptions(&options);
    folderAnswers = {Path("docs"), "", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"}; // the last: My Computer
    std::vector<std::string> shown;
    dialogDriver = [&](HWND dialog) {
        for (int i = 0; i < 3; ++i) {
            Click(dialog, IDC_OPTIONS_BROWSE);
            shown.push_back(ItemText(dialog, IDC_OPTIONS_DIRECTORY));
        }
        Click(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunOptions(&options), 0);
    EXPECT_EQ(folderPromptsShown, std::vector<std::string>(3, "Choose your default folder:"));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], Path("docs"));
    EXPECT_EQ(shown[1], Path("docs")) << "cancelled: the field stays";
    EXPECT_EQ(shown[2], Path("docs")) << "a folder without a path leaves the field";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "File system path could not be retrieved !");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
}

// ---------------------------------------------------------------------------
// Context help

// The topics WM_HELP over a control shows. A control without a topic passes
// the question on to the main window, which shows the contents.
std::vector<std::pair<DWORD, DWORD>> g_helpShown; // (control, topic)
BOOL RecordHelp(HWND window, const char *file, UINT command, ULONG_PTR data)
{
    EXPECT_STREQ(file, "Scrivlet.hlp");
    if (command != HELP_WM_HELP)
        return TRUE;
    const auto *pairs = reinterpret_cast<const DWORD *>(data);
    DWORD control = DWORD(GetDlgCtrlID(window));
    for (; pairs[0] != 0; pairs += 2)
        if (pairs[0] == control)
            g_helpShown.push_back({control, pairs[1]});
    return TRUE;
}

void AskHelp(HWND dialog, int control)
{
    HELPINFO help = {};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = control;
    help.hItemHandle = GetDlgItem(dialog, control);
    SendMessageA(dialog, WM_HELP, 0, LPARAM(&help));
}

TEST_F(SettingsDialogs, EveryControlHasItsHelpTopic)
{
    Start();
    g_seams.winHelp = RecordHelp;
    using Topics = std::map<DWORD, DWORD>;
    const Topics options = {{1010, 5}, {1011, 6}, {1013, 6}, {1012, 6}, {1020, 14}, {1014, 7}, {1049, 35},
                            {1015, 8}, {1018, 12}, {1019, 13}, {1016, 9}, {1017, 10}, {1, 11}, {2, 4}};
    auto ask = [](HWND dialog, const Topics &topics) {
        g_helpShown.clear();
        for (const auto &pair : topics)
            AskHelp(dialog, int(pair.first));
        Topics shown(g_helpShown.begin(), g_helpShown.end());
        EXPECT_EQ(shown, topics);
        g_helpShown.clear();
        AskHelp(dialog, -1); // a label
        EXPECT_TRUE(g_helpShown.empty());
    };

    Options record;
    GatherOptions(&record);
    dialogDriver = [&](HWND dialog) {
        ask(dialog, options);
        Click(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunOptions(&record), 0);
}

} // namespace
