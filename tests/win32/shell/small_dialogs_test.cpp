// Go To and New From Template, opened by their commands and driven as a user would.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <cstring>

namespace scrivlet {

// The limit is the document's line count or length; the number is selected after each jump.
TEST_F(ShellTest, GoToJumpsToLinesAndOffsetsAndStaysOpen)
{
    Start();
    Type("one\ntwo\nthree!");
    std::vector<DWORD> carets;
    dialogDriver = [&](HWND dialog) {
        for (const char *number : {"3", "4", "14", "15"}) {
            if (*number == '1') // from here on offsets
                SendDlgItemMessageA(dialog, IDC_GOTO_WHAT, LB_SETCURSEL, 1, 0);
            SetDlgItemTextA(dialog, IDC_GOTO_NUMBER, number);
            Click(dialog, IDC_GOTO_JUMP);
            DWORD start = 0, end = 0;
            SendDlgItemMessageA(dialog, IDC_GOTO_NUMBER, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            carets.push_back(end - start == std::strlen(number) ? Selection().start : 999);
        }
        Click(dialog, IDCANCEL);
    };
    Command(IDM_GOTO);
    EXPECT_EQ(carets, (std::vector<DWORD>{8, 8, 14, 14}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Line number must be between 1 and 3 !",
                                                    "Offset must be between 0 and 14 !"}));
}

// Types in list order, then slots in order; OK only with a selection.
TEST_F(ShellTest, NewFromTemplateListsEveryTemplateAndMakesAnUntitledDocument)
{
    WriteFile("main.c", "int main(void) { return 0; }\r\n");
    WriteFile("notes.txt", "Notes\r\n");
    WriteSettingsFile("[File Types]\r\nName=Source\r\nExtensions=c\r\nTemplate=" + Path("main.c") + "\r\nTemplate=" +
                      Path("notes.txt") + "\r\nName=Text\r\nExtensions=txt\r\nTemplate=" + Path("main.c") + "\r\n");
    Start();
    std::string items;
    dialogDriver = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
            char text[300] = "";
            ListView_GetItemText(list, i, 0, text, sizeof text);
            items += text + std::string("|");
        }
        items += Enabled(dialog, IDOK) ? "OK" : "no OK";
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Click(dialog, IDOK);
    };
    Command(IDM_NEWFROMTEMPLATE);
    EXPECT_EQ(items, "Source template - main|Source template - notes|Text template - main|no OK");
    EXPECT_EQ(Title() + EditText(), "Untitled.txt - ScrivletNotes\r\n");
}

} // namespace scrivlet
