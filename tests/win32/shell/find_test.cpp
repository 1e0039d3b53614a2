// Find and replace through the registered "commdlg_FindReplace" message with
// the shell's filled record, and the system's dialogs opened for real.
#include "shell_fixture.h"

#include <dlgs.h>

#include "resources/resource.h"

#include <cstdio>

namespace scrivlet {

namespace {

class FindReplace : public ShellTest {
protected:
    // Fills the record as the dialog would and notifies the main window.
    void Notify(DWORD flags, const char *findWhat, const char *replaceWith = "")
    {
        FINDREPLACEA &record = g_app.findRecord;
        std::snprintf(record.lpstrFindWhat, record.wFindWhatLen, "%s", findWhat);
        std::snprintf(record.lpstrReplaceWith, record.wReplaceWithLen, "%s", replaceWith);
        record.Flags = (record.Flags & (FR_MATCHCASE | FR_WHOLEWORD | FR_HIDEUPDOWN)) | flags;
        SendMessageA(g_app.mainWindow, g_findReplaceMessage, 0, reinterpret_cast<LPARAM>(&record));
    }
    std::string FindWhat() const { return g_app.findRecord.lpstrFindWhat; }
};

const char kEndOfCat[] = "Finished searching for \"cat\"";

} // namespace

TEST_F(FindReplace, OpeningProposesAShortSelectionAndFocusesAnOpenDialog)
{
    Start();
    Type("the cat sat " + std::string(300, 'x'));
    Select(4, 7);
    g_app.findRecord.Flags = FR_MATCHCASE | FR_DOWN | FR_WHOLEWORD;
    Command(IDM_FIND);
    ASSERT_NE(g_app.findDialog, nullptr);
    EXPECT_EQ(FindWhat(), "cat");
    HWND find = g_app.findDialog;
    // The kept choices show in the dialog; the direction is hidden.
    EXPECT_EQ(IsDlgButtonChecked(find, chx1), UINT(BST_CHECKED)) << "whole word";
    EXPECT_EQ(IsDlgButtonChecked(find, chx2), UINT(BST_CHECKED)) << "match case";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(find, rad2))) << "no direction buttons";
    Command(IDM_REPLACE);
    EXPECT_EQ(g_app.findDialog, find) << "the open Find dialog is brought forward instead";

    SendMessageA(find, WM_COMMAND, IDCANCEL, 0);
    ProcessPendingMessages();
    EXPECT_EQ(g_app.findDialog, nullptr) << "closing it is noticed";

    Select(4, 4 + 256);
    Command(IDM_REPLACE);
    ASSERT_NE(g_app.findDialog, nullptr);
    EXPECT_EQ(FindWhat(), "") << "256 bytes are too long to propose";
}

TEST_F(FindReplace, FindNextNeverWrapsAndOpensTheDialogWhenThereIsNothingToFind)
{
    Start();
    Type("cat dog cat");
    Select(0, 0);
    Command(IDM_FINDNEXT);
    EXPECT_NE(g_app.findDialog, nullptr) << "nothing to search for yet";
    EXPECT_TRUE(boxes.empty());

    Notify(FR_FINDNEXT, "cat");
    EXPECT_EQ(Selection().start, 0u);
    PressKey(VK_F3);
    EXPECT_EQ(Selection().start, 8u);
    PressKey(VK_F3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kEndOfCat);
    EXPECT_EQ(boxes[0].title, "Scrivlet - Information");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(boxes[0].owner, g_app.findDialog) << "owned by the open dialog";
    EXPECT_EQ(Selection().start, 8u) << "no wrapping to the top";

    Notify(FR_DIALOGTERM, "cat");
    EXPECT_EQ(g_app.findDialog, nullptr);
    Select(0, 0);
    g_app.findRecord.Flags |= FR_MATCHCASE;
    Notify(FR_FINDNEXT, "CAT");
    EXPECT_EQ(boxes.back().owner, g_app.mainWindow);
    g_app.findRecord.Flags &= ~FR_MATCHCASE;
    Command(IDM_FINDNEXT); // F3 after the dialog closed searches for the last text
    EXPECT_EQ(Selection().start, 0u);
    EXPECT_EQ(Selection().end, 3u);
}

TEST_F(FindReplace, ReplaceSelectsFirstThenReplacesAndSelectsTheNext)
{
    Start();
    Type("a cat, a cat.");
    Select(2, 2);
    Notify(FR_REPLACE, "cat", "dog");
    EXPECT_EQ(EditText(), "a cat, a cat.") << "the caret stood before the match: it is only selected";
    EXPECT_EQ(Selection().start, 2u);
    EXPECT_EQ(Selection().end, 5u);
    Notify(FR_REPLACE, "cat", "dog");
    EXPECT_EQ(EditText(), "a dog, a cat.");
    EXPECT_EQ(Selection().start, 9u) << "the next match is selected";
    Notify(FR_REPLACE, "cat", "dog");
    EXPECT_EQ(EditText(), "a dog, a dog.");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kEndOfCat});
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "a dog, a cat.") << "one undo step a replacement";
}

TEST_F(FindReplace, ReplaceAllFromTheMiddleCountsAndEndsWithAReplacementHoldingThePattern)
{
    Start();
    Type("cat cat cat cat cat");
    Select(5, 6);
    Notify(FR_REPLACEALL, "cat", "concat");
    EXPECT_EQ(EditText(), "cat cat concat concat concat") << "only the matches after the selection start";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kEndOfCat, "3 occurrence(s) replaced"}));
    EXPECT_EQ(boxes[1].owner, g_app.mainWindow);
    EXPECT_EQ(g_app.modified, 1u);

    boxes.clear();
    Select(0, 0);
    g_app.findRecord.Flags |= FR_WHOLEWORD;
    Notify(FR_REPLACEALL, "cat", "");
    EXPECT_EQ(EditText(), "  concat concat concat");
    EXPECT_EQ(boxes.back().text, "2 occurrence(s) replaced");
}

} // namespace scrivlet
