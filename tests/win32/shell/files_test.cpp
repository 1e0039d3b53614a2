// Opening, saving, backups, the save prompt, refresh, templates, inserting
// files and auto-save, with real files on disk. Typing into a document that
// is then saved with CR LF line ends is proven of the real program by
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

} // namespace scrivlet
