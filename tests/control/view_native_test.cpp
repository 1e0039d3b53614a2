// The view over the platform double: cells and offsets under points, repaint
// rectangles, scroll ranges and steps, following the caret, what the painter
// draws, what keystrokes and selections repaint, what a drag asks of the
// window system, and AEM_PRINT on the double's recording printer.
#include "control/control_engine.h"
#include "control/view_requests.h"
#include "core/control_error.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 42;
constexpr unsigned kVScroll = 277, kChar = 258, kKeyDown = 256;
constexpr unsigned kMouseMove = 512, kButtonDown = 513, kButtonUp = 514, kDoubleClick = 515;

intptr_t Point(int x, int y) { return intptr_t(uint16_t(x)) | (intptr_t(uint16_t(y)) << 16); }

std::string Box(int left, int top, int right, int bottom)
{
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," + std::to_string(bottom);
}
std::string Box(const ViewRect &r) { return Box(r.left, r.top, r.right, r.bottom); }

// `count` lines "line", 5 bytes a line.
std::string Lines(int count)
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
        Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>(text.c_str()));
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
        Send(AEM_SETSEL, 1, reinterpret_cast<intptr_t>(&range));
    }
    // The keyword "if" and comments from '{' to '}'.
    void UseStyle()
    {
        uint32_t style = CreateStyle("s", nullptr);
        AddSymbol(style, "if", 2, AddClass(style, "Keyword", 1, 0, 0xFF));
        AddRange(style, "{", 1, "}", 1, 0, 0, AddClass(style, "Comment", 1, 0, 0x8000));
        Send(AEM_SETSTYLE, 0, style);
    }
    int32_t Position(ScrollBar bar) const { return screen.bars[bar].position; }
    std::string LastRepaint()
    {
        if (screen.invalidated.empty())
            return "none";
        PlatformDouble::Rect r = screen.invalidated.back();
        return Box(r.left, r.top, r.right, r.bottom);
    }
};

TEST_F(View, CellsAndOffsetsUnderPoints)
{
    Open("abcdef\nxy\n0123456789\nlast");
    const struct { uint32_t offset; int32_t scrolled; int x, y; } cells[] = {
        {0, 0, 1, 1}, {13, 0, 25, 33}, {13, 2, 9, 33}, {9, 0, 17, 17}};
    for (const auto &c : cells) {
        screen.bars[kHorizontalBar].position = c.scrolled;
        ViewPoint at = PosFromChar(record, c.offset);
        EXPECT_EQ(Box(at.x, at.y, 0, 0), Box(c.x, c.y, 0, 0)) << c.offset;
    }
    screen.bars[kHorizontalBar].position = 0;
    const struct { int x, y; uint32_t offset; } points[] = {
        {0, 0, 0}, {8 * 70, 17, 9}, {25, 33, 13}, {24, 33, 12}, {500, 160, 25}, {-1, 5, kNoOffset}};
    for (const auto &p : points)
        EXPECT_EQ(CharFromPos(record, p.x, p.y), p.offset) << p.x << "," << p.y;
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NEGATIVECOORDS));
}

TEST_F(View, RepaintRectanglesAreClampedToTheTextArea)
{
    Open("abcdef\nxy\nlong line here");
    const struct { RepaintMode mode; uint32_t a, b; int32_t scrolled; const char *expected; } cases[] = {
        {kRepaintWhole, 0, 0, 0, "1,1,641,321"},
        {kRepaintRestOfLine, 2, 2, 0, "17,1,641,17"},
        {kRepaintLineToBottom, 8, 8, 0, "1,17,641,321"},
        {kRepaintBetween, 1, 4, 0, "9,1,33,17"},   // the cell of b is not included
        {kRepaintBetween, 1, 11, 0, "1,1,641,49"}, // different lines: full width
        {kRepaintRestOfLine, 1, 1, 5, "1,1,641,17"},
    };
    for (const auto &c : cases) {
        screen.bars[kHorizontalBar].position = c.scrolled;
        EXPECT_EQ(Box(RepaintArea(record, c.mode, c.a, c.b)), c.expected) << c.mode << " " << c.a << ".." << c.b;
    }
}

TEST_F(View, ScrollRangesAndSteps)
{
    Open(Lines(10));
    const ScrollBarState *bars = screen.bars;
    EXPECT_EQ(Box(bars[kVerticalBar].maximum, int(bars[kVerticalBar].page), bars[kHorizontalBar].maximum, 0),
              "9,20,4,0");
    Send(kVScroll, kScrollLineDown);
    EXPECT_EQ(Position(kVerticalBar), 0) << "everything fits: nothing scrolls";

    Open(Lines(30));
    EXPECT_EQ(bars[kVerticalBar].maximum, 48);
    const struct { unsigned code; int32_t track, position; uint32_t topLine; } steps[] = {
        {kScrollPageDown, 0, 19, 20},   // a page step is one line less than the page
        {kScrollPageDown, 0, 29, 30},   // the last line can reach the top
        {kScrollLineDown, 0, 29, 30},
        {kScrollLineUp, 0, 28, 29},
        {kScrollThumbTrack, 5, 5, 6},   // thumb tracking scrolls live
        {kScrollThumbPosition, 7, 7, 8},
        {99, 0, 7, 8},                  // a code that scrolls nothing
        {kScrollPageUp, 0, 0, 1},
        {kScrollLineUp, 0, 0, 1},
    };
    for (const auto &s : steps) {
        screen.bars[kVerticalBar].trackPosition = s.track;
        Send(kVScroll, s.code);
        EXPECT_EQ(Position(kVerticalBar) * 1000 + int(record->topLine), s.position * 1000 + int(s.topLine))
            << "position, top line after code " << s.code;
    }
    EXPECT_EQ(record->topLineStart, 0u);
    Select(49, 149);
    Send(0x0303); // WM_CLEAR: twenty lines go, and the range with them
    EXPECT_EQ(bars[kVerticalBar].maximum, 9);
}

TEST_F(View, ScrollingBlitsAndRepaintsTheUncoveredBand)
{
    Open(Lines(100), 80, 20, AES_AUTOHSCROLL | AES_AUTOVSCROLL, 9); // a partial line at the bottom
    const struct { unsigned code; const char *blit, *band; } cases[] = {
        {kScrollLineDown, "1,1,649,345", "1,305,649,329"}, {kScrollLineUp, "1,-15,649,329", "1,1,649,17"}};
    for (const auto &c : cases) {
        screen.invalidated.clear();
        screen.scrolled.clear();
        Send(kVScroll, c.code);
        ASSERT_EQ(screen.scrolled.size(), 1u);
        const PlatformDouble::Rect &blit = screen.scrolled[0];
        EXPECT_EQ(Box(blit.left, blit.top, blit.right, blit.bottom) + " " + LastRepaint(),
                  std::string(c.blit) + " " + c.band) << "code " << c.code;
    }
}

TEST_F(View, TheCaretIsFollowedTenColumnsAtATimeAndLineByLine)
{
    const std::string text = std::string(200, 'x') + "\n" + Lines(40);
    Open(text);
    const struct { uint32_t caret; int32_t from, column; uint32_t topLine; } cases[] = {
        {85, 0, 10, 1}, {95, 0, 20, 1}, {29, 30, 20, 1}, {20, 30, 10, 1}, {50, 0, 0, 1},
        {201 + 5 * 25, 0, 0, 8}, {201 + 5 * 3, 0, 0, 5}};
    for (const auto &c : cases) {
        screen.bars[kHorizontalBar].position = c.from;
        record->caret = c.caret;
        Send(AEM_SCROLLCARET);
        EXPECT_EQ(Position(kHorizontalBar) * 1000 + int(record->topLine), c.column * 1000 + int(c.topLine))
            << "column, top line for the caret at " << c.caret;
    }
    for (uint32_t style : {AES_AUTOVSCROLL, AES_AUTOHSCROLL}) {
        Open(text, 80, 20, style);
        record->caret = 150;
        Send(AEM_SCROLLCARET);
        EXPECT_EQ(HorizontalPosition(record) == 0, style == AES_AUTOVSCROLL) << "style " << style;
        record->caret = 201 + 5 * 30;
        Send(AEM_SCROLLCARET);
        EXPECT_EQ(record->topLine == 1, style == AES_AUTOHSCROLL) << "style " << style;
    }
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
        Send(kVScroll, s.code);
        EXPECT_EQ(record->topLine, s.topLine);
        EXPECT_EQ(record->topRangeState != 0, s.inside) << "top line " << s.topLine;
    }
}

// A paint device that keeps the last byte drawn into each cell of rows 0 … 3
// ('.' for a cell never drawn): selected cells as '#', cells in a class colour upper-case.
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
    const struct {
        const char *text;
        bool styled;
        uint32_t selStart, selEnd;
        int32_t column; // horizontal scroll
        ViewRect update;
        const char *drawn;
    } cases[] = {
        {"ab\tc\nif x", false, 0, 0, 0, all, "ab  c |if x||"},
        {"ab\tc\nif x", true, 6, 9, 0, all, "ab  c |I###||"},
        {"ab\tc\nif x", true, 4, 5, 0, all, "ab  c#|IF x||"},
        {"x {a\nb} if\nz", true, 0, 0, 0, all, "x {A |B} IF |z|"},
        {"abcdefghijklmnopqrstuvwxyz", false, 0, 0, 2, all, "cdefghijklmnopqrstuv|||"},
        {"a\nb\nc\nd", false, 0, 0, 0, {0, 17, 10000, 33}, "|b ||"},
        {"a\nb\nc\nd", true, 0, 0, 0, {0, 17, 10000, 33}, "|b ||"},
        {"a\nb\nc\nd", false, 0, 0, 0, {50, 0, 50, 10000}, "|||"},
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
    Open("\tA\tB\tC", 20, 4);
    const uint32_t widths[] = {8, 4};
    Send(AEM_SETTABSTOPS, (1u << 16) | 2, reinterpret_cast<intptr_t>(widths));
    Grid grid;
    Paint(record, all, DeviceOf(&grid));
    EXPECT_EQ(grid.Drawn(), std::string(8, ' ') + "A   B   C|||") << "tabs end at columns 8, 12 and 16";
}

// What a keystroke or a new selection repaints: the rest of the line for an
// ordinary edit, down to the bottom for a line break or a range delimiter
// of the current style; nothing when a caret moves without a selection.
TEST_F(View, KeystrokesAndSelectionsRepaintWhatTheyChange)
{
    enum Setting { kPlain, kStyled, kIndenting };
    const struct { Setting setting; uint32_t caret; unsigned message, key; RepaintMode mode; uint32_t from; } cases[] = {
        {kPlain, 1, kChar, 'x', kRepaintRestOfLine, 1},
        {kPlain, 1, kChar, '\r', kRepaintLineToBottom, 1},
        {kIndenting, 1, kChar, '\r', kRepaintLineToBottom, 1},
        {kPlain, 2, kKeyDown, 8, kRepaintRestOfLine, 1},
        {kPlain, 5, kKeyDown, 46, kRepaintLineToBottom, 5},
        {kStyled, 7, kChar, 'x', kRepaintRestOfLine, 6},
        {kStyled, 7, kChar, '}', kRepaintLineToBottom, 6},
        {kStyled, 3, kKeyDown, 46, kRepaintLineToBottom, 3},
        {kStyled, 2, kKeyDown, 46, kRepaintRestOfLine, 0},
    };
    for (const auto &c : cases) {
        Open("ab {x\ncd");
        if (c.setting == kStyled)
            UseStyle();
        Send(AEM_SETAUTOINDENT, c.setting == kIndenting ? 1 : 0);
        Select(c.caret, c.caret);
        screen.invalidated.clear();
        Send(c.message, c.key, 1);
        EXPECT_EQ(LastRepaint(), Box(RepaintArea(record, c.mode, c.from, c.from)))
            << "key " << c.key << " at " << c.caret << " in setting " << c.setting;
    }
    const struct { uint32_t from[2], to[2]; const char *repainted; } selections[] = {
        {{1, 1}, {2, 2}, "none"}, {{1, 1}, {1, 3}, "9,1,25,17"}, {{1, 3}, {2, 2}, "9,1,25,17"}};
    for (const auto &s : selections) {
        Select(s.from[0], s.from[1]);
        screen.invalidated.clear();
        Select(s.to[0], s.to[1]);
        EXPECT_EQ(LastRepaint(), s.repainted) << s.from[0] << "-" << s.from[1] << " to " << s.to[0] << "-" << s.to[1];
    }
}

// The auto-scroll timer runs exactly while a drag is outside the whole
// cells (80 × 25 and 3 pixels of a partial row and column).
TEST_F(View, TheDragTimerRunsOutsideTheWholeCells)
{
    Open("caf\xE9s and more", 80, 25, AES_AUTOHSCROLL | AES_AUTOVSCROLL, 3);
    Send(kButtonDown, 1, Point(10, 10));
    EXPECT_TRUE(screen.captured) << "a click takes the capture";
    const struct { int x, y; bool runs; } moves[] = {
        {8 * 80 - 1, 16 * 25 - 1, false}, {20, 16 * 25, true}, {20, 16 * 25 + 1, true}, {8 * 80, 20, true},
        {20, 20, false}, {-1, 20, true}, {20, -1, true}, {20, 0, false}};
    for (const auto &m : moves) {
        Send(kMouseMove, 1, Point(m.x, m.y));
        EXPECT_EQ((screen.timers.count(1) != 0) + 2 * (record->dragging != 0), m.runs ? 3 : 0)
            << "timer + 2 × dragging at " << m.x << "," << m.y;
    }
    Send(kMouseMove, 1, Point(-1, 20));
    EXPECT_EQ(screen.timers[1], 100u);
    Send(kButtonUp);
    EXPECT_EQ(screen.timers.count(1), 0u) << "the release ends the drag";
    EXPECT_FALSE(screen.captured) << "and frees the capture";
    Send(kDoubleClick, 1, Point(1 + 8 * 1, 5));
    EXPECT_EQ(Box(int(record->selStart), int(record->selEnd), int(record->caret), 0), "0,5,5,0")
        << "0xE9 is a letter of the code page";
}

TEST_F(View, PrintMessagePrintsTheTextOrTheSelectionAndSetsTheLastError)
{
    Open("one\ntwo\tx\nthree");
    PrintJob job{}; // any device: the double prints on its recorder
    job.copies = job.printerFont = 1;
    job.pageSet = AEPS_ALL;
    // Selections from "o\tx": its tab counts from the selection start.
    const struct {
        uint32_t selectionOnly, start, end;
        int left, withDevice, failStartPage;
        intptr_t result;
        DWORD error;
        std::vector<std::string> lines; // of the one page printed
    } cases[] = {
        {0, 0, 0, 0, 1, 0, 1, AEE_NOERROR, {"one", "two x", "three"}},
        {1, 6, 11, 0, 1, 0, 1, AEE_NOERROR, {"o   x", "t"}},
        {1, 2, 2, 50, 0, 1, 1, AEE_NOERROR, {}}, // an empty selection prints nothing
        {0, 2, 2, 50, 1, 0, 0, AEE_MARGINS, {}},
        {0, 2, 2, 0, 1, 1, 0, AEE_WIN32API, {}},
        {0, 2, 2, 0, 0, 0, 0, AEE_WIN32API, {}},
    };
    for (const auto &c : cases) {
        screen.printer = PageRecorder{};
        screen.printer.deviceFont = {20, 10}; // 10 cells across, 5 lines down
        screen.printer.width = 110, screen.printer.height = 101;
        screen.printer.failStartPage = c.failStartPage;
        Select(c.start, c.end);
        job.selectionOnly = c.selectionOnly;
        job.leftMargin = c.left;
        job.printerDC = c.withDevice ? reinterpret_cast<HDC>(&screen) : nullptr;
        SetLastControlError(AEE_STYLELOAD);
        EXPECT_EQ(Send(AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)), c.result) << c.start << "-" << c.end;
        EXPECT_EQ(GetLastControlError(), c.error) << c.start << "-" << c.end;
        ASSERT_EQ(screen.printer.pages.size(), c.lines.empty() ? 0u : 1u);
        if (!c.lines.empty()) {
            EXPECT_EQ(screen.printer.pages[0].Lines(0, 10), c.lines);
        }
    }
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 15) << "the text is whole again";
    EXPECT_EQ(Send(AEM_PRINT), 0) << "no job";
    EXPECT_EQ(ControlMessage(nullptr, PlatformOf(&screen), AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD));
}

} // namespace

} // namespace scrivlet
