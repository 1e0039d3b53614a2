// What a keystroke repaints, over the platform double: the rest of the line
// for an ordinary edit, down to the bottom for a line break or a range
// delimiter of the current style.
#include "control/control_engine.h"
#include "control/view_requests.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <vector>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 43;
constexpr unsigned kChar = 258, kKeyDown = 256, kBack = 8, kDelete = 46;

struct KeyRepaint : testing::Test {
    PlatformDouble screen;
    ControlRecord *record = nullptr;

    void SetUp() override
    {
        screen.controlId = kId;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        ASSERT_NE(record, nullptr);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>("ab {x\ncd"));
    }
    void TearDown() override
    {
        DestroyControl(record, PlatformOf(&screen));
        ClearStyles();
    }
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    // The rectangle the keystroke at `caret` repainted last equals the one
    // `mode` covers from `from`.
    void ExpectRepaint(uint32_t caret, unsigned message, unsigned key, RepaintMode mode, uint32_t from)
    {
        AERANGE at = {caret, caret};
        Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&at));
        screen.invalidated.clear();
        Send(message, key, 1);
        ViewRect want = RepaintArea(record, mode, from, from);
        ASSERT_FALSE(screen.invalidated.empty());
        PlatformDouble::Rect got = screen.invalidated.back();
        EXPECT_EQ(std::vector<int>({got.left, got.top, got.right, got.bottom}),
                  std::vector<int>({want.left, want.top, want.right, want.bottom}))
            << "key " << key << " at " << caret << " should repaint mode " << mode << " from " << from;
        Send(AEM_UNDO);
    }
};

TEST_F(KeyRepaint, WithoutStyleOnlyLineBreaksRepaintToTheBottom)
{
    ExpectRepaint(1, kChar, 'x', kRepaintRestOfLine, 1);
    ExpectRepaint(1, kChar, '\r', kRepaintLineToBottom, 1);
    ExpectRepaint(2, kKeyDown, kBack, kRepaintRestOfLine, 1);
    ExpectRepaint(5, kKeyDown, kDelete, kRepaintLineToBottom, 5);
}

TEST_F(KeyRepaint, WithStyleRangeDelimitersRepaintToTheBottom)
{
    uint32_t style = CreateStyle("s", nullptr);
    AddRange(style, "{", 1, "}", 1, 0, 0, AddClass(style, "Comment", 1, 0, 0x8000));
    Send(AEM_SETSTYLE, 0, style);
    ExpectRepaint(7, kChar, 'x', kRepaintRestOfLine, 6);
    ExpectRepaint(7, kChar, '}', kRepaintLineToBottom, 6);
    ExpectRepaint(3, kKeyDown, kDelete, kRepaintLineToBottom, 3);
    ExpectRepaint(2, kKeyDown, kDelete, kRepaintRestOfLine, 0);
}

} // namespace

} // namespace scrivlet
