// About, Go To, Date and Time and New From Template, opened by their
// commands and driven as a user would.
#include "shell_fixture.h"

#include <commctrl.h>

#include "resources/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace scrivlet {

namespace {

std::vector<std::string> ListItems(HWND list)
{
    std::vector<std::string> items;
    for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        char text[300] = "";
        SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
        items.push_back(text);
    }
    return items;
}

} // namespace

TEST_F(ShellTest, AboutShowsTheVersionAndWholeKilobytesAndOnlyOkCloses)
{
    Start();
    bool stayedOnEscape = false;
    dialogDriver = [&](HWND dialog) {
        char title[64] = "";
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ(title, "About Scrivlet");
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_NAME), "Scrivlet");
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), "Version 1.1");
        MEMORYSTATUS memory = {};
        memory.dwLength = sizeof memory;
        GlobalMemoryStatus(&memory);
        char total[64];
        std::snprintf(total, sizeof total, "%lu KB", static_cast<unsigned long>(memory.dwTotalPhys / 1024));
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TOTALMEMORY), total);
        std::string load = ItemText(dialog, IDC_ABOUT_MEMORYLOAD);
        EXPECT_EQ(load.substr(load.size() - 2), " %");
        EXPECT_NE(ItemText(dialog, IDC_ABOUT_FREEMEMORY).find(" KB"), std::string::npos);
        Click(dialog, IDCANCEL);
        stayedOnEscape = IsWindowVisible(dialog) != FALSE;
        Click(dialog, IDOK);
    };
    Command(IDM_ABOUT);
    EXPECT_TRUE(stayedOnEscape);
    EXPECT_FALSE(static_cast<bool>(dialogDriver)) << "the dialog ran";
}

TEST_F(ShellTest, GoToJumpsToLinesAndOffsetsAndStaysOpen)
{
    Start();
    Type("one\ntwo\nthree!");
    std::vector<DWORD> carets;
    dialogDriver = [&](HWND dialog) {
        HWND what = GetDlgItem(dialog, IDC_GOTO_WHAT);
        EXPECT_EQ(ListItems(what), (std::vector<std::string>{"Line", "Offset"}));
        EXPECT_EQ(SendMessageA(what, LB_GETCURSEL, 0, 0), 0);
        auto jump = [&](const char *number) {
            SetDlgItemTextA(dialog, IDC_GOTO_NUMBER, number);
            Click(dialog, IDC_GOTO_JUMP);
            carets.push_back(Selection().start == Selection().end ? Selection().start : 999);
            DWORD start = 0, end = 0;
            SendDlgItemMessageA(dialog, IDC_GOTO_NUMBER, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            EXPECT_EQ(end - start, DWORD(std::strlen(number))) << "the number is selected for the next one";
        };
        for (const char *line : {"3", "2", "4", "0", "", "x"})
            jump(line);
        SendMessageA(what, LB_SETCURSEL, 1, 0);
        for (const char *offset : {"14", "5", "15"})
            jump(offset);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "still open after the jumps";
        Click(dialog, IDCANCEL);
    };
    Command(IDM_GOTO);
    EXPECT_EQ(carets, (std::vector<DWORD>{8, 4, 4, 4, 4, 4, 14, 5, 5}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                              "Line number must be between 1 and 3 !", "Line number must be between 1 and 3 !",
                              "Line number must be between 1 and 3 !", "Line number must be between 1 and 3 !",
                              "Offset must be between 0 and 14 !"}));
    EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
}

TEST_F(ShellTest, DateAndTimeInsertsTheChosenFormatForUndo)
{
    Start();
    Type("[]");
    Select(1, 1);
    std::string first;
    dialogDriver = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_DATETIME_FORMATS);
        std::vector<std::string> formats = ListItems(list);
        ASSERT_GE(formats.size(), 3u) << "short dates, long dates and times";
        SYSTEMTIME now;
        GetLocalTime(&now);
        char shortDate[64] = "";
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, shortDate, sizeof shortDate);
        EXPECT_EQ(formats[0], shortDate) << "the first short format comes first";
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        first = formats[0];
        Click(dialog, IDOK);
    };
    Command(IDM_DATETIME);
    EXPECT_EQ(EditText(), "[" + first + "]");
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "[]");

    dialogDriver = [](HWND dialog) { Click(dialog, IDCANCEL); };
    Command(IDM_DATETIME);
    EXPECT_EQ(EditText(), "[]");
}

TEST_F(ShellTest, NewFromTemplateListsEveryTemplateAndMakesAnUntitledDocument)
{
    WriteFile("main.c", "int main(void) { return 0; }\r\n");
    WriteFile("notes.txt", "Notes\r\n");
    WriteSettingsFile("[File Types]\r\nName=Source\r\nExtensions=c\r\nTemplate=" + Path("main.c") +
                      "\r\nTemplate=" + Path("notes.txt") + "\r\nName=Text\r\nExtensions=txt\r\nTemplate=" +
                      Path("main.c") + "\r\n");
    Start();
    std::vector<std::string> items;
    dialogDriver = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
            char text[300] = "";
            ListView_GetItemText(list, i, 0, text, sizeof text);
            items.push_back(text);
        }
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "nothing is selected yet";
        Click(dialog, IDOK); // does nothing
        EXPECT_TRUE(IsWindowVisible(dialog));
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        Click(dialog, IDOK);
    };
    Command(IDM_NEWFROMTEMPLATE);
    EXPECT_EQ(items, (std::vector<std::string>{"Source template - main", "Source template - notes",
                                               "Text template - main"}))
        << "types in list order, then slots in order";
    EXPECT_EQ(Title(), "Untitled.txt - Scrivlet");
    EXPECT_EQ(EditText(), "Notes\r\n");

    dialogDriver = [](HWND dialog) {
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(dialog, IDC_TEMPLATE_LIST)), 3);
        Click(dialog, IDCANCEL);
    };
    Type("more");
    Command(IDM_NEWFROMTEMPLATE);
    EXPECT_TRUE(boxes.empty()) << "a cancelled choice asks nothing";
    EXPECT_EQ(EditText(), "moreNotes\r\n");
}

TEST_F(ShellTest, NewFromTemplateWithoutTemplatesOffersNothing)
{
    Start();
    dialogDriver = [](HWND dialog) {
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(dialog, IDC_TEMPLATE_LIST)), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        Click(dialog, IDCANCEL);
    };
    Command(IDM_NEWFROMTEMPLATE);
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
}

// Options and File Types from the menu: a confirmed Options dialog is
// applied and written at once; a cancelled one changes nothing.
TEST_F(ShellTest, TheOptionsCommandAppliesAndWritesOnlyWhatIsConfirmed)
{
    Start();
    dialogDriver = [](HWND dialog) {
        CheckRadioButton(dialog, IDC_OPTIONS_INDENTNONE, IDC_OPTIONS_INDENTDEFAULT, IDC_OPTIONS_INDENTDEFAULT);
        CheckDlgButton(dialog, IDC_OPTIONS_BACKUP, BST_CHECKED);
        Click(dialog, IDCANCEL);
    };
    Command(IDM_OPTIONS);
    EXPECT_EQ(SendToEdit(AEM_GETAUTOINDENT, 0, 0), 0);
    EXPECT_EQ(g_app.backupFiles, 0u);

    dialogDriver = [](HWND dialog) {
        CheckRadioButton(dialog, IDC_OPTIONS_INDENTNONE, IDC_OPTIONS_INDENTDEFAULT, IDC_OPTIONS_INDENTDEFAULT);
        CheckDlgButton(dialog, IDC_OPTIONS_BACKUP, BST_CHECKED);
        Click(dialog, IDOK);
    };
    Command(IDM_OPTIONS);
    EXPECT_EQ(SendToEdit(AEM_GETAUTOINDENT, 0, 0), 1);
    EXPECT_EQ(g_app.backupFiles, 1u);
    std::string written = ReadFile("Scrivlet.ini");
    EXPECT_NE(written.find("\r\nBackupFiles=1\r\n"), std::string::npos) << "written at once";
    EXPECT_NE(written.find("\r\nAutoIndent=1\r\n"), std::string::npos);

    bool fileTypesShown = false;
    dialogDriver = [&](HWND dialog) {
        fileTypesShown = SendDlgItemMessageA(dialog, IDC_FILETYPES_LIST, LB_GETCOUNT, 0, 0) > 0;
        Click(dialog, IDC_FILETYPES_CLOSE);
    };
    Command(IDM_FILETYPES);
    EXPECT_TRUE(fileTypesShown) << "the shipped file types are listed";
    EXPECT_TRUE(boxes.empty());
}

// The Styles dialog opens from the menu and from the File Types dialog.
TEST_F(ShellTest, TheStylesDialogOpensFromTheMenuAndFromFileTypes)
{
    Start();
    LRESULT listed = 0;
    dialogDriver = [&](HWND dialog) {
        listed = SendDlgItemMessageA(dialog, IDC_STYLES_LIST, LB_GETCOUNT, 0, 0);
        Click(dialog, IDC_STYLES_CLOSE);
    };
    Command(IDM_STYLES);
    EXPECT_EQ(listed, SendToEdit(AEM_GETSTYLECOUNT, 0, 0));
    EXPECT_GT(listed, 0);

    bool nestedShown = false;
    dialogDriver = [&](HWND fileTypes) {
        dialogDriver = [&](HWND styles) {
            nestedShown = GetWindow(styles, GW_OWNER) == fileTypes;
            Click(styles, IDC_STYLES_CLOSE);
        };
        Click(fileTypes, IDC_FILETYPES_STYLES);
        Click(fileTypes, IDC_FILETYPES_CLOSE);
    };
    Command(IDM_FILETYPES);
    EXPECT_TRUE(nestedShown) << "owned by the File Types dialog";
    EXPECT_TRUE(boxes.empty());
}

} // namespace scrivlet
