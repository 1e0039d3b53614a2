// Copy, cut and paste through WM_COPY, WM_CUT and WM_PASTE with CR LF line
// ends on the clipboard, AEM_CANPASTE and the failures. Under Wine the real
// clipboard is used.
#include "support/control_fixture.h"

#include <string>

namespace scrivlet {

namespace {

constexpr uintptr_t kCfText = 1;

using ClipboardTest = ControlTest;

TEST_F(ClipboardTest, CopyCutAndPasteConvertLineEnds)
{
    const struct {
        const char *text;
        DWORD from, to;
        unsigned message;
        const char *before;     // on the clipboard; "": empty
        const char *expected, *clipboard;
        DWORD selStart;
        bool undoable;          // one undo step takes it back
    } cases[] = {
        {"xa\nby", 1, 4, kWmCopy, "", "xa\nby", "a\r\nb", 1, false},
        {"abc", 1, 1, kWmCopy, "old", "abc", "(none)", 1, false},   // an empty selection empties it
        {"ab\ncd", 1, 4, kWmCut, "", "ad", "b\r\nc", 1, true},
        {"<>", 1, 1, kWmPaste, "a\r\nb\rc\nd", "<a\nb\nc\nd>", "a\r\nb\rc\nd", 8, true},
        {"abc", 1, 1, kWmPaste, "", "abc", "(none)", 1, false},
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
    for (unsigned message : {kWmCut, kWmPaste}) {
        Recreate(ControlShape{}); // the last error back at 0
        EXPECT_EQ(SendWithoutRecord(message), 0);
        EXPECT_EQ(GetLastControlError(), 1u) << message;
    }
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
