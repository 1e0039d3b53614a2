// Keystrokes through WM_CHAR and WM_KEYDOWN, the left mouse button and the auto-scroll timer.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

enum : int {
    kBack = 8, kShift = 16, kCtrl = 17, kEnd = 35, kHome = 36,
    kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46,
};
constexpr intptr_t kKeyData = 0x014D0001; // repeat 1, scan code 0x4D, extended
constexpr int K = 0x1000; // K + virtual key: a WM_KEYDOWN; any other stroke is a WM_CHAR

// Settings a case starts from.
enum : unsigned { kOverwrite = 1, kSpaces = 2, kIndent = 4, kCtrlHeld = 16, kShiftHeld = 32 };

class KeyboardTest : public ControlTest {
protected:
    void Press(const std::vector<int> &strokes, unsigned held = 0)
    {
        for (int stroke : strokes) {
            HoldKeys({held & kCtrlHeld ? kCtrl : 0, held & kShiftHeld ? kShift : 0});
            if (stroke >= K)
                Send(kWmKeyDown, uintptr_t(stroke - K), kKeyData);
            else
                Send(kWmChar, uintptr_t(stroke), 1);
        }
        HoldKeys({});
    }
};

Notification KeyDown(DWORD key) { return {AEN_KEYDOWN, key, DWORD(kKeyData)}; }

// Edits and caret moves, then one undo step (expected and undone text nullptr: unchanged).
TEST_F(KeyboardTest, KeystrokesEditTheTextAndMoveTheCaret)
{
    const struct { const char *text; DWORD from, to; unsigned settings; std::vector<int> strokes;
                   const char *expected, *selection, *undone; } cases[] = {
        {"", 0, 0, 0, {'a', 'b'}, "ab", "2-2", "a"},
        {"abc", 0, 2, kCtrlHeld, {K + kDelete, 26, 25}, "c", "0-0", "abc"}, // Ctrl+Del, Ctrl+Z, Ctrl+Y
        {"abc\nxyz", 1, 1, kOverwrite, {'B'}, "aBc\nxyz", "2-2", "abc\nxyz"},
        {"abc\nxyz", 3, 3, kOverwrite | kSpaces, {'\t'}, "abc \nxyz", "4-4", "abc\nxyz"},
        {"\t  x", 4, 4, kIndent | kCtrlHeld | kSpaces, {'\r'}, "\t  x\n\t    ", "10-10", "\t  x"},
        {"    text", 6, 6, 0, {K + kHome}, nullptr, "4-4", nullptr}, // to the first non-blank
        {"one two", 0, 0, kCtrlHeld, {K + kRight}, nullptr, "4-4", nullptr}, // past the word and its blanks
        {"0123456789", 5, 5, kShiftHeld, {K + kRight, K + kLeft, K + kLeft}, nullptr, "4-5", nullptr}, // the anchor
        {"abcdef\nab\nabcdef", 5, 5, 0, {K + kDown, K + kDown}, nullptr, "15-15", nullptr}, // the desired column is kept
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Send(AEM_SETTABSTOPS, (c.settings & kSpaces) ? 0 : 1u << 16);
        Send(AEM_SETAUTOINDENT, (c.settings & kIndent) ? 1 : 0);
        Select(c.from, c.to);
        if (c.settings & kOverwrite)
            Press({K + kInsert});
        Press(c.strokes, c.settings);
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.from << " settings " << c.settings);
        EXPECT_EQ(Text() + " " + Selection(), std::string(c.expected ? c.expected : c.text) + " " + c.selection);
        Send(kWmUndo);
        EXPECT_EQ(Text(), c.undone ? c.undone : c.text);
        if (c.settings & kOverwrite)
            Press({K + kInsert});
    }
}

TEST_F(KeyboardTest, NotificationsBeepsAndTheClosingBracketFlash)
{
    const struct { const char *text; DWORD at, limit; std::vector<int> strokes; Sequence seen; int beeps;
                   const char *after; } cases[] = {
        {"", 0, 0, {'a'}, {SelChange(1, 1), Change()}, 0, "a"},
        {"ab", 0, 0, {K + 65, K + kRight}, {KeyDown(65), SelChange(1, 1), KeyDown(kRight)}, 0, "ab"},
        {"ab", 2, 2, {'c'}, {MaxText()}, 1, "ab"},
        {"ab", 0, 0, {1, 8}, {}, 1, "ab"}, // Ctrl+A beeps, Backspace's character does nothing
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Send(AEM_SETLIMITTEXT, 0, c.limit);
        Select(c.at, c.at);
        int before = Beeps();
        Press(c.strokes);
        EXPECT_EQ(Notifications(), c.seen) << c.text << " at " << c.at;
        EXPECT_EQ(Text(), c.after);
        if (Native()) {
            EXPECT_EQ(Beeps() - before, c.beeps) << c.text << " at " << c.at;
        }
        EXPECT_EQ(Send(AEM_CANUNDO), std::string(c.after) != c.text ? 1 : 0) << "no empty group";
    }
    const struct { char typed; int partner; } flashes[] = {{')', 3}, {']', 0}, {'x', -1}};
    for (const auto &f : flashes) {
        SetText("[({(a");
        Send(AEM_SETOPTIONS, 0, AEO_BRACKETFLASH);
        Select(5, 5);
        Press({f.typed});
        Sequence seen = Notifications(); // the flash selects the partner for a moment
        auto flashed = std::find_if(seen.begin(), seen.end(), [](Notification n) { return n.second == n.first + 1; });
        EXPECT_EQ((flashed == seen.end() ? -1 : int(flashed->first)), f.partner) << f.typed;
        EXPECT_EQ(Selection() + (seen.back() == Change() ? " changed" : ""), "6-6 changed");
    }
}

constexpr unsigned kTick = 1; // a step that is a timer tick
enum : uintptr_t { kLeftButton = 1, kShiftKey = 4 };

// The middle of a cell of the default 8 × 13 grid, which starts at pixel 1.
int X(int column) { return 1 + 8 * column + 4; }
int Y(int row) { return 1 + 13 * row + 6; }

using MouseTest = ControlTest;

// Each step: a message at a pixel or a timer tick, then selection, caret column and top line.
TEST_F(MouseTest, ClicksDragsAndTicksSelect)
{
    struct Step { unsigned message; uintptr_t flags; int x, y; const char *selection; int column, top; };
    std::string hundred;
    for (int line = 0; line < 100; ++line)
        hundred += "line " + std::to_string(line) + "\n";
    const struct { std::string text; int scrolled; std::vector<Step> steps; } cases[] = {
        {"hello\nab\nlast", 0, {
            {kWmButtonDown, kLeftButton, X(1), Y(1), "7-7", 1, 0},
            {kWmButtonDown, kLeftButton, X(30), Y(1), "8-8", 2, 0}, // right of a short line: its end
            {kWmButtonDown, kLeftButton, X(2), Y(20), "13-13", 4, 0}, // below the last line: the end
            {kWmButtonDown, kLeftButton, -40, -40, "0-0", 0, 0}}},   // clamped into the client area
        {"0123456789abcdefghijklmnopqrst", 0, {
            {kWmButtonDown, kLeftButton, X(10), Y(0), "10-10", 10, 0},
            {kWmButtonDown, kLeftButton | kShiftKey, X(5), Y(0), "5-10", 5, 0}}}, // the anchor is 10
        {"abc_1 (x.y)  z", 0, {
            {kWmDoubleClick, kLeftButton, X(2), Y(0), "0-5", 5, 0},
            {kWmDoubleClick, kLeftButton | kShiftKey, X(8), Y(0), "8-9", 9, 0}, // '.' alone; Shift does not extend
            {kWmDoubleClick, kLeftButton, X(11), Y(0), "11-11", 11, 0}}},     // a blank selects nothing
        {"first line\nsecond line", 0, {
            {kWmButtonDown, kLeftButton, X(2), Y(0), "2-2", 2, 0},
            {kWmMouseMove, kLeftButton, X(3), Y(1), "2-14", 3, 0},
            {kWmMouseMove, kLeftButton, X(0), Y(0), "0-2", 0, 0},  // the anchor stays at the click
            {kWmButtonUp, 0, X(0), Y(0), "0-2", 0, 0},
            {kWmMouseMove, kLeftButton, X(5), Y(1), "0-2", 0, 0}}}, // after the release
        {hundred, 5, {
            {kWmButtonDown, kLeftButton, X(0), Y(2), "49-49", 0, 5},
            {kWmMouseMove, kLeftButton, X(0), -20, "35-49", 0, 5}, // clamped to the top line; no scroll yet
            {kTick, 0, X(0), -20, "28-49", 0, 4},
            {kTick, 0, X(0), 0, "28-49", 0, 4},             // the border row is inside
            {kTick, 0, X(0), 13 * 25, "49-222", 0, 5},     // just below the last whole row: one line down
            {kTick, 0, X(0), 13 * 25 + 5, "49-238", 0, 7}, // further below: two
            {kWmMouseMove, kLeftButton, X(0), Y(0), "49-49", 0, 7}}},
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
        Send(kWmButtonUp);
    }
    SetText("ab");
    Send(kWmButtonDown, kLeftButton, Point(X(1), Y(0)));
    EXPECT_EQ(Notifications(), Sequence{SelChange(1, 1)});
}

} // namespace

} // namespace scrivlet
