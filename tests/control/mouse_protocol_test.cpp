// The left mouse button through WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_MOUSEMOVE, WM_LBUTTONUP and the auto-scroll timer: clicks, Shift+click
// anchoring, word selection, drags and scrolling once per tick.
#include "support/control_fixture.h"

#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Sequence = std::vector<Notification>;

enum : unsigned {
    kMouseMove = 512, kButtonDown = 513, kButtonUp = 514, kDoubleClick = 515,
    kScrollLineDown = 1,
};
enum : uintptr_t { kLeftButton = 1, kShiftKey = 4 };
constexpr unsigned kVScroll = 277;
constexpr uintptr_t kAutoScrollTimer = 1;

// MAKELPARAM(x, y) with signed coordinates.
intptr_t Point(int x, int y)
{
    return intptr_t(uint16_t(x)) | (intptr_t(uint16_t(y)) << 16);
}

// The middle of a cell of the default 8 × 13 grid, which starts at pixel 1.
int X(int column) { return 1 + 8 * column + 4; }
int Y(int row) { return 1 + 13 * row + 6; }

class MouseTest : public ControlTest {
protected:
    void Click(int column, int row, uintptr_t flags = kLeftButton)
    {
        Send(kButtonDown, flags, Point(X(column), Y(row)));
        Send(kButtonUp, flags & ~kLeftButton, Point(X(column), Y(row)));
    }
    std::string Selection() { return std::to_string(SelStart()) + "-" + std::to_string(SelEnd()); }
    intptr_t Column() { return Send(AEM_GETCARETCOLUMN); }
    intptr_t TopLine() { return Send(AEM_GETFIRSTVISIBLELINE); }
};

TEST_F(MouseTest, ClickPutsTheCaretUnderThePointAndCollapsesTheSelection)
{
    SetText("hello\nab\nlast");
    AERANGE all = {0, 14};
    Send(AEM_SETSEL, 0, Param(&all));
    ClearNotifications();
    Click(1, 1);
    EXPECT_EQ(Selection(), "7-7");
    EXPECT_EQ(Notifications(), Sequence{SelChange(7, 7)});
    Click(30, 1);
    EXPECT_EQ(Selection(), "8-8") << "right of a short line: its end";
    Click(2, 20);
    EXPECT_EQ(Selection(), "13-13") << "below the last line: the end of the text";
    Send(kButtonDown, kLeftButton, Point(-40, -40));
    EXPECT_EQ(Selection(), "0-0") << "a point left of and above the client area is clamped into it";
    Send(kButtonUp);
}

TEST_F(MouseTest, ShiftClickExtendsFromTheEndThatIsNotTheCaret)
{
    SetText("0123456789abcdefghijklmnopqrst");
    Click(10, 0);
    Click(20, 0, kLeftButton | kShiftKey);
    EXPECT_EQ(Selection(), "10-20");
    Click(5, 0, kLeftButton | kShiftKey);
    EXPECT_EQ(Selection(), "5-10") << "the caret was at 20: the anchor is 10";
    EXPECT_EQ(Column(), 5);
    Click(25, 0, kLeftButton | kShiftKey);
    EXPECT_EQ(Selection(), "10-25") << "the caret was at 5, the selection start: the anchor is 10";
}

TEST_F(MouseTest, DoubleClickSelectsTheWordOrOneCharacterOrNothing)
{
    SetText("abc_1 (x.y)  z");
    Send(kDoubleClick, kLeftButton, Point(X(2), Y(0)));
    EXPECT_EQ(Selection(), "0-5");
    EXPECT_EQ(Column(), 5) << "the caret follows the word";
    Send(kDoubleClick, kLeftButton | kShiftKey, Point(X(8), Y(0)));
    EXPECT_EQ(Selection(), "8-9") << "'.' is a word of its own, and Shift does not extend";
    Send(kDoubleClick, kLeftButton, Point(X(11), Y(0)));
    EXPECT_EQ(Selection(), "11-11") << "a blank selects nothing";
    EXPECT_EQ(Column(), 11);
}

TEST_F(MouseTest, DragExtendsTheSelectionUntilTheButtonIsReleased)
{
    SetText("first line\nsecond line");
    Send(kButtonDown, kLeftButton, Point(X(2), Y(0)));
    Send(kMouseMove, kLeftButton, Point(X(3), Y(1)));
    EXPECT_EQ(Selection(), "2-14");
    EXPECT_EQ(Column(), 3);
    Send(kMouseMove, kLeftButton, Point(X(0), Y(0)));
    EXPECT_EQ(Selection(), "0-2") << "the drag's anchor stays at the click";
    Send(kMouseMove, 0, Point(X(5), Y(0)));
    EXPECT_EQ(Selection(), "0-2") << "a move without the button held selects nothing";
    Send(kButtonUp, 0, Point(X(0), Y(0)));
    Send(kMouseMove, kLeftButton, Point(X(5), Y(1)));
    EXPECT_EQ(Selection(), "0-2") << "after the release the capture is gone";
}

TEST_F(MouseTest, DragAboveTheTextScrollsOneLinePerTick)
{
    std::string text;
    for (int line = 0; line < 100; ++line)
        text += "line " + std::to_string(line) + "\n";
    SetText(text);
    for (int i = 0; i < 5; ++i)
        Send(kVScroll, kScrollLineDown);
    ASSERT_EQ(TopLine(), 5);
    Send(kButtonDown, kLeftButton, Point(X(0), Y(2)));
    ASSERT_EQ(Selection(), "49-49") << "line 7 starts at 7 × 7";
    Send(kMouseMove, kLeftButton, Point(X(0), -20));
    EXPECT_EQ(Selection(), "35-49") << "the point is clamped to the top visible line";
    EXPECT_EQ(TopLine(), 5) << "moving out scrolls nothing yet";
    PointMouse(X(0), -20);
    Send(kWmTimer, kAutoScrollTimer);
    EXPECT_EQ(TopLine(), 4);
    EXPECT_EQ(Selection(), "28-49");
    Send(kWmTimer, kAutoScrollTimer);
    EXPECT_EQ(TopLine(), 3);
    EXPECT_EQ(Selection(), "21-49");
    Send(kMouseMove, kLeftButton, Point(X(0), Y(1)));
    Send(kButtonUp);
    EXPECT_EQ(TopLine(), 3);
    EXPECT_EQ(Selection(), "28-49");
}

} // namespace

} // namespace scrivlet
