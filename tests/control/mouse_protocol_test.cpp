// The left mouse button through WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_MOUSEMOVE, WM_LBUTTONUP and the auto-scroll timer.
#include "support/control_fixture.h"

#include <string>
#include <vector>

namespace scrivlet {

namespace {

enum : unsigned { kMove = kWmMouseMove, kDown = kWmButtonDown, kUp = kWmButtonUp, kDouble = kWmDoubleClick, kTick = 1 };
enum : uintptr_t { kLeftButton = 1, kShiftKey = 4 };

// MAKELPARAM(x, y) with signed coordinates.
intptr_t Point(int x, int y) { return intptr_t(uint16_t(x)) | (intptr_t(uint16_t(y)) << 16); }

// The middle of a cell of the default 8 × 13 grid, which starts at pixel 1.
int X(int column) { return 1 + 8 * column + 4; }
int Y(int row) { return 1 + 13 * row + 6; }

using MouseTest = ControlTest;

// Each step is a message at a pixel (or a timer tick with the pointer
// there), then the selection, the caret's column and the top line.
TEST_F(MouseTest, ClicksDragsAndTicksSelect)
{
    struct Step { unsigned message; uintptr_t flags; int x, y; const char *selection; int column, top; };
    std::string hundred;
    for (int line = 0; line < 100; ++line)
        hundred += "line " + std::to_string(line) + "\n";
    const struct { std::string text; int scrolled; std::vector<Step> steps; } cases[] = {
        {"hello\nab\nlast", 0, {
            {kDown, kLeftButton, X(1), Y(1), "7-7", 1, 0},
            {kUp, 0, X(1), Y(1), "7-7", 1, 0},
            {kDown, kLeftButton, X(30), Y(1), "8-8", 2, 0}, // right of a short line: its end
            {kUp, 0, X(30), Y(1), "8-8", 2, 0},
            {kDown, kLeftButton, X(2), Y(20), "13-13", 4, 0}, // below the last line: the end
            {kDown, kLeftButton, -40, -40, "0-0", 0, 0}}},   // clamped into the client area
        {"0123456789abcdefghijklmnopqrst", 0, {
            {kDown, kLeftButton, X(10), Y(0), "10-10", 10, 0},
            {kDown, kLeftButton | kShiftKey, X(20), Y(0), "10-20", 20, 0},
            {kDown, kLeftButton | kShiftKey, X(5), Y(0), "5-10", 5, 0},   // the anchor is 10
            {kDown, kLeftButton | kShiftKey, X(25), Y(0), "10-25", 25, 0}}},
        {"abc_1 (x.y)  z", 0, {
            {kDouble, kLeftButton, X(2), Y(0), "0-5", 5, 0},
            {kDouble, kLeftButton | kShiftKey, X(8), Y(0), "8-9", 9, 0}, // '.' alone; Shift does not extend
            {kDouble, kLeftButton, X(11), Y(0), "11-11", 11, 0}}},     // a blank selects nothing
        {"first line\nsecond line", 0, {
            {kDown, kLeftButton, X(2), Y(0), "2-2", 2, 0},
            {kMove, kLeftButton, X(3), Y(1), "2-14", 3, 0},
            {kMove, kLeftButton, X(0), Y(0), "0-2", 0, 0},  // the anchor stays at the click
            {kMove, 0, X(5), Y(0), "0-2", 0, 0},            // no button held: no selection
            {kUp, 0, X(0), Y(0), "0-2", 0, 0},
            {kMove, kLeftButton, X(5), Y(1), "0-2", 0, 0}}}, // after the release
        {hundred, 5, {
            {kDown, kLeftButton, X(0), Y(2), "49-49", 0, 5},
            {kMove, kLeftButton, X(0), -20, "35-49", 0, 5}, // clamped to the top line; no scroll yet
            {kTick, 0, X(0), -20, "28-49", 0, 4},
            {kTick, 0, X(0), 0, "28-49", 0, 4},             // the border row is inside
            {kTick, 0, X(0), -20, "21-49", 0, 3},
            {kTick, 0, X(0), 13 * 25, "49-214", 0, 4},     // just below the last whole row: one line down
            {kTick, 0, X(0), 13 * 25 + 5, "49-230", 0, 6}, // further below: two
            {kMove, kLeftButton, X(0), Y(1), "49-49", 0, 6},
            {kUp, 0, X(0), Y(1), "49-49", 0, 6}}},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        for (int i = 0; i < c.scrolled; ++i)
            Send(kWmVScroll, 1);
        for (const Step &s : c.steps) {
            if (s.message == kTick) {
                PointMouse(s.x, s.y);
                Send(kWmTimer, 1);
            } else {
                Send(s.message, s.flags, Point(s.x, s.y));
            }
            EXPECT_EQ(Selection() + " column " + std::to_string(Send(AEM_GETCARETCOLUMN)) + " top " +
                          std::to_string(Send(AEM_GETFIRSTVISIBLELINE)),
                      s.selection + (" column " + std::to_string(s.column) + " top " + std::to_string(s.top)))
                << c.text.substr(0, 10) << ": message " << s.message << " at " << s.x << "," << s.y;
        }
        Send(kUp);
    }
    SetText("ab");
    Send(kDown, kLeftButton, Point(X(1), Y(0)));
    EXPECT_EQ(Notifications(), Sequence{SelChange(1, 1)});
}

} // namespace

} // namespace scrivlet
