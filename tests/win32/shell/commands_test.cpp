// The commands of the menu and the keys, and the menu states.
#include "shell_fixture.h"

#include "resources/resource.h"
#include "support/clipboard_text.h"

#include <map>
#include <set>

namespace scrivlet {

namespace {

void PutOnClipboard(const char *text)
{
    EXPECT_TRUE(WriteClipboardText(g_app.mainWindow, text != nullptr ? text : "")) << "the clipboard must open";
}
std::string ClipboardText() { return ReadClipboardText(nullptr); }

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
    // Runs the input on a named, modified document with undo and redo steps, a mixed-case selection on
    // an indented line, a font none of the menu's and a clipboard other than the selection (work for
    // every command); `last` is the state it leaves, `changed` whether that differs from the start.
    void Run(const std::function<void()> &input)
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
        seen = Seen();
        std::string before = State();
        input();
        changed = (last = State()) != before;
        answers.assign(1, IDNO);
        if (Running())
            Close();
    }

    std::string State()
    {
        std::string state = EditText() + "|" + Title() + "|" + ClipboardText() + "|" + ReadFile("a.txt");
        for (LRESULT value : {LRESULT(Selection().start), LRESULT(Selection().end), LRESULT(g_app.modified),
                              LRESULT(g_app.font), SendToEdit(WM_GETFONT, 0, 0), SendToEdit(AEM_GETOPTIONS, 0, 0),
                              LRESULT(Seen() - seen), LRESULT(g_app.findDialog != nullptr), LRESULT(Running())})
            state += "|" + std::to_string(value);
        return state;
    }
    // What the seams have seen, a counter in each two digits.
    size_t Seen() const
    {
        size_t counters = 0;
        for (size_t counter : {boxes.size(), modalDialogs.size(), size_t(openDialogsShown), saveDialogNames.size(),
                               printDialogFlags.size(), size_t(helpCalls)})
            counters = counters * 100 + counter;
        return counters;
    }
    size_t seen = 0; // before the input
    std::string last;
    bool changed = false;
};

} // namespace

// Each command of the menu and the accelerators changes something, and each
// shortcut a menu item shows does what the item does.
TEST_F(MenuCommands, EveryCommandWorksAndEveryShownShortcutMatchesItsItem)
{
    std::map<UINT, std::string> items;
    Run([&] { CollectItems(GetMenu(g_app.mainWindow), items); });
    ACCEL entries[64];
    int count = CopyAcceleratorTableA(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)),
                                      entries, 64);
    std::set<UINT> commands;
    for (const auto &item : items)
        commands.insert(item.first);
    for (int i = 0; i < count; ++i)
        commands.insert(entries[i].cmd);
    EXPECT_GE(commands.size(), 37u);

    std::map<UINT, std::string> after;
    for (UINT command : commands) {
        Run([&] { Command(command); });
        EXPECT_TRUE(changed) << "command " << command << " " << items[command];
        after[command] = last;
    }
    // Keys of commands that their items do not show, then the keys the items show (but F1:
    // WM_HELP from the system, not a key of the window).
    std::map<std::string, UINT> keys = {{"Esc", IDM_EXIT}, {"F2", IDM_SAVE}, {"Ctrl+B", IDM_BRACKETFLASH}};
    for (const auto &[command, text] : items)
        if (text.find('\t') != std::string::npos && text.substr(text.find('\t')) != "\tF1")
            keys[text.substr(text.find('\t') + 1)] = command;
    EXPECT_GE(keys.size(), 24u);
    for (const auto &[shortcut, command] : keys) {
        std::string name = shortcut.substr(shortcut.rfind('+') + 1);
        int key = name.size() == 1 ? name[0] : name == "Del" ? VK_DELETE : name == "Esc" ? VK_ESCAPE
                                                                 : VK_F1 + std::atoi(name.c_str() + 1) - 1;
        Run([&] { PressKey(key, shortcut.find("Ctrl+") == 0, shortcut.find("Shift+") != std::string::npos); });
        EXPECT_EQ(last, after[command]) << shortcut;
    }
}

// Each state and the items it enables: Undo, Redo, Cut, Copy, Delete, Select All, Paste and Refresh, "1" for enabled.
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

} // namespace scrivlet
