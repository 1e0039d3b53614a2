// The view's arithmetic and painting over the platform double: cells,
// offsets under points, repaint rectangles, scroll ranges and steps,
// following the caret, and what the painter draws.
#include "control/control_engine.h"
#include "core/control_error.h"
#include "control/view_requests.h"
#include "highlight/highlighter.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace scrivlet {

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

// What a paint leaves on the screen: the last byte and colours drawn into
// every cell that meets the visible rectangle, and how many cells were drawn.
struct Screen {
    int cellWidth = 8, cellHeight = 16;
    ViewRect visible{};
    int x = 0, y = 0;
    uint32_t text = 0, back = 0;
    std::map<std::pair<int, int>, std::string> cells; // (y, x) -> byte, text and back colour
    int drawn = 0;
};

PaintDevice DeviceOf(Screen *screen)
{
    PaintDevice d{};
    d.context = screen;
    d.systemColour = [](void *, int index) { return index == kColourWindow ? 0xFFFFFFu : 0u; };
    d.setTextColour = [](void *c, uint32_t colour) { return std::exchange(static_cast<Screen *>(c)->text, colour); };
    d.setBackColour = [](void *c, uint32_t colour) { return std::exchange(static_cast<Screen *>(c)->back, colour); };
    d.moveTo = [](void *c, int x, int y) {
        static_cast<Screen *>(c)->x = x;
        static_cast<Screen *>(c)->y = y;
    };
    d.drawText = [](void *c, const char *bytes, int count) {
        auto *s = static_cast<Screen *>(c);
        for (int i = 0; i < count; ++i, s->x += s->cellWidth, ++s->drawn) {
            if (s->x + s->cellWidth > s->visible.left && s->x < s->visible.right &&
                s->y + s->cellHeight > s->visible.top && s->y < s->visible.bottom)
                s->cells[{s->y, s->x}] = bytes[i] + std::to_string(s->text) + "/" + std::to_string(s->back);
        }
    };
    return d;
}

// The paint as the rules put it: every line walked column by column from its
// start, each stretch placed by the column of its first byte and drawn whole.
void ReferencePaint(ControlRecord *record, ViewRect update, const PaintDevice &device)
{
    device.setTextColour(device.context, device.systemColour(device.context, kColourWindowText));
    device.setBackColour(device.context, device.systemColour(device.context, kColourWindow));
    char *text = record->text.bytes;
    TabStops tabs = TabStopsOf(record);
    auto drawRun = [&](uint32_t first, uint32_t count) {
        bool selected = false;
        uint32_t savedText = 0, savedBack = 0;
        for (uint32_t i = first; i < first + count; ++i) {
            bool inside = i >= record->selStart && i < record->selEnd;
            if (inside != selected && inside) {
                savedBack = device.setBackColour(device.context, 0);
                savedText = device.setTextColour(device.context, 0xFFFFFF);
            } else if (inside != selected) {
                device.setBackColour(device.context, savedBack);
                device.setTextColour(device.context, savedText);
            }
            selected = inside;
            uint32_t cells = text[i] == '\t' ? DistanceToNextTab(tabs, text, i) : text[i] != '\0';
            for (uint32_t k = 0; k < cells; ++k)
                device.drawText(device.context, text[i] == '\t' || text[i] == '\n' ? " " : &text[i], 1);
        }
        if (selected) {
            device.setBackColour(device.context, savedBack);
            device.setTextColour(device.context, savedText);
        }
    };
    ViewRect t = TextArea(record);
    int h = HorizontalPosition(record), cellWidth = 8, cellHeight = 16;
    HighlightState state = {record->topRangeState, record->topRangeData};
    uint32_t start = record->topLineStart, unused;
    for (int lineTop = t.top + 1, row = 0; lineTop <= t.bottom; lineTop += cellHeight, ++row) {
        uint32_t length = LineStart(text, start, &unused);
        auto moveTo = [&](uint32_t offset) {
            device.moveTo(device.context, cellWidth * (int(ColumnOfOffset(tabs, text, offset)) - h) + 1, cellHeight * row + 1);
        };
        if (record->highlightStyle == 0) {
            uint32_t p = start + OffsetOfColumn(tabs, text, start, uint32_t(h));
            p -= p > start ? 1 : 0;
            moveTo(p);
            drawRun(p, std::min(start + length - p + 1, uint32_t((t.right - t.left) / cellWidth + 2)));
        }
        for (uint32_t column = 0; record->highlightStyle != 0 && column <= length;) {
            bool draw = lineTop + cellHeight >= update.top;
            uint32_t runStart = column;
            HighlightRun run = QueryRun(record->highlightStyle, text + start, length, column, &state);
            while (run.classId == 0 && column <= length)
                run = QueryRun(record->highlightStyle, text + start, length, ++column, &state);
            if (draw) {
                moveTo(start + runStart);
                drawRun(start + runStart, column - runStart);
                if (run.classId != 0) {
                    uint32_t previous = device.setTextColour(device.context, ClassColour(record->highlightStyle, run.classId)->colour);
                    drawRun(start + column, run.length);
                    device.setTextColour(device.context, previous);
                }
            }
            column += run.length;
        }
        NextLine(text, start, &start);
        if (start == 0)
            break;
    }
}

// Lines of up to 700 bytes of tokens that open and close comments, strings
// and nested blocks anywhere, escape quotes, and put keywords and tabs
// astride any column.
std::string TokenText()
{
    static const char *const tokens[] = {"if", "while", " ", "x1", "\t", "/*", "*/", "\"", "\\", "{", "}", "return",
                                         "undo", "do", "od", ";", "a", "// c", " while ", " if ", "; return ", " "};
    const int lengths[] = {700, 0, 650, 30, 690, 400, 700, 5, 680, 700, 300, 700, 700, 650, 700};
    std::string text;
    uint32_t seed = 12345;
    for (int length : lengths) {
        for (size_t start = text.size(); text.size() - start < size_t(length);) {
            seed = seed * 1103515245u + 12345u;
            const char *token = tokens[(seed >> 16) % 22];
            if (std::string(token) != "// c" || (seed >> 8) % 16 == 0)
                text += token;
        }
        text += "\n";
    }
    return text;
}

// Styles whose walk takes the fast way (a C-like one), rewrites the text
// (upper-case keywords) or has a keyword that hides a range start ("do"
// inside "undo"), and no style: each view of the table paints the same
// cells as the reference, leaves the same text, and draws little more than
// it shows.
TEST_F(View, PaintShowsWhatTheColumnByColumnWalkShows)
{
    const struct {
        int32_t column;        // horizontal scroll position
        uint32_t linesDown;    // vertical scroll
        uint32_t selStart, selEnd;
        ViewRect update;       // in pixels
        bool tabStops;         // {6, 3} instead of every 4 columns
    } views[] = {
        {0, 0, 0, 0, {0, 0, 10000, 10000}, false},
        {300, 0, 2000, 2350, {0, 0, 10000, 10000}, false},
        {301, 2, 2300, 4000, {0, 0, 10000, 10000}, true},
        {417, 0, 0, 0, {0, 40, 10000, 100}, false},    // rows 2 to 6 only
        {555, 3, 3000, 3100, {201, 0, 245, 10000}, true}, // a band of columns, from inside a cell
        {650, 0, 6900, 7000, {37, 17, 300, 241}, false},
        {690, 4, 0, 0, {0, 0, 10000, 10000}, true},
        {1000, 0, 0, 0, {0, 0, 10000, 10000}, false},  // right of every line
    };
    std::string text = TokenText();
    Open(text, 40, 12);
    screen.bars[kVerticalBar] = ScrollBarState{0, 100, 2, 0, 0};
    for (int kind = 0; kind < 4; ++kind) {
        uint32_t style = CreateStyle("s", nullptr);
        uint32_t comment = AddClass(style, "Comment", 1, 0, 0x8000);
        uint32_t block = AddClass(style, "Block", 1, 0, 0x80);
        uint32_t keyword = AddClass(style, "Keyword", kind == 1 ? 0 : 1, kind == 1 ? 2 : 0, 0xFF0000);
        AddRange(style, "/*", 2, "*/", 2, 0, 0, comment);
        AddRange(style, "//", 2, "", 0, 0, 0, comment);
        AddRange(style, "\"", 1, "\"", 1, kRangeBackslash, 0, comment);
        AddRange(style, "{", 1, "}", 1, 0, 1, block);
        if (kind == 2)
            AddRange(style, "do", 2, "od", 2, 0, 0, block);
        for (const char *word : {"if", "while", "return", "undo"})
            AddSymbol(style, word, uint32_t(std::strlen(word)), keyword);
        for (const auto &v : views) {
            const uint32_t widths[] = {6, 3};
            Send(AEM_SETTABSTOPS, v.tabStops ? 2 : 0, reinterpret_cast<intptr_t>(widths));
            Send(AEM_SETSTYLE, 0, kind < 3 ? style : 0);
            screen.bars[kVerticalBar].trackPosition = int32_t(v.linesDown);
            Scroll(kVScroll, kScrollThumbPosition);
            screen.bars[kHorizontalBar].position = v.column;
            record->selStart = v.selStart;
            record->selEnd = v.selEnd;
            Screen expected, painted;
            expected.visible = painted.visible = {std::max(v.update.left, 1), std::max(v.update.top, 1),
                                                  std::min(v.update.right, screen.width), std::min(v.update.bottom, screen.height)};
            std::copy(text.begin(), text.end(), record->text.bytes); // rewritten by the last view
            ReferencePaint(record, v.update, DeviceOf(&expected));
            std::string rewritten(record->text.bytes, record->text.length);
            std::copy(text.begin(), text.end(), record->text.bytes);
            Paint(record, v.update, DeviceOf(&painted));
            SCOPED_TRACE("style " + std::to_string(kind) + ", column " + std::to_string(v.column) + ", lines down " +
                         std::to_string(v.linesDown));
            EXPECT_EQ(std::string(record->text.bytes, record->text.length), rewritten) << "the same keywords rewritten";
            EXPECT_TRUE(v.column > 700 || expected.cells.size() > 20u);
            const ViewRect &shown = painted.visible;
            EXPECT_LE(painted.drawn, ((shown.bottom - shown.top) / 16 + 2) * ((shown.right - shown.left) / 8 + 2 + 2 * 5))
                << "cells drawn outside the update rectangle";
            for (auto e = expected.cells.begin(), p = painted.cells.begin(); e != expected.cells.end() || p != painted.cells.end(); ++e, ++p) {
                if (e == expected.cells.end() || p == painted.cells.end() || *e != *p) {
                    auto at = e != expected.cells.end() ? e->first : p->first;
                    ADD_FAILURE() << "first difference at pixel (" << at.second << ", " << at.first << "): "
                                  << (e != expected.cells.end() ? e->second : "nothing") << " expected, "
                                  << (p != painted.cells.end() ? p->second : "nothing") << " painted";
                    break;
                }
            }
        }
        ClearStyles();
    }
}

} // namespace

} // namespace scrivlet
