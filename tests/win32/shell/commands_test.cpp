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
    OpenClipboard(nullptr);
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char *>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
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
        saveDialogNames.clear();
        printDialogFlags.clear();
        openDialogsShown = helpCalls = 0;
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

// Each state and the items it enables: Undo, Redo, Cut, Copy, Delete,
// Select All, Paste and Refresh, "1" for enabled.
TEST_F(ShellTest, TheMenusFollowTheSelectionTheHistoryTheClipboardAndTheName)
{
    WriteFile("n.txt", "");
    Start();
    PutOnClipboard(nullptr);
    const struct {
        const char *state;
        std::function<void()> reach;
        const char *enabled;
    } rows[] = {
        {"empty and untitled", [] {}, "00000000"},
        {"a selection and a clipboard", [this] { Type("abc"), Select(0, 1), PutOnClipboard("clip"); }, "10111110"},
        {"undone", [this] { Command(IDM_UNDO); }, "01000010"},
        {"an empty first line", [this] { Select(0, 0), Type("\nx"); }, "10000010"},
        {"named", [this] { answers = {IDNO}, OpenByPath(Path("n.txt").c_str()); }, "00000011"},
    };
    for (const auto &row : rows) {
        row.reach();
        std::string enabled;
        for (UINT item : {IDM_UNDO, IDM_REDO, IDM_CUT, IDM_COPY, IDM_DELETE, IDM_SELECTALL, IDM_PASTE, IDM_REFRESH}) {
            HMENU popup = OpenPopup(item == IDM_REFRESH ? FILE_MENU_POSITION : EDIT_MENU_POSITION);
            enabled += GetMenuState(popup, item, 0) & MF_GRAYED ? '0' : '1';
        }
        EXPECT_EQ(enabled, row.enabled) << row.state;
    }
}

// One conversion and one indent keep their selection and are one undo step
// each; Bracket Flash keeps the other options.
TEST_F(ShellTest, CaseConversionIndentAndBracketFlashKeepTheirSelectionAndOtherBits)
{
    Start();
    Type("xaB1y\nz");
    Select(1, 4);
    Command(IDM_INVERTCASE);
    EXPECT_EQ(EditText() + "|" + std::to_string(Selection().start) + "-" + std::to_string(Selection().end),
              "xAb1y\r\nz|1-4");
    Select(0, 7);
    Command(IDM_ADDINDENT);
    EXPECT_EQ(EditText(), "\txAb1y\r\n\tz");
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "xAb1y\r\nz") << "one undo step";
    SendToEdit(AEM_SETOPTIONS, 0, 0x6);
    Command(IDM_BRACKETFLASH);
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), 0x7);
}

} // namespace scrivlet
