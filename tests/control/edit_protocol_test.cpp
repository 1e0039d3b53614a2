// Editing through messages: replacing and clearing the selection, the
// selection itself, the limits, indenting.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>

namespace scrivlet {

namespace {

using Edit = ControlTest;

// Each case selects (the caret first at `caret`), sends one message and
// looks at the text, the selection, the notifications and what undo gives back.
TEST_F(Edit, MessagesEditTheSelection)
{
    const struct {
        const char *text;
        DWORD limit, caret, from, to; // limit 0: the default
        unsigned message;
        uintptr_t wParam;
        const char *inserted;
        intptr_t result;
        const char *expected, *selection;
        Sequence seen;
        bool undoable;
    } cases[] = {
        {"abcd", 0, 0, 1, 3, AEM_REPLACESEL, 1, "XYZ", 1, "aXYZd", "4-4",
         {SelChange(1, 1), SelChange(4, 4), Change()}, true},
        {"abcd", 0, 4, 1, 4, AEM_REPLACESEL, 1, "-", 1, "a-", "2-2",
         {SelChange(1, 1), SelChange(2, 2), SelChange(2, 2), Change()}, true}, // the caret at the end: set once more
        {"abcd", 0, 0, 0, 9, AEM_REPLACESEL, 0, "q\r\nr\rs", 1, "q\nr\ns", "5-5",
         {SelChange(0, 0), SelChange(5, 5), Change()}, false},
        {"abcdef", 0, 0, 1, 4, kWmClear, 0, nullptr, 0, "aef", "1-1", {SelChange(1, 1), Change()}, true},
        {"0123456789", 10, 0, 0, 0, AEM_REPLACESEL, 1, "x", 0, "0123456789", "0-0", {SelChange(0, 0), MaxText()}, false},
        {"one\ntwo\nthree", 0, 0, 0, 8, AEM_INDENTSEL, 1, nullptr, 1, "\tone\n\ttwo\n\tthree", "1-11", {}, true},
    };
    for (const auto &c : cases) {
        Send(AEM_SETLIMITTEXT, 0, 0);
        SetText(c.text);
        Send(AEM_SETLIMITTEXT, 0, c.limit);
        Select(c.caret, c.caret);
        Select(c.from, c.to);
        SCOPED_TRACE(testing::Message() << c.text << " message " << c.message);
        EXPECT_EQ(Send(c.message, c.wParam, Param(c.inserted)), c.result);
        EXPECT_EQ(Text() + " " + Selection(), std::string(c.expected) + " " + c.selection);
        Sequence seen = c.seen.empty() ? Sequence{LastNotification()} : Notifications(); // indenting: the last only
        EXPECT_EQ(seen, c.seen.empty() ? Sequence{Change()} : c.seen);
        EXPECT_EQ(Send(AEM_CANUNDO), c.undoable ? 1 : 0);
        Send(AEM_UNDO);
        EXPECT_EQ(Text(), c.undoable ? c.text : c.expected) << "one undo group";
    }
    Send(AEM_SETTABSTOPS, 0); // tabs as spaces: the first stop's width
    SetText("        x\ny");
    Select(0, 0xFFFFFFFF);
    EXPECT_EQ(Send(AEM_INDENTSEL, 1), 1);
    EXPECT_EQ(Text(), "            x\n    y");
}

TEST_F(Edit, SetSelPutsTheCaretOnTheNearerEndAndNotifiesEveryTime)
{
    SetText("hello world");
    const struct { DWORD from, to; intptr_t column; DWORD selStart, selEnd; } cases[] = {
        {0, 0xFFFFFFFF, 0, 0, 11},  // the caret not at the end moves to the start
        {11, 11, 11, 11, 11},
        {0, 0xFFFFFFFF, 11, 0, 11}, // at the end it stays there
        {7, 500, 11, 7, 11},        // offsets beyond the text count as its end
        {5, 2, 2, 2, 5},
    };
    for (const auto &c : cases) {
        AERANGE range = {c.from, c.to};
        ClearNotifications();
        EXPECT_EQ(Send(AEM_SETSEL, 0, Param(&range)), 1);
        EXPECT_EQ(Send(AEM_GETCARETCOLUMN), c.column) << c.from << "-" << c.to;
        EXPECT_EQ(LastNotification(), SelChange(c.selStart, c.selEnd)) << c.from << "-" << c.to;
        EXPECT_EQ(Selection(), std::to_string(c.selStart) + "-" + std::to_string(c.selEnd));
        size_t first = Notifications().size();
        Send(AEM_SETSEL, 0, Param(&range));
        EXPECT_EQ(Notifications().size(), 2 * first) << "the same selection notifies again";
    }
}

// Without scroll bars a line holds the visible columns in bytes (tabs count
// one) and the text the visible lines; a refused piece is reported, the
// pieces before it stay.
TEST_F(Edit, WithoutScrollingTheViewLimitsTheText)
{
    const struct {
        DWORD style;
        int columns, rows;
        const char *text;
        DWORD at;
        const char *inserted, *expected;
    } cases[] = {
        {AES_AUTOVSCROLL, 20, 25, "xxxxxxxxxxxxxxxxxxxx", 20, "z", "!xxxxxxxxxxxxxxxxxxxx"},
        {AES_AUTOVSCROLL, 20, 25, "xxxxxxxxxxxxxxxxxxxx", 20, "ab", "xxxxxxxxxxxxxxxxxxxxab"}, // single bytes only
        {AES_AUTOHSCROLL, 80, 2, "top", 0, "a\r\nb\r\nc", "!a\nbtop"},
        {AES_AUTOHSCROLL, 80, 2, "top", 0, "a\nb\nc\n", "a\nb\nc\ntop"}, // bare line feeds: one piece
    }; // "!": refused, with the pieces before the refused one
    for (const auto &c : cases) {
        Recreate(ControlShape{c.style, 8 * c.columns + 1, 13 * c.rows + 1});
        SetText(c.text);
        Select(c.at, c.at);
        bool refused = c.expected[0] == '!';
        EXPECT_EQ(Send(AEM_REPLACESEL, 1, Param(c.inserted)), refused ? 0 : 1) << c.inserted;
        EXPECT_EQ(Text(), c.expected + (refused ? 1 : 0)) << c.inserted;
        Sequence seen = Notifications();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), MaxText()), refused ? 1 : 0) << c.text;
    }
}

} // namespace

} // namespace scrivlet
