// The Options dialog and the two File Types dialogs, opened as the program
// opens them and driven with messages: what they show, what they take back
// into their records, and every message they give.
#include "shell_fixture.h"

#include "config/file_types.h"
#include "core/allocation.h"
#include "core/id_list.h"
#include "dialogs/win32_settings_dialogs.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

const char kChangedText[] =
    "You have made changes to one or more file types.\nThese changes will only be applied on the next file load.";

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

// File Types' list box.
std::vector<std::string> ListEntries(HWND dialog)
{
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[kFileTypeNameSize] = "";
        SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, LB_GETTEXT, WPARAM(i), LPARAM(text));
        entries.push_back(text);
    }
    return entries;
}

std::string SelectedEntry(HWND dialog)
{
    LRESULT index = SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? "<none>" : ListEntries(dialog)[size_t(index)];
}

void SelectIndex(HWND dialog, LRESULT index)
{
    HWND list = GetDlgItem(dialog, IDC_FILETYPES_LIST);
    SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILETYPES_LIST, LBN_SELCHANGE), LPARAM(list));
}

void SelectName(HWND dialog, const char *name)
{
    LRESULT index = SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name));
    ASSERT_NE(index, LB_ERR) << name;
    SelectIndex(dialog, index);
}

// Edit File Type's code style list.
std::vector<std::string> StyleEntries(HWND dialog)
{
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, IDC_EDITFILETYPE_CODESTYLE, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[AE_STYLETEXTSIZE] = "";
        SendDlgItemMessageA(dialog, IDC_EDITFILETYPE_CODESTYLE, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        entries.push_back(text);
    }
    return entries;
}

void ChooseStyle(HWND dialog, const char *name)
{
    LRESULT index =
        SendDlgItemMessageA(dialog, IDC_EDITFILETYPE_CODESTYLE, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name));
    ASSERT_NE(index, CB_ERR) << name;
    SendDlgItemMessageA(dialog, IDC_EDITFILETYPE_CODESTYLE, CB_SETCURSEL, WPARAM(index), 0);
}

// The types of the application's list, in list order.
std::vector<FileType *> Types()
{
    std::vector<FileType *> types;
    for (const IdListNode *node = g_app.fileTypes->first; node != nullptr; node = node->next)
        types.push_back(static_cast<FileType *>(node->value));
    return types;
}

std::vector<std::string> TypeNames()
{
    std::vector<std::string> names;
    for (const FileType *type : Types())
        names.push_back(type->name);
    return names;
}

FileType *TypeNamed(const std::string &name)
{
    for (FileType *type : Types())
        if (name == type->name)
            return type;
    return nullptr;
}

// The names of the Open dialog's filter, between "All files" and the end.
std::vector<std::string> FilterNames()
{
    std::vector<std::string> names;
    const char *at = g_app.openDialog.lpstrFilter;
    for (bool isName = true; *at != '\0'; at += std::strlen(at) + 1, isName = !isName)
        if (isName)
            names.push_back(at);
    return names;
}

std::string CurrentDirectory()
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    return directory;
}

class SettingsDialogs : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
    }

    INT_PTR RunOptions(Options *options)
    {
        return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_OPTIONS), g_app.mainWindow, OptionsDialogProc,
                                 reinterpret_cast<LPARAM>(options));
    }

    INT_PTR RunFileTypes()
    {
        return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_FILETYPES), g_app.mainWindow,
                                 FileTypesDialogProc, reinterpret_cast<LPARAM>(&g_app));
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

    // Opens the File Types dialog, selects the named type and edits it with
    // the `edit` driver; then `files` sees the File Types dialog, which is
    // closed. Returns the Edit File Type dialog's result, -1 when it did not
    // open.
    INT_PTR EditType(const char *name, std::function<void(HWND)> edit, std::function<void(HWND)> files = nullptr)
    {
        dialogDriver = [&](HWND dialog) {
            SelectName(dialog, name);
            dialogDriver = edit;
            Click(dialog, IDC_FILETYPES_EDIT);
            if (files)
                files(dialog);
            Click(dialog, IDC_FILETYPES_CLOSE);
        };
        modalDialogs.clear();
        EXPECT_EQ(RunFileTypes(), 0);
        return EditResult();
    }

    // The result of the last Edit File Type dialog; -1 when none ended.
    INT_PTR EditResult() const
    {
        for (auto ended = modalDialogs.rbegin(); ended != modalDialogs.rend(); ++ended)
            if (ended->templateId == IDD_EDITFILETYPE)
                return ended->result;
        return -1;
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
// File Types

TEST_F(SettingsDialogs, FileTypesListsEveryTypeByNameWithItsId)
{
    Start();
    ASSERT_GE(Types().size(), 2u);
    dialogDriver = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_FILETYPES_LIST);
        std::vector<std::string> entries = ListEntries(dialog);
        ASSERT_EQ(entries.size(), Types().size());
        for (size_t i = 0; i < entries.size(); ++i) {
            auto id = uint32_t(SendMessageA(list, LB_GETITEMDATA, i, 0));
            const auto *type = static_cast<const FileType *>(ValueOfId(g_app.fileTypes, id));
            ASSERT_NE(type, nullptr) << entries[i];
            EXPECT_EQ(entries[i], type->name);
        }
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_EDIT));
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_DELETE));
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_STYLES));

        SelectIndex(dialog, 1);
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_EDIT));
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_DELETE));
        SelectIndex(dialog, -1);
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_EDIT));
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_DELETE));

        // Without a selection Edit and Delete do nothing (a dialog opened
        // here would fail the test: it has no driver).
        Click(dialog, IDC_FILETYPES_EDIT);
        Click(dialog, IDC_FILETYPES_DELETE);
        EXPECT_EQ(ListEntries(dialog), entries);
        Click(dialog, IDCANCEL); // Escape closes it like Close
    };
    std::vector<std::string> names = TypeNames();
    EXPECT_EQ(RunFileTypes(), 0);
    EXPECT_EQ(TypeNames(), names);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogs, FileTypesAddsNumberedTypesAndDeletesWithoutAsking)
{
    WriteSettingsFile("[Options]\r\nUndoLevels=100\r\n");
    Start();
    ASSERT_TRUE(Types().empty());
    std::string filter(g_app.openDialog.lpstrFilter, kFileFilterSize);
    dialogDriver = [&](HWND dialog) {
        Click(dialog, IDC_FILETYPES_ADD);
        EXPECT_EQ(SelectedEntry(dialog), "File type 001");
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_EDIT));
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_DELETE));
        Click(dialog, IDC_FILETYPES_ADD);
        EXPECT_EQ(SelectedEntry(dialog), "File type 002");
        // Each went into the list under "File type", before the numbered
        // ones; the list box sorts the numbers.
        EXPECT_EQ(TypeNames(), (std::vector<std::string>{"File type 002", "File type 001"}));
        EXPECT_EQ(ListEntries(dialog), (std::vector<std::string>{"File type 001", "File type 002"}));

        Click(dialog, IDC_FILETYPES_ADD);

        // The last entry deleted: the new last one is selected; the freed
        // number comes back.
        Click(dialog, IDC_FILETYPES_DELETE);
        EXPECT_EQ(ListEntries(dialog), (std::vector<std::string>{"File type 001", "File type 002"}));
        EXPECT_EQ(SelectedEntry(dialog), "File type 002");
        Click(dialog, IDC_FILETYPES_ADD);
        EXPECT_EQ(SelectedEntry(dialog), "File type 003");

        // An entry in the middle: the one that takes its place is selected.
        SelectIndex(dialog, 1);
        Click(dialog, IDC_FILETYPES_DELETE);
        EXPECT_EQ(ListEntries(dialog), (std::vector<std::string>{"File type 001", "File type 003"}));
        EXPECT_EQ(SelectedEntry(dialog), "File type 003");
        EXPECT_EQ(TypeNames(), (std::vector<std::string>{"File type 003", "File type 001"}));

        Click(dialog, IDC_FILETYPES_DELETE);
        Click(dialog, IDC_FILETYPES_DELETE);
        EXPECT_TRUE(ListEntries(dialog).empty());
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_EDIT)) << "nothing left to edit";
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_DELETE));
        Click(dialog, IDC_FILETYPES_ADD);
        EXPECT_EQ(SelectedEntry(dialog), "File type 001");
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    EXPECT_EQ(RunFileTypes(), 0);
    EXPECT_TRUE(boxes.empty()) << "adding and deleting alone change no document's settings";
    ASSERT_EQ(Types().size(), 1u);
    const FileType *added = Types()[0];
    EXPECT_STREQ(added->name, "File type 001");
    EXPECT_EQ(added->id, 1u);
    EXPECT_EQ(added->extensionCount, 0u);
    EXPECT_EQ(added->tabWidthCount, 0u);
    EXPECT_EQ(added->keepTabs, 1u);
    EXPECT_STREQ(added->templates[0], "");
    EXPECT_STREQ(added->codeStyle, "");
    EXPECT_EQ(std::string(g_app.openDialog.lpstrFilter, kFileFilterSize), filter) << "the filter is not rebuilt";
}

TEST_F(SettingsDialogs, FileTypesReportsATypeThatCannotBeCreated)
{
    Start();
    std::vector<std::string> names = TypeNames();
    dialogDriver = [&](HWND dialog) {
        std::vector<std::string> entries = ListEntries(dialog);
        for (unsigned long failing : {1ul, 2ul}) { // the record, then the list's node
            FailNthAllocation(failing);
            Click(dialog, IDC_FILETYPES_ADD);
            FailNthAllocation(0);
            EXPECT_EQ(ListEntries(dialog), entries) << failing;
        }
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    EXPECT_EQ(RunFileTypes(), 0);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>(2, "Memory allocation failed !"));
    EXPECT_EQ(TypeNames(), names);
}

TEST_F(SettingsDialogs, EditFileTypeShowsTheTypeAndRebuildsItInPlace)
{
    WriteSettingsFile("[File Types]\r\nName=Batch\r\nExtensions=bat,cmd\r\nTabStops=4\r\nKeepTabs=1\r\n"
                      "CodeStyle=Batch\r\n"
                      "Name=C/C++\r\nExtensions=c,cpp,h\r\nTabStops=4,8\r\nKeepTabs=1\r\nCodeStyle=C/C++\r\n"
                      "Template=" + Path("a.c") + "\r\nTemplate=" + Path("b.c") + "\r\n"
                      "Name=Python\r\nExtensions=py\r\nTabStops=4\r\nKeepTabs=0\r\nCodeStyle=Python\r\n");
    Start();
    const FileType *edited = TypeNamed("C/C++");
    ASSERT_NE(edited, nullptr);
    uint32_t id = edited->id;
    std::vector<std::string> filterBefore = FilterNames();
    std::vector<std::string> filterAfterEdit;
    std::vector<std::string> listAfterEdit;
    bool editEnabledAfterEdit = true;

    EXPECT_EQ(EditType(
        "C/C++",
        [&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_EDITFILETYPE_NAME), "C/C++");
            EXPECT_EQ(ItemText(dialog, IDC_EDITFILETYPE_EXTENSIONS), "c,cpp,h");
            EXPECT_EQ(ItemText(dialog, IDC_EDITFILETYPE_TABSTOPS), "4,8");
            EXPECT_TRUE(Checked(dialog, IDC_EDITFILETYPE_KEEPTABS));
            EXPECT_EQ(ItemText(dialog, IDC_EDITFILETYPE_TEMPLATES), Path("a.c") + ";" + Path("b.c") + ";")
                << "free slots leave a trailing separator";
            EXPECT_EQ(ItemText(dialog, IDC_EDITFILETYPE_CODESTYLE), "C/C++");

            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_NAME, "Zed");
            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_EXTENSIONS, "c;h,,cpp");
            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TABSTOPS, "2, 6");
            SetCheck(dialog, IDC_EDITFILETYPE_KEEPTABS, false);
            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, "x.c;;y.c");
            ChooseStyle(dialog, "None");
            Click(dialog, IDOK);
        },
        [&](HWND dialog) {
            filterAfterEdit = FilterNames();
            listAfterEdit = ListEntries(dialog);
            editEnabledAfterEdit = Enabled(dialog, IDC_FILETYPES_EDIT) || Enabled(dialog, IDC_FILETYPES_DELETE);
        }), 1);

    // The record changed in place: same id, same place in the list, which
    // keeps ordering file-type matching; the list box sorted the new name.
    EXPECT_EQ(TypeNames(), (std::vector<std::string>{"Batch", "Zed", "Python"}));
    EXPECT_EQ(listAfterEdit, (std::vector<std::string>{"Batch", "Python", "Zed"}));
    EXPECT_FALSE(editEnabledAfterEdit) << "the refilled list has no selection";
    EXPECT_EQ(TypeNamed("Zed"), edited);
    EXPECT_EQ(edited->id, id);
    ASSERT_EQ(edited->extensionCount, 3u);
    EXPECT_STREQ(edited->extensions[0], "c");
    EXPECT_STREQ(edited->extensions[1], "h");
    EXPECT_STREQ(edited->extensions[2], "cpp");
    ASSERT_EQ(edited->tabWidthCount, 2u);
    EXPECT_EQ(edited->tabWidths[0], 2u);
    EXPECT_EQ(edited->tabWidths[1], 6u);
    EXPECT_EQ(edited->keepTabs, 0u);
    EXPECT_STREQ(edited->templates[0], "x.c");
    EXPECT_STREQ(edited->templates[1], "y.c");
    EXPECT_STREQ(edited->templates[2], "");
    EXPECT_STREQ(edited->codeStyle, "") << "\"None\" is no style";

    // Closing says when the changes apply and only then rebuilds the filter.
    EXPECT_EQ(filterAfterEdit, filterBefore);
    EXPECT_EQ(FilterNames(), (std::vector<std::string>{"All files (*.*)", "Batch", "Zed", "Python"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kChangedText);
    EXPECT_EQ(boxes[0].title, "Scrivlet - Information");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
}

TEST_F(SettingsDialogs, EditFileTypeNeedsANameAndAnExtension)
{
    Start();
    const FileType *type = TypeNamed("Python");
    ASSERT_NE(type, nullptr);
    FileType before = *type;
    std::vector<bool> stayedOpen;
    dialogDriver = [&](HWND dialog) {
        SelectName(dialog, "Python");
        dialogDriver = [&](HWND edit) {
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_NAME, "");
            stayedOpen.push_back(PressOkStaysOpen(edit));
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_NAME, "Snake");
            for (const char *extensions : {";;", "", ",;,"}) {
                SetDlgItemTextA(edit, IDC_EDITFILETYPE_EXTENSIONS, extensions);
                stayedOpen.push_back(PressOkStaysOpen(edit));
            }
            Click(edit, IDCANCEL);
        };
        // A double click edits like the button.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILETYPES_LIST, LBN_DBLCLK),
                     LPARAM(GetDlgItem(dialog, IDC_FILETYPES_LIST)));
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    EXPECT_EQ(RunFileTypes(), 0);
    EXPECT_EQ(EditResult(), 0) << "the edit dialog opened and was cancelled";
    EXPECT_EQ(stayedOpen, std::vector<bool>(4, true));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File type name is required !",
                                                    "At least one file extension must be given !",
                                                    "At least one file extension must be given !",
                                                    "At least one file extension must be given !"}))
        << "and no changed-types message after a cancelled edit";
    for (const ShownBox &box : boxes)
        EXPECT_EQ(box.title, "Scrivlet - Error");
    EXPECT_EQ(std::memcmp(type, &before, sizeof before), 0) << "Cancel changes nothing";
}

TEST_F(SettingsDialogs, EditFileTypeReadsBackEachFieldUpToItsLength)
{
    Start();
    FileType *type = TypeNamed("Python");
    ASSERT_NE(type, nullptr);
    std::string extensions;
    for (char letter = 'a'; letter < 'a' + 16; ++letter)
        extensions += (extensions.empty() ? "" : ",") + std::string(5, letter);
    ASSERT_NE(CreateFileType(type, "Python", extensions.c_str(), 0, "4", "", "Python"), nullptr);
    ASSERT_EQ(type->extensionCount, 16u);

    // Ten template paths of 259 characters behind 11 separators: 2,610
    // characters, one more than the field gives back.
    std::string templates(11, ';');
    for (int i = 0; i < 10; ++i)
        templates += (i > 0 ? ";" : "") + std::string(259, char('0' + i));
    ASSERT_EQ(templates.size(), 2610u);
    std::string tabStops;
    for (int i = 0; i < 40; ++i)
        tabStops += "4,"; // 80 characters

    std::string shownExtensions;
    EditType("Python", [&](HWND dialog) {
        shownExtensions = ItemText(dialog, IDC_EDITFILETYPE_EXTENSIONS);
        SetDlgItemTextA(dialog, IDC_EDITFILETYPE_NAME, std::string(70, 'n').c_str());
        SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TABSTOPS, tabStops.c_str());
        SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, templates.c_str());
        Click(dialog, IDOK);
    });
    EXPECT_EQ(shownExtensions, extensions);
    EXPECT_EQ(shownExtensions.size(), 95u);
    ASSERT_EQ(type->extensionCount, 11u) << "63 characters are read back";
    EXPECT_STREQ(type->extensions[9], "jjjjj");
    EXPECT_STREQ(type->extensions[10], "kkk");
    EXPECT_EQ(std::string(type->name), std::string(63, 'n'));
    EXPECT_EQ(type->tabWidthCount, 32u) << "\"4,\" 31 times and a 4";
    EXPECT_EQ(std::string(type->templates[8]), std::string(259, '8'));
    EXPECT_EQ(std::string(type->templates[9]), std::string(258, '9')) << "2,609 characters are read back";
    EXPECT_STREQ(type->codeStyle, "Python");
}

TEST_F(SettingsDialogs, EditFileTypeOffersEveryLoadedStyleAndSelectsOnlyAnExactName)
{
    Start();
    FileType *type = TypeNamed("Python");
    ASSERT_NE(type, nullptr);
    LRESULT styleCount = SendToEdit(AEM_GETSTYLECOUNT, 0, 0);
    ASSERT_GT(styleCount, 1);

    struct Case {
        const char *codeStyle;
        const char *selected;
    };
    const Case cases[] = {{"Python", "Python"}, {"python", "None"}, {"Gone", "None"}, {"", "None"}};
    for (const Case &c : cases) {
        CopyText(type->codeStyle, c.codeStyle);
        std::vector<std::string> entries;
        std::string selected;
        EditType("Python", [&](HWND dialog) {
            entries = StyleEntries(dialog);
            selected = ItemText(dialog, IDC_EDITFILETYPE_CODESTYLE);
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(selected, c.selected) << c.codeStyle;
        ASSERT_EQ(entries.size(), size_t(styleCount) + 1) << "\"None\" and every style";
        EXPECT_EQ(std::count(entries.begin(), entries.end(), "C/C++"), 1);
        EXPECT_EQ(std::count(entries.begin(), entries.end(), "None"), 1);
    }
    EXPECT_TRUE(boxes.empty());

    // Choosing a style stores its name.
    EditType("Python", [](HWND dialog) {
        ChooseStyle(dialog, "C/C++");
        Click(dialog, IDOK);
    });
    EXPECT_STREQ(type->codeStyle, "C/C++");

    // Without memory for the style records only "None" is offered.
    boxes.clear();
    std::vector<std::string> entries;
    dialogDriver = [&](HWND dialog) {
        SelectName(dialog, "Python");
        dialogDriver = [&](HWND edit) {
            entries = StyleEntries(edit);
            Click(edit, IDCANCEL);
        };
        FailNthAllocation(1);
        Click(dialog, IDC_FILETYPES_EDIT);
        FailNthAllocation(0);
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    EXPECT_EQ(RunFileTypes(), 0);
    EXPECT_EQ(EditResult(), 0);
    EXPECT_EQ(entries, std::vector<std::string>{"None"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Your system is low in memory. You should close other programs to free up memory.");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Warning");
}

// The Open dialog as Browse shows it: its owner then.
HWND g_openOwner;
BOOL (*g_answerOpen)(OPENFILENAMEA *);
BOOL RecordOpenOwner(OPENFILENAMEA *record)
{
    g_openOwner = record->hwndOwner;
    return g_answerOpen(record);
}

TEST_F(SettingsDialogs, EditFileTypeBrowseAppendsTemplatesWhileTheFieldHasRoom)
{
    Start();
    g_answerOpen = g_seams.getOpenFileName;
    g_seams.getOpenFileName = RecordOpenOwner;
    CreateDirectoryA(Path("templates").c_str(), nullptr);
    std::string chosen = Path("templates\\main.c");
    // Field, separator and path together 2,609 characters, all that OK
    // reads back: the path still goes in; one more and it does not, rather
    // than being cut into the name of another file.
    std::string fits = "a" + std::string(2609 - chosen.size() - 2, 'b');
    std::string full = fits + "c";
    openChoices = {chosen, "", chosen, chosen, chosen};

    std::vector<std::string> fields;
    std::vector<std::string> files;
    HWND editDialog = nullptr;
    EditType("Python", [&](HWND dialog) {
        editDialog = dialog;
        auto browse = [&](const std::string &before) {
            SetDlgItemTextA(dialog, IDC_EDITFILETYPE_TEMPLATES, before.c_str());
            Click(dialog, IDC_EDITFILETYPE_BROWSE);
            fields.push_back(ItemText(dialog, IDC_EDITFILETYPE_TEMPLATES));
            files.push_back(g_app.openDialog.lpstrFile);
        };
        browse("");
        browse("x.c"); // cancelled
        browse("x.c;");
        browse(fits);
        browse(full);
        Click(dialog, IDCANCEL);
    });
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0], chosen);
    EXPECT_EQ(fields[1], "x.c");
    EXPECT_EQ(fields[2], "x.c;" + chosen);
    EXPECT_EQ(fields[3], fits + ";" + chosen);
    EXPECT_EQ(fields[4], full) << "no room left";
    EXPECT_EQ(files, std::vector<std::string>(5, "")) << "the file buffer is emptied every time";
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Maximum number of template files reached !"});
    EXPECT_EQ(g_openOwner, editDialog) << "the Open dialog is the edit dialog's";
    EXPECT_EQ(g_app.openDialog.hwndOwner, g_app.mainWindow) << "and the record's owner again afterwards";
    EXPECT_STREQ(g_app.openDialog.lpstrInitialDir, Path("templates\\").c_str());
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
    const Topics fileTypes = {{1023, 15}, {1024, 16}, {1036, 26}, {1025, 17}, {1030, 24}, {1031, 25}};
    const Topics editFileType = {{1026, 18}, {1033, 19}, {1027, 20}, {1035, 21}, {1028, 22},
                                 {1017, 10}, {1029, 23}, {1, 11},    {2, 4}};
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
    RunOptions(&record);
    EditType(
        "Python",
        [&](HWND dialog) {
            ask(dialog, editFileType);
            Click(dialog, IDCANCEL);
        },
        [&](HWND dialog) { ask(dialog, fileTypes); });
}

} // namespace

} // namespace scrivlet
