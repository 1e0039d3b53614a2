// Copy, cut and paste through WM_COPY, WM_CUT and WM_PASTE with CR LF line
// ends on the clipboard, AEM_CANPASTE, the failures, and the context menu's
// greyed items and commands. Under Wine the real clipboard is used.
#include "support/control_fixture.h"

#include <string>

namespace scrivlet {

namespace {

constexpr uintptr_t kCfText = 1;
constexpr int kCut = 1, kCopy = 2, kPaste = 3, kDelete = 4, kSelectAll = 5;
constexpr int kGreyedForNoSelection = 1 << kCut | 1 << kCopy | 1 << kDelete;

using ClipboardTest = ControlTest;

TEST_F(ClipboardTest, CopyCutAndPasteConvertLineEnds)
{
    const struct {
        const char *text;
        DWORD from, to;
        unsigned message;
        const char *before;     // on the clipboard; nullptr: empty
        const char *expected, *clipboard;
        DWORD selStart;
        bool undoable;          // one undo step takes it back
    } cases[] = {
        {"xa\nby", 1, 4, kWmCopy, nullptr, "xa\nby", "a\r\nb", 1, false},
        {"abc", 1, 1, kWmCopy, "old", "abc", "(none)", 1, false},   // an empty selection empties it
        {"ab\ncd", 1, 4, kWmCut, nullptr, "ad", "b\r\nc", 1, true},
        {"abc", 2, 2, kWmCut, "old", "abc", "(none)", 2, false},
        {"<>", 1, 1, kWmPaste, "a\r\nb\rc\nd", "<a\nb\nc\nd>", "a\r\nb\rc\nd", 8, true},
        {"<xy>", 1, 3, kWmPaste, "q", "<q>", "q", 2, true},
        {"abc", 1, 1, kWmPaste, nullptr, "abc", "(none)", 1, false},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        if (c.before != nullptr)
            PutClipboardText(c.before);
        else
            EmptyTheClipboard();
        Select(c.from, c.to);
        SCOPED_TRACE(testing::Message() << c.text << " message " << c.message);
        EXPECT_EQ(Send(c.message), 0);
        EXPECT_EQ(Text() + " at " + std::to_string(SelStart()), c.expected + (" at " + std::to_string(c.selStart)));
        EXPECT_EQ(ClipboardText(), c.clipboard);
        if (Native() && c.message != kWmPaste && c.clipboard[0] != '(') {
            EXPECT_EQ(ClipboardBlockSize(), int(std::string(c.clipboard).size()) + 1) << "the text and a NUL";
        }
        EXPECT_EQ(GetLastControlError(), 0u);
        EXPECT_EQ(Send(AEM_CANPASTE, kCfText), c.clipboard[0] != '(' ? 1 : 0);
        Send(kWmUndo);
        EXPECT_EQ(Text() == c.text, c.undoable || std::string(c.text) == c.expected) << "undone";
    }
    // A block without a NUL ends with its size; Wine's clipboard puts a NUL
    // of its own into the last byte.
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
    for (unsigned message : {kWmCopy, kWmCut, kWmPaste}) {
        Recreate(ControlShape{}); // the last error back at 0
        EXPECT_EQ(SendWithoutRecord(message), 0);
        EXPECT_EQ(GetLastControlError(), 1u) << message;
    }
    EXPECT_EQ(ClipboardText(), "x");

    const struct { bool allocation; unsigned message; DWORD error; const char *clipboard; } failures[] = {
        {false, kWmCut, 4, "old"},
        {false, kWmPaste, 4, "old"},
        {true, kWmCut, 2, "(none)"},
    };
    for (const auto &f : failures) {
        Recreate(ControlShape{});
        SetText("abc");
        PutClipboardText("old");
        if (!(f.allocation ? FailClipboardAllocation() : FailClipboardOpen()))
            continue; // a failure Wine cannot be made to show
        Select(0, 2);
        Send(f.message);
        EXPECT_EQ(GetLastControlError(), f.error) << f.message;
        EXPECT_EQ(Text() + " " + ClipboardText(), std::string("abc ") + f.clipboard) << "nothing deleted or pasted";
    }
}

TEST_F(ClipboardTest, ContextMenuGreysWhatWouldDoNothingAndSendsTheChoice)
{
    SetText("\nabc");
    EmptyTheClipboard();
    // An empty first line greys Select All even with text after it.
    EXPECT_EQ(ContextMenu(0, 0x00C80064), kGreyedForNoSelection | 1 << kPaste | 1 << kSelectAll);
    Select(1, 3);
    PutClipboardText("x");
    EXPECT_EQ(ContextMenu(0, 0x00C80064), 1 << kSelectAll);
    SetText("abc");
    EXPECT_EQ(ContextMenu(0, 0x00C80064), kGreyedForNoSelection);
    EXPECT_EQ(Text(), "abc") << "a dismissed menu does nothing";

    SetText("ab\ncd");
    const struct { int command; const char *text, *clipboard; } choices[] = {
        {kSelectAll, "ab\ncd", "x"}, {kCopy, "ab\ncd", "ab\r\ncd"}, {kDelete, "", "ab\r\ncd"},
        {kPaste, "ab\ncd", "ab\r\ncd"}, {kSelectAll, "ab\ncd", "ab\r\ncd"}, {kCut, "", "ab\r\ncd"}};
    for (const auto &c : choices) {
        ContextMenu(c.command, -1); // from the keyboard: at (-1, -1)
        EXPECT_EQ(Text() + "|" + ClipboardText(), std::string(c.text) + "|" + c.clipboard) << "command " << c.command;
    }
}

} // namespace

} // namespace scrivlet
