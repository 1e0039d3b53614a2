// The Styles dialogs driven through a whole user session, checked through
// what they show and what styles.dat holds afterwards. The field rules are
// tested in tests/shell/dialog_rules_test.cpp.
#include "shell_fixture.h"

#include "dialogs/win32_styles_dialogs.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"

namespace scrivlet {

// Add refuses an empty name; the new style is built in its Edit Style
// dialog; Delete asks; Escape after a change warns; Close saves only after a change.
TEST_F(ShellTest, StylesDialogsBuildAStyleAndSaveItOnClose)
{
    Start();
    g_stylesDialogs = {}; // as a new process finds it
    WriteFile("styles.dat", "untouched");
    size_t before = size_t(SendToEdit(AEM_GETSTYLECOUNT, 0, 0));
    dialogDriver = [](HWND dialog) { Click(dialog, IDC_STYLES_CLOSE); };
    Command(IDM_STYLES);
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");
    dialogDriver = [&](HWND dialog) {
        for (const char *name : {"", "Demo"}) {
            dialogDriver = [name](HWND add) {
                SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, name);
                SetDlgItemTextA(add, IDC_ADDSTYLE_CHARACTERS, "$@");
                Click(add, IDOK);
                if (IsWindowVisible(add))
                    Click(add, IDCANCEL);
            };
            Click(dialog, IDC_STYLES_ADD);
        }
        int added = ListSelection(dialog, IDC_STYLES_LIST);
        EXPECT_EQ(ListTexts(dialog, IDC_STYLES_LIST).at(size_t(added)), "Demo") << "the added style is selected";
        dialogDriver = [&](HWND edit) {
            dialogDriver = [&](HWND dialog) {
                SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, 7, 0); // Olive
                CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTOUPPER);
                Click(dialog, IDOK); // without a name
                SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Keyword");
                Click(dialog, IDOK);
            };
            Click(edit, IDC_EDITSTYLE_CLASSADD);
            dialogDriver = [&](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "/*");
                SetDlgItemTextA(dialog, IDC_STYLERANGE_END, "*/");
                CheckDlgButton(dialog, IDC_STYLERANGE_BACKSLASH, BST_CHECKED);
                Click(dialog, IDOK);
            };
            Click(edit, IDC_EDITSTYLE_RANGEADD);
            EXPECT_EQ(ListTexts(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[/*] - [*/]"});
            Click(edit, IDC_EDITSTYLE_CLOSE);
        };
        SelectEntry(dialog, IDC_STYLES_LIST, added, true);
        answers = {IDNO};
        Click(dialog, IDC_STYLES_DELETE); // "Demo", kept
        answers = {IDCANCEL};
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the warning's Cancel keeps the dialog";
        Click(dialog, IDC_STYLES_CLOSE);
    };
    Command(IDM_STYLES);
    const std::string question =
        "Are you sure you want to delete the selected style and all classes, ranges and symbols it contains ?";
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{
                              CheckStyleText(kNewStyleName, ""), CheckStyleText(kClassName, ""), question,
                              "Style information has changed. These changements will not be saved to disk."}));
    EXPECT_EQ(boxes[0].type + boxes[2].type,
              UINT(MB_OK | MB_ICONINFORMATION) + UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(size_t(SendToEdit(AEM_GETSTYLECOUNT, 0, 0)), before + 1);
    EXPECT_NE(ReadFile("styles.dat").find("X,Demo,$@\r\n\r\nC,Keyword,1,2,00007F7F\r\nR,/*,*/,1,0\r\n"),
              std::string::npos)
        << ReadFile("styles.dat");
}

} // namespace scrivlet
