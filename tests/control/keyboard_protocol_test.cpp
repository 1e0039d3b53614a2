// Typing and key presses through WM_CHAR and WM_KEYDOWN: insertion and
// overwriting, deletion, caret moves with Shift and Ctrl, auto indent, tabs
// as spaces, the bracket flash, undo steps and notifications.
#include "support/control_fixture.h"

#include <algorithm>

namespace scrivlet {

namespace {

enum : int {
    kBack = 8, kShift = 16, kCtrl = 17, kEnd = 35, kHome = 36,
    kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46,
};
constexpr intptr_t kKeyData = 0x014D0001; // repeat 1, scan code 0x4D, extended
constexpr int K = 0x1000; // K + virtual key: a WM_KEYDOWN; any other stroke is a WM_CHAR

// Settings a case starts from.
enum : unsigned { kOverwrite = 1, kSpaces = 2, kIndent = 4, kFlash = 8, kCtrlHeld = 16, kShiftHeld = 32 };

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

// Edits, and caret moves (expected and undone text nullptr: unchanged).
TEST_F(KeyboardTest, KeystrokesEditTheTextAndMoveTheCaret)
{
    const struct {
        const char *text;
        DWORD from, to;
        unsigned settings;
        std::vector<int> strokes;
        const char *expected, *selection, *undone; // undone: after one undo step
    } cases[] = {
        {"", 0, 0, 0, {'a', 'b'}, "ab", "2-2", "a"},
        {"ab\ncd", 3, 3, 0, {K + kBack}, "abcd", "2-2", "ab\ncd"},
        {"abc", 0, 2, kCtrlHeld, {K + kDelete, 26, 25}, "c", "0-0", "abc"}, // Ctrl+Del, Ctrl+Z, Ctrl+Y
        {"abc\nxyz", 1, 1, kOverwrite, {'B'}, "aBc\nxyz", "2-2", "abc\nxyz"},
        {"abc\nxyz", 5, 5, kOverwrite, {'\r'}, "abc\nxyz", "5-5", "abc\nxyz"},
        {"abc\nxyz", 3, 3, kOverwrite | kSpaces, {'\t'}, "abc \nxyz", "4-4", "abc\nxyz"},
        {"abcde", 5, 5, kSpaces, {'\t'}, "abcde   ", "8-8", "abcde  "},
        {"\t  x", 4, 4, kIndent, {'\r'}, "\t  x\n\t  ", "8-8", "\t  x"},
        {"\t  x", 4, 4, kIndent | kCtrlHeld | kSpaces, {'\r'}, "\t  x\n\t    ", "10-10", "\t  x"},
        {"  ab\n  cd", 3, 3, kIndent | kOverwrite, {'\r'}, "  ab\n  cd", "7-7", "  ab\n  cd"},
        {"    text", 6, 6, 0, {K + kHome}, nullptr, "4-4", nullptr}, // to the first non-blank
        {"    text", 4, 4, 0, {K + kHome}, nullptr, "0-0", nullptr}, // already there: the line start
        {"ab\ncd", 1, 1, kCtrlHeld, {K + kEnd}, nullptr, "5-5", nullptr},
        {"one two", 0, 0, kCtrlHeld, {K + kRight}, nullptr, "4-4", nullptr}, // past the word and its blanks
        {"one\ntwo", 4, 4, kCtrlHeld, {K + kLeft}, nullptr, "0-0", nullptr}, // crossing the line break
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
    const struct {
        const char *text;
        DWORD at, limit;
        std::vector<int> strokes;
        Sequence seen;
        int beeps;
        const char *after;
    } cases[] = {
        {"", 0, 0, {'a'}, {SelChange(1, 1), Change()}, 0, "a"},
        {"ab", 0, 0, {K + 65, K + kRight}, {KeyDown(65), SelChange(1, 1), KeyDown(kRight)}, 0, "ab"},
        {"ab", 0, 0, {1, 8}, {}, 1, "ab"}, // Ctrl+A beeps, Backspace's character does nothing
        {"ab", 2, 2, {'c'}, {MaxText()}, 1, "ab"},
        {"a", 1, 0, {0x10D, 0x100}, {}, 2, "a"}, // a code beyond a byte types nothing
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
        Sequence seen = Notifications();
        auto flashed = std::find_if(seen.begin(), seen.end(), [](const Notification &n) {
            return n.code == AEN_SELCHANGE && n.second == n.first + 1;
        });
        EXPECT_EQ(flashed == seen.end() ? -1 : int(flashed->first), f.partner) << f.typed;
        EXPECT_EQ(seen.back(), Change());
        EXPECT_EQ(Selection(), "6-6");
    }
}

} // namespace

} // namespace scrivlet
