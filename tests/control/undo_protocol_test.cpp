// Undo and redo through messages.
#include "support/control_fixture.h"

#include <string>

namespace scrivlet {

namespace {

using UndoRedo = ControlTest;

TEST_F(UndoRedo, UndoRestoresAReplacedSelectionAndRedoRepeatsIt)
{
    SetText("one two three");
    AERANGE range = {4, 7};
    Send(AEM_SETSEL, 0, Param(&range));
    Send(AEM_REPLACESEL, 1, Param("2\r\n2\r\n2"));
    EXPECT_EQ(Text(), "one 2\n2\n2 three");
    ClearNotifications();
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "one two three") << "deletion and insertion are one group";
    EXPECT_EQ(LastNotification(), Change());
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 1);
    EXPECT_EQ(Send(AEM_CANUNDO), 0);
    EXPECT_EQ(Send(AEM_CANREDO), 1);
    Send(AEM_REDO);
    EXPECT_EQ(Text(), "one 2\n2\n2 three");
    EXPECT_EQ(Send(AEM_CANREDO), 0);
}

TEST_F(UndoRedo, WmUndoAndAemUndoAgree)
{
    for (unsigned message : {unsigned(AEM_UNDO), unsigned(kWmUndo)}) {
        SetText("abc");
        Send(AEM_REPLACESEL, 1, Param("x"));
        Send(AEM_REPLACESEL, 1, Param("y"));
        EXPECT_EQ(Send(message), 0);
        EXPECT_EQ(Text(), "xabc") << message;
        EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 1) << "the caret stands where the replayed change ended";
    }
}

TEST_F(UndoRedo, LevelsBoundTheHistory)
{
    EXPECT_EQ(Send(AEM_GETUNDOLEVELS), 100);
    EXPECT_EQ(Send(AEM_SETUNDOLEVELS, 2), 1);
    for (const char *text : {"1", "2", "3"})
        Send(AEM_REPLACESEL, 1, Param(text));
    for (int i = 0; i < 3; ++i)
        Send(AEM_UNDO);
    EXPECT_EQ(Text(), "1") << "only the last two groups are kept";
    EXPECT_EQ(Send(AEM_SETUNDOLEVELS, 0x7FFFFFFF), 0) << "too many levels to count";
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MEMORY));
    EXPECT_EQ(Send(AEM_GETUNDOLEVELS), 0);
    Send(AEM_REPLACESEL, 1, Param("x"));
    EXPECT_EQ(Send(AEM_CANUNDO), 0) << "no levels, no undo";
    EXPECT_EQ(Send(AEM_SETUNDOLEVELS, 5), 1);
    Send(AEM_REPLACESEL, 1, Param("y"));
    Send(AEM_EMPTYUNDOBUFFER);
    EXPECT_EQ(Send(AEM_CANUNDO), 0);
}

TEST_F(UndoRedo, RedoRefusedByTheLimitStopsAndDropsTheHistory)
{
    for (const char *text : {"hello", "!"})
        Send(AEM_REPLACESEL, 1, Param(text));
    Send(AEM_UNDO);
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "");
    Send(AEM_SETLIMITTEXT, 0, 3);
    ClearNotifications();
    Send(AEM_REDO);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(LastNotification(), MaxText());
    if (Native()) {
        EXPECT_EQ(Beeps(), 1);
    }
    EXPECT_EQ(Send(AEM_CANREDO), 0) << "the later group cannot apply any more";
    EXPECT_EQ(Send(AEM_CANUNDO), 0);
    Send(AEM_REDO);
    EXPECT_EQ(Text(), "");
}

TEST_F(UndoRedo, HistoryThatNoLongerFitsTheTextIsNotReplayed)
{
    Send(AEM_REPLACESEL, 1, Param("hello world"));
    AERANGE all = {0, 0xFFFFFFFF};
    Send(AEM_SETSEL, 0, Param(&all));
    Send(AEM_REPLACESEL, 0, 0); // deleted without undo: the history refers to gone text
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Send(AEM_CANUNDO) + Send(AEM_CANREDO), 0);
}

} // namespace

} // namespace scrivlet
