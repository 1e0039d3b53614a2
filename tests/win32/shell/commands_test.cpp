// The commands of the menu and the keys, and the menu states.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <cstring>
#include <map>
#include <set>

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

std::string ClipboardText()
{
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char *>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

// Every item of the menu and its submenus, with its text.
void CollectItems(HMENU menu, std::map<UINT, std::string> &items)
{
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        char text[300] = "";
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        if (HMENU popup = GetSubMenu(menu, position))
            CollectItems(popup, items);
        else if (GetMenuItemID(menu, position) != 0)
            items[GetMenuItemID(menu, position)] = text;
    }
}

class MenuCommands : public ShellTest {
protected:
    // A named, modified document with an undo and a redo step, a selection
    // of mixed case on an indented line, a font none of the menu's, and a
    // clipboard other than the selection: every command has work to do.
    void StartWorking()
    {
        WriteFile("a.txt", "\tHello world");
        CopyFileA(SCRIVLET_DATA_DIR "/Scrivlet.ini", Path("Scrivlet.ini").c_str(), FALSE); // as each exit wrote it
        SetRecentValue(1, Path("b.txt"));
        Start(Path("a.txt"));
        Select(12, 12);
        Type("!");
        Select(0, 0);
        Type("x");
        SendToEdit(AEM_UNDO, 0, 0);
        Select(1, 4);
        g_app.font = kFontSystem + 1;
        PutOnClipboard("clip");
        OpenPopup(FILE_MENU_POSITION);
        answers.assign(3, IDCANCEL);
        printAnswers.assign(1, PrintAnswer{false});
        dialogDriver = [this](HWND dialog) { // About has no Cancel; Styles may ask to leave its changes
            answers.assign(1, IDOK);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            if (IsWindowVisible(dialog))
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        };
        boxes.clear();
        modalDialogs.clear();
    }

    std::string State()
    {
        std::string state = EditText() + "|" + Title() + "|" + ClipboardText() + "|" + ReadFile("a.txt");
        for (LRESULT value : {LRESULT(Selection().start), LRESULT(Selection().end), LRESULT(g_app.modified),
                              LRESULT(g_app.font), SendToEdit(WM_GETFONT, 0, 0), SendToEdit(AEM_GETOPTIONS, 0, 0),
                              LRESULT(boxes.size()), LRESULT(modalDialogs.size()), LRESULT(openDialogsShown),
                              LRESULT(saveDialogNames.size()), LRESULT(printDialogFlags.size()), LRESULT(helpCalls),
                              LRESULT(g_app.findDialog != nullptr), LRESULT(Running())})
            state += "|" + std::to_string(value);
        return state;
    }

    void Finish()
    {
        answers.assign(1, IDNO);
        if (Running())
            Close();
        openDialogsShown = helpCalls = 0;
        saveDialogNames.clear();
        printDialogFlags.clear();
    }
};

} // namespace

// Each command of the menu and the accelerators changes something, and each
// shortcut a menu item shows does what the item does.
TEST_F(MenuCommands, EveryCommandWorksAndEveryShownShortcutMatchesItsItem)
{
    StartWorking();
    std::map<UINT, std::string> items;
    CollectItems(GetMenu(g_app.mainWindow), items);
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL entries[64];
    int count = CopyAcceleratorTableA(table, entries, 64);
    Finish();
    std::set<UINT> commands;
    for (const auto &item : items)
        commands.insert(item.first);
    for (int i = 0; i < count; ++i)
        commands.insert(entries[i].cmd);
    EXPECT_GE(commands.size(), 37u);

    std::map<UINT, std::string> after;
    for (UINT command : commands) {
        StartWorking();
        std::string before = State();
        Command(command);
        after[command] = State();
        EXPECT_NE(after[command], before) << "command " << command << " " << items[command];
        Finish();
    }

    struct Key {
        int key;
        bool ctrl, shift;
        UINT command;
    };
    // Keys of commands that their items do not show.
    std::vector<Key> keys = {{VK_ESCAPE, false, false, IDM_EXIT}, {VK_F2, false, false, IDM_SAVE},
                             {'B', true, false, IDM_BRACKETFLASH}};
    for (const auto &item : items) {
        size_t tab = item.second.find('\t');
        if (tab == std::string::npos || item.second.substr(tab + 1) == "F1")
            continue; // F1 comes as WM_HELP from the system, not as a key of the window
        std::string shortcut = item.second.substr(tab + 1);
        Key key = {0, shortcut.find("Ctrl+") == 0, shortcut.find("Shift+") != std::string::npos, item.first};
        std::string name = shortcut.substr(shortcut.rfind('+') + 1);
        key.key = name.size() == 1 ? name[0] : name == "Del" ? VK_DELETE : VK_F1 + std::atoi(name.c_str() + 1) - 1;
        keys.push_back(key);
    }
    EXPECT_GE(keys.size(), 24u);
    for (const Key &key : keys) {
        StartWorking();
        PressKey(key.key, key.ctrl, key.shift);
        EXPECT_EQ(State(), after[key.command]) << "key " << key.key << " ctrl " << key.ctrl << " shift " << key.shift;
        Finish();
    }
}

TEST_F(ShellTest, TheMenusFollowTheSelectionTheHistoryTheClipboardTheNameAndTheFont)
{
    Start();
    PutOnClipboard(nullptr);
    HMENU edit = OpenPopup(EDIT_MENU_POSITION);
    for (UINT command : {IDM_UNDO, IDM_REDO, IDM_CUT, IDM_COPY, IDM_DELETE, IDM_SELECTALL, IDM_PASTE})
        EXPECT_FALSE(ItemEnabled(edit, command)) << command;
    EXPECT_FALSE(ItemEnabled(OpenPopup(FILE_MENU_POSITION), IDM_REFRESH)) << "untitled";
    Type("abc");
    Select(0, 1);
    PutOnClipboard("clip");
    edit = OpenPopup(EDIT_MENU_POSITION);
    for (UINT command : {IDM_UNDO, IDM_CUT, IDM_COPY, IDM_DELETE, IDM_SELECTALL, IDM_PASTE})
        EXPECT_TRUE(ItemEnabled(edit, command)) << command;
    EXPECT_FALSE(ItemEnabled(edit, IDM_REDO));
    Command(IDM_UNDO);
    EXPECT_EQ(StatusPart(3), "Modified") << "the status message is cleared again";
    EXPECT_TRUE(ItemEnabled(OpenPopup(EDIT_MENU_POSITION), IDM_REDO));
    Select(0, 0);
    Type("\n");
    EXPECT_FALSE(ItemEnabled(OpenPopup(EDIT_MENU_POSITION), IDM_SELECTALL)) << "the first line is empty";

    auto checks = [this] {
        HMENU advanced = OpenPopup(ADVANCED_MENU_POSITION);
        return std::to_string(GetMenuState(advanced, IDM_FONTANSI, 0) & MF_CHECKED) +
               std::to_string(GetMenuState(advanced, IDM_FONTOEM, 0) & MF_CHECKED);
    };
    EXPECT_EQ(checks(), "80");
    Command(IDM_FONTOEM); // refused by the control under Wine (a scalable font), kept as the setting
    EXPECT_EQ(checks(), "08");
    WriteFile("n.txt", "");
    answers = {IDNO};
    OpenByPath(Path("n.txt").c_str());
    EXPECT_TRUE(ItemEnabled(OpenPopup(FILE_MENU_POSITION), IDM_REFRESH));
    Close();
    EXPECT_NE(ReadFile("Scrivlet.ini").find("\r\nFont=1\r\n"), std::string::npos);
}

TEST_F(ShellTest, CaseConversionIndentAndBracketFlashKeepTheirSelectionAndOtherBits)
{
    Start();
    Type("xaB1y\nz");
    for (auto [command, text] : {std::pair<UINT, const char *>{IDM_INVERTCASE, "xAb1y\r\nz|1-4"},
                                 {IDM_UPPERCASE, "xAB1y\r\nz|1-4"}, {IDM_LOWERCASE, "xab1y\r\nz|1-4"},
                                 {IDM_ADDINDENT, "\txab1y\r\n\tz"}, {IDM_REMOVEINDENT, "xab1y\r\nz"}}) {
        bool indent = command == IDM_ADDINDENT || command == IDM_REMOVEINDENT;
        Select(indent ? 0 : 1, indent ? 7 : 4);
        Command(command);
        std::string selection = "|" + std::to_string(Selection().start) + "-" + std::to_string(Selection().end);
        EXPECT_EQ(EditText() + (indent ? "" : selection), text);
    }
    for (int undo = 0; undo < 3; ++undo)
        SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "xAB1y\r\nz") << "each conversion is one undo step";
    SendToEdit(AEM_SETOPTIONS, 0, 0x6);
    Command(IDM_BRACKETFLASH);
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), 0x7);
}

} // namespace scrivlet
