// Copy, cut and paste through WM_COPY, WM_CUT and WM_PASTE with CR LF line
// ends on the clipboard, AEM_CANPASTE, the failures, and the context menu's
// greyed items and commands. Under Wine the real clipboard is used.
#include "support/control_fixture.h"

#include <string>

namespace scrivlet {

namespace {

enum : unsigned { kWmCut = 768, kWmCopy = 769, kWmPaste = 770 };
constexpr uintptr_t kCfText = 1;
constexpr int kCut = 1, kCopy = 2, kPaste = 3, kDelete = 4, kSelectAll = 5;
constexpr int kGreyedForNoSelection = 1 << kCut | 1 << kCopy | 1 << kDelete;

class ClipboardTest : public ControlTest {
protected:
    // A new control starts with the last error at 0.
    void ResetError() { Recreate(ControlShape{}); }
    void Select(DWORD start, DWORD end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&range));
    }
};

TEST_F(ClipboardTest, CopyTurnsLineBreaksIntoCrLfInABlockOfExactSize)
{
    SetText("xa\nby");
    Select(1, 4);
    EmptyTheClipboard();
    EXPECT_EQ(Send(kWmCopy), 0);
    EXPECT_EQ(ClipboardText(), "a\r\nb");
    if (Native()) {
        EXPECT_EQ(ClipboardBlockSize(), 5) << "3 bytes of 2 lines: a, CR, LF, b and a NUL";
    }
    EXPECT_EQ(Text(), "xa\nby") << "copying leaves the text";
}

TEST_F(ClipboardTest, CopyingAnEmptySelectionEmptiesTheClipboard)
{
    SetText("abc");
    PutClipboardText("old");
    Select(1, 1);
    Send(kWmCopy);
    EXPECT_EQ(ClipboardText(), "(none)");
    EXPECT_EQ(Send(AEM_CANPASTE, kCfText), 0);
}

TEST_F(ClipboardTest, PasteTurnsEveryLineEndIntoLineFeedAsOneUndoGroup)
{
    SetText("<>");
    Select(1, 1);
    PutClipboardText("a\r\nb\rc\nd");
    Send(kWmPaste);
    EXPECT_EQ(Text(), "<a\nb\nc\nd>");
    EXPECT_EQ(SelStart(), 8u) << "the caret follows the pasted text";
    Send(kWmUndo);
    EXPECT_EQ(Text(), "<>") << "one undo step takes the whole paste back";

    // A block without a NUL ends with its size; Wine's clipboard puts a NUL
    // of its own into the last byte.
    PutClipboardText(std::string(100, 'x'), false);
    Send(kWmPaste);
    EXPECT_EQ(Text(), "<" + std::string(Native() ? 100 : 99, 'x') + ">");
}

TEST_F(ClipboardTest, CopyThenPasteRoundTripsAndReplacesTheSelection)
{
    SetText("one\ntwo\nX");
    Select(0, 8);
    Send(kWmCopy);
    Select(8, 9);
    Send(kWmPaste);
    EXPECT_EQ(Text(), "one\ntwo\none\ntwo\n");
}

TEST_F(ClipboardTest, PasteWithoutTextDoesNothing)
{
    EmptyTheClipboard();
    ResetError();
    SetText("abc");
    Send(kWmPaste);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(GetLastControlError(), 0);
}

TEST_F(ClipboardTest, CutMovesTheSelectionAsOneUndoGroup)
{
    SetText("ab\ncd");
    Select(1, 4);
    Send(kWmCut);
    EXPECT_EQ(Text(), "ad");
    EXPECT_EQ(ClipboardText(), "b\r\nc");
    Send(kWmUndo);
    EXPECT_EQ(Text(), "ab\ncd");
}

TEST_F(ClipboardTest, CutOfAnEmptySelectionEmptiesTheClipboardOnly)
{
    SetText("abc");
    PutClipboardText("old");
    Select(2, 2);
    Send(kWmCut);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(ClipboardText(), "(none)");
}

TEST_F(ClipboardTest, CanPasteAnswersForTextOnlyAndNeedsNoRecord)
{
    PutClipboardText("x");
    EXPECT_EQ(Send(AEM_CANPASTE, kCfText), 1);
    EXPECT_EQ(Send(AEM_CANPASTE, 2), 0) << "only CF_TEXT is offered";
    ResetError();
    EXPECT_EQ(SendWithoutRecord(AEM_CANPASTE, kCfText), 1);
    EXPECT_EQ(GetLastControlError(), 0);
    EmptyTheClipboard();
    EXPECT_EQ(Send(AEM_CANPASTE, kCfText), 0);
}

TEST_F(ClipboardTest, ClipboardMessagesWithoutRecordSetErrorOne)
{
    PutClipboardText("x");
    for (unsigned message : {kWmCopy, kWmCut, kWmPaste}) {
        ResetError();
        EXPECT_EQ(SendWithoutRecord(message), 0);
        EXPECT_EQ(GetLastControlError(), 1) << message;
    }
    EXPECT_EQ(ClipboardText(), "x");
}

TEST_F(ClipboardTest, AClipboardThatCannotOpenKeepsTextAndClipboard)
{
    SetText("abc");
    PutClipboardText("old");
    ASSERT_TRUE(FailClipboardOpen());
    Select(0, 2);
    Send(kWmCut);
    EXPECT_EQ(GetLastControlError(), 4);
    EXPECT_EQ(Text(), "abc") << "a cut whose copy failed deletes nothing";
    ResetError();
    SetText("abc");
    Send(kWmPaste);
    EXPECT_EQ(GetLastControlError(), 4);
    EXPECT_EQ(Text(), "abc") << "nothing is pasted";
    EXPECT_EQ(ClipboardText(), "old") << "the failed cut did not empty the clipboard";
}

TEST_F(ClipboardTest, MemoryFailureForTheBlockStopsTheCut)
{
    SetText("abc");
    if (!FailClipboardAllocation())
        GTEST_SKIP() << "the real allocation cannot be made to fail";
    Select(0, 2);
    Send(kWmCut);
    EXPECT_EQ(GetLastControlError(), 2);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(ClipboardText(), "(none)") << "the emptied clipboard stays empty";
}

TEST_F(ClipboardTest, ContextMenuGreysWhatWouldDoNothing)
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
}

TEST_F(ClipboardTest, ContextMenuSendsTheChosenCommand)
{
    SetText("ab\ncd");
    ContextMenu(kSelectAll, -1); // from the keyboard: at (-1, -1)
    EXPECT_EQ(SelStart(), 0u);
    EXPECT_EQ(SelEnd(), 5u);
    ContextMenu(kCopy, -1);
    EXPECT_EQ(ClipboardText(), "ab\r\ncd");
    ContextMenu(kDelete, -1);
    EXPECT_EQ(Text(), "");
    ContextMenu(kPaste, -1);
    EXPECT_EQ(Text(), "ab\ncd");
    Select(0, 2);
    ContextMenu(kCut, -1);
    EXPECT_EQ(Text(), "\ncd");
    EXPECT_EQ(ClipboardText(), "ab");
}

} // namespace

} // namespace scrivlet
