// The commands of the menu and the accelerators, and the menu states.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <cstring>

namespace scrivlet {

namespace {

void PutOnClipboard(const char *text)
{
    ASSERT_TRUE(OpenClipboard(g_app.mainWindow));
    EmptyClipboard();
    if (text != nullptr) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

} // namespace

TEST_F(ShellTest, TheEditMenuFollowsTheSelectionTheHistoryAndTheClipboard)
{
    Start();
    PutOnClipboard(nullptr);
    HMENU edit = OpenPopup(EDIT_MENU_POSITION);
    for (UINT command : {IDM_UNDO, IDM_REDO, IDM_CUT, IDM_COPY, IDM_DELETE, IDM_SELECTALL, IDM_PASTE})
        EXPECT_FALSE(ItemEnabled(edit, command)) << command;

    Type("abc");
    Select(0, 1);
    PutOnClipboard("clip");
    edit = OpenPopup(EDIT_MENU_POSITION);
    for (UINT command : {IDM_UNDO, IDM_CUT, IDM_COPY, IDM_DELETE, IDM_SELECTALL, IDM_PASTE})
        EXPECT_TRUE(ItemEnabled(edit, command)) << command;
    EXPECT_FALSE(ItemEnabled(edit, IDM_REDO));

    Command(IDM_UNDO);
    EXPECT_EQ(EditText(), "");
    EXPECT_EQ(StatusPart(3), "Modified") << "the status message is cleared again";
    edit = OpenPopup(EDIT_MENU_POSITION);
    EXPECT_TRUE(ItemEnabled(edit, IDM_REDO));
    Command(IDM_REDO);
    EXPECT_EQ(EditText(), "abc");

    Select(0, 0);
    Type("\n");
    edit = OpenPopup(EDIT_MENU_POSITION);
    EXPECT_FALSE(ItemEnabled(edit, IDM_SELECTALL)) << "the first line is empty";
    Command(IDM_SELECTALL);
    EXPECT_EQ(Selection().start, 0u);
    EXPECT_EQ(Selection().end, 4u);

    Command(IDM_CUT);
    EXPECT_EQ(EditText(), "");
    Command(IDM_PASTE);
    EXPECT_EQ(EditText(), "\r\nabc");
}

TEST_F(ShellTest, CaseConversionKeepsTheSelection)
{
    Start();
    Type("xaB1y");
    struct Case {
        UINT command;
        const char *text;
    };
    const Case cases[] = {{IDM_INVERTCASE, "xAb1y"}, {IDM_UPPERCASE, "xAB1y"}, {IDM_LOWERCASE, "xab1y"}};
    for (const Case &c : cases) {
        Select(1, 4);
        Command(c.command);
        EXPECT_EQ(EditText(), c.text);
        EXPECT_EQ(Selection().start, 1u);
        EXPECT_EQ(Selection().end, 4u);
    }
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "xAB1y") << "each conversion is one undo step";
    Select(2, 2);
    Command(IDM_UPPERCASE);
    EXPECT_EQ(EditText(), "xAB1y") << "nothing without a selection";
}

TEST_F(ShellTest, IndentingSelectAllAndCtrlBTwiceKeepingTheOtherOptionBits)
{
    Start();
    Type("one\ntwo");
    Select(0, 5);
    PressKey('T', true, true); // Ctrl+Shift+T
    EXPECT_EQ(EditText(), "\tone\r\n\ttwo");
    PressKey('T', true); // Ctrl+T
    EXPECT_EQ(EditText(), "one\r\ntwo");
    PressKey('A', true);
    EXPECT_EQ(Selection().end, 7u);

    SendToEdit(AEM_SETOPTIONS, 0, 0x6);
    PressKey('B', true);
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), 0x7);
    PressKey('B', true);
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), 0x6);
}

TEST_F(ShellTest, TheFontChoiceIsCheckedInTheMenuAndWrittenAtExit)
{
    Start();
    HMENU advanced = OpenPopup(ADVANCED_MENU_POSITION);
    EXPECT_EQ(GetMenuState(advanced, IDM_FONTANSI, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    Command(IDM_FONTSYSTEM);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendToEdit(WM_GETFONT, 0, 0)), GetStockObject(SYSTEM_FIXED_FONT));
    Command(IDM_FONTOEM); // refused by the control under Wine (a scalable font), kept as the setting
    advanced = OpenPopup(ADVANCED_MENU_POSITION);
    EXPECT_EQ(GetMenuState(advanced, IDM_FONTOEM, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(advanced, IDM_FONTANSI, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(advanced, IDM_FONTSYSTEM, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Close();
    EXPECT_NE(ReadFile("Scrivlet.ini").find("\r\nFont=1\r\n"), std::string::npos);
}

TEST_F(ShellTest, EscapeInTheTextClosesThroughTheSavePrompt)
{
    Start();
    Type("unsaved");
    answers.push_back(IDCANCEL);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Running()) << "Cancel keeps the program";
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{SavePromptText("Untitled")});
    answers.push_back(IDNO);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Running());
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program quits";
}

} // namespace scrivlet
