// The recent-file list in the registry and the Recent Files submenu. That
// the document left at exit heads the list is proven of the real program by
// scripts/e2e-editor.
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

namespace {

// The Recent Files submenu after the File menu opened: "text #command", grayed or not.
std::string RecentMenu()
{
    HMENU file = GetSubMenu(GetMenu(g_app.mainWindow), FILE_MENU_POSITION);
    SendMessageA(g_app.mainWindow, WM_INITMENUPOPUP, WPARAM(file), 0);
    HMENU recent = GetSubMenu(file, RECENT_FILES_POSITION);
    std::string items;
    for (int i = 0; i < GetMenuItemCount(recent); ++i) {
        char text[300] = "";
        GetMenuStringA(recent, i, text, sizeof text, MF_BYPOSITION);
        bool grayed = GetMenuState(recent, i, MF_BYPOSITION) & MF_GRAYED;
        items += std::string(text) + " #" + std::to_string(GetMenuItemID(recent, i)) + (grayed ? " grayed\n" : "\n");
    }
    return items;
}

} // namespace

TEST_F(ShellTest, LeftDocumentsEnterTheListOldestFirstAndTheSixthDropsTheOldest)
{
    Start();
    EXPECT_EQ(RecentMenu(), "empty #40043 grayed\n");
    Command(IDM_RECENTFIRST); // the "empty" item does nothing
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
    for (const char *name : {"a.txt", "b.txt", "a.txt"})
        WriteFile(name, name), OpenByPath(Path(name).c_str());
    Command(IDM_NEW);
    Command(IDM_NEW); // leaving an untitled document changes nothing
    EXPECT_EQ(RecentMenu(), "&1 " + Path("a.txt") + " #40043\n&2 " + Path("b.txt") + " #40044\n&3 " +
                                Path("a.txt") + " #40045\n");
    EXPECT_EQ(RecentValue(4), "");
    for (const char *name : {"c.txt", "d.txt", "e.txt", "f.txt"})
        WriteFile(name, name), OpenByPath(Path(name).c_str());
    Close(); // leaving f.txt at exit: a, b, a, c, d, e, f entered
    const char *expected[] = {"a", "c", "d", "e", "f"};
    for (int number = 1; number <= 5; ++number)
        EXPECT_EQ(RecentValue(number), Path(std::string(expected[number - 1]) + ".txt") + ";0;0") << number;
}

TEST_F(ShellTest, SelectionsAreStoredOnlyWithTheOptionAndMalformedValuesReadSafely)
{
    WriteFile("a.txt", std::string(40, 'a'));
    WriteFile("b.txt", std::string(40, 'b'));
    Start(Path("a.txt"));
    Select(10, 20);
    Command(IDM_NEW);
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";0;0") << "not without the option";
    Close();
    WriteSettingsFile("[Options]\r\nStoreRecentFileSel=1\r\n");
    Start(Path("b.txt"));
    Select(0, 5);
    OpenByPath(Path("a.txt").c_str());
    Select(10, 20);
    Command(IDM_NEW);
    EXPECT_EQ(RecentValue(2) + " " + RecentValue(3), Path("b.txt") + ";0;5 " + Path("a.txt") + ";10;20");
    for (auto [entry, end] : {std::pair<int, DWORD>{2, 20}, {1, 0}}) { // a selection starting at 0 is not restored
        RecentMenu();
        Command(IDM_RECENTFIRST + entry);
        EXPECT_EQ(Selection().end, end) << entry;
    }
    EXPECT_EQ(Title(), "b.txt - Scrivlet");
    SetRecentValue(2, "");
    SetRecentValue(3, "C:\\after\\the\\gap.txt;1;2");
    EXPECT_EQ(RecentMenu(), "&1 " + Path("a.txt") + " #40043\n") << "an empty slot ends the list";
    SetRecentValue(1, std::string(400, 'x')); // longer than a value buffer
    EXPECT_EQ(RecentMenu(), "empty #40043 grayed\n");
}

} // namespace scrivlet
