// What a user sees of the control under Wine: its client area is read back
// from the window after a paint and checked cell by cell. The default font
// under Wine is the raster Courier of 8 × 13 pixels, drawn without
// smoothing, so every pixel is exactly the text or the background colour.
// Scrolling, thumb dragging and the caret are checked on the same windows.
#include "support/control_fixture.h"
#include "support/window_capture.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

constexpr int kCellWidth = 8;   // tmMaxCharWidth of the stock fixed fonts under Wine
constexpr int kCellHeight = 13; // tmHeight
constexpr int kColumns = 40;    // cells of the test control before any scroll bar shows
constexpr int kRows = 10;
constexpr COLORREF kRed = RGB(255, 0, 0);   // the keyword class
constexpr COLORREF kGreen = RGB(0, 128, 0); // the comment class

// Pixels of one colour in the cell of a display column and a visible row.
int InCell(const Capture &capture, COLORREF colour, int column, int row)
{
    int left = kCellWidth * column + 1;
    int top = kCellHeight * row + 1;
    return capture.Count(colour, left, top, left + kCellWidth, top + kCellHeight);
}

// One control of 40 × 10 cells in a visible parent, with a style of its own.
class ViewPixelTest : public testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA existing;
        if (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing)) {
            ASSERT_EQ(RegisterAdvancedEditClass(instance), 1);
        }
        parent = CreateWindowExA(0, "STATIC", "view pixel test",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr,
                                 nullptr, instance, nullptr);
        ASSERT_NE(parent, nullptr);
        control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL,
                                     0, 0, kCellWidth * kColumns + 1, kCellHeight * kRows + 1,
                                     parent, 1);
        ASSERT_NE(control, nullptr);
        HDC dc = GetDC(control);
        TEXTMETRICA metrics;
        ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
        ASSERT_EQ(metrics.tmMaxCharWidth, kCellWidth)
            << "the default font must be Wine's raster Courier (scripts/wine-run copies the fonts)";
        ASSERT_EQ(metrics.tmHeight, kCellHeight);
        window = GetSysColor(COLOR_WINDOW);
        windowText = GetSysColor(COLOR_WINDOWTEXT);
        ASSERT_NE(window, windowText);
        ASSERT_TRUE(window != kRed && windowText != kRed && window != kGreen && windowText != kGreen)
            << "the class colours must differ from the system colours";
    }

    void TearDown() override
    {
        if (parent != nullptr)
            DestroyWindow(parent); // and the control with it
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(control, message, wParam, lParam);
    }

    // Replaces the whole text and puts the caret at its start.
    void SetText(const char *text)
    {
        Select(0, 0xFFFFFFFF);
        ASSERT_EQ(Send(AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text)), 1);
        Select(0, 0);
    }

    void Select(DWORD start, DWORD end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&range));
    }

    // Keywords "int" and "return" in red, comments /* … */ in green.
    void UseKeywordStyle()
    {
        DWORD style = DWORD(Send(AEM_ADDSTYLE, reinterpret_cast<WPARAM>("Pixel test"), 0));
        ASSERT_NE(style, 0u);
        DWORD keyword = AddClass(style, "Keyword", kRed);
        DWORD comment = AddClass(style, "Comment", kGreen);
        AESTYLEREF symbolRef = {style, 0, AESK_SYMBOL};
        for (const char *text : {"int", "return"}) {
            AESTYLESYMBOL symbol = {};
            std::strcpy(symbol.text, text);
            symbol.classIdentifier = keyword;
            ASSERT_NE(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&symbolRef),
                           reinterpret_cast<LPARAM>(&symbol)),
                      0);
        }
        AESTYLEREF rangeRef = {style, 0, AESK_RANGE};
        AESTYLERANGE range = {};
        std::strcpy(range.startText, "/*");
        std::strcpy(range.endText, "*/");
        range.classIdentifier = comment;
        ASSERT_NE(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&rangeRef),
                       reinterpret_cast<LPARAM>(&range)),
                  0);
        ASSERT_EQ(Send(AEM_SETSTYLE, 0, LPARAM(style)), 1);
    }

    DWORD AddClass(DWORD style, const char *name, COLORREF colour)
    {
        AESTYLEREF ref = {style, 0, AESK_CLASS};
        AESTYLECLASS cls = {};
        std::strcpy(cls.name, name);
        cls.caseSensitive = 1;
        cls.colour = colour;
        DWORD id = DWORD(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref),
                              reinterpret_cast<LPARAM>(&cls)));
        EXPECT_NE(id, 0u);
        return id;
    }

    // The control repainted as a whole, as the user sees it afterwards.
    Capture Repainted()
    {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        return CaptureClient(control);
    }

    // The control as it is now, without asking for a paint.
    Capture Shown() { return CaptureClient(control); }

    LRESULT FirstVisibleLine() { return Send(AEM_GETFIRSTVISIBLELINE); }

    // Whole lines the client area shows now (scroll bars take room).
    int VisibleRows()
    {
        RECT client;
        GetClientRect(control, &client);
        return (client.bottom - 1) / kCellHeight;
    }

    SCROLLINFO ScrollInfo(int bar)
    {
        SCROLLINFO info;
        ZeroMemory(&info, sizeof info);
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(control, bar, &info));
        return info;
    }

    HWND parent = nullptr;
    HWND control = nullptr;
    COLORREF window = 0;     // COLOR_WINDOW: background
    COLORREF windowText = 0; // COLOR_WINDOWTEXT: plain text
};

// Forty lines: keywords on every line, a comment over lines 5 to 14 and a
// line that reaches column 60.
std::string TallText()
{
    std::string text;
    for (int line = 0; line < 40; ++line) {
        char buffer[96];
        if (line == 5)
            std::snprintf(buffer, sizeof buffer, "/* comment opens on line %d\n", line);
        else if (line == 14)
            std::snprintf(buffer, sizeof buffer, "   and closes */ int x%d;\n", line);
        else if (line == 20)
            std::snprintf(buffer, sizeof buffer,
                          "int wide = %d; /* a line that reaches far to the right */ return;\n",
                          line);
        else
            std::snprintf(buffer, sizeof buffer, "int v%d = %d; return v%d;\n", line, line, line);
        text += buffer;
    }
    return text;
}

TEST_F(ViewPixelTest, CharactersSitInTheirCellsAndEmptyCellsStayBlank)
{
    SetText("ab\n c\n\n  d");
    Capture shown = Repainted();
    struct Cell {
        int column, row;
        bool inked;
    } cells[] = {
        {0, 0, true},  {1, 0, true},  {2, 0, false}, {3, 0, false}, // "ab" then nothing
        {0, 1, false}, {1, 1, true},  {2, 1, false},                 // " c"
        {0, 2, false},                                               // an empty line
        {0, 3, false}, {1, 3, false}, {2, 3, true},  {3, 3, false},  // "  d"
        {0, 4, false},                                               // below the text
    };
    for (const Cell &cell : cells) {
        int ink = InCell(shown, windowText, cell.column, cell.row);
        if (cell.inked)
            EXPECT_GT(ink, 0) << "cell " << cell.column << "," << cell.row << " shows a character";
        else
            EXPECT_EQ(ink, 0) << "cell " << cell.column << "," << cell.row << " must be blank";
    }
}

TEST_F(ViewPixelTest, SelectedLineBreakIsOneInvertedCellAndTheEdgeStripsStayBackground)
{
    // The empty first line's break is selected: exactly its cell inverts.
    SetText("\nx");
    Select(0, 1);
    Capture shown = Repainted();
    const int cellPixels = kCellWidth * kCellHeight;
    EXPECT_EQ(InCell(shown, windowText, 0, 0), cellPixels) << "the selected break fills its cell";
    EXPECT_EQ(InCell(shown, windowText, 1, 0), 0) << "only one cell is inverted";
    EXPECT_EQ(shown.Count(window, 0, 0, 1, shown.height), shown.height)
        << "the pixel column at x = 0 stays background";
    EXPECT_EQ(shown.Count(window, 0, 0, shown.width, 1), shown.width)
        << "the pixel row at y = 0 stays background";
    EXPECT_EQ(InCell(shown, window, 0, 1) + InCell(shown, windowText, 0, 1), cellPixels)
        << "the unselected x is plain";
    EXPECT_GT(InCell(shown, windowText, 0, 1), 0);

    // A break after text: one inverted cell right after the last character.
    SetText("ab\ncd");
    Select(2, 3);
    shown = Repainted();
    EXPECT_EQ(InCell(shown, windowText, 2, 0), cellPixels);
    EXPECT_EQ(InCell(shown, windowText, 3, 0), 0);
    EXPECT_EQ(InCell(shown, window, 1, 0) + InCell(shown, windowText, 1, 0), cellPixels)
        << "the b before the break is drawn plainly";
    EXPECT_GT(InCell(shown, window, 1, 0), InCell(shown, windowText, 1, 0));
}

// Edits repaint what they change themselves, erasing the background: a
// character typed shows, and deleted text leaves blank cells behind.
TEST_F(ViewPixelTest, EditsRepaintWhatTheyChange)
{
    SetText("ab cd\nline two");
    Capture before = Repainted();
    ASSERT_GT(InCell(before, windowText, 4, 0), 0);
    Select(3, 5);
    Send(AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
    UpdateWindow(control);
    Capture shown = Shown();
    EXPECT_EQ(InCell(shown, windowText, 3, 0), 0) << "the deleted c is gone";
    EXPECT_EQ(InCell(shown, windowText, 4, 0), 0) << "the deleted d is gone";
    EXPECT_TRUE(shown == Repainted()) << "nothing stale is left";

    Select(0, 0);
    Send(AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("X\n"));
    UpdateWindow(control);
    shown = Shown();
    EXPECT_TRUE(shown == Repainted()) << "an inserted line break moves the lines below at once";
    EXPECT_GT(InCell(shown, windowText, 0, 0), 0);
    EXPECT_EQ(InCell(shown, windowText, 1, 0), 0);
}

TEST_F(ViewPixelTest, EdgeStripsStayBackgroundWhenTheViewIsScrolledRight)
{
    // All selected, one column scrolled away: the cell straddling the left
    // edge is drawn but clipped to the text area.
    SetText("0123456789012345678901234567890123456789012345678901234567890\nabc");
    Select(0, 0xFFFFFFFF);
    Send(WM_HSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(ScrollInfo(SB_HORZ).nPos, 1);
    Capture shown = Repainted();
    EXPECT_EQ(shown.Count(window, 0, 0, 1, shown.height), shown.height)
        << "the pixel column at x = 0 stays background";
    EXPECT_EQ(shown.Count(window, 0, 0, shown.width, 1), shown.width)
        << "the pixel row at y = 0 stays background";
    EXPECT_EQ(shown.Count(windowText, 1, 1, 2, 1 + kCellHeight), kCellHeight)
        << "the selection starts at x = 1";
}

TEST_F(ViewPixelTest, TabDrawsSpacesToItsStop)
{
    // The tab is selected, so the cells it covers show inverted; the
    // character after it sits in the cell of the stop.
    struct Case {
        const char *text;
        std::vector<DWORD> stops; // empty: the default stops every 4 columns
        DWORD tab;                // offset of the tab
        int from, to;             // the display columns the tab covers
    } cases[] = {
        {"ab\tc", {}, 2, 2, 4},
        {"abcd\te", {}, 4, 4, 8},  // a tab at a stop goes on to the next
        {"a\tb", {8, 4}, 1, 1, 8},
        {"12345678\tb", {8, 4}, 8, 8, 12},
        {"123456789012\tb", {8, 4}, 12, 12, 16},
    };
    const int cellPixels = kCellWidth * kCellHeight;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        if (!c.stops.empty()) {
            ASSERT_EQ(Send(AEM_SETTABSTOPS, MAKEWPARAM(c.stops.size(), 1),
                           reinterpret_cast<LPARAM>(c.stops.data())),
                      1);
        }
        SetText(c.text);
        Select(c.tab, c.tab + 1);
        Capture shown = Repainted();
        for (int column = c.from; column < c.to; ++column)
            EXPECT_EQ(InCell(shown, windowText, column, 0), cellPixels) << "column " << column;
        EXPECT_GT(InCell(shown, windowText, c.to, 0), 0) << "the character after the tab";
        EXPECT_GT(InCell(shown, window, c.to, 0), InCell(shown, windowText, c.to, 0))
            << "the character after the tab is not selected";
        EXPECT_EQ(InCell(shown, windowText, c.to + 1, 0), 0);
    }
}

TEST_F(ViewPixelTest, KeywordShowsInItsClassColour)
{
    UseKeywordStyle();
    SetText("int x; /* no */\nprint");
    Capture shown = Repainted();
    for (int column = 0; column < 3; ++column) {
        EXPECT_GT(InCell(shown, kRed, column, 0), 0) << "keyword cell " << column;
        EXPECT_EQ(InCell(shown, windowText, column, 0), 0) << "keyword cell " << column;
    }
    EXPECT_GT(InCell(shown, windowText, 4, 0), 0) << "x is plain";
    EXPECT_EQ(InCell(shown, kRed, 4, 0), 0);
    for (int column = 7; column < 15; column += 3)
        EXPECT_GT(InCell(shown, kGreen, column, 0), 0) << "comment cell " << column;
    EXPECT_EQ(InCell(shown, kRed, 2, 1), 0) << "\"int\" inside \"print\" is no keyword";
    EXPECT_GT(InCell(shown, windowText, 2, 1), 0);
}

TEST_F(ViewPixelTest, SelectedKeywordInvertsAndItsColourComesBackAfterTheSelection)
{
    UseKeywordStyle();
    SetText("int x;");
    Select(0, 2); // "in" selected, "t" not
    Capture shown = Repainted();
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ(InCell(shown, kRed, column, 0), 0) << "selected cell " << column;
        EXPECT_GT(InCell(shown, windowText, column, 0), InCell(shown, window, column, 0))
            << "selected cell " << column << " has the window-text background";
        EXPECT_GT(InCell(shown, window, column, 0), 0)
            << "selected cell " << column << " draws its glyph in the window colour";
    }
    EXPECT_GT(InCell(shown, kRed, 2, 0), 0) << "the class colour is back after the selection";
    EXPECT_EQ(InCell(shown, windowText, 2, 0), 0);
}

// A scroll blits what stays visible and repaints the band it uncovers; the
// result must be what a full repaint of the new view draws.
TEST_F(ViewPixelTest, ScrolledViewMatchesAFullRepaint)
{
    UseKeywordStyle();
    std::string text = TallText();
    SetText(text.c_str());
    Repainted();
    int page = int(ScrollInfo(SB_VERT).nPage) - 1; // a page step is one line less than the page
    ASSERT_GT(page, 3);
    struct Step {
        UINT message;
        WORD code;
        LRESULT firstLine; // after the step
        const char *name;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1, "line down"},
        {WM_VSCROLL, SB_PAGEDOWN, 1 + page, "page down, into the comment"},
        {WM_VSCROLL, SB_LINEDOWN, 2 + page, "line down inside the comment"},
        {WM_VSCROLL, SB_LINEUP, 1 + page, "line up inside the comment"},
        {WM_VSCROLL, SB_PAGEUP, 1, "page up"},
        {WM_VSCROLL, SB_PAGEDOWN, 1 + page, "page down"},
        {WM_VSCROLL, SB_PAGEDOWN, 1 + 2 * page, "page down again"},
        {WM_HSCROLL, SB_LINEDOWN, 1 + 2 * page, "one column right"},
        {WM_HSCROLL, SB_PAGEDOWN, 1 + 2 * page, "a page right"},
        {WM_HSCROLL, SB_LINEUP, 1 + 2 * page, "one column left"},
        {WM_HSCROLL, SB_PAGEUP, 1 + 2 * page, "a page left"},
        {WM_VSCROLL, SB_LINEUP, 2 * page, "line up"},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        Capture before = Shown();
        Send(step.message, MAKEWPARAM(step.code, 0), 0);
        Capture scrolled = Shown();
        EXPECT_EQ(FirstVisibleLine(), step.firstLine);
        EXPECT_FALSE(scrolled == before) << "the view must move";
        Capture repainted = Repainted();
        EXPECT_TRUE(scrolled == repainted) << "blit and band must equal a full repaint";
    }
    // One picture for people to look at: keywords, a comment, a selection.
    Select(DWORD(Send(AEM_LINEINDEX, 2 * page + 1)), DWORD(Send(AEM_LINEINDEX, 2 * page + 2) + 6));
    SaveBitmap(Repainted(), SCRIVLET_BUILD_DIR "/view-pixel-test.bmp");
}

// A keystroke can change a bar's range and then its position; the bars are
// drawn once when the message ends, and must then show what a full redraw
// of the frame shows.
TEST_F(ViewPixelTest, ScrollBarsShowTheirStateWhenAKeystrokeEnds)
{
    std::string text = TallText();
    text += std::string(100, 'w'); // a little wider than the view: each column shows in the thumb
    SetText(text.c_str());
    const struct {
        UINT message;
        WPARAM key;
        const char *name;
    } keys[] = {
        {WM_KEYDOWN, VK_END, "End on the widest line"},
        {WM_CHAR, 'x', "a character that widens it and scrolls"},
        {WM_KEYDOWN, VK_HOME, "Home"},
        {WM_CHAR, 'y', "a character that widens it where the view stays"},
        {WM_KEYDOWN, VK_PRIOR, "Page Up"},
    };
    Select(DWORD(text.size()), DWORD(text.size()));
    for (const auto &k : keys) {
        SCOPED_TRACE(k.name);
        SCROLLINFO before = ScrollInfo(SB_HORZ);
        Send(k.message, k.key, 1);
        Capture shown = CaptureWindow(control);
        RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(shown == CaptureWindow(control)) << "the bars as drawn must equal a redraw";
        if (k.message == WM_CHAR) {
            EXPECT_GT(ScrollInfo(SB_HORZ).nMax, before.nMax);
        }
    }
}

// Showing the horizontal bar takes rows away from the view: the vertical
// page (and with it the page step) must be the rows that are left.
TEST_F(ViewPixelTest, VerticalPageIsTheRowsLeftBesideTheHorizontalBar)
{
    std::string text = TallText(); // its wide line brings up the horizontal bar
    SetText(text.c_str());
    SCROLLBARINFO bar;
    ZeroMemory(&bar, sizeof bar);
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(control, OBJID_HSCROLL, &bar));
    ASSERT_EQ(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << "the horizontal bar shows";
    EXPECT_EQ(int(ScrollInfo(SB_VERT).nPage), VisibleRows());
    Send(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(FirstVisibleLine(), VisibleRows() - 1) << "a page step keeps one line in view";
}

TEST_F(ViewPixelTest, ScrollingDownIntoACommentCarriesItsColourToTheTopLine)
{
    UseKeywordStyle();
    std::string text = TallText();
    SetText(text.c_str());
    for (int step = 0; step < 8; ++step)
        Send(WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(FirstVisibleLine(), 8);
    // Line 8 ("int v8 = 8; …") lies inside the comment opened on line 5.
    Capture shown = Repainted();
    EXPECT_GT(InCell(shown, kGreen, 0, 0), 0) << "the top line is inside the comment";
    EXPECT_EQ(InCell(shown, kRed, 0, 0), 0) << "no keyword inside a comment";
    // Line 14 (row 6) closes the comment; its keyword is red again.
    EXPECT_GT(InCell(shown, kRed, 17, 6), 0);
    // Back up above the comment's start: the state is worked out afresh.
    for (int step = 0; step < 4; ++step)
        Send(WM_VSCROLL, SB_LINEUP, 0);
    ASSERT_EQ(FirstVisibleLine(), 4);
    shown = Repainted();
    EXPECT_GT(InCell(shown, kRed, 0, 0), 0) << "line 4 is before the comment";
    EXPECT_GT(InCell(shown, kGreen, 0, 1), 0) << "line 5 opens it";
}

// Under Wine, as on Windows, the track position differs from the position
// only while the thumb is dragged: a thumb message without a drag scrolls
// nothing. A real drag is made by clicking the thumb (WM_NCLBUTTONDOWN on the
// bar starts the system's tracking loop) with the mouse move and the release
// already waiting in the queue.
class ThumbTest : public ViewPixelTest {
protected:
    // Remembers what each WM_VSCROLL left behind.
    struct Seen {
        WORD code;
        WORD position; // the position the message carried
        LRESULT firstLine;
    };
    static std::vector<Seen> seen;
    static WNDPROC controlProc;

    static LRESULT CALLBACK Watch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = CallWindowProcA(controlProc, hwnd, message, wParam, lParam);
        if (message == WM_VSCROLL)
            seen.push_back({LOWORD(wParam), HIWORD(wParam),
                            CallWindowProcA(controlProc, hwnd, AEM_GETFIRSTVISIBLELINE, 0, 0)});
        return result;
    }

    void WatchScrolling()
    {
        seen.clear();
        controlProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Watch)));
    }

    // Drags the vertical thumb down through the given distances in pixels,
    // one mouse move each, and lets go at the last.
    void DragThumb(std::initializer_list<int> distances)
    {
        SCROLLBARINFO bar;
        ZeroMemory(&bar, sizeof bar);
        bar.cbSize = sizeof bar;
        ASSERT_TRUE(GetScrollBarInfo(control, OBJID_VSCROLL, &bar));
        POINT grab = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                      bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
        POINT to = grab;
        for (int distance : distances) {
            to = {grab.x, grab.y + distance};
            ScreenToClient(control, &to);
            PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        }
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        SendMessageA(control, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
    }
};
std::vector<ThumbTest::Seen> ThumbTest::seen;
WNDPROC ThumbTest::controlProc = nullptr;

TEST_F(ThumbTest, ThumbMessagesWithoutADragScrollNothing)
{
    std::string text = TallText();
    SetText(text.c_str());
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 0);
    EXPECT_EQ(FirstVisibleLine(), 0) << "the track position is the position outside a drag";
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    EXPECT_EQ(FirstVisibleLine(), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 0);
}

TEST_F(ThumbTest, DraggingTheThumbScrollsLiveAndEndsWhereTheThumbIs)
{
    UseKeywordStyle();
    std::string text = TallText();
    SetText(text.c_str());
    Repainted();
    WatchScrolling();
    DragThumb({15, 30});

    // Every move of the thumb reports its track position and the view
    // follows at once; the release reports the final position, then the
    // end of the scroll.
    std::vector<WORD> tracked;
    for (const Seen &message : seen) {
        if (message.code == SB_THUMBTRACK) {
            EXPECT_EQ(message.firstLine, message.position) << "the view follows the thumb live";
            if (message.position != 0 && (tracked.empty() || tracked.back() != message.position))
                tracked.push_back(message.position);
        }
    }
    EXPECT_EQ(tracked.size(), 2u) << "two moves, two track positions";
    ASSERT_GE(seen.size(), 2u);
    const Seen &position = seen[seen.size() - 2];
    EXPECT_EQ(position.code, SB_THUMBPOSITION);
    EXPECT_FALSE(tracked.empty() || position.position != tracked.back());
    EXPECT_EQ(position.firstLine, position.position);
    EXPECT_EQ(seen.back().code, SB_ENDSCROLL);
    EXPECT_EQ(FirstVisibleLine(), position.position);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, int(position.position));

    Capture shown = Shown();
    EXPECT_TRUE(shown == Repainted()) << "what the drag painted equals a full repaint";
}

// The caret: two pixels wide, one line high, on the cell of its offset,
// there only while the control has the focus.
TEST_F(ViewPixelTest, CaretSitsOnItsCellAndFollowsTheView)
{
    std::string text = TallText();
    SetText(text.c_str());
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);
    POINT at;
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, 1);
    EXPECT_EQ(at.y, 1);
    GUITHREADINFO thread;
    ZeroMemory(&thread, sizeof thread);
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, control);
    EXPECT_EQ(thread.rcCaret.right - thread.rcCaret.left, 2) << "caret width";
    EXPECT_EQ(thread.rcCaret.bottom - thread.rcCaret.top, kCellHeight) << "caret height";

    // Offset 3 of line 2 ("int v2 = 2; …"): column 3, row 2.
    LRESULT lineStart = Send(AEM_LINEINDEX, 2);
    Select(DWORD(lineStart + 3), DWORD(lineStart + 3));
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, kCellWidth * 3 + 1);
    EXPECT_EQ(at.y, kCellHeight * 2 + 1);

    Send(WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.y, kCellHeight * 1 + 1) << "one line down moves the caret up a row";
    int pageStep = int(ScrollInfo(SB_VERT).nPage) - 1;
    Send(WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.y, kCellHeight * (2 - 1 - pageStep) + 1) << "above the view, still on its cell";
    Send(WM_VSCROLL, SB_PAGEUP, 0);
    Send(WM_VSCROLL, SB_LINEUP, 0);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.y, kCellHeight * 2 + 1);

    SetFocus(parent);
    ZeroMemory(&thread, sizeof thread);
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, nullptr) << "losing the focus destroys the caret";
}

} // namespace

} // namespace scrivlet
