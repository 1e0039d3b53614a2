// The view over the platform double: scrolling, painting, dragging and AEM_PRINT.
#include "control/control_engine.h"
#include "control/view_requests.h"
#include "core/control_error.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 42;

std::string Box(int left, int top, int right, int bottom)
{
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," + std::to_string(bottom);
}

std::string Lines(int count) // `count` lines "line"
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += i + 1 < count ? "line\n" : "line";
    return text;
}

struct View : testing::Test {
    PlatformDouble screen;
    ControlRecord *record = nullptr;

    // A control of `columns` × `rows` cells of 8 × 16 pixels (and `extra` pixels) holding `text`, the caret at 0.
    void Open(const std::string &text, int columns = 80, int rows = 20,
              uint32_t style = AES_AUTOHSCROLL | AES_AUTOVSCROLL, int extra = 1)
    {
        Close();
        screen = PlatformDouble{};
        screen.controlId = kId;
        screen.cellHeight = 16;
        screen.width = 8 * columns + extra;
        screen.height = 16 * rows + extra;
        record = CreateControl(kId, style, PlatformOf(&screen));
        ASSERT_NE(record, nullptr);
        Send(AEM_SETLIMITTEXT, 0, 0x7FFFFFFF);
        Send(AEM_REPLACESEL, 0, Param(text.c_str()));
        Select(0, 0);
    }
    void Close()
    {
        if (record != nullptr)
            DestroyControl(record, PlatformOf(&screen));
        record = nullptr;
        ClearStyles();
    }
    void TearDown() override { Close(); }
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    void Select(uint32_t a, uint32_t b)
    {
        AERANGE range = {a, b};
        Send(AEM_SETSEL, 1, Param(&range));
    }
    void UseStyle() // the keyword "if", comments from '{' to '}'
    {
        uint32_t style = CreateStyle("s", nullptr);
        AddSymbol(style, "if", 2, AddClass(style, "Keyword", 1, 0, 0xFF));
        AddRange(style, "{", 1, "}", 1, 0, 0, AddClass(style, "Comment", 1, 0, 0x8000));
        Send(AEM_SETSTYLE, 0, style);
    }
    std::string Scrolled() // the horizontal and vertical positions and the top line
    {
        return Box(screen.bars[kHorizontalBar].position, screen.bars[kVerticalBar].position, int(record->topLine), 0);
    }
};

TEST_F(View, ScrollRangesAndSteps)
{
    Open(Lines(10));
    const ScrollBarState *bars = screen.bars;
    EXPECT_EQ(Box(bars[kVerticalBar].maximum, int(bars[kVerticalBar].page), bars[kHorizontalBar].maximum, 0),
              "9,20,4,0");
    Open(Lines(30));
    EXPECT_EQ(bars[kVerticalBar].maximum, 48);
    const struct { unsigned code; int32_t track; const char *scrolled; } steps[] = {
        {kScrollPageDown, 0, "0,19,20,0"}, // a page step is one line less than the page
        {kScrollPageDown, 0, "0,29,30,0"}, // the last line can reach the top
        {kScrollLineUp, 0, "0,28,29,0"}, {kScrollThumbPosition, 7, "0,7,8,0"}, {kScrollPageUp, 0, "0,0,1,0"},
    };
    for (const auto &s : steps) {
        screen.bars[kVerticalBar].trackPosition = s.track;
        Send(kWmVScroll, s.code);
        EXPECT_EQ(Scrolled(), s.scrolled) << "after code " << s.code;
    }
    Select(49, 149);
    Send(kWmClear); // twenty lines go, and the range with them
    EXPECT_EQ(bars[kVerticalBar].maximum, 9);
}

TEST_F(View, ScrollingCarriesTheCommentStateDownAndRecomputesItUp)
{
    Open("a\n{ open\nb\nc }\nd\ne");
    UseStyle();
    screen.bars[kVerticalBar] = ScrollBarState{0, 10, 2, 0, 0};
    const struct { unsigned code; uint32_t topLine; bool inside; } steps[] = {
        {kScrollLineDown, 2, false}, {kScrollLineDown, 3, true}, {kScrollLineDown, 4, true},
        {kScrollLineDown, 5, false}, {kScrollLineUp, 4, true}, {kScrollLineUp, 3, true}, {kScrollLineUp, 2, false}};
    for (const auto &s : steps) {
        Send(kWmVScroll, s.code);
        EXPECT_EQ(record->topLine * 10 + (record->topRangeState != 0), s.topLine * 10 + s.inside) << "top, inside";
    }
}

// Rows 0-3 as drawn ('.' never drawn): selected cells '#', cells in a class colour upper-case.
struct Grid {
    uint32_t text = 0, back = 0;
    int x = 0, y = 0;
    std::string rows[4];
    std::string Drawn() const { return rows[0] + "|" + rows[1] + "|" + rows[2] + "|" + rows[3]; }
};

PaintDevice DeviceOf(Grid *grid)
{
    PaintDevice d{};
    d.context = grid;
    d.systemColour = [](void *, int index) { return index == kColourWindow ? 0xFFFFFFu : 0u; };
    d.setTextColour = [](void *c, uint32_t colour) { return std::exchange(static_cast<Grid *>(c)->text, colour); };
    d.setBackColour = [](void *c, uint32_t colour) { return std::exchange(static_cast<Grid *>(c)->back, colour); };
    d.moveTo = [](void *c, int x, int y) {
        static_cast<Grid *>(c)->x = x;
        static_cast<Grid *>(c)->y = y;
    };
    d.drawText = [](void *c, const char *bytes, int count) {
        auto *g = static_cast<Grid *>(c);
        for (int i = 0; i < count; ++i, g->x += 8) {
            int row = (g->y - 1) / 16, column = (g->x + 7) / 8 - 1;
            if (row < 0 || row > 3 || column < 0)
                continue;
            std::string &line = g->rows[row];
            line.resize(std::max(line.size(), size_t(column) + 1), '.');
            line[size_t(column)] = g->back == 0 ? '#' : g->text != 0 ? char(std::toupper(bytes[i])) : bytes[i];
        }
    };
    return d;
}

TEST_F(View, PaintDrawsTabsSelectionColoursAndOnlyTheUpdatedRows)
{
    const ViewRect all = {0, 0, 10000, 10000};
    const struct { const char *text; bool styled; uint32_t selStart, selEnd; int32_t column; ViewRect update;
                   const char *drawn; } cases[] = {
        {"ab\tc\nif x", true, 6, 9, 0, all, "ab  c |I###||"},
        {"ab\tc\nif x", true, 4, 5, 0, all, "ab  c#|IF x||"},
        {"x {a\nb} if\nz", true, 0, 0, 0, all, "x {A |B} IF |z|"},
        {"abcdefghijklmnopqrstuvwxyz", false, 0, 0, 2, all, "cdefghijklmnopqrstuv|||"},
        {"a\nb\nc\nd", true, 0, 0, 0, {0, 17, 10000, 33}, "|b ||"},
    };
    for (const auto &c : cases) {
        Open(c.text, 20, 4);
        if (c.styled)
            UseStyle();
        record->selStart = c.selStart;
        record->selEnd = c.selEnd;
        screen.bars[kHorizontalBar].position = c.column;
        Grid grid;
        Paint(record, c.update, DeviceOf(&grid));
        EXPECT_EQ(grid.Drawn(), c.drawn) << c.text << " selected " << c.selStart << "-" << c.selEnd;
    }
}

// The auto-scroll timer runs exactly while a drag is outside the whole 80 x 25 cells.
TEST_F(View, TheDragTimerRunsOutsideTheWholeCells)
{
    Open("caf\xE9s and more", 80, 25, AES_AUTOHSCROLL | AES_AUTOVSCROLL, 3);
    Send(kWmButtonDown, 1, Point(10, 10));
    EXPECT_TRUE(screen.captured) << "a click takes the capture";
    const struct { int x, y; bool runs; } moves[] = {
        {8 * 80 - 1, 16 * 25 - 1, false}, {20, 16 * 25, true}, {8 * 80, 20, true}, {20, 0, false}, {-1, 20, true}};
    for (const auto &m : moves) {
        Send(kWmMouseMove, 1, Point(m.x, m.y));
        EXPECT_EQ((screen.timers.count(1) != 0) + 2 * (record->dragging != 0), m.runs ? 3 : 0)
            << "timer + 2 × dragging at " << m.x << "," << m.y;
    }
    EXPECT_EQ(screen.timers[1], 100u);
    Send(kWmButtonUp);
    EXPECT_EQ(screen.timers.count(1) * 2 + screen.captured, 0u) << "the release ends the drag and frees the capture";
    Send(kWmDoubleClick, 1, Point(1 + 8 * 1, 5));
    EXPECT_EQ(Box(int(record->selStart), int(record->selEnd), int(record->caret), 0), "0,5,5,0")
        << "0xE9 is a letter of the code page";
}

TEST_F(View, PrintMessagePrintsTheTextOrTheSelectionAndSetsTheLastError)
{
    Open("one\ntwo\tx\nthree");
    PrintJob job{}; // any device: the double prints on its recorder
    job.copies = job.printerFont = 1;
    job.pageSet = AEPS_ALL;
    job.selectionOnly = 1;
    job.printerDC = reinterpret_cast<HDC>(&screen);
    screen.printer.deviceFont = {20, 10}; // 10 cells across, 5 lines down
    screen.printer.width = 110, screen.printer.height = 101;
    Select(6, 11);
    EXPECT_EQ(Send(AEM_PRINT, 0, Param(&job)), 1);
    ASSERT_EQ(screen.printer.pages.size(), 1u);
    EXPECT_EQ(screen.printer.pages[0].Lines(0, 10), (std::vector<std::string>{"o   x", "t"})) << "tabs from its start";
    job.leftMargin = 50;
    SetLastControlError(AEE_STYLELOAD);
    EXPECT_EQ(Send(AEM_PRINT, 0, Param(&job)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MARGINS));
    EXPECT_EQ(screen.printer.pages.size(), 1u) << "no page for a job without room";
    EXPECT_EQ(ControlMessage(nullptr, PlatformOf(&screen), AEM_PRINT, 0, Param(&job)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD));
}

} // namespace

} // namespace scrivlet
