// Find and replace through the registered "commdlg_FindReplace" message with
// the shell's record, and the system's dialogs opened for real. Typing into
// the real dialogs is proven by scripts/e2e-dialogs.
#include "shell_fixture.h"

#include <dlgs.h>

#include "resources/resource.h"

#include <cstdio>

namespace scrivlet {

namespace {

// Fills the record as the dialog would and notifies the main window.
void Notify(DWORD flags, const char *findWhat, const char *replaceWith = "")
{
    FINDREPLACEA &record = g_app.findRecord;
    std::snprintf(record.lpstrFindWhat, record.wFindWhatLen, "%s", findWhat);
    std::snprintf(record.lpstrReplaceWith, record.wReplaceWithLen, "%s", replaceWith);
    record.Flags = (record.Flags & (FR_MATCHCASE | FR_WHOLEWORD | FR_HIDEUPDOWN)) | flags;
    SendMessageA(g_app.mainWindow, g_findReplaceMessage, 0, reinterpret_cast<LPARAM>(&record));
}

const char kEndOfCat[] = "Finished searching for \"cat\"";

} // namespace

TEST_F(ShellTest, TheFindDialogProposesAShortSelectionAndFindNextNeverWraps)
{
    Start();
    Type("the cat sat cat " + std::string(300, 'x'));
    Select(0, 0);
    Command(IDM_FINDNEXT);
    EXPECT_NE(g_app.findDialog, nullptr) << "nothing to search for yet: the dialog opens";
    SendMessageA(g_app.findDialog, WM_COMMAND, IDCANCEL, 0);
    ProcessPendingMessages();
    EXPECT_EQ(g_app.findDialog, nullptr) << "closing it is noticed";
    Select(4, 7);
    g_app.findRecord.Flags = FR_MATCHCASE | FR_DOWN | FR_WHOLEWORD;
    Command(IDM_FIND);
    HWND find = g_app.findDialog;
    ASSERT_NE(find, nullptr);
    EXPECT_STREQ(g_app.findRecord.lpstrFindWhat, "cat");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(find, rad2))) << "no direction buttons";
    Command(IDM_REPLACE);
    EXPECT_EQ(g_app.findDialog, find) << "the open dialog is brought forward instead";

    PressKey(VK_F3);
    PressKey(VK_F3);
    EXPECT_EQ(Selection().start, 12u) << "the second match, no wrapping to the top";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Scrivlet - Information|" + std::string(kEndOfCat));
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(boxes[0].owner, find) << "owned by the open dialog";
    Notify(FR_DIALOGTERM, "cat");
    EXPECT_EQ(g_app.findDialog, nullptr);
    Select(0, 0);
    Command(IDM_FINDNEXT); // after the dialog closed, the last text
    EXPECT_EQ(Selection().start * 100 + Selection().end, 407u);
    Select(4, 4 + 256);
    Command(IDM_REPLACE);
    EXPECT_STREQ(g_app.findRecord.lpstrFindWhat, "") << "256 bytes are too long to propose";
}

TEST_F(ShellTest, ReplaceSelectsFirstAndReplaceAllCountsFromTheSelection)
{
    Start();
    Type("a cat, a cat.");
    Select(2, 2);
    for (const char *step : {"a cat, a cat.|2", "a dog, a cat.|9"}) { // the first only selects the match
        Notify(FR_REPLACE, "cat", "dog");
        EXPECT_EQ(EditText() + "|" + std::to_string(Selection().start), step);
    }
    SendToEdit(AEM_UNDO, 0, 0);
    EXPECT_EQ(EditText(), "a cat, a cat.") << "one undo step a replacement";
    Select(0, 0);
    Type("cat cat cat cat ");
    Select(5, 6);
    Notify(FR_REPLACEALL, "cat", "concat");
    EXPECT_EQ(EditText(), "cat cat concat concat a concat, a concat.") << "only the matches after the selection start";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kEndOfCat, "4 occurrence(s) replaced"}));
    EXPECT_EQ(boxes[1].owner, g_app.mainWindow);
}

} // namespace scrivlet
