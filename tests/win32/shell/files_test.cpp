// Opening, saving, backups, the save prompt, refresh, templates, inserting
// files, auto-save and the recent-file list, with real files on disk. Typing
// into a document saved with CR LF line ends, and the document left at exit
// heading the recent-file list, are proven of the real program by
// scripts/e2e-editor.
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

TEST_F(ShellTest, OpenEditSaveAndSaveAsKeepNamesBackupsAndLineEnds)
{
    WriteSettingsFile("[Options]\r\nBackupFiles=1\r\n");
    WriteFile("a.txt", "one\r\ntwo\rthree\n");
    Start();
    Type("draft");
    Command(IDM_SAVE); // untitled: asks for a name, cancelled
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled"});
    EXPECT_EQ(saveDialogFolders[0] + "\\", folder) << "the document directory is where it starts";
    EXPECT_EQ(g_app.modified, 1u);
    saveChoices.push_back(Path("fresh.txt"));
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("fresh.txt") + "|" + ReadFile("fresh.bak"), "draft|") << "the first save makes no backup";
    EXPECT_EQ(RecentValue(1), "<none>") << "an untitled document enters no list";

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
    Type("1");
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("a.bak"), "ONE\r\ntwo\r\nthree\r\n") << "an existing backup is replaced";

    saveChoices.push_back(Path("c.txt"));
    Command(IDM_SAVEAS);
    EXPECT_EQ(ReadFile("c.txt"), ReadFile("a.txt"));
    EXPECT_EQ(Title(), "c.txt - Scrivlet");
    EXPECT_EQ(RecentValue(2), Path("a.txt") + ";0;0") << "the old name is left";
    EXPECT_EQ(saveDialogNames.size(), 3u) << "a named document is saved under its name";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ShellTest, TheSavePromptsThreeAnswersBeforeNewOpenAndRefresh)
{
    WriteFile("a.txt", "text");
    WriteFile("b.txt", "b");
    Start(Path("a.txt"));
    Type("1");
    answers = {IDCANCEL, IDYES};
    Command(IDM_NEW);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Scrivlet|File a.txt has changed.\n\nDo you want to save the changes ?");
    EXPECT_EQ(boxes[0].type, UINT(MB_YESNOCANCEL | MB_ICONWARNING));
    EXPECT_EQ(boxes[0].owner, g_app.mainWindow);
    EXPECT_EQ(EditText(), "1text") << "Cancel stops New";
    Command(IDM_NEW);
    EXPECT_EQ(ReadFile("a.txt") + "|" + Title(), "1text|Untitled - Scrivlet") << "Yes saves first";
    EXPECT_EQ(g_app.modified, 0u);
    EXPECT_STREQ(g_app.documentDirectory, folder.c_str()) << "New keeps the directory";
    Type("2");
    answers = {IDYES}; // the Save As dialog the prompt opens is cancelled
    Command(IDM_NEW);
    EXPECT_EQ(EditText(), "2") << "a cancelled Save As cancels the New that asked";

    answers = {IDNO, IDCANCEL, IDNO};
    openChoices = {Path("a.txt"), Path("b.txt")};
    Command(IDM_OPEN);
    Type("2");
    Command(IDM_OPEN); // asked after the file was chosen: Cancel keeps all
    EXPECT_EQ(EditText() + "|" + Title(), "21text|a.txt - Scrivlet");
    WriteFile("a.txt", "disk again");
    Command(IDM_REFRESH);
    EXPECT_EQ(EditText() + std::to_string(g_app.modified), "disk again0");
    EXPECT_EQ(boxes.size(), 6u);
    boxes.clear();
    for (const std::string &path : {Path("missing.txt"), folder + std::string(260, 'n') + ".txt"}) {
        OpenByPath(path.c_str());
        EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"File could not be opened !"});
        EXPECT_EQ(Title(), "a.txt - Scrivlet");
    }
}

TEST_F(ShellTest, TemplatesAndInsertedFilesKeepTheNameTheTypeAndOneUndoStep)
{
    const std::string skeleton = "int main(void)\r\n{\r\n}\r\n";
    WriteFile("skeleton.c", skeleton);
    WriteFile("Untitled.txt", "named untitled");
    WriteFile("part.txt", "ab\r\ncd");
    Start(Path("Untitled.txt"));
    EXPECT_FALSE(ItemEnabled(OpenPopup(FILE_MENU_POSITION), IDM_REFRESH)) << "a file called Untitled is untitled";
    NewFromTemplatePath(Path("skeleton.c").c_str());
    EXPECT_EQ(EditText() + "|" + Title(), skeleton + "|Untitled.c - Scrivlet");
    EXPECT_EQ(g_app.documentDirectory, folder);
    EXPECT_EQ(SendToEdit(AEM_GETSTYLE, 0, 0), SendToEdit(AEM_FINDSTYLE, WPARAM("C/C++"), 0));
    EXPECT_EQ(SendToEdit(AEM_CANUNDO, 0, 0), 0);
    Command(IDM_SAVE);
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled.c"});

    Select(4, 8);
    openChoices = {Path("part.txt"), ""};
    Command(IDM_INSERTFILE);
    EXPECT_EQ(EditText() + "|" + Title() + "|" + StatusPart(3),
              "int ab\r\ncd(void)\r\n{\r\n}\r\n|Untitled.c - Scrivlet|Modified");
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), skeleton) << "one undo takes the insertion back";
    Command(IDM_INSERTFILE); // cancelled
    EXPECT_EQ(EditText(), skeleton);
    answers = {IDNO};
    NewFromTemplatePath(Path("missing.c").c_str());
    EXPECT_EQ(TakeBoxTexts().back(), "File could not be opened !");
}

// The text cannot hold a NUL byte: such a file is neither opened nor inserted.
TEST_F(ShellTest, AFileHoldingANulByteIsRefusedAndTheDocumentKept)
{
    WriteFile("a.txt", "mine");
    std::string binary(200000, 'x');
    binary[150000] = '\0'; // past the first block the control reads
    WriteFile("binary.dat", binary);
    Start(Path("a.txt"));
    Type("edit ");
    answers = {IDNO};
    openChoices = {Path("binary.dat"), Path("binary.dat")};
    Command(IDM_OPEN);
    Command(IDM_INSERTFILE);
    const std::string refused = "File binary.dat contains NUL characters and cannot be edited as text !";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{boxes[0].text, refused, refused}));
    EXPECT_EQ(EditText() + "|" + Title() + "|" + RecentValue(1), "edit mine|a.txt - Scrivlet|<none>");
    EXPECT_EQ(g_app.modified, 1u);
}

TEST_F(ShellTest, AutoSaveWritesOnlyAModifiedDocument)
{
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=1\r\n");
    WriteFile("a.txt", "text");
    Start(Path("a.txt"));
    EXPECT_EQ(g_app.autoSaveTimerOn, 1u);
    WriteFile("a.txt", "changed on disk");
    Tick();
    EXPECT_EQ(ReadFile("a.txt"), "changed on disk") << "an unmodified document is not written";
    Type("more ");
    Tick();
    EXPECT_EQ(ReadFile("a.txt") + std::to_string(g_app.modified), "more text0");
    Command(IDM_NEW);
    Type("untitled");
    Tick();
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled"}) << "an untitled document asks for a name";
}

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
