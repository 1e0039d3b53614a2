// What only a real window shows of the control under Wine: its pixels read
// back after a paint, the blits of a scroll, the scroll bars, the thumb drag
// of the system's tracking loop and the system caret. (What the painter
// draws cell by cell is pinned over the platform double.) The default font
// under Wine is the raster Courier of 8 × 13 pixels, drawn without
// smoothing, so every pixel is exactly the text or the background colour.
#include "support/control_fixture.h"
#include "support/window_capture.h"

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0); // the keyword class

class ViewPixelTest : public testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA existing;
        if (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing)) {
            ASSERT_EQ(RegisterAdvancedEditClass(instance), 1);
        }
        parent = CreateWindowExA(0, "STATIC", "view pixel test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                 800, 600, nullptr, nullptr, instance, nullptr);
        control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0,
                                     8 * 40 + 1, 13 * 10 + 1, parent, 1);
        ASSERT_NE(control, nullptr);
        TEXTMETRICA metrics;
        ASSERT_TRUE(GetTextMetricsA(GetDC(control), &metrics));
        ASSERT_EQ(metrics.tmMaxCharWidth * 100 + metrics.tmHeight, 813)
            << "the default font must be Wine's raster Courier (scripts/wine-run copies the fonts)";
        window = GetSysColor(COLOR_WINDOW);
        ink = GetSysColor(COLOR_WINDOWTEXT);
    }
    void TearDown() override { DestroyWindow(parent); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(control, message, wParam, lParam);
    }
    void Select(DWORD start, DWORD end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&range));
    }
    void SetText(const std::string &text)
    {
        Select(0, 0xFFFFFFFF);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Select(0, 0);
    }
    // The keyword "int" in red.
    void UseKeywordStyle()
    {
        DWORD style = DWORD(Send(AEM_ADDSTYLE, reinterpret_cast<WPARAM>("Pixel test"), 0));
        AESTYLEREF ref = {style, 0, AESK_CLASS};
        AESTYLECLASS cls = {};
        std::strcpy(cls.name, "Keyword");
        cls.colour = kRed;
        AESTYLESYMBOL symbol = {};
        std::strcpy(symbol.text, "int");
        symbol.classIdentifier = DWORD(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&cls)));
        ref.kind = AESK_SYMBOL;
        ASSERT_NE(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&symbol)), 0);
        ASSERT_EQ(Send(AEM_SETSTYLE, 0, LPARAM(style)), 1);
    }
    Capture Repainted()
    {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        return CaptureClient(control);
    }
    // Pixels of a colour in the cell of a display column and a visible row.
    static int InCell(const Capture &shown, COLORREF colour, int column, int row)
    {
        return shown.Count(colour, 8 * column + 1, 13 * row + 1, 8 * column + 9, 13 * row + 14);
    }
    SCROLLINFO ScrollInfo(int bar)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(control, bar, &info));
        return info;
    }
    HWND parent = nullptr, control = nullptr;
    COLORREF window = 0, ink = 0;
};

// Forty lines of keywords, one of them 60 columns wide.
std::string TallText()
{
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += line == 20 ? "int wide = 1; /* a line that reaches far to the right */ int;\n"
                           : "int v" + std::to_string(line) + " = 0;\n";
    return text;
}

// Each case paints a text with a selection; a cell is blank (0), inked
// (1), wholly inverted (2), red (3) or inverted with glyph pixels (4).
TEST_F(ViewPixelTest, CellsShowTheirCharactersSelectionAndColour)
{
    UseKeywordStyle();
    const struct { const char *text; DWORD from, to; std::vector<int> row0, row1; } cases[] = {
        {"ab\n c", 0, 0, {1, 1, 0, 0}, {0, 1, 0}},
        {"\nx", 0, 1, {2, 0}, {1, 0}},            // a selected line break is one inverted cell
        {"ab\ncd", 2, 3, {1, 1, 2, 0}, {1, 1}},
        {"int x;", 0, 2, {4, 4, 3, 0, 1}, {0}},   // the class colour comes back after the selection
        {"print", 0, 0, {1, 1, 1, 1, 1}, {0}},    // "int" inside a word is no keyword
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Select(c.from, c.to);
        Capture shown = Repainted();
        for (int row = 0; row < 2; ++row) {
            const std::vector<int> &cells = row == 0 ? c.row0 : c.row1;
            for (size_t column = 0; column < cells.size(); ++column) {
                int inked = InCell(shown, ink, int(column), row), red = InCell(shown, kRed, int(column), row);
                int seen = red > 0 ? 3 : inked == 104 ? 2 : inked > 52 ? 4 : inked > 0 ? 1 : 0;
                EXPECT_EQ(seen, cells[column]) << c.text << ": cell " << column << "," << row;
            }
        }
        EXPECT_EQ(shown.Count(window, 0, 0, 1, shown.height) + shown.Count(window, 0, 0, shown.width, 1),
                  shown.height + shown.width) << "the edge strips stay background";
    }
}

// A scroll blits what stays visible and repaints the band it uncovers; an
// edit repaints what it changes: the result must be what a full repaint
// draws. The scroll bars are drawn once when a keystroke ends.
TEST_F(ViewPixelTest, ScrollsAndEditsShowWhatAFullRepaintShows)
{
    UseKeywordStyle();
    SetText(TallText());
    Repainted();
    const LRESULT page = LRESULT(ScrollInfo(SB_VERT).nPage) - 1; // a page step keeps one line in view
    const struct { UINT message; WPARAM code; LRESULT firstLine; } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1}, {WM_VSCROLL, SB_PAGEDOWN, 1 + page}, {WM_VSCROLL, SB_LINEUP, page},
        {WM_HSCROLL, SB_LINEDOWN, page}, {WM_HSCROLL, SB_PAGEDOWN, page}, {WM_HSCROLL, SB_PAGEUP, page},
        {WM_VSCROLL, SB_PAGEUP, 0}, {WM_CHAR, 'x', 0}, {WM_KEYDOWN, VK_DELETE, 0}, {WM_CHAR, '\r', 0}};
    for (const auto &step : steps) {
        Capture before = CaptureClient(control);
        Send(step.message, step.code, 1);
        Capture shown = CaptureClient(control);
        EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), step.firstLine) << step.message << " " << step.code;
        EXPECT_FALSE(shown == before) << "the view must change: " << step.message << " " << step.code;
        EXPECT_TRUE(shown == Repainted()) << "blit and band must equal a full repaint: " << step.message << " " << step.code;
        Capture frame = CaptureWindow(control);
        RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(frame == CaptureWindow(control)) << "the bars as drawn must equal a redraw";
    }
    // The horizontal bar takes rows away: the vertical page is the rows left.
    RECT client;
    GetClientRect(control, &client);
    EXPECT_EQ(int(ScrollInfo(SB_VERT).nPage), (client.bottom - 1) / 13);
    Select(DWORD(Send(AEM_LINEINDEX, 20)), DWORD(Send(AEM_LINEINDEX, 21) + 6));
    SaveBitmap(Repainted(), SCRIVLET_BUILD_DIR "/view-pixel-test.bmp"); // a picture for people to look at
}

// The track position differs from the position only while the thumb is
// dragged: a thumb message without a drag scrolls nothing. A real drag is a
// click on the thumb (WM_NCLBUTTONDOWN starts the system's tracking loop)
// with the mouse move and the release already waiting in the queue.
TEST_F(ViewPixelTest, OnlyADraggedThumbScrollsAndTheViewFollowsIt)
{
    SetText(TallText());
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 0);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 0);
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(control, OBJID_VSCROLL, &bar));
    POINT grab = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                  bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    POINT to = {grab.x, grab.y + 30};
    ScreenToClient(control, &to);
    PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    SendMessageA(control, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
    EXPECT_GT(Send(AEM_GETFIRSTVISIBLELINE), 3) << "the drag scrolled";
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), ScrollInfo(SB_VERT).nPos) << "and ended where the thumb is";
    Capture shown = CaptureClient(control);
    EXPECT_TRUE(shown == Repainted()) << "what the drag painted equals a full repaint";
}

// The system caret: two pixels wide, one line high, on the cell of its
// offset, following the view, there only while the control has the focus.
TEST_F(ViewPixelTest, CaretSitsOnItsCellAndFollowsTheView)
{
    SetText(TallText());
    SetFocus(control);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, control);
    EXPECT_EQ((thread.rcCaret.right - thread.rcCaret.left) * 100 + thread.rcCaret.bottom - thread.rcCaret.top, 213);
    Select(15, 15); // line 1, column 3
    const struct { UINT message; WPARAM code; } steps[] = {
        {0, 0}, {WM_VSCROLL, SB_LINEDOWN}, {WM_VSCROLL, SB_PAGEDOWN}, {WM_VSCROLL, SB_PAGEUP}, {WM_VSCROLL, SB_LINEUP}};
    for (const auto &s : steps) {
        Send(s.message, s.code, 0);
        POINT at;
        ASSERT_TRUE(GetCaretPos(&at));
        EXPECT_EQ(at.x, 8 * 3 + 1);
        EXPECT_EQ(at.y, 13 * (1 - int(Send(AEM_GETFIRSTVISIBLELINE))) + 1) << "after scroll code " << s.code;
    }
    SetFocus(parent);
    thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, nullptr) << "losing the focus destroys the caret";
}

} // namespace

} // namespace scrivlet
