// Start-up, the command line, the status bar, notifications and shutdown.
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

TEST_F(ShellTest, StartsWithTheSettingsAppliedAndWritesThemBackAtExit)
{
    WriteSettingsFile("[Options]\r\nAutoIndent=1\r\nUndoLevels=7\r\nBracketHelp=1\r\nFont=2\r\n"
                      "StoreRecentFileSel=1\r\nDefaultDirectory=C:\\work\r\n[File Types]\r\nName=Notes\r\n"
                      "Extensions=txt\r\n");
    Start();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Title() + "|" + StatusPart(0) + "|" + StatusPart(1) + "|" + StatusPart(3),
              "Untitled - Scrivlet|Ln 1, Col 1||");
    EXPECT_EQ(std::to_string(SendToEdit(AEM_GETUNDOLEVELS, 0, 0)) + " levels, options " +
                  std::to_string(SendToEdit(AEM_GETOPTIONS, 0, 0)), "7 levels, options 1") << "1: bracket flash";
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendToEdit(WM_GETFONT, 0, 0)), GetStockObject(SYSTEM_FIXED_FONT));
    EXPECT_STREQ(g_app.documentDirectory, "C:\\work") << "a new document starts in the default directory";
    EXPECT_EQ(SendToEdit(AEM_GETAUTOINDENT, 0, 0), 1);
    SendToEdit(AEM_SETAUTOINDENT, 0, 0); // options the control keeps are read back at exit
    Close();
    std::string written = ReadFile("Scrivlet.ini");
    EXPECT_EQ(written.find("[Options]\r\nAutoSave=0\r\nAutoSavePeriod=15\r\nBackupFiles=0\r\nBracketHelp=1\r\n"
                           "StoreRecentFileSel=1\r\nUndoLevels=7\r\nAutoIndent=0\r\nDefaultDirectory=C:\\work\r\n"
                           "Font=2\r\n"), 0u) << written;
    EXPECT_NE(written.find("[File Types]\r\nName=Notes\r\nExtensions=txt\r\n"), std::string::npos);

    // Without a settings file: reported.
    DeleteFileA(Path("Scrivlet.ini").c_str());
    Start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Scrivlet - Error|INI file could not be opened !");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONERROR));
}

// How the line is cut in tokens is tested natively (tests/shell).
TEST_F(ShellTest, CommandLinesAndDropsOpenTheirFirstFile)
{
    WriteFile("a b.txt", "first\r\n");
    WriteFile("c.txt", "second\r\n");
    const struct {
        const char *line, *title, *box;
        int help;
    } cases[] = {
        {"\"a b.txt\" -x", "a b.txt", "Unknown parameter ignored !", 0},
        {"\"a b.txt\" \"c.txt\"", "a b.txt", "Multiple parameter ignored !", 0},
        {"\"a b.txt\" /?", "a b.txt", "", 1},
        {"missing.txt", "Untitled", "File could not be opened !", 0},
        {"c.txt", "c.txt", "", 0},
    };
    for (const auto &c : cases) {
        helpCalls = 0;
        Start(c.line);
        EXPECT_EQ(Title(), c.title + std::string(" - Scrivlet")) << c.line;
        EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>(*c.box != 0, c.box)) << c.line;
        EXPECT_EQ(helpCalls, c.help) << c.line;
        Close();
    }
    EXPECT_EQ(RecentValue(2), Path("c.txt") + ";0;0") << "a relative name stands for its full path";

    Start();
    Drop({Path("c.txt"), Path("a b.txt")});
    EXPECT_EQ(Title() + "|" + EditText(), "c.txt - Scrivlet|second\r\n");
}

TEST_F(ShellTest, TheStatusBarAndNotificationsFollowTheControl)
{
    Start();
    Type("one\ntwo\nthree\tx");
    EXPECT_EQ(StatusPart(0), "Ln 3, Col 10") << "columns count tab stops";
    for (auto [modifier, shown] : {std::pair<int, const char *>{VK_SHIFT, ""}, {0, "OVR"}, {VK_CONTROL, "OVR"}}) {
        PressKey(VK_INSERT, modifier == VK_CONTROL, modifier == VK_SHIFT); // not with Shift or Ctrl held
        EXPECT_EQ(StatusPart(1), shown) << modifier;
    }
    for (WORD code : {WORD(AEN_ERRSPACE), WORD(AEN_LOWMEMORY), WORD(AEN_MAXTEXT)})
        SendMessageA(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(kEditControlId, code), LPARAM(g_app.editControl));
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{kErrSpaceText, kLowMemoryText, kMaxTextText}));
    EXPECT_EQ(boxes[0].title + boxes[1].title + boxes[2].title,
              "Scrivlet - WarningScrivlet - WarningScrivlet - Information");
    EXPECT_EQ(boxes[1].type + boxes[2].type, UINT(MB_OK | MB_ICONWARNING) + UINT(MB_OK | MB_ICONINFORMATION));
}

} // namespace scrivlet
