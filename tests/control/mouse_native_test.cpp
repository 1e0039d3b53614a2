// What a drag asks of the window system, over the platform double: the
// capture, the auto-scroll timer and its inner-area rule, the cursor, and
// the code page's letters in double-click words.
#include "control/control_engine.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 44;
constexpr unsigned kMouseMove = 512, kButtonDown = 513, kButtonUp = 514, kDoubleClick = 515;
constexpr uintptr_t kLeftButton = 1;

intptr_t Point(int x, int y)
{
    return intptr_t(uint16_t(x)) | (intptr_t(uint16_t(y)) << 16);
}

struct MouseDrag : testing::Test {
    PlatformDouble screen;
    ControlRecord *record = nullptr;

    void SetUp() override
    {
        // 80 × 25 whole cells and 3 pixels of a partial row and column.
        screen.controlId = kId;
        screen.width = 8 * 80 + 3;
        screen.height = 13 * 25 + 3;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        ASSERT_NE(record, nullptr);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>("caf\xE9s and more"));
    }
    void TearDown() override { DestroyControl(record, PlatformOf(&screen)); }
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    bool TimerRuns() { return screen.timers.count(1) != 0; }
};

TEST_F(MouseDrag, TheTimerRunsExactlyWhileTheDragIsOutsideTheWholeCells)
{
    Send(kButtonDown, kLeftButton, Point(10, 10));
    EXPECT_TRUE(screen.captured) << "a click takes the capture";
    Send(kMouseMove, kLeftButton, Point(8 * 80 - 1, 13 * 25 - 1));
    EXPECT_FALSE(TimerRuns()) << "the last whole cell is inside";
    Send(kMouseMove, kLeftButton, Point(20, 13 * 25 + 1));
    EXPECT_TRUE(TimerRuns()) << "the partial last row is outside";
    EXPECT_EQ(screen.timers[1], 100u);
    EXPECT_EQ(record->dragging, 1u);
    Send(kMouseMove, kLeftButton, Point(8 * 80, 20));
    EXPECT_TRUE(TimerRuns()) << "so is the partial last column";
    Send(kMouseMove, kLeftButton, Point(20, 20));
    EXPECT_FALSE(TimerRuns()) << "back inside, the timer stops";
    EXPECT_EQ(record->dragging, 0u);
    Send(kMouseMove, kLeftButton, Point(-1, 20));
    EXPECT_TRUE(TimerRuns());
    Send(kButtonUp);
    EXPECT_FALSE(TimerRuns()) << "the release ends the drag";
    EXPECT_FALSE(screen.captured) << "and frees the capture";
}

TEST_F(MouseDrag, CodePageLettersBelongToTheWord)
{
    Send(kDoubleClick, kLeftButton, Point(1 + 8 * 1, 5));
    EXPECT_EQ(record->selStart, 0u);
    EXPECT_EQ(record->selEnd, 5u) << "0xE9 is a letter of the code page";
    EXPECT_EQ(record->caret, 5u);
}

} // namespace

} // namespace scrivlet
