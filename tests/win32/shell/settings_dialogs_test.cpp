// The Options and File Types dialogs driven through whole user flows; the
// field rules are tested in tests/shell/dialog_rules_test.cpp.
#include "shell_fixture.h"

#include "config/file_types.h"
#include "core/id_list.h"
#include "dialogs/win32_settings_dialogs.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/settings_texts.h"

#include <cstdio>

namespace scrivlet {

namespace {

std::string CurrentDirectory()
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    return directory;
}
std::string Summary(const Options &o)
{
    char text[400];
    std::snprintf(text, sizeof text, "%u %u %u %u %u %d %u %s", o.autoSave, o.autoSavePeriod, o.backupFiles,
                  o.bracketHelp, o.storeRecentFileSel, o.undoLevels, o.autoIndent, o.defaultDirectory);
    return text;
}

} // namespace

// Every field shown and taken back; each refused one reported while the
// others are still taken; new undo levels only with the user's consent.
TEST_F(ShellTest, OptionsShowsTheRecordReportsRefusedFieldsAndTakesBackTheRest)
{
    Start();
    ASSERT_TRUE(CreateDirectoryA(Path("docs").c_str(), nullptr));
    Options options = {1, 30, 1, 0, 1, 100, 1, {}};
    std::snprintf(options.defaultDirectory, sizeof options.defaultDirectory, "%s", folder.c_str());
    std::string current = CurrentDirectory();
    folderAnswers = {Path("docs")};
    answers = {IDOK, IDOK, IDOK, IDCANCEL}; // the three refusals, then the first question
    std::vector<std::string> shown;
    dialogDriver = [&](HWND dialog) {
        for (int field : {IDC_OPTIONS_PERIOD, IDC_OPTIONS_UNDOLEVELS, IDC_OPTIONS_DIRECTORY})
            shown.push_back(FieldText(dialog, field));
        for (int box : {IDC_OPTIONS_AUTOSAVE, IDC_OPTIONS_BACKUP, IDC_OPTIONS_BRACKETHELP, IDC_OPTIONS_STORESELECTION,
                        IDC_OPTIONS_INDENTDEFAULT})
            shown.push_back(Checked(dialog, box) ? "on" : "off");
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "0");
        SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "x");
        for (int box : {IDC_OPTIONS_BACKUP, IDC_OPTIONS_BRACKETHELP, IDC_OPTIONS_STORESELECTION})
            CheckDlgButton(dialog, box, box == IDC_OPTIONS_BRACKETHELP ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(dialog, IDC_OPTIONS_INDENTNONE, IDC_OPTIONS_INDENTDEFAULT, IDC_OPTIONS_INDENTNONE);
        SetDlgItemTextA(dialog, IDC_OPTIONS_DIRECTORY, "no such folder");
        Click(dialog, IDOK);
        shown.push_back(FieldText(dialog, IDC_OPTIONS_DIRECTORY));
        shown.push_back(Summary(options));
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, " 45 ");
        SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "50");
        Click(dialog, IDOK); // the question cancelled: the old number is back
        shown.push_back(FieldText(dialog, IDC_OPTIONS_UNDOLEVELS));
        CheckDlgButton(dialog, IDC_OPTIONS_AUTOSAVE, BST_UNCHECKED);
        Click(dialog, IDC_OPTIONS_AUTOSAVE);
        EXPECT_FALSE(Enabled(dialog, IDC_OPTIONS_PERIOD)) << "the period goes with auto save";
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "abc");
        SetDlgItemTextA(dialog, IDC_OPTIONS_UNDOLEVELS, "0");
        Click(dialog, IDC_OPTIONS_BROWSE);
        Click(dialog, IDOK);
    };
    EXPECT_EQ(g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_OPTIONS), g_app.mainWindow, OptionsDialogProc,
                                LPARAM(&options)),
              1);
    EXPECT_EQ(shown, (std::vector<std::string>{"30", "100", folder, "on", "on", "off", "on", "on", current,
                                               "1 0 0 1 0 100 0 no such folder", "100"}));
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"Minute value must be between 1 and 1440 !",
                                                    "Illegal value for number of undo levels !", kDirectoryText,
                                                    kUndoClearText, kUndoClearText}));
    EXPECT_EQ(boxes[0].type + boxes[3].type,
              UINT(MB_OK | MB_ICONERROR) + (MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2));
    EXPECT_EQ(Summary(options), "0 45 0 1 0 0 0 " + Path("docs"));
    EXPECT_EQ(CurrentDirectory(), current);
}

// Add and Delete act at once, without a word; an edited type is rebuilt in
// place once its fields pass; Close tells of the edit.
TEST_F(ShellTest, FileTypesAddDeleteAndEditTypesInPlace)
{
    WriteSettingsFile("[File Types]\r\nName=Batch\r\nExtensions=bat\r\nCodeStyle=Batch\r\n"
                      "Name=C/C++\r\nExtensions=c,cpp,h\r\nTabStops=4,8\r\nKeepTabs=1\r\nCodeStyle=C/C++\r\n"
                      "Template=" + Path("a.c") + "\r\n");
    Start();
    auto *edited = static_cast<FileType *>(g_app.fileTypes->first->next->value);
    uint32_t id = edited->id;
    CreateDirectoryA(Path("templates").c_str(), nullptr);
    std::string chosen = Path("templates\\main.c");
    std::string fits(kTemplatesTextSize - 2 - chosen.size(), 'b'); // and ";" and the path: all OK reads back
    openChoices = {chosen, chosen};
    std::vector<std::string> shown;
    dialogDriver = [&](HWND dialog) {
        EXPECT_FALSE(Enabled(dialog, IDC_FILETYPES_EDIT));
        Click(dialog, IDC_FILETYPES_ADD);
        Click(dialog, IDC_FILETYPES_ADD);
        EXPECT_TRUE(Enabled(dialog, IDC_FILETYPES_DELETE));
        SelectEntry(dialog, IDC_FILETYPES_LIST, 2);
        Click(dialog, IDC_FILETYPES_DELETE); // the next entry takes its place, then the last one goes
        EXPECT_EQ(ListTexts(dialog, IDC_FILETYPES_LIST), (std::vector<std::string>{"Batch", "C/C++", "File type 004"}));
        std::string selections = std::to_string(ListSelection(dialog, IDC_FILETYPES_LIST));
        Click(dialog, IDC_FILETYPES_DELETE);
        EXPECT_EQ(selections + std::to_string(ListSelection(dialog, IDC_FILETYPES_LIST)), "21");
        dialogDriver = [&](HWND edit) {
            for (int field : {IDC_EDITFILETYPE_NAME, IDC_EDITFILETYPE_EXTENSIONS, IDC_EDITFILETYPE_TABSTOPS,
                              IDC_EDITFILETYPE_TEMPLATES, IDC_EDITFILETYPE_CODESTYLE})
                shown.push_back(FieldText(edit, field));
            for (const std::string &before : {fits, fits + "c"}) {
                SetDlgItemTextA(edit, IDC_EDITFILETYPE_TEMPLATES, before.c_str());
                Click(edit, IDC_EDITFILETYPE_BROWSE);
                shown.push_back(FieldText(edit, IDC_EDITFILETYPE_TEMPLATES) == before ? "kept" : "appended");
            }
            for (auto [name, extensions] : {std::pair<const char *, const char *>{"", "c"}, {"Zed", ",;"}}) {
                SetDlgItemTextA(edit, IDC_EDITFILETYPE_NAME, name);
                SetDlgItemTextA(edit, IDC_EDITFILETYPE_EXTENSIONS, extensions);
                Click(edit, IDOK);
            }
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_EXTENSIONS, "c;h");
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_TABSTOPS, "2");
            CheckDlgButton(edit, IDC_EDITFILETYPE_KEEPTABS, BST_UNCHECKED);
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_TEMPLATES, "x.c;;y.c");
            SendDlgItemMessageA(edit, IDC_EDITFILETYPE_CODESTYLE, CB_SELECTSTRING, WPARAM(-1), LPARAM("None"));
            Click(edit, IDOK);
        };
        SelectEntry(dialog, IDC_FILETYPES_LIST, 1, true); // "C/C++", after "Batch": a double click edits
        EXPECT_EQ(ListTexts(dialog, IDC_FILETYPES_LIST), (std::vector<std::string>{"Batch", "Zed"}));
        EXPECT_EQ(BoxTexts().size(), 3u) << "Close tells, not the edit";
        dialogDriver = [&](HWND styles) {
            EXPECT_EQ(GetWindow(styles, GW_OWNER), dialog);
            Click(styles, IDC_STYLES_CLOSE);
        };
        Click(dialog, IDC_FILETYPES_STYLES);
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_FILETYPES), g_app.mainWindow, FileTypesDialogProc,
                      LPARAM(&g_app));
    EXPECT_EQ(shown, (std::vector<std::string>{"C/C++", "c,cpp,h", "4,8", Path("a.c") + ";", "C/C++", "appended",
                                               "kept"}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                              kTemplatesFullText, "File type name is required !",
                              "At least one file extension must be given !",
                              "You have made changes to one or more file types.\nThese changes will only be "
                              "applied on the next file load."}));
    EXPECT_STREQ(g_app.openDialog.lpstrFile, "") << "the file buffer is emptied";
    EXPECT_STREQ(g_app.openDialog.lpstrInitialDir, Path("templates\\").c_str());
    EXPECT_EQ(std::string(edited->name) + "|" + std::to_string(edited->id == id) + "|" + JoinExtensions(*edited) + "|" +
                  JoinTabWidths(*edited) + "|" + JoinTemplates(*edited) + "|" + std::to_string(edited->keepTabs) +
                  "|" + edited->codeStyle,
              "Zed|1|c,h|2|x.c;y.c;|0|") << "changed in place; \"None\" is no style";
    EXPECT_NE(std::string(g_app.openDialog.lpstrFilter, kFileFilterSize).find("Zed"), std::string::npos);
    EXPECT_EQ(modalDialogs.back(), IDD_STYLES) << "the Styles button opens the Styles dialog";
    EXPECT_EQ(g_app.fileTypes->first->next->next, nullptr) << "the added types went";
}

} // namespace scrivlet
