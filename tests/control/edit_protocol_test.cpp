// Editing through messages: replacing and clearing the selection, the
// selection itself, the limits, indenting.
#include "support/control_fixture.h"

#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Edit = ControlTest;
using Sequence = std::vector<Notification>;

TEST_F(Edit, ReplaceSelInsertsAtTheCaretAndNotifies)
{
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("abc")), 1);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(0, 0), SelChange(3, 3), Change()}));
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 3);
    EXPECT_EQ(Send(AEM_CANUNDO), 1);
}

TEST_F(Edit, ReplaceSelReplacesTheSelectionAndLeavesTheCaretAfterTheNewText)
{
    SetText("abcd");
    AERANGE range = {1, 3};
    EXPECT_EQ(Send(AEM_SETSEL, 0, Param(&range)), 1);
    EXPECT_EQ(Notifications(), (Sequence{SelChange(1, 1), SelChange(1, 1), SelChange(1, 3)}));
    ClearNotifications();
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("XYZ")), 1);
    EXPECT_EQ(Text(), "aXYZd");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(1, 1), SelChange(4, 4), Change()}));
    EXPECT_EQ(SelStart(), 4u);
    EXPECT_EQ(SelEnd(), 4u);

    // With the caret at the selection end the caret is set once more at the end.
    range = {5, 5};
    Send(AEM_SETSEL, 0, Param(&range));
    range = {1, 5};
    Send(AEM_SETSEL, 0, Param(&range));
    ClearNotifications();
    Send(AEM_REPLACESEL, 1, Param("-"));
    EXPECT_EQ(Text(), "a-");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(1, 1), SelChange(2, 2), SelChange(2, 2), Change()}));

    range = {0, 0xFFFFFFFF};
    Send(AEM_SETSEL, 0, Param(&range));
    Send(AEM_REPLACESEL, 0, Param("q\r\nr\rs"));
    EXPECT_EQ(Text(), "q\nr\ns");
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 1);
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 3);
}

TEST_F(Edit, SetSelPutsTheCaretOnTheNearerEnd)
{
    SetText("hello world");
    AERANGE all = {0, 0xFFFFFFFF};
    Send(AEM_SETSEL, 0, Param(&all));
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 0) << "caret not at the end moves to the start";
    EXPECT_EQ(SelEnd(), 11u);

    AERANGE end = {11, 11};
    Send(AEM_SETSEL, 0, Param(&end));
    Send(AEM_SETSEL, 0, Param(&all));
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 11) << "caret at the end stays there";

    AERANGE beyond = {7, 500};
    Send(AEM_SETSEL, 0, Param(&beyond));
    EXPECT_EQ(SelStart(), 7u);
    EXPECT_EQ(SelEnd(), 11u) << "offsets beyond the text count as its end";

    ClearNotifications();
    AERANGE same = {2, 5};
    Send(AEM_SETSEL, 0, Param(&same));
    size_t first = Notifications().size();
    Send(AEM_SETSEL, 0, Param(&same));
    EXPECT_EQ(Notifications().size(), 2 * first) << "setting the same selection notifies again";
    EXPECT_EQ(LastNotification(), SelChange(2, 5));
}

TEST_F(Edit, ClearDeletesTheSelectionAsOneUndoGroup)
{
    SetText("abcdef");
    Send(kWmClear);
    EXPECT_EQ(Send(AEM_CANUNDO), 0) << "nothing selected: no group";
    AERANGE range = {1, 4};
    Send(AEM_SETSEL, 0, Param(&range));
    ClearNotifications();
    Send(kWmClear);
    EXPECT_EQ(Text(), "aef");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(1, 1), Change()}));
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "abcdef");
}

TEST_F(Edit, TextLimitRefusesWithBeepAndMaxText)
{
    SetText("0123456789");
    EXPECT_EQ(Send(AEM_SETLIMITTEXT, 0, 10), 1);
    ClearNotifications();
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("x")), 0);
    EXPECT_EQ(Text(), "0123456789");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(0, 0), MaxText()}));
    if (Native()) {
        EXPECT_EQ(Beeps(), 1);
    }
    EXPECT_EQ(Send(AEM_CANUNDO), 0) << "a refused edit records nothing";

    EXPECT_EQ(Send(AEM_SETLIMITTEXT, 0, 0), 1);
    EXPECT_EQ(Send(AEM_GETLIMITTEXT), 65536);
    Send(AEM_SETLIMITTEXT, 0, intptr_t(0xFFFFFFFFu));
    EXPECT_EQ(Send(AEM_GETLIMITTEXT), intptr_t(4294967294u));
}

TEST_F(Edit, WithoutHorizontalScrollingALineHoldsTheVisibleColumnsInBytes)
{
    ControlShape shape;
    shape.style = AES_AUTOVSCROLL;
    shape.width = 8 * 20 + 1; // 20 columns
    Recreate(shape);
    SetText(std::string(19, 'x') + "\n\t\t\t\t\t\t");
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("y")), 1) << "19 bytes take one more";
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("z")), 0) << "20 bytes take no more";
    EXPECT_EQ(LastNotification(), MaxText());
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("ab")), 1) << "only single bytes are checked";

    AERANGE tabs = {26, 26};
    Send(AEM_SETSEL, 0, Param(&tabs));
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("w")), 1) << "six tabs are 6 bytes, not 24 columns";
}

TEST_F(Edit, WithoutVerticalScrollingLineBreaksStopAtTheVisibleLines)
{
    ControlShape shape;
    shape.style = AES_AUTOHSCROLL;
    shape.height = 13 * 2 + 1; // 2 lines
    Recreate(shape);
    SetText("top");
    ClearNotifications();
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("a\r\nb\r\nc")), 0);
    EXPECT_EQ(Text(), "a\nbtop") << "pieces before the refused line break stay";
    EXPECT_EQ(Notifications(), (Sequence{SelChange(0, 0), SelChange(3, 3), MaxText(), Change()}));

    SetText("top");
    EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param("a\nb\nc\n")), 1) << "bare line feeds go in as one piece";
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 4);
}

TEST_F(Edit, IndentAndUnindentEveryTouchedLine)
{
    SetText("one\ntwo\nthree");
    AERANGE twoLines = {0, 8}; // both lines with their final line break
    Send(AEM_SETSEL, 0, Param(&twoLines));
    EXPECT_EQ(Send(AEM_INDENTSEL, 1), 1);
    EXPECT_EQ(Text(), "\tone\n\ttwo\n\tthree") << "the line starting at the selection end counts";
    EXPECT_EQ(SelStart(), 1u);
    EXPECT_EQ(SelEnd(), 11u);
    EXPECT_EQ(LastNotification(), Change());
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "one\ntwo\nthree") << "one undo group";

    const DWORD keepTabsOffFourColumns = 0;
    Send(AEM_SETTABSTOPS, keepTabsOffFourColumns);
    SetText("        x\ny");
    AERANGE all = {0, 0xFFFFFFFF};
    Send(AEM_SETSEL, 0, Param(&all));
    EXPECT_EQ(Send(AEM_INDENTSEL, 0), 1);
    EXPECT_EQ(Text(), "       x\ny") << "unindenting removes one space";
    EXPECT_EQ(Send(AEM_INDENTSEL, 1), 1);
    EXPECT_EQ(Text(), "           x\n    y") << "indenting inserts the first stop's width";
}

TEST_F(Edit, RecalcLinesCountsTheWholeText)
{
    SetText("a\nbb\nccc");
    EXPECT_EQ(Send(AEM_RECALCLINES), 0);
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 3);
}

} // namespace

} // namespace scrivlet
