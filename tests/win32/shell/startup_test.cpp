// Start-up, the command line, the main window's children and shutdown.
#include "shell_fixture.h"

#include <shlobj.h>

#include "advancededit.h"

#include <cstring>

namespace scrivlet {

namespace {

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

TEST_F(ShellTest, StartsUntitledWithTheSettingsAppliedAndWritesThemBackAtExit)
{
    WriteSettingsFile("[Options]\r\nAutoIndent=1\r\nUndoLevels=7\r\nBracketHelp=1\r\nFont=2\r\n"
                      "StoreRecentFileSel=1\r\nDefaultDirectory=C:\\work\r\n[File Types]\r\nName=Notes\r\n"
                      "Extensions=txt\r\n");
    Start();
    EXPECT_TRUE(boxes.empty()) << BoxTexts()[0];
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
    EXPECT_EQ(StatusPart(0), "Ln 1, Col 1");
    EXPECT_EQ(StatusPart(1), "");
    EXPECT_EQ(StatusPart(3), "");
    EXPECT_EQ(SendToEdit(AEM_GETAUTOINDENT, 0, 0), 1);
    EXPECT_EQ(SendToEdit(AEM_GETUNDOLEVELS, 0, 0), 7);
    EXPECT_EQ(SendToEdit(AEM_GETOPTIONS, 0, 0), AEO_BRACKETFLASH);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendToEdit(WM_GETFONT, 0, 0)), GetStockObject(SYSTEM_FIXED_FONT));
    EXPECT_STREQ(g_app.documentDirectory, "C:\\work") << "a new document starts in the default directory";
    EXPECT_EQ(SendToEdit(AEM_GETLIMITTEXT, 0, 0), LRESULT(0xFFFFFFFE)) << "the largest limit";
    EXPECT_EQ(GetDlgCtrlID(g_app.editControl), 1);
    EXPECT_EQ(GetDlgCtrlID(g_app.statusBar), 2);
    EXPECT_EQ(GetFocus(), g_app.editControl);

    SendToEdit(AEM_SETAUTOINDENT, 0, 0); // options the control keeps are read back at exit
    Close();
    std::string written = ReadFile("Scrivlet.ini");
    EXPECT_EQ(written.find("[Options]\r\nAutoSave=0\r\nAutoSavePeriod=15\r\nBackupFiles=0\r\nBracketHelp=1\r\n"
                           "StoreRecentFileSel=1\r\nUndoLevels=7\r\nAutoIndent=0\r\nDefaultDirectory=C:\\work\r\n"
                           "Font=2\r\n"),
              0u)
        << written;
    EXPECT_NE(written.find("[File Types]\r\nName=Notes\r\nExtensions=txt\r\n"), std::string::npos) << "the file types are written back";
}

TEST_F(ShellTest, AMissingSettingsFileIsReportedAndACompleteOneIsWrittenAtExit)
{
    DeleteFileA(Path("Scrivlet.ini").c_str());
    Start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "INI file could not be opened !");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_STREQ(g_app.documentDirectory, WithoutTrailingBackslash(folder).c_str())
        << "the default directory is the current one";
    Close();
    EXPECT_EQ(ReadFile("Scrivlet.ini"),
              "[Options]\r\nAutoSave=0\r\nAutoSavePeriod=15\r\nBackupFiles=0\r\nBracketHelp=0\r\n"
              "StoreRecentFileSel=0\r\nUndoLevels=100\r\nAutoIndent=0\r\nDefaultDirectory=" +
                  WithoutTrailingBackslash(folder) +
                  "\r\nFont=0\r\n\r\n[File Types]\r\n\r\n[Page Setup]\r\nHeader=&F\r\nFooter=&P\r\n"
                  "MarginLeft=0.63\r\nMarginRight=0.63\r\nMarginTop=0.00\r\nMarginBottom=0.00\r\n");
}

TEST_F(ShellTest, TheRegistryPathChoosesTheWorkingDirectoryUntilExit)
{
    std::string work = Path("work");
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    WriteFile("work\\Scrivlet.ini", "[Options]\r\nAutoIndent=1\r\n");
    CopyFileA(Path("styles.dat").c_str(), Path("work\\styles.dat").c_str(), FALSE);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE *>(work.c_str()), DWORD(work.size() + 1));
    RegCloseKey(key);

    Start();
    EXPECT_EQ(SendToEdit(AEM_GETAUTOINDENT, 0, 0), 1) << "the settings came from the Path directory";
    EXPECT_STREQ(g_app.documentDirectory, work.c_str());
    Close();
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    EXPECT_EQ(std::string(directory), WithoutTrailingBackslash(folder)) << "the start-up directory is restored";
    EXPECT_EQ(ReadFile("work\\Scrivlet.ini").find("[Options]"), 0u);
}

TEST_F(ShellTest, CommandLines)
{
    WriteFile("two words", "spaced\r\n");
    WriteFile("a b.txt", "first\r\n");
    WriteFile("c.txt", "second\r\n");

    struct Case {
        const char *line;
        const char *title;
        std::vector<std::string> boxes;
        int help;
    };
    const Case cases[] = {
        {"", "Untitled - Scrivlet", {}, 0},
        {"two words", "two words - Scrivlet", {}, 0},
        {"/?", "Untitled - Scrivlet", {"File could not be opened !"}, 0},
        {"\"a b.txt\" -x", "a b.txt - Scrivlet", {"Unknown parameter ignored !"}, 0},
        {"\"a b.txt\" \"c.txt\"", "a b.txt - Scrivlet", {"Multiple parameter ignored !"}, 0},
        {"\"a b.txt\" /?", "a b.txt - Scrivlet", {}, 1},
        {"missing.txt", "Untitled - Scrivlet", {"File could not be opened !"}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        boxes.clear();
        helpCalls = 0;
        Start(c.line);
        EXPECT_EQ(Title(), c.title);
        EXPECT_EQ(BoxTexts(), c.boxes);
        EXPECT_EQ(helpCalls, c.help);
        Close();
    }
}

// The recent-file list holds full paths, so a name given relative to the
// current directory is opened as the full path it stands for.
TEST_F(ShellTest, ARelativeNameOnTheCommandLineOpensByItsFullPath)
{
    WriteFile("notes.txt", "notes");
    Start("notes.txt");
    EXPECT_EQ(EditText(), "notes");
    EXPECT_EQ(std::string(g_app.documentDirectory), folder);
    Close();
    EXPECT_EQ(RecentValue(1), Path("notes.txt") + ";0;0");
}

TEST_F(ShellTest, ChildrenFillTheClientAreaWithTheStatusBarAtTheBottom)
{
    Start();
    for (SIZE size : {SIZE{640, 480}, SIZE{300, 200}}) {
        SetWindowPos(g_app.mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client, edit, status;
        GetClientRect(g_app.mainWindow, &client);
        GetWindowRect(g_app.editControl, &edit);
        GetWindowRect(g_app.statusBar, &status);
        MapWindowPoints(nullptr, g_app.mainWindow, reinterpret_cast<POINT *>(&edit), 2);
        MapWindowPoints(nullptr, g_app.mainWindow, reinterpret_cast<POINT *>(&status), 2);
        EXPECT_EQ(edit.left, 0);
        EXPECT_EQ(edit.top, 0);
        EXPECT_EQ(edit.right, client.right);
        EXPECT_EQ(edit.bottom, status.top);
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(status.right, client.right);
        EXPECT_GT(status.bottom - status.top, 10);
    }
}

TEST_F(ShellTest, InsertTypedIntoTheControlTogglesOverwriteUnlessShiftOrCtrlIsHeld)
{
    Start();
    SendToEdit(WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ(StatusPart(1), "OVR");
    SendToEdit(WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ(StatusPart(1), "");

    BYTE keys[256], held[256];
    GetKeyboardState(keys);
    for (int modifier : {VK_SHIFT, VK_CONTROL}) {
        std::memcpy(held, keys, sizeof held);
        held[modifier] = 0x80;
        SetKeyboardState(held);
        SendToEdit(WM_KEYDOWN, VK_INSERT, 0);
        SetKeyboardState(keys);
        EXPECT_EQ(StatusPart(1), "") << "modifier " << modifier;
    }
}

TEST_F(ShellTest, TheCaretPositionFollowsTheSelection)
{
    Start();
    Type("one\ntwo\nthree\tx");
    EXPECT_EQ(StatusPart(0), "Ln 3, Col 10") << "columns count tab stops";
    Select(8, 8);
    EXPECT_EQ(StatusPart(0), "Ln 3, Col 1");
    Select(6, 6);
    EXPECT_EQ(StatusPart(0), "Ln 2, Col 3");
    EXPECT_EQ(g_app.caretLine, 2u);
    EXPECT_EQ(g_app.caretColumn, 3u);
}

TEST_F(ShellTest, DroppingFilesOpensOnlyTheFirstAndRefusesANameTooLongForAPath)
{
    WriteFile("first.txt", "first\r\n");
    WriteFile("second.txt", "second\r\n");
    Start();
    SendMessageA(g_app.mainWindow, WM_DROPFILES, WPARAM(MakeDrop({Path("first.txt"), Path("second.txt")})), 0);
    EXPECT_EQ(Title(), "first.txt - Scrivlet");
    EXPECT_EQ(EditText(), "first\r\n");

    std::string tooLong = folder + std::string(300, 'x') + ".txt";
    SendMessageA(g_app.mainWindow, WM_DROPFILES, WPARAM(MakeDrop({tooLong})), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"File could not be opened !"});
    EXPECT_EQ(Title(), "first.txt - Scrivlet");
}

TEST_F(ShellTest, HelpAndControlNotificationsReachTheUser)
{
    Start();
    EXPECT_EQ(SendMessageA(g_app.mainWindow, WM_HELP, 0, 0), 1);
    EXPECT_EQ(helpCalls, 1);
    for (WORD code : {WORD(AEN_ERRSPACE), WORD(AEN_LOWMEMORY), WORD(AEN_MAXTEXT)})
        SendMessageA(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(kEditControlId, code), LPARAM(g_app.editControl));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Unable to allocate enough memory !");
    EXPECT_EQ(boxes[0].title, "Scrivlet - Warning");
    EXPECT_EQ(boxes[1].text,
              "Your system is low in memory. You should close other programs to free up memory.");
    EXPECT_EQ(boxes[1].type, UINT(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(boxes[2].text, "You have exceeded the maximum size for a Scrivlet text !");
    EXPECT_EQ(boxes[2].title, "Scrivlet - Information");
    EXPECT_EQ(boxes[2].type, UINT(MB_OK | MB_ICONINFORMATION));
    for (const ShownBox &box : boxes)
        EXPECT_EQ(box.owner, g_app.mainWindow);
}

} // namespace scrivlet
