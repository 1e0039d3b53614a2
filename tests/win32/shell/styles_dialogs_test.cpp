// The Styles dialogs driven through a whole user session, checked through
// what they show and what styles.dat holds afterwards. The field rules are
// tested in tests/shell/dialog_rules_test.cpp.
#include "shell_fixture.h"

#include "dialogs/win32_styles_dialogs.h"
#include "resources/resource.h"
#include "shell/dialog_rules.h"

namespace scrivlet {

namespace {

// Whether the edit control awaits a whole repaint; the wait is then forgotten.
bool TakeWholeRepaint()
{
    RECT pending, client;
    GetClientRect(g_app.editControl, &client);
    bool whole = GetUpdateRect(g_app.editControl, &pending, FALSE) && EqualRect(&pending, &client);
    ValidateRect(g_app.editControl, nullptr);
    return whole;
}

INT_PTR OpenStyles(ShellTest &test, std::function<void(HWND)> driver)
{
    test.dialogDriver = std::move(driver);
    return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_STYLES), g_app.mainWindow, StylesDialogProc,
                             LPARAM(&g_app));
}

} // namespace

// Add refuses an empty name and what the engine refuses; the new style is
// built in its Edit Style dialog; Delete asks; Escape after a change warns;
// Close saves only after a change.
TEST_F(ShellTest, StylesDialogsBuildAStyleAndSaveItOnClose)
{
    Start();
    g_stylesDialogs = {}; // as a new process finds it
    WriteFile("styles.dat", "untouched");
    size_t before = size_t(SendToEdit(AEM_GETSTYLECOUNT, 0, 0));
    EXPECT_EQ(OpenStyles(*this, [](HWND dialog) { Click(dialog, IDC_STYLES_CLOSE); }), 0);
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");
    colourAnswers = {0x00123456};
    INT_PTR result = OpenStyles(*this, [&](HWND dialog) {
        for (const char *name : {"", "C, C++", "Demo"}) {
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
            Click(edit, IDC_EDITSTYLE_RANGEADD);
            Click(edit, IDC_EDITSTYLE_SYMBOLADD);
            dialogDriver = [&](HWND dialog) {
                TakeWholeRepaint();
                SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, 7, 0); // Olive
                CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTOUPPER);
                for (const char *name : {"", "A, B", "Keyword"}) {
                    SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, name);
                    Click(dialog, IDC_STYLECLASS_NEXT);
                }
                EXPECT_TRUE(TakeWholeRepaint()) << "the edit control is repainted";
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_STYLECLASS_NAME));
                Click(dialog, IDC_STYLECLASS_CUSTOM);
                SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Comment");
                CheckDlgButton(dialog, IDC_STYLECLASS_CASESENSITIVE, BST_UNCHECKED);
                CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTOLOWER);
                Click(dialog, IDOK);
            };
            Click(edit, IDC_EDITSTYLE_CLASSADD);
            g_stylesDialogs.customColour = 0;
            dialogDriver = [&](HWND dialog) {
                EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_STYLECLASS_NEXT)));
                EXPECT_TRUE(Checked(dialog, IDC_STYLECLASS_AUTOLOWER));
                EXPECT_FALSE(Checked(dialog, IDC_STYLECLASS_CASESENSITIVE));
                SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Remark");
                Click(dialog, IDOK);
            };
            SelectEntry(edit, IDC_EDITSTYLE_CLASSES, 0, true); // "Comment"
            EXPECT_EQ(ListTexts(edit, IDC_EDITSTYLE_CLASSES), (std::vector<std::string>{"Keyword", "Remark"}));
            dialogDriver = [&](HWND dialog) {
                for (const char *start : {"", ",", "/*"}) {
                    SetDlgItemTextA(dialog, IDC_STYLERANGE_START, start);
                    SetDlgItemTextA(dialog, IDC_STYLERANGE_END, "*/");
                    CheckDlgButton(dialog, IDC_STYLERANGE_BACKSLASH, BST_CHECKED);
                    Click(dialog, IDC_STYLERANGE_NEXT);
                }
                EXPECT_EQ(FieldText(dialog, IDC_STYLERANGE_END), "") << "Next > clears both texts";
                SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "//");
                CheckDlgButton(dialog, IDC_STYLERANGE_NESTED, BST_CHECKED);
                SendDlgItemMessageA(dialog, IDC_STYLERANGE_CLASS, CB_SETCURSEL, 1, 0); // Remark
                Click(dialog, IDOK);
            };
            Click(edit, IDC_EDITSTYLE_RANGEADD);
            EXPECT_EQ(ListTexts(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[/*] - [*/]"});
            SelectEntry(edit, IDC_EDITSTYLE_CLASSES, 1);
            dialogDriver = [&](HWND dialog) {
                EXPECT_TRUE(Checked(dialog, IDC_STYLERANGE_NESTED));
                SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "#");
                Click(dialog, IDOK);
            };
            SelectEntry(edit, IDC_EDITSTYLE_RANGES, 0, true);
            EXPECT_EQ(ListTexts(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[#] - [EOL]"});
            dialogDriver = [&](HWND dialog) {
                SendDlgItemMessageA(dialog, IDC_STYLESYMBOL_CLASS, CB_SETCURSEL, 1, 0); // Remark
                for (const char *symbol : {"", "while", "no-no"}) {
                    SetDlgItemTextA(dialog, IDC_STYLESYMBOL_TEXT, symbol);
                    Click(dialog, IDC_STYLESYMBOL_NEXT);
                }
                EXPECT_EQ(FieldText(dialog, IDC_STYLESYMBOL_TEXT), "no-no") << "a refused text stays";
                Click(dialog, IDCANCEL);
            };
            Click(edit, IDC_EDITSTYLE_SYMBOLADD);
            EXPECT_EQ(ListTexts(edit, IDC_EDITSTYLE_SYMBOLS), std::vector<std::string>{"while"});
            Click(edit, IDC_EDITSTYLE_CLOSE);
        };
        SelectEntry(dialog, IDC_STYLES_LIST, added, true);
        answers = {IDNO, IDYES};
        Click(dialog, IDC_STYLES_DELETE); // "Demo", kept
        SelectEntry(dialog, IDC_STYLES_LIST, int(before));
        Click(dialog, IDC_STYLES_DELETE);
        EXPECT_EQ(ListSelection(dialog, IDC_STYLES_LIST), int(before) - 1) << "the last goes to the one before";
        answers = {IDCANCEL};
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the warning's Cancel keeps the dialog";
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    const std::string note = "You must create at least one style class before adding ranges or symbols !";
    const std::string question =
        "Are you sure you want to delete the selected style and all classes, ranges and symbols it contains ?";
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{
                              CheckStyleText(kNewStyleName, ""),
                              "The following error occurred while creating the new style:\n\n[" +
                                  std::string(kStyleRefusedText) + "]",
                              note, note, CheckStyleText(kClassName, ""), kClassRefusedText,
                              CheckStyleText(kRangeStart, ""), kRangeRefusedText, CheckStyleText(kSymbolText, ""),
                              "Symbol contains illegal characters ! ", question, question,
                              "Style information has changed. These changements will not be saved to disk."}));
    EXPECT_EQ(boxes[0].type + boxes[1].type, UINT(MB_OK | MB_ICONINFORMATION) + UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(size_t(SendToEdit(AEM_GETSTYLECOUNT, 0, 0)), before);
    EXPECT_NE(ReadFile("styles.dat").find("X,Demo,$@\r\n\r\nC,Keyword,1,2,00007F7F\r\nR,/*,*/,1,0\r\n\r\n"
                                          "C,Remark,0,1,00123456\r\nR,#,,1,1\r\nS,while\r\n\r\n"),
              std::string::npos)
        << "saved; the colour met was kept, the range changed in place";
}

} // namespace scrivlet
