// The view's arithmetic and painting over the platform double: cells,
// offsets under points, repaint rectangles, scroll ranges and steps,
// following the caret, and what the painter draws.
#include "control/control_engine.h"
#include "control/control_error.h"
#include "control/view_requests.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kId = 42;

struct View : testing::Test {
    PlatformDouble screen;
    ControlRecord *record = nullptr;

    // A control of `columns` × `rows` cells of 8 × 16 pixels holding `text`.
    void Open(const std::string &text, int columns = 80, int rows = 20,
              uint32_t style = AES_AUTOHSCROLL | AES_AUTOVSCROLL)
    {
        screen.controlId = kId;
        screen.cellHeight = 16;
        screen.width = 8 * columns + 1;
        screen.height = 16 * rows + 1;
        record = CreateControl(kId, style, PlatformOf(&screen));
        ASSERT_NE(record, nullptr);
        Send(AEM_SETLIMITTEXT, 0, 0x7FFFFFFF);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>(text.c_str()));
        Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&start));
    }
    void TearDown() override
    {
        if (record != nullptr)
            DestroyControl(record, PlatformOf(&screen));
        ClearStyles();
    }
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    void Scroll(unsigned message, unsigned code) { Send(message, code); }
    int32_t Position(ScrollBar bar) const { return screen.bars[bar].position; }
    AERANGE start = {0, 0};
};

std::string Lines(int count, const char *line = "line")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(line) + (i + 1 < count ? "\n" : "");
    return text;
}

constexpr unsigned kVScroll = 277, kHScroll = 276;

TEST_F(View, CellsAndOffsetsUnderPoints)
{
    Open("abcdef\nxy\n0123456789\nlast");
    EXPECT_EQ(PosFromChar(record, 0).x, 1);
    EXPECT_EQ(PosFromChar(record, 0).y, 1);
    ViewPoint third = PosFromChar(record, 10 + 3); // column 3 of the third line
    EXPECT_EQ(third.x, 25);
    EXPECT_EQ(third.y, 33);
    screen.bars[kHorizontalBar].position = 2;
    EXPECT_EQ(PosFromChar(record, 13).x, 9) << "two columns scrolled away";
    screen.bars[kHorizontalBar].position = 0;

    EXPECT_EQ(CharFromPos(record, 0, 0), 0u) << "-1 divided truncates towards zero";
    EXPECT_EQ(CharFromPos(record, 8 * 70, 16 + 1), 9u) << "right of a short line: its end";
    EXPECT_EQ(CharFromPos(record, 8 * 3 + 1, 16 * 2 + 1), 13u);
    EXPECT_EQ(CharFromPos(record, 500, 16 * 10), record->text.length) << "below the last line";
    EXPECT_EQ(CharFromPos(record, -1, 5), kNoOffset);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NEGATIVECOORDS));
}

TEST_F(View, RepaintRectanglesAreClampedToTheTextArea)
{
    Open("abcdef\nxy\nlong line here");
    const struct {
        RepaintMode mode;
        uint32_t a, b;
        ViewRect expected;
    } cases[] = {
        {kRepaintWhole, 0, 0, {1, 1, 641, 321}},
        {kRepaintRestOfLine, 2, 2, {17, 1, 641, 17}},
        {kRepaintLineToBottom, 8, 8, {1, 17, 641, 321}},
        {kRepaintBetween, 1, 4, {9, 1, 33, 17}},          // the cell of b is not included
        {kRepaintBetween, 1, 11, {1, 1, 641, 49}},        // different lines: full width
    };
    for (const auto &c : cases) {
        ViewRect r = RepaintArea(record, c.mode, c.a, c.b);
        EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<int>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
            << "mode " << c.mode << " " << c.a << ".." << c.b;
    }
    screen.bars[kHorizontalBar].position = 5;
    EXPECT_EQ(RepaintArea(record, kRepaintRestOfLine, 1, 1).left, 1) << "left of the view clamps to T";
}

TEST_F(View, ScrollRangesFollowLinesAndRows)
{
    Open(Lines(10));
    EXPECT_EQ(screen.bars[kVerticalBar].maximum, 9);
    EXPECT_EQ(screen.bars[kVerticalBar].page, 20u);
    EXPECT_EQ(screen.bars[kHorizontalBar].maximum, 4) << "the widest line";
    Scroll(kVScroll, kScrollLineDown);
    EXPECT_EQ(Position(kVerticalBar), 0) << "everything fits: nothing scrolls";
    TearDown();
    record = nullptr;

    Open(Lines(30));
    EXPECT_EQ(screen.bars[kVerticalBar].maximum, 48);
    Scroll(kVScroll, kScrollPageDown);
    EXPECT_EQ(Position(kVerticalBar), 19) << "a page step is one line less than the page";
    EXPECT_EQ(record->topLine, 20u);
    Scroll(kVScroll, kScrollPageDown);
    EXPECT_EQ(Position(kVerticalBar), 29) << "the last line can reach the top";
    Scroll(kVScroll, kScrollLineDown);
    EXPECT_EQ(Position(kVerticalBar), 29);
    screen.bars[kVerticalBar].trackPosition = 5;
    Scroll(kVScroll, kScrollThumbTrack);
    EXPECT_EQ(record->topLine, 6u) << "thumb tracking scrolls live";
    Scroll(kVScroll, kScrollPageUp);
    EXPECT_EQ(Position(kVerticalBar), 0);
    EXPECT_EQ(record->topLineStart, 0u);
}

TEST_F(View, ScrollingBlitsAndRepaintsTheUncoveredBand)
{
    Open(Lines(100));
    screen.height = 16 * 20 + 9; // a partial line at the bottom
    Send(5, 0, (screen.height << 16) | screen.width);
    screen.invalidated.clear();
    screen.scrolled.clear();
    Scroll(kVScroll, kScrollLineDown);
    ASSERT_EQ(screen.scrolled.size(), 1u);
    EXPECT_EQ(screen.scrolled[0].bottom, screen.height + 16) << "widened on the side the lines come from";
    ASSERT_FALSE(screen.invalidated.empty());
    PlatformDouble::Rect band = screen.invalidated.back();
    EXPECT_EQ(band.top, screen.height - 16 - (screen.height - 1) % 16) << "the partial line is repainted too";
    EXPECT_EQ(band.bottom, screen.height);
}

TEST_F(View, TheCaretIsFollowedTenColumnsAtATime)
{
    Open(std::string(200, 'x'));
    const struct {
        uint32_t caret;
        int32_t startPosition, expectedPosition;
    } cases[] = {{85, 0, 10}, {95, 0, 20}, {29, 30, 20}, {20, 30, 10}, {50, 0, 0}};
    for (const auto &c : cases) {
        screen.bars[kHorizontalBar].position = c.startPosition;
        record->caret = c.caret;
        Send(AEM_SCROLLCARET);
        EXPECT_EQ(Position(kHorizontalBar), c.expectedPosition) << "caret at column " << c.caret;
    }
    TearDown();
    Open(std::string(200, 'x'), 80, 20, AES_AUTOVSCROLL);
    EXPECT_EQ(screen.bars[kHorizontalBar].maximum, 0);
    record->caret = 150;
    Send(AEM_SCROLLCARET);
    EXPECT_EQ(Position(kHorizontalBar), 0) << "without AES_AUTOHSCROLL the caret may leave the view";
}

TEST_F(View, ScrollingCarriesTheCommentStateDownAndRecomputesItUp)
{
    Open("a\n{ open\nb\nc }\nd\ne");
    uint32_t style = CreateStyle("s", nullptr);
    uint32_t cls = AddClass(style, "Comment", 1, 0, 0x8000);
    uint32_t range = AddRange(style, "{", 1, "}", 1, 0, 0, cls);
    Send(AEM_SETSTYLE, 0, style);
    screen.bars[kVerticalBar] = ScrollBarState{0, 10, 2, 0, 0};
    Scroll(kVScroll, kScrollLineDown);
    Scroll(kVScroll, kScrollLineDown);
    EXPECT_EQ(record->topLine, 3u);
    EXPECT_EQ(record->topRangeState, range) << "inside the comment at the top";
    Scroll(kVScroll, kScrollLineDown);
    Scroll(kVScroll, kScrollLineDown);
    EXPECT_EQ(record->topRangeState, 0u);
    Scroll(kVScroll, kScrollLineUp);
    Scroll(kVScroll, kScrollLineUp);
    EXPECT_EQ(record->topLine, 3u);
    EXPECT_EQ(record->topRangeState, range) << "recomputed from the start going up";
}

// A paint device that writes every drawn cell as text, marking selected
// cells with [ ] and coloured ones with the colour's low byte in < >.
struct TextDevice {
    std::string drawn;   // "|" starts each line after the first
    uint32_t text = 0, back = 0;
    int lastY = 1;
};

PaintDevice DeviceOf(TextDevice *device)
{
    PaintDevice d{};
    d.context = device;
    d.systemColour = [](void *, int index) { return index == kColourWindow ? 0xFFFFFFu : 0u; };
    d.setTextColour = [](void *c, uint32_t colour) {
        auto *t = static_cast<TextDevice *>(c);
        uint32_t old = t->text;
        t->text = colour;
        return old;
    };
    d.setBackColour = [](void *c, uint32_t colour) {
        auto *t = static_cast<TextDevice *>(c);
        uint32_t old = t->back;
        t->back = colour;
        return old;
    };
    d.moveTo = [](void *c, int, int y) {
        auto *t = static_cast<TextDevice *>(c);
        if (y != t->lastY)
            t->drawn += "|";
        t->lastY = y;
    };
    d.drawText = [](void *c, const char *bytes, int count) {
        auto *t = static_cast<TextDevice *>(c);
        for (int i = 0; i < count; ++i) {
            if (t->back == 0)
                t->drawn += std::string("[") + bytes[i] + "]";
            else if (t->text != 0)
                t->drawn += "<" + std::string(1, bytes[i]) + ">";
            else
                t->drawn += bytes[i];
        }
    };
    return d;
}

TEST_F(View, PaintDrawsTabsSelectionAndRunsCellByCell)
{
    Open("ab\tc\nif x\n");
    TextDevice device;
    Paint(record, TextArea(record), DeviceOf(&device));
    EXPECT_EQ(device.drawn, "ab  c |if x |") << "a tab at column 2 draws two spaces; '\\n' one";

    uint32_t style = CreateStyle("s", nullptr);
    AddSymbol(style, "if", 2, AddClass(style, "K", 1, 0, 0xFF));
    Send(AEM_SETSTYLE, 0, style);
    AERANGE selected = {6, 9}; // "f x" of the second line
    Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&selected));
    device = TextDevice{};
    Paint(record, TextArea(record), DeviceOf(&device));
    EXPECT_NE(device.drawn.find("<i>[f][ ][x] |"), std::string::npos)
        << "the keyword's class colour gives way to the selection: " << device.drawn;

    AERANGE lineBreak = {4, 5};
    Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&lineBreak));
    device = TextDevice{};
    Paint(record, TextArea(record), DeviceOf(&device));
    EXPECT_NE(device.drawn.find("c[ ]|"), std::string::npos) << "a selected line break is one inverted cell";
}

TEST_F(View, TabStopsExpandToTheirColumns)
{
    Open("\tA\tB\tC");
    const uint32_t widths[] = {8, 4};
    Send(AEM_SETTABSTOPS, (1u << 16) | 2, reinterpret_cast<intptr_t>(widths));
    TextDevice device;
    Paint(record, TextArea(record), DeviceOf(&device));
    EXPECT_EQ(device.drawn, std::string(8, ' ') + "A   B   C") << "tabs end at columns 8, 12 and 16";
}

} // namespace
