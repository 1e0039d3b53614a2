// Opening, saving, backups, the save prompt, templates, inserting files, auto-save and
// the recent-file list, with real files on disk (the real program: scripts/e2e-editor).
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

TEST_F(ShellTest, OpenEditSaveAndSaveAsKeepNamesBackupsAndLineEnds)
{
    WriteSettingsFile("[Options]\r\nBackupFiles=1\r\n");
    WriteFile("a.txt", "one\r\ntwo\rthree\n");
    Start();
    Type("draft");
    saveChoices = {"", Path("fresh.txt")};
    Command(IDM_SAVE); // untitled: asks for a name, cancelled
    EXPECT_EQ(g_app.modified, 1u);
    Command(IDM_SAVE);
    EXPECT_EQ(saveDialogNames, (std::vector<std::string>{"Untitled", "Untitled"}));
    EXPECT_EQ(ReadFile("fresh.txt") + "|" + ReadFile("fresh.bak"), "draft|") << "the first save makes no backup";

    openChoices.push_back(Path("a.txt"));
    Command(IDM_OPEN);
    EXPECT_EQ(EditText() + "|" + Title() + "|" + StatusPart(3), "one\r\ntwo\r\nthree\r\n|a.txt - Scrivlet|");
    EXPECT_EQ(RecentValue(1), Path("fresh.txt") + ";0;0") << "the document left enters the list";
    EXPECT_EQ(SendToEdit(AEM_CANUNDO, 0, 0), 0) << "opening empties the undo store";
    Select(0, 3);
    Type("ONE");
    EXPECT_EQ(StatusPart(3), "Modified");
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("a.txt") + "|" + ReadFile("a.bak"), "ONE\r\ntwo\r\nthree\r\n|one\r\ntwo\rthree\n");
    EXPECT_EQ(StatusPart(3) + std::to_string(g_app.modified), "0");

    saveChoices.push_back(Path("c.txt"));
    Command(IDM_SAVEAS);
    EXPECT_EQ(ReadFile("c.txt") + "|" + Title(), "ONE\r\ntwo\r\nthree\r\n|c.txt - Scrivlet");
    EXPECT_EQ(RecentValue(2), Path("a.txt") + ";0;0") << "the old name is left";
    EXPECT_EQ(saveDialogNames.size(), 3u) << "a named document is saved under its name";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ShellTest, TheSavePromptsThreeAnswersBeforeNewAndOpen)
{
    WriteFile("a.txt", "text");
    WriteFile("b.txt", "b");
    Start(Path("a.txt"));
    Type("1");
    answers = {IDCANCEL, IDYES};
    Command(IDM_NEW);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text,
              "Scrivlet|File a.txt has changed.\n\nDo you want to save the changes ?");
    EXPECT_EQ(boxes[0].type, UINT(MB_YESNOCANCEL | MB_ICONWARNING));
    EXPECT_EQ(EditText(), "1text") << "Cancel stops New";
    Command(IDM_NEW);
    EXPECT_EQ(ReadFile("a.txt") + "|" + Title(), "1text|Untitled - Scrivlet") << "Yes saves first";
    EXPECT_EQ(g_app.modified, 0u);
    Type("2");
    answers = {IDYES}; // the Save As dialog the prompt opens is cancelled
    Command(IDM_NEW);
    EXPECT_EQ(EditText(), "2") << "a cancelled Save As cancels the New that asked";

    answers = {IDNO, IDCANCEL};
    openChoices = {Path("a.txt"), Path("b.txt")};
    Command(IDM_OPEN); // No drops the text
    Type("2");
    Command(IDM_OPEN); // asked after the file was chosen: Cancel keeps all
    EXPECT_EQ(EditText() + "|" + Title(), "21text|a.txt - Scrivlet");
}

TEST_F(ShellTest, TemplatesAndInsertedFilesKeepTheNameTheTypeAndOneUndoStep)
{
    const std::string skeleton = "int main(void)\r\n{\r\n}\r\n";
    WriteFile("skeleton.c", skeleton);
    WriteFile("Untitled.txt", "named untitled");
    WriteFile("part.txt", "ab\r\ncd");
    Start(Path("Untitled.txt"));
    EXPECT_TRUE(GetMenuState(OpenPopup(FILE_MENU_POSITION), IDM_REFRESH, 0) & MF_GRAYED) << "Untitled is untitled";
    NewFromTemplatePath(Path("skeleton.c").c_str());
    EXPECT_EQ(EditText() + "|" + Title(), skeleton + "|Untitled.c - Scrivlet");
    EXPECT_EQ(SendToEdit(AEM_GETSTYLE, 0, 0), SendToEdit(AEM_FINDSTYLE, WPARAM("C/C++"), 0));
    Command(IDM_SAVE);
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled.c"});
    Select(4, 8);
    openChoices = {Path("part.txt")};
    Command(IDM_INSERTFILE);
    EXPECT_EQ(EditText() + "|" + StatusPart(3), "int ab\r\ncd(void)\r\n{\r\n}\r\n|Modified");
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), skeleton) << "one undo takes the insertion back";
    std::string binary(200000, 'x');
    binary[150000] = '\0'; // past the first block the control reads: the text cannot hold it
    WriteFile("binary.dat", binary);
    answers = {IDNO};
    openChoices = {Path("binary.dat")};
    Command(IDM_OPEN);
    EXPECT_EQ(boxes.back().text, "File binary.dat contains NUL characters and cannot be edited as text !");
    EXPECT_EQ(EditText() + "|" + Title(), skeleton + "|Untitled.c - Scrivlet") << "the document is kept";
}

namespace {

// The items of the Recent Files submenu of an opened File menu.
std::string RecentItems(HMENU file)
{
    HMENU recent = GetSubMenu(file, RECENT_FILES_POSITION);
    std::string items;
    for (int i = 0; i < GetMenuItemCount(recent); ++i) {
        char text[300] = "";
        GetMenuStringA(recent, i, text, sizeof text, MF_BYPOSITION);
        items += std::string(text) + (GetMenuState(recent, i, MF_BYPOSITION) & MF_GRAYED ? " grayed\n" : "\n");
    }
    return items;
}

} // namespace

// Left documents enter the list oldest first, the sixth drops the oldest; selections are stored only with the option.
TEST_F(ShellTest, TheRecentListKeepsFiveLeftDocumentsAndTheirSelectionsWithTheOption)
{
    Start();
    EXPECT_EQ(RecentItems(OpenPopup(FILE_MENU_POSITION)), "empty grayed\n");
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        WriteFile(name, std::string(40, *name)), OpenByPath(Path(name).c_str());
    Select(10, 20);
    Command(IDM_NEW);
    Command(IDM_NEW); // leaving an untitled document changes nothing
    EXPECT_EQ(RecentItems(OpenPopup(FILE_MENU_POSITION)),
              "&1 " + Path("a.txt") + "\n&2 " + Path("b.txt") + "\n&3 " + Path("c.txt") + "\n");
    EXPECT_EQ(RecentValue(3) + "|" + RecentValue(4), Path("c.txt") + ";0;0|") << "no selection without the option";
    Close();
    WriteSettingsFile("[Options]\r\nStoreRecentFileSel=1\r\n");
    Start(Path("b.txt"));
    Select(10, 20);
    for (const char *name : {"d.txt", "e.txt"})
        WriteFile(name, name), OpenByPath(Path(name).c_str());
    Close();
    const char *expected[] = {"b.txt;0;0", "c.txt;0;0", "b.txt;10;20", "d.txt;0;0", "e.txt;0;0"};
    for (int number = 1; number <= 5; ++number)
        EXPECT_EQ(RecentValue(number), Path(expected[number - 1])) << number;
    Start();
    OpenPopup(FILE_MENU_POSITION);
    Command(IDM_RECENTFIRST + 2);
    EXPECT_EQ(Title() + std::to_string(Selection().start) + "-" + std::to_string(Selection().end),
              "b.txt - Scrivlet10-20") << "the stored selection is restored";
}

} // namespace scrivlet
