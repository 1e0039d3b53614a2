// Find and replace through the registered "commdlg_FindReplace" message with
// the shell's record; typing into the real dialogs is proven by scripts/e2e-dialogs.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <cstdio>

namespace scrivlet {

// A short selection is proposed; Find Next never wraps; Replace All counts from the selection.
TEST_F(ShellTest, FindProposesTheSelectionFindNextNeverWrapsAndReplaceAllCounts)
{
    Start();
    Type("the cat sat cat ");
    Select(4, 7);
    g_app.findRecord.Flags = FR_MATCHCASE | FR_DOWN | FR_WHOLEWORD;
    Command(IDM_FIND);
    ASSERT_NE(g_app.findDialog, nullptr);
    EXPECT_STREQ(g_app.findRecord.lpstrFindWhat, "cat");
    PressKey(VK_F3);
    PressKey(VK_F3);
    EXPECT_EQ(Selection().start, 12u) << "the second match, no wrapping to the top";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Scrivlet - Information|Finished searching for \"cat\"");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));

    FINDREPLACEA &record = g_app.findRecord; // filled as the dialog would, the main window told
    std::snprintf(record.lpstrReplaceWith, record.wReplaceWithLen, "%s", "concat");
    record.Flags = (record.Flags & (FR_MATCHCASE | FR_WHOLEWORD)) | FR_REPLACEALL;
    Select(5, 6);
    SendMessageA(g_app.mainWindow, g_findReplaceMessage, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(EditText(), "the cat sat concat ") << "only the matches after the selection start";
    EXPECT_EQ(boxes.back().text, "1 occurrence(s) replaced");
}

} // namespace scrivlet
