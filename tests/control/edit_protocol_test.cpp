// Editing messages, undo and redo, AEM_REPLACEALL and the clipboard (under Wine the real one).
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Edit = ControlTest;

// One message on a selection: text, selection, notifications and one undo.
TEST_F(Edit, MessagesEditTheSelection)
{
    // limit 0: the default; seen empty: the last notification is a change.
    const struct { const char *text; DWORD limit, caret, from, to; unsigned message; uintptr_t wParam;
                   const char *inserted; intptr_t result; const char *expected, *selection; Sequence seen;
                   bool undoable; } cases[] = {
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
        Sequence seen = c.seen.empty() ? Sequence{LastNotification()} : Notifications();
        EXPECT_EQ(seen, c.seen.empty() ? Sequence{Change()} : c.seen);
        EXPECT_EQ(Send(AEM_CANUNDO), c.undoable ? 1 : 0);
        Send(AEM_UNDO);
        EXPECT_EQ(Text(), c.undoable ? c.text : c.expected) << "one undo group";
    }
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
        EXPECT_EQ(LastNotification(), SelChange(c.selStart, c.selEnd)) << c.from << "-" << c.to;
        EXPECT_EQ(Send(AEM_GETCARETCOLUMN), c.column) << c.from << "-" << c.to;
        EXPECT_EQ(Selection(), std::to_string(c.selStart) + "-" + std::to_string(c.selEnd));
        size_t first = Notifications().size();
        Send(AEM_SETSEL, 0, Param(&range));
        EXPECT_EQ(Notifications().size(), 2 * first) << "the same selection notifies again";
    }
}

// Without scroll bars the view's columns (bytes) and lines limit the text; earlier pieces stay.
TEST_F(Edit, WithoutScrollingTheViewLimitsTheText)
{
    const struct { DWORD style; int columns, rows; const char *text; DWORD at; const char *inserted, *expected; }
    cases[] = {
        {AES_AUTOVSCROLL, 20, 25, "xxxxxxxxxxxxxxxxxxxx", 20, "z", "!xxxxxxxxxxxxxxxxxxxx"},
        {AES_AUTOVSCROLL, 20, 25, "xxxxxxxxxxxxxxxxxxxx", 20, "ab", "xxxxxxxxxxxxxxxxxxxxab"}, // single bytes only
        {AES_AUTOHSCROLL, 80, 2, "top", 0, "a\r\nb\r\nc", "!a\nbtop"},
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

using UndoRedo = ControlTest;

Step Replace(const char *text) { return {AEM_REPLACESEL, 1, Param(text), 1}; }
const Step kUndo = {AEM_UNDO, 0, 0, kAnyResult}, kRedo = {AEM_REDO, 0, 0, kAnyResult};

TEST_F(UndoRedo, StepsLeaveTheTextAndTheHistory)
{
    const AERANGE two = {4, 7}, all = {0, 0xFFFFFFFF};
    const struct { const char *text; std::vector<Step> steps; const char *expected; int canUndo, canRedo; } cases[] = {
        {"one two three", {{AEM_GETUNDOLEVELS, 0, 0, 100}, // the default
                           {AEM_SETSEL, 0, Param(&two), 1}, Replace("2\r\n2\r\n2"), kUndo, {AEM_GETLINECOUNT, 0, 0, 1}},
         "one two three", 0, 1}, // deletion and insertion are one group
        // The caret where the replayed change ended.
        {"abc", {Replace("x"), Replace("y"), {kWmUndo, 0, 0, 0}, {AEM_GETCARETCOLUMN, 0, 0, 1}}, "xabc", 1, 1},
        // Only the last two groups are kept.
        {"", {{AEM_SETUNDOLEVELS, 2, 0, 1}, Replace("1"), Replace("2"), Replace("3"), kUndo, kUndo, kUndo}, "1", 0, 1},
        {"", {{AEM_SETUNDOLEVELS, 0x7FFFFFFF, 0, 0}, {AEM_GETUNDOLEVELS, 0, 0, 0}, {AEM_REPLACESEL, 1, Param("x"), 1}},
         "x", 0, 0}, // too many levels to count: none, and no undo
        // A redo the limit refuses stops and drops the history; a second does nothing.
        {"", {Replace("hello"), Replace("!"), kUndo, kUndo, {AEM_SETLIMITTEXT, 0, 3, 1}, kRedo, kRedo}, "", 0, 0},
        {"", {Replace("hello world"), {AEM_SETSEL, 0, Param(&all), 1}, {AEM_REPLACESEL, 0, 0, kAnyResult}, kUndo},
         "", 0, 0}, // deleted without undo: the history refers to gone text, not replayed
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Run(c.steps, c.expected);
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(Send(AEM_CANUNDO) * 10 + Send(AEM_CANREDO), c.canUndo * 10 + c.canRedo) << c.expected;
        Send(AEM_SETUNDOLEVELS, 100);
        Send(AEM_SETLIMITTEXT, 0, 0);
    }
}

using ReplaceAll = ControlTest;

TEST_F(ReplaceAll, ReplacesFromItsStartAndUndoesStepByStep)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    const struct { const char *text; DWORD flags; AEREPLACEALL request; intptr_t count; const char *expected; }
    cases[] = {
        {"cat cat\ncat", AEFT_WHOLEWORD, {4, "cat", "concat"}, 2, "cat concat\nconcat|17-17"},
        {"aXa xa", AEFT_MATCHCASE, {0, "a", "\n"}, 3, "\nX\n x\n|6-6"},
        {"ab ab", 0, {0, "", "x"}, 0, "ab ab|0-0"},
        {"ab ab", 0, {0, nullptr, "x"}, 0, "ab ab|0-0"},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        EXPECT_EQ(Send(AEM_REPLACEALL, c.flags, Param(&c.request)), c.count) << c.text;
        EXPECT_EQ(Text() + "|" + Selection(), c.expected);
        Sequence notes = Notifications();
        EXPECT_EQ(std::count(notes.begin(), notes.end(), Change()), c.count != 0 ? 1 : 0) << c.text;
        for (intptr_t step = 0; step < c.count; ++step)
            Send(AEM_UNDO);
        EXPECT_EQ(Text() + " " + std::to_string(Send(AEM_CANUNDO)), std::string(c.text) + " 0") << "a step each";
    }
    // A refused third replacement still deletes its match, as AEM_REPLACESEL does; the fourth fits.
    SetText("a a a a");
    Send(AEM_SETLIMITTEXT, 0, 9);
    AEREPLACEALL request = {0, "a", "bb"};
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 4);
    EXPECT_EQ(Text(), "bb bb  bb");
    Sequence notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), MaxText()), 1);
}

constexpr uintptr_t kCfText = 1;

using ClipboardTest = ControlTest;

TEST_F(ClipboardTest, CopyCutAndPasteConvertLineEnds)
{
    // before: on the clipboard ("": empty); undoable: one undo step takes it back.
    const struct { const char *text; DWORD from, to; unsigned message; const char *before, *expected, *clipboard;
                   DWORD selStart; bool undoable; } cases[] = {
        {"xa\nby", 1, 4, kWmCopy, "", "xa\nby", "a\r\nb", 1, false},
        {"abc", 1, 1, kWmCopy, "old", "abc", "(none)", 1, false},   // an empty selection empties it
        {"ab\ncd", 1, 4, kWmCut, "", "ad", "b\r\nc", 1, true},
        {"<>", 1, 1, kWmPaste, "a\r\nb\rc\nd", "<a\nb\nc\nd>", "a\r\nb\rc\nd", 8, true},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        PutClipboardText(c.before);
        Select(c.from, c.to);
        SCOPED_TRACE(testing::Message() << c.text << " message " << c.message);
        EXPECT_EQ(Send(c.message), 0);
        EXPECT_EQ(Text() + " at " + std::to_string(Sel().start), c.expected + (" at " + std::to_string(c.selStart)));
        EXPECT_EQ(ClipboardText(), c.clipboard);
        EXPECT_EQ(GetLastControlError(), 0u);
        EXPECT_EQ(Send(AEM_CANPASTE, kCfText), c.clipboard[0] != '(' ? 1 : 0);
        Send(kWmUndo);
        EXPECT_EQ(Text() == c.text, c.undoable || std::string(c.text) == c.expected) << "undone";
    }
    // A block without a NUL ends with its size (Wine's clipboard puts one into the last byte).
    SetText("");
    PutClipboardText(std::string(100, 'x'), false);
    Send(kWmPaste);
    EXPECT_EQ(Text(), std::string(Native() ? 100 : 99, 'x'));
}

TEST_F(ClipboardTest, CanPasteAndTheFailures)
{
    PutClipboardText("x");
    EXPECT_EQ(Send(AEM_CANPASTE, 2), 0) << "only CF_TEXT is offered";
    EXPECT_EQ(SendWithoutRecord(AEM_CANPASTE, kCfText), 1) << "no record needed";
    EXPECT_EQ(GetLastControlError(), 0u);
    EXPECT_EQ(ClipboardText(), "x");

    const struct { bool allocation; unsigned message; DWORD error; const char *clipboard; } failures[] = {
        {false, kWmCut, 4, "old"},
        {true, kWmCut, 2, "(none)"},
    };
    for (const auto &f : failures) {
        Recreate(ControlShape{});
        SetText("abc");
        PutClipboardText("old");
        if (!FailClipboard(f.allocation))
            continue; // a failure Wine cannot be made to show
        Select(0, 2);
        Send(f.message);
        EXPECT_EQ(GetLastControlError(), f.error) << f.message;
        EXPECT_EQ(Text() + " " + ClipboardText(), std::string("abc ") + f.clipboard) << "nothing deleted or pasted";
    }
}

} // namespace

} // namespace scrivlet
