// The Options and File Types dialogs, one whole user flow each; the field
// rules are tested in tests/shell/dialog_rules_test.cpp.
#include "shell_fixture.h"

#include "config/file_types.h"
#include "core/id_list.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"
#include "shell/settings_texts.h"

namespace scrivlet {

// The record is shown, a refused field keeps the dialog open, and OK applies and writes what the fields hold.
TEST_F(ShellTest, OptionsShowsTheSettingsRefusesAFieldAndAppliesTheRest)
{
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=30\r\nBackupFiles=1\r\n");
    Start();
    std::string shown;
    dialogDriver = [&](HWND dialog) {
        shown = FieldText(dialog, IDC_OPTIONS_PERIOD) + (Checked(dialog, IDC_OPTIONS_BACKUP) ? " backup" : "");
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, "0");
        CheckDlgButton(dialog, IDC_OPTIONS_BACKUP, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_OPTIONS_BRACKETHELP, BST_CHECKED);
        Click(dialog, IDOK);
        shown += IsWindowVisible(dialog) ? " stayed" : " closed";
        SetDlgItemTextA(dialog, IDC_OPTIONS_PERIOD, " 45 ");
        Click(dialog, IDOK);
    };
    Command(IDM_OPTIONS);
    EXPECT_EQ(shown, "30 backup stayed");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Minute value must be between 1 and 1440 !"});
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(std::to_string(g_app.autoSavePeriod) + std::to_string(g_app.backupFiles), "450");
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), AEO_BRACKETFLASH);
    std::string written = ReadFile("Scrivlet.ini");
    EXPECT_NE(written.find("AutoSavePeriod=45\r\nBackupFiles=0\r\nBracketHelp=1\r\n"), std::string::npos) << written;
}

// Add and Delete act at once; an edited type is rebuilt in place once its fields pass; Close tells of the edit.
TEST_F(ShellTest, FileTypesAddDeleteAndEditATypeInPlace)
{
    WriteSettingsFile("[File Types]\r\nName=Batch\r\nExtensions=bat\r\nCodeStyle=Batch\r\n"
                      "Name=C/C++\r\nExtensions=c,cpp,h\r\nTabStops=4,8\r\nKeepTabs=1\r\nCodeStyle=C/C++\r\n"
                      "Template=" + Path("a.c") + "\r\n");
    Start();
    auto *edited = static_cast<FileType *>(g_app.fileTypes->first->next->value);
    std::vector<std::string> shown;
    dialogDriver = [&](HWND dialog) {
        Click(dialog, IDC_FILETYPES_ADD);
        shown = ListTexts(dialog, IDC_FILETYPES_LIST);
        Click(dialog, IDC_FILETYPES_DELETE);
        dialogDriver = [&](HWND edit) {
            for (int field : {IDC_EDITFILETYPE_NAME, IDC_EDITFILETYPE_EXTENSIONS, IDC_EDITFILETYPE_TABSTOPS,
                              IDC_EDITFILETYPE_TEMPLATES, IDC_EDITFILETYPE_CODESTYLE})
                shown.push_back(FieldText(edit, field));
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_NAME, "");
            Click(edit, IDOK);
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_NAME, "Zed");
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_EXTENSIONS, "c;h");
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_TABSTOPS, "2");
            CheckDlgButton(edit, IDC_EDITFILETYPE_KEEPTABS, BST_UNCHECKED);
            SetDlgItemTextA(edit, IDC_EDITFILETYPE_TEMPLATES, "x.c;;y.c");
            SendDlgItemMessageA(edit, IDC_EDITFILETYPE_CODESTYLE, CB_SELECTSTRING, WPARAM(-1), LPARAM("None"));
            Click(edit, IDOK);
        };
        SelectEntry(dialog, IDC_FILETYPES_LIST, 1, true); // "C/C++", after "Batch": a double click edits
        for (const std::string &entry : ListTexts(dialog, IDC_FILETYPES_LIST))
            shown.push_back(entry);
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    Command(IDM_FILETYPES);
    EXPECT_EQ(shown, (std::vector<std::string>{"Batch", "C/C++", "File type 003", "C/C++", "c,cpp,h", "4,8",
                                               Path("a.c") + ";", "C/C++", "Batch", "Zed"}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File type name is required !",
                                                    "You have made changes to one or more file types.\nThese changes "
                                                    "will only be applied on the next file load."}));
    EXPECT_EQ(std::string(edited->name) + "|" + JoinExtensions(*edited) + "|" + JoinTabWidths(*edited) + "|" +
                  JoinTemplates(*edited) + "|" + std::to_string(edited->keepTabs) + "|" + edited->codeStyle,
              "Zed|c,h|2|x.c;y.c;|0|") << "changed in place; \"None\" is no style";
    EXPECT_NE(std::string(g_app.openDialog.lpstrFilter, kFileFilterSize).find("Zed"), std::string::npos);
    EXPECT_EQ(g_app.fileTypes->first->next->next, nullptr) << "the added type went";
}

} // namespace scrivlet
