// Opening, saving, backups, the save prompt, refresh, new documents,
// templates, inserting files and auto-save, with real files on disk.
#include "shell_fixture.h"

#include "resources/resource.h"

namespace scrivlet {

namespace {

// The state of the File menu's Refresh item after the menu opened.
bool RefreshEnabled()
{
    HMENU file = GetSubMenu(GetMenu(g_app.mainWindow), FILE_MENU_POSITION);
    SendMessageA(g_app.mainWindow, WM_INITMENUPOPUP, WPARAM(file), 0);
    return (GetMenuState(file, IDM_REFRESH, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

} // namespace

TEST_F(ShellTest, OpenTypeAndSaveKeepTheNameAndWriteCrLf)
{
    WriteFile("a.txt", "one\r\ntwo\rthree\n");
    Start();
    openChoices.push_back(Path("a.txt"));
    Command(IDM_OPEN);
    EXPECT_EQ(EditText(), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(std::string(g_app.documentDirectory), folder);
    EXPECT_EQ(SendToEdit(AEM_CANUNDO, 0, 0), 0) << "opening empties the undo store";
    EXPECT_EQ(StatusPart(3), "");
    EXPECT_TRUE(RefreshEnabled());

    Select(0, 3);
    Type("ONE");
    EXPECT_EQ(StatusPart(3), "Modified");
    Command(IDM_SAVE);
    EXPECT_TRUE(saveDialogsShown.empty()) << "a named document is saved under its name";
    EXPECT_EQ(ReadFile("a.txt"), "ONE\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(StatusPart(3), "");
    EXPECT_EQ(g_app.modified, 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ShellTest, SavingAnUntitledDocumentAsksForANameAndSaveAsRenames)
{
    Start();
    Type("draft");
    Command(IDM_SAVE);
    ASSERT_EQ(saveDialogNames.size(), 1u);
    EXPECT_EQ(saveDialogNames[0], "Untitled");
    EXPECT_EQ(saveDialogFolders[0] + "\\", folder) << "the document directory is where it starts";
    EXPECT_EQ(Title(), "Untitled - Scrivlet") << "a cancelled dialog saves nothing";
    EXPECT_EQ(g_app.modified, 1u);

    saveChoices.push_back(Path("b.txt"));
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("b.txt"), "draft");
    EXPECT_EQ(Title(), "b.txt - Scrivlet");
    EXPECT_EQ(RecentValue(1), "<none>") << "an untitled document enters no list";

    saveChoices.push_back(Path("c.txt"));
    Command(IDM_SAVEAS);
    EXPECT_EQ(ReadFile("c.txt"), "draft");
    EXPECT_EQ(Title(), "c.txt - Scrivlet");
    EXPECT_EQ(RecentValue(1), Path("b.txt") + ";0;0") << "the old name is left";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ShellTest, BackupsKeepThePreviousFileButTheFirstSaveMakesNone)
{
    WriteSettingsFile("[Options]\r\nBackupFiles=1\r\n");
    WriteFile("a.txt", "old\r\n");
    Start(Path("a.txt"));
    Type("new ");
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("a.txt"), "new old\r\n");
    EXPECT_EQ(ReadFile("a.bak"), "old\r\n");
    Type("newer ");
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("a.bak"), "new old\r\n") << "an existing backup is replaced";

    Command(IDM_NEW);
    Type("fresh");
    saveChoices.push_back(Path("fresh.txt"));
    Command(IDM_SAVE);
    EXPECT_EQ(ReadFile("fresh.txt"), "fresh");
    EXPECT_FALSE(FileExists("fresh.bak"));
}

TEST_F(ShellTest, TheSavePromptsThreeAnswers)
{
    WriteFile("a.txt", "text");
    Start(Path("a.txt"));

    Type("1");
    answers.push_back(IDCANCEL);
    Command(IDM_NEW);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, SavePromptText("a.txt"));
    EXPECT_EQ(boxes[0].title, "Scrivlet");
    EXPECT_EQ(boxes[0].type, UINT(MB_YESNOCANCEL | MB_ICONWARNING));
    EXPECT_EQ(boxes[0].owner, g_app.mainWindow);
    EXPECT_EQ(Title(), "a.txt - Scrivlet") << "Cancel stops New";
    EXPECT_EQ(EditText(), "1text");

    answers.push_back(IDYES);
    Command(IDM_NEW);
    EXPECT_EQ(ReadFile("a.txt"), "1text") << "Yes saves first";
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
    EXPECT_EQ(EditText(), "");
    EXPECT_EQ(g_app.modified, 0u);
    EXPECT_STREQ(g_app.documentDirectory, folder.c_str()) << "New keeps the directory";

    Type("2");
    answers.push_back(IDYES); // the prompt; the Save As dialog it opens is cancelled
    Command(IDM_NEW);
    EXPECT_EQ(EditText(), "2") << "a cancelled Save As cancels the New that asked";

    answers.push_back(IDNO);
    Command(IDM_NEW);
    EXPECT_EQ(EditText(), "") << "No drops the changes";
    EXPECT_EQ(boxes.size(), 4u);
}

TEST_F(ShellTest, OpeningAskedAfterTheFileWasChosenAndCancelKeepsEverything)
{
    WriteFile("a.txt", "a");
    WriteFile("b.txt", "b");
    Start(Path("a.txt"));
    Type("edit ");
    openChoices.push_back(Path("b.txt"));
    answers.push_back(IDCANCEL);
    Command(IDM_OPEN);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{SavePromptText("a.txt")});
    EXPECT_EQ(EditText(), "edit a");
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(RecentValue(1), "<none>");

    answers.push_back(IDNO);
    openChoices.push_back(Path("b.txt"));
    Command(IDM_OPEN);
    EXPECT_EQ(EditText(), "b");
    EXPECT_EQ(RecentValue(1), Path("a.txt") + ";0;0") << "the document left enters the list";

    openChoices.push_back(Path("missing.txt"));
    Command(IDM_OPEN);
    EXPECT_EQ(TakeBoxTexts().back(), "File could not be opened !");
    EXPECT_EQ(Title(), "b.txt - Scrivlet");
    EXPECT_EQ(EditText(), "b");
}

TEST_F(ShellTest, RefreshReloadsFromDiskAndIsUnavailableForUntitledDocuments)
{
    WriteFile("a.txt", "disk");
    Start();
    EXPECT_FALSE(RefreshEnabled());
    Command(IDM_REFRESH);
    EXPECT_TRUE(boxes.empty());

    OpenByPath(Path("a.txt").c_str());
    EXPECT_TRUE(RefreshEnabled());
    Type("changed ");
    WriteFile("a.txt", "disk again");
    answers.push_back(IDNO);
    Command(IDM_REFRESH);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{SavePromptText("a.txt")});
    EXPECT_EQ(EditText(), "disk again");
    EXPECT_EQ(g_app.modified, 0u);

    WriteFile("Untitled.txt", "named untitled");
    OpenByPath(Path("Untitled.txt").c_str());
    EXPECT_EQ(EditText(), "named untitled");
    EXPECT_FALSE(RefreshEnabled()) << "a file called Untitled counts as untitled";
}

TEST_F(ShellTest, ATemplateGivesAnUntitledDocumentWithItsFileType)
{
    WriteFile("skeleton.c", "int main(void)\r\n{\r\n}\r\n");
    Start();
    LRESULT noStyle = SendToEdit(AEM_GETSTYLE, 0, 0);
    NewFromTemplatePath(Path("skeleton.c").c_str());
    EXPECT_EQ(EditText(), "int main(void)\r\n{\r\n}\r\n");
    EXPECT_EQ(Title(), "Untitled.c - Scrivlet");
    EXPECT_STREQ(g_app.documentDirectory, folder.substr(0, folder.size() - 1).c_str());
    EXPECT_NE(SendToEdit(AEM_GETSTYLE, 0, 0), noStyle) << "the C file type's style is chosen";
    EXPECT_EQ(SendToEdit(AEM_GETSTYLE, 0, 0), SendToEdit(AEM_FINDSTYLE, WPARAM("C/C++"), 0));
    EXPECT_FALSE(RefreshEnabled());
    EXPECT_EQ(SendToEdit(AEM_CANUNDO, 0, 0), 0);

    saveChoices.push_back(""); // the first save asks for a name
    Command(IDM_SAVE);
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled.c"});

    NewFromTemplatePath(Path("missing.c").c_str());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"File could not be opened !"});
}

TEST_F(ShellTest, InsertFileReplacesTheSelectionAndKeepsTheName)
{
    WriteFile("a.txt", "0123456789");
    WriteFile("part.txt", "ab\r\ncd");
    Start(Path("a.txt"));
    Select(2, 5);
    openChoices.push_back(Path("part.txt"));
    Command(IDM_INSERTFILE);
    EXPECT_EQ(EditText(), "01ab\r\ncd56789");
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(g_app.modified, 1u);
    EXPECT_EQ(StatusPart(3), "Modified");
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "0123456789") << "one undo takes the insertion back";

    Command(IDM_INSERTFILE); // cancelled
    EXPECT_EQ(EditText(), "0123456789");
}

TEST_F(ShellTest, AutoSaveWritesOnlyAModifiedDocument)
{
    WriteSettingsFile("[Options]\r\nAutoSave=1\r\nAutoSavePeriod=1\r\n");
    WriteFile("a.txt", "text");
    Start(Path("a.txt"));
    EXPECT_EQ(g_app.autoSaveTimerOn, 1u);
    WriteFile("a.txt", "changed on disk");
    SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0);
    EXPECT_EQ(ReadFile("a.txt"), "changed on disk") << "an unmodified document is not written";

    Type("more ");
    SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0);
    EXPECT_EQ(ReadFile("a.txt"), "more text");
    EXPECT_EQ(g_app.modified, 0u);

    Command(IDM_NEW);
    Type("untitled");
    SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0);
    EXPECT_EQ(saveDialogNames, std::vector<std::string>{"Untitled"}) << "an untitled document asks for a name";
}

// A save that fails never destroys the file on disk nor marks the work saved.
TEST_F(ShellTest, AFailedSaveKeepsTheFileOnDiskAndTheDocumentModified)
{
    WriteFile("a.txt", "precious");
    Start(Path("a.txt"));
    Type("edited ");
    SetFileAttributesA(Path("a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Command(IDM_SAVE);
    SetFileAttributesA(Path("a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"File could not be created !"});
    EXPECT_EQ(boxes[0].status, "Saving file...") << "the status shows the save while it runs";
    EXPECT_EQ(ReadFile("a.txt"), "precious");
    EXPECT_EQ(g_app.modified, 1u);
    EXPECT_EQ(StatusPart(3), "Modified");

    boxes.clear();
    saveChoices.push_back(Path("no such folder\\b.txt"));
    Command(IDM_SAVEAS);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"File could not be created !"});
    EXPECT_EQ(g_app.modified, 1u);

    // Nothing is left behind in the folder but the files of the test.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// The text cannot hold a NUL byte: such a file is neither opened nor
// inserted, and the document stays as it was.
TEST_F(ShellTest, AFileHoldingANulByteIsRefusedAndTheDocumentKept)
{
    WriteFile("a.txt", "mine");
    std::string binary(200000, 'x');
    binary[150000] = '\0'; // past the first block the control reads
    WriteFile("binary.dat", binary);
    Start(Path("a.txt"));
    Type("edit ");

    answers.push_back(IDNO);
    openChoices.push_back(Path("binary.dat"));
    Command(IDM_OPEN);
    std::vector<std::string> texts = TakeBoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "File binary.dat contains NUL characters and cannot be edited as text !");
    EXPECT_EQ(EditText(), "edit mine");
    EXPECT_EQ(Title(), "a.txt - Scrivlet");
    EXPECT_EQ(g_app.modified, 1u);
    EXPECT_EQ(RecentValue(1), "<none>");

    openChoices.push_back(Path("binary.dat"));
    Command(IDM_INSERTFILE);
    EXPECT_EQ(TakeBoxTexts().size(), 1u);
    EXPECT_EQ(EditText(), "edit mine");
}

TEST_F(ShellTest, PathsTooLongForTheBuffersAreRefused)
{
    Start();
    std::string tooLong = folder + std::string(260, 'n') + ".txt";
    OpenByPath(tooLong.c_str());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"File could not be opened !"});
    EXPECT_EQ(Title(), "Untitled - Scrivlet");
}

} // namespace scrivlet
