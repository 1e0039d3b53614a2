// The recent-file list in the registry and the Recent Files submenu.
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

namespace {

// The Recent Files submenu's items after the File menu opened: text, and
// whether each is grayed.
std::vector<std::string> RecentMenu()
{
    HMENU file = GetSubMenu(GetMenu(g_app.mainWindow), FILE_MENU_POSITION);
    SendMessageA(g_app.mainWindow, WM_INITMENUPOPUP, WPARAM(file), 0);
    HMENU recent = GetSubMenu(file, RECENT_FILES_POSITION);
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(recent); ++i) {
        char text[300] = "";
        GetMenuStringA(recent, i, text, sizeof text, MF_BYPOSITION);
        UINT id = GetMenuItemID(recent, i);
        bool grayed = (GetMenuState(recent, i, MF_BYPOSITION) & MF_GRAYED) != 0;
        items.push_back(std::string(text) + " #" + std::to_string(id) + (grayed ? " grayed" : ""));
    }
    return items;
}

} // namespace

TEST_F(ShellTest, LeftDocumentsEnterTheListOldestFirstAndTheSixthDropsTheOldest)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"})
        WriteFile(name, name);
    Start();
    EXPECT_EQ(RecentMenu(), std::vector<std::string>{"empty #40043 grayed"});
    Command(IDM_RECENTFIRST); // the "empty" item does nothing
    EXPECT_EQ(Title(), "Untitled - Scrivlet");

    for (const char *name : {"a.txt", "b.txt", "a.txt"})
        OpenByPath(Path(name).c_str());
    Command(IDM_NEW);
    Command(IDM_NEW); // leaving an untitled document changes nothing
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";0;0");
    EXPECT_EQ(RecentValue(2), Path("b.txt") + ";0;0");
    EXPECT_EQ(RecentValue(3), Path("a.txt") + ";0;0");
    EXPECT_EQ(RecentValue(4), "");
    EXPECT_EQ(RecentValue(5), "");
    EXPECT_EQ(RecentMenu(), (std::vector<std::string>{"&1 " + Path("a.txt") + " #40043",
                                                      "&2 " + Path("b.txt") + " #40044",
                                                      "&3 " + Path("a.txt") + " #40045"}));

    for (const char *name : {"c.txt", "d.txt", "e.txt", "f.txt"})
        OpenByPath(Path(name).c_str());
    Close(); // leaving f.txt at exit: a, b, a, c, d, e, f entered
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";0;0") << "the two oldest entries were dropped";
    EXPECT_EQ(RecentValue(2), Path("c.txt") + ";0;0");
    EXPECT_EQ(RecentValue(4), Path("e.txt") + ";0;0");
    EXPECT_EQ(RecentValue(5), Path("f.txt") + ";0;0");
}

TEST_F(ShellTest, StoredSelectionsComeBackWhenARecentFileIsOpened)
{
    WriteSettingsFile("[Options]\r\nStoreRecentFileSel=1\r\n");
    WriteFile("a.txt", std::string(40, 'a'));
    WriteFile("b.txt", std::string(40, 'b'));
    Start(Path("a.txt"));
    Select(10, 20);
    OpenByPath(Path("b.txt").c_str());
    Select(0, 5);
    Command(IDM_NEW);
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";10;20");
    EXPECT_EQ(RecentValue(2), Path("b.txt") + ";0;5");

    RecentMenu();
    Command(IDM_RECENTFIRST);
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(Selection().start, 10u);
    EXPECT_EQ(Selection().end, 20u);

    RecentMenu();
    Command(IDM_RECENTFIRST + 1);
    EXPECT_EQ(Title(), "b.txt - Scrivlet");
    EXPECT_EQ(Selection().end, 0u) << "a selection starting at 0 is not restored";
}

TEST_F(ShellTest, WithoutTheSelectionOptionEntriesStoreZeroAndMalformedValuesReadSafely)
{
    WriteFile("a.txt", std::string(40, 'a'));
    Start(Path("a.txt"));
    Select(10, 20);
    Command(IDM_NEW);
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";0;0");

    SetRecentValue(1, Path("a.txt"));
    SetRecentValue(2, "");
    SetRecentValue(3, "C:\\after\\the\\gap.txt;1;2");
    EXPECT_EQ(RecentMenu(), std::vector<std::string>{"&1 " + Path("a.txt") + " #40043"})
        << "an empty slot ends the list";
    Command(IDM_RECENTFIRST);
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(Selection().end, 0u);

    SetRecentValue(1, std::string(400, 'x')); // longer than a value buffer
    EXPECT_EQ(RecentMenu(), std::vector<std::string>{"empty #40043 grayed"});
}

} // namespace scrivlet
