// Typing and key presses through WM_CHAR and WM_KEYDOWN: insertion and
// overwriting, deletion at the ends, caret moves with Shift and Ctrl, auto
// indent, tabs as spaces, one undo step per keystroke, AEN_KEYDOWN.
#include "support/control_fixture.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Sequence = std::vector<Notification>;

enum : int {
    kBack = 8, kShift = 16, kCtrl = 17, kPageDown = 34, kEnd = 35, kHome = 36,
    kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46,
};
constexpr intptr_t kKeyData = 0x014D0001; // repeat 1, scan code 0x4D, extended

class KeyboardTest : public ControlTest {
protected:
    void Key(int key, std::initializer_list<int> held = {})
    {
        HoldKeys(held);
        Send(kWmKeyDown, key, kKeyData);
        HoldKeys({});
    }
    void Type(const std::string &characters, std::initializer_list<int> held = {})
    {
        HoldKeys(held);
        for (char c : characters)
            Send(kWmChar, static_cast<unsigned char>(c), 1);
        HoldKeys({});
    }
    void Select(DWORD start, DWORD end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 0, Param(&range));
        ClearNotifications();
    }
    std::string Selection() { return std::to_string(SelStart()) + "-" + std::to_string(SelEnd()); }
};

Notification KeyDown(DWORD key) { return {AEN_KEYDOWN, key, DWORD(kKeyData)}; }

TEST_F(KeyboardTest, TypedCharacterIsInsertedAsOneUndoStepAndNotifies)
{
    Type("a");
    EXPECT_EQ(Notifications(), (Sequence{SelChange(1, 1), Change()}));
    Type("b");
    EXPECT_EQ(Text(), "ab");
    Send(kWmUndo);
    EXPECT_EQ(Text(), "a") << "each keystroke is its own undo step";
    Type("\x1A"); // Ctrl+Z
    EXPECT_EQ(Text(), "");
}

TEST_F(KeyboardTest, ControlCodesWithoutMeaningBeep)
{
    Type("\x01\x08");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Notifications(), Sequence{});
    EXPECT_EQ(Beeps(), Native() ? 1 : -1) << "Ctrl+A beeps, Backspace's character does nothing";
}

TEST_F(KeyboardTest, EveryKeyDownIsReportedWithItsKeyData)
{
    SetText("ab");
    Key(65); // a key the control ignores
    Key(kRight);
    EXPECT_EQ(Notifications(), (Sequence{KeyDown(65), SelChange(1, 1), KeyDown(kRight)}));
}

TEST_F(KeyboardTest, BackspaceAtStartAndDeleteAtEndBeepAndChangeNothing)
{
    SetText("ab");
    Key(kBack);
    Select(2, 2);
    Key(kDelete);
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(Notifications(), Sequence{KeyDown(kDelete)});
    EXPECT_EQ(Send(AEM_CANUNDO), 0) << "an empty group is not kept";
    EXPECT_EQ(Beeps(), Native() ? 2 : -1);
}

TEST_F(KeyboardTest, BackspaceJoinsLinesAndDeleteRemovesForward)
{
    SetText("ab\ncd");
    Select(3, 3);
    Key(kBack);
    EXPECT_EQ(Text(), "abcd");
    EXPECT_EQ(Selection(), "2-2");
    Key(kDelete);
    EXPECT_EQ(Text(), "abd");
    Select(0, 2);
    Key(kDelete);
    EXPECT_EQ(Text(), "d") << "a selection is deleted whole";
}

TEST_F(KeyboardTest, ShiftExtendsFromTheFixedEnd)
{
    SetText("0123456789");
    Select(5, 5);
    Key(kRight, {kShift});
    Key(kRight, {kShift});
    EXPECT_EQ(Selection(), "5-7");
    Key(kLeft, {kShift});
    EXPECT_EQ(Selection(), "5-6");
    Key(kLeft, {kShift});
    Key(kLeft, {kShift});
    EXPECT_EQ(Selection(), "4-5") << "crossing the anchor";
    Key(kRight);
    EXPECT_EQ(Selection(), "5-5") << "an unshifted move collapses the selection";
}

TEST_F(KeyboardTest, CaretMovesByKey)
{
    struct Case { const char *text; DWORD from; int key; bool ctrl; DWORD to; };
    const Case cases[] = {
        {"    text", 6, kHome, false, 4},  // to the first non-blank
        {"    text", 4, kHome, false, 0},  // already there: the line start
        {"    text", 0, kHome, false, 4},
        {"ab\ncd", 4, kHome, true, 0},
        {"ab\ncd", 1, kEnd, false, 2},
        {"ab\ncd", 1, kEnd, true, 5},
        {"ab\ncd", 3, kLeft, false, 2},
        {"ab\ncd", 2, kRight, false, 3},
        {"one two", 0, kRight, true, 4},   // past the word and its blanks
        {"one, two", 3, kRight, true, 5},  // a run of punctuation
        {"one two", 7, kLeft, true, 4},
        {"one\ntwo", 4, kLeft, true, 0},   // crossing the line break
        {"ab\ncd", 5, kRight, false, 5},   // at the end: no move
    };
    for (const Case &c : cases) {
        SetText(c.text);
        Select(c.from, c.from);
        Key(c.key, c.ctrl ? std::initializer_list<int>{kCtrl} : std::initializer_list<int>{});
        EXPECT_EQ(SelStart(), c.to) << c.text << " from " << c.from << " key " << c.key << " ctrl " << c.ctrl;
    }
}

TEST_F(KeyboardTest, UpAndDownKeepTheDesiredColumn)
{
    SetText("abcdef\nab\nabcdef");
    Select(5, 5);
    const int keys[] = {kDown, kDown, kUp, kUp};
    const DWORD expected[] = {9, 15, 9, 5};
    for (int i = 0; i < 4; ++i) {
        Key(keys[i]);
        EXPECT_EQ(SelStart(), expected[i]) << "step " << i;
    }
    Key(kLeft);
    Key(kDown);
    EXPECT_EQ(SelStart(), 9u) << "a horizontal move resets the desired column";
}

TEST_F(KeyboardTest, CtrlUpAndDownScrollWithoutMovingTheCaret)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line\n";
    SetText(text);
    Select(10, 10);
    Key(kRight, {kShift});
    Key(kRight, {kShift});
    Key(kDown, {kCtrl});
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 1);
    EXPECT_EQ(Selection(), "12-12") << "the selection collapses to the caret";
    Key(kUp, {kCtrl});
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 0);
    Key(kPageDown);
    EXPECT_EQ(Send(AEM_LINEFROMCHAR, DWORD(-1)), 26) << "page - 1 lines down from line 2";
}

TEST_F(KeyboardTest, OverwriteReplacesWithinALineAndInsertsAtItsEnd)
{
    SetText("abc\nxyz");
    Select(1, 1);
    Key(kInsert);
    Type("B");
    EXPECT_EQ(Text(), "aBc\nxyz");
    Select(3, 3);
    Type("d");
    EXPECT_EQ(Text(), "aBcd\nxyz");
    Select(1, 1);
    Type("\t");
    EXPECT_EQ(SelStart(), 4u) << "Tab moves to the next stop";
    Select(1, 1);
    Type("\r");
    EXPECT_EQ(Text(), "aBcd\nxyz") << "Enter moves without splitting";
    EXPECT_EQ(SelStart(), 5u);
    EXPECT_EQ(Send(AEM_CANUNDO), 1);
    Send(kWmUndo);
    EXPECT_EQ(Text(), "aBc\nxyz") << "the moves left no undo step";
}

TEST_F(KeyboardTest, RefusedCharacterBeepsAndReportsMaxText)
{
    SetText("ab");
    Send(AEM_SETLIMITTEXT, 0, 2);
    Select(2, 2);
    Type("c");
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(Notifications(), Sequence{MaxText()});
    EXPECT_EQ(Beeps(), Native() ? 1 : -1);
}

TEST_F(KeyboardTest, ShortcutsSendTheirCommands)
{
    SetText("abc");
    Select(0, 2);
    Key(kDelete, {kCtrl}); // WM_CLEAR
    EXPECT_EQ(Text(), "c");
    Type("\x1A"); // Ctrl+Z: WM_UNDO
    EXPECT_EQ(Text(), "abc");
    Type("\x19"); // Ctrl+Y: AEM_REDO
    EXPECT_EQ(Text(), "c");
}

TEST_F(KeyboardTest, EnterCopiesTheIndentation)
{
    struct Case { std::initializer_list<int> held; const char *expected; };
    const Case cases[] = {
        {{}, "\t  x\n\t  "},
        {{kShift}, "\t  x\n\t "},
        {{kCtrl}, "\t  x\n\t  \t"},
    };
    for (const Case &c : cases) {
        SetText("\t  x");
        Send(AEM_SETAUTOINDENT, 1);
        Select(4, 4);
        Type("\r", c.held);
        EXPECT_EQ(Text(), c.expected);
        Send(kWmUndo);
        EXPECT_EQ(Text(), "\t  x") << "Enter and its indentation are one undo step";
    }
}

TEST_F(KeyboardTest, TabWithoutKeepTabsInsertsSpacesOneUndoStepEach)
{
    Send(AEM_SETTABSTOPS, 0);
    SetText("abcde");
    Select(5, 5);
    Type("\t");
    EXPECT_EQ(Text(), "abcde   ");
    Send(kWmUndo);
    EXPECT_EQ(Text(), "abcde  ");
}

TEST_F(KeyboardTest, ClosingBracketFlashesItsPartnerThenIsInserted)
{
    SetText("f(a, (b)");
    Send(AEM_SETOPTIONS, 0, AEO_BRACKETFLASH);
    Select(8, 8);
    Type(")");
    EXPECT_EQ(Text(), "f(a, (b))");
    Sequence seen = Notifications();
    EXPECT_NE(std::find(seen.begin(), seen.end(), SelChange(1, 2)), seen.end()) << "the partner is selected";
    EXPECT_EQ(seen.back(), Change());
    EXPECT_EQ(Selection(), "9-9");
}

} // namespace

} // namespace scrivlet
