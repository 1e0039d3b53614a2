// About, Go To, Date and Time and New From Template, opened by their
// commands and driven as a user would; and the list helpers all the dialog
// tests share.
#include "shell_fixture.h"

#include <commctrl.h>

#include "resources/resource.h"

#include <cstring>

namespace scrivlet {

// The list helpers, declared again where used:
std::vector<std::string> ListTexts(HWND dialog, int list, bool combo = false);
int ListSelection(HWND dialog, int list, bool combo = false);
void SelectEntry(HWND dialog, int list, int index, bool doubleClick = false);

std::vector<std::string> ListTexts(HWND dialog, int list, bool combo)
{
    std::vector<std::string> texts(size_t(SendDlgItemMessageA(dialog, list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < texts.size(); ++i) {
        char text[512] = "";
        SendDlgItemMessageA(dialog, list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(i), LPARAM(text));
        texts[i] = text;
    }
    return texts;
}

int ListSelection(HWND dialog, int list, bool combo)
{
    return int(SendDlgItemMessageA(dialog, list, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

// Selects as a user does: the list tells its dialog, and double-clicks when asked.
void SelectEntry(HWND dialog, int list, int index, bool doubleClick)
{
    SendDlgItemMessageA(dialog, list, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, list)));
    if (doubleClick)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_DBLCLK), LPARAM(GetDlgItem(dialog, list)));
}

TEST_F(ShellTest, AboutAndDateAndTimeShowTheirTextsAndOnlyOkActs)
{
    Start();
    Type("[]");
    Select(1, 1);
    std::vector<std::string> shown;
    dialogDriver = [&](HWND dialog) {
        Click(dialog, IDCANCEL);
        shown = {FieldText(dialog, IDC_ABOUT_VERSION), IsWindowVisible(dialog) ? "stayed" : "gone"};
        Click(dialog, IDOK);
    };
    Command(IDM_ABOUT);
    EXPECT_EQ(shown, (std::vector<std::string>{"Version 1.1", "stayed"}));
    dialogDriver = [&](HWND dialog) {
        shown = ListTexts(dialog, IDC_DATETIME_FORMATS);
        EXPECT_EQ(ListSelection(dialog, IDC_DATETIME_FORMATS), 0);
        Click(dialog, IDOK);
    };
    Command(IDM_DATETIME);
    ASSERT_GE(shown.size(), 3u) << "short dates, long dates and times";
    EXPECT_EQ(EditText(), "[" + shown[0] + "]");
    SendToEdit(AEM_UNDO, 0, 0);
    dialogDriver = [](HWND dialog) { Click(dialog, IDCANCEL); };
    Command(IDM_DATETIME);
    EXPECT_EQ(EditText(), "[]");
}

// The rule's limit is the document's: its line count or its length.
TEST_F(ShellTest, GoToJumpsToLinesAndOffsetsAndStaysOpen)
{
    Start();
    Type("one\ntwo\nthree!");
    std::vector<DWORD> carets;
    dialogDriver = [&](HWND dialog) {
        for (const char *number : {"3", "2", "4", "x", "", "14", "5", "15"}) {
            if (*number == '\0') // from here on offsets
                SendDlgItemMessageA(dialog, IDC_GOTO_WHAT, LB_SETCURSEL, 1, 0);
            SetDlgItemTextA(dialog, IDC_GOTO_NUMBER, number);
            Click(dialog, IDC_GOTO_JUMP);
            DWORD start = 0, end = 0; // the number is selected for the next one
            SendDlgItemMessageA(dialog, IDC_GOTO_NUMBER, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            carets.push_back(end - start == std::strlen(number) ? Selection().start : 999);
        }
        Click(dialog, IDCANCEL);
    };
    Command(IDM_GOTO);
    EXPECT_EQ(carets, (std::vector<DWORD>{8, 4, 4, 4, 4, 14, 5, 5}));
    const std::string line = "Line number must be between 1 and 3 !", offset = "Offset must be between 0 and 14 !";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{line, line, offset, offset}));
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
        EXPECT_FALSE(Enabled(dialog, IDOK)) << "nothing is selected yet";
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Click(dialog, IDOK);
    };
    Command(IDM_NEWFROMTEMPLATE);
    EXPECT_EQ(items, (std::vector<std::string>{"Source template - main", "Source template - notes",
                                               "Text template - main"}))
        << "types in list order, then slots in order";
    EXPECT_EQ(Title() + EditText(), "Untitled.txt - ScrivletNotes\r\n");
}

} // namespace scrivlet
