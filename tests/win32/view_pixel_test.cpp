// What only a real window shows: blits, repaints, scroll bars, timers and the caret.
#include "support/control_fixture.h"
#include "support/window_capture.h"

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0); // the keyword class

class ViewPixelTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        Recreate({AES_AUTOHSCROLL | AES_AUTOVSCROLL, 8 * 40 + 1, 13 * 10 + 1});
        control = Window();
        TEXTMETRICA metrics;
        ASSERT_TRUE(GetTextMetricsA(GetDC(control), &metrics));
        ASSERT_EQ(metrics.tmMaxCharWidth * 100 + metrics.tmHeight, 813)
            << "the default font must be Wine's raster Courier (scripts/wine-run copies the fonts)";
    }
    void Show(const std::string &text) // typed over the whole selection, the caret back at 0
    {
        AERANGE all = {0, 0xFFFFFFFF}, start = {0, 0};
        Send(AEM_SETSEL, 1, Param(&all));
        Send(AEM_REPLACESEL, 0, Param(text.c_str()));
        Send(AEM_SETSEL, 1, Param(&start));
    }
    void UseKeywordStyle() // the keyword "int" in red
    {
        DWORD style = DWORD(Send(AEM_ADDSTYLE, uintptr_t("Pixel test"), 0));
        AESTYLEREF ref = {style, 0, AESK_CLASS};
        AESTYLECLASS cls = {};
        std::strcpy(cls.name, "Keyword");
        cls.colour = kRed;
        AESTYLESYMBOL symbol = {};
        std::strcpy(symbol.text, "int");
        symbol.classIdentifier = DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&cls)));
        ref.kind = AESK_SYMBOL;
        ASSERT_NE(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&symbol)), 0);
        ASSERT_EQ(Send(AEM_SETSTYLE, 0, style), 1);
    }
    Capture Repainted()
    {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        return CaptureClient(control);
    }
    SCROLLINFO ScrollInfo(int bar)
    {
        SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        EXPECT_TRUE(GetScrollInfo(control, bar, &info));
        return info;
    }
    HWND control = nullptr;
};

std::string TallText() // forty lines of keywords, one of them 60 columns wide
{
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += line == 20 ? "int wide = 1; /* a line that reaches far to the right */ int;\n"
                           : "int v" + std::to_string(line) + " = 0;\n";
    return text;
}

// A cell blank (0), inked (1), red (3) or inverted (4): the colour returns after the selection.
TEST_F(ViewPixelTest, CellsShowTheirCharactersSelectionAndColour)
{
    UseKeywordStyle();
    Show("int x;");
    Select(0, 2);
    const Capture shown = Repainted();
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    std::string seen;
    for (int column = 0; column < 6; ++column) {
        int inked = 0, red = 0;
        for (int y = 1; y < 14; ++y) {
            for (int x = 8 * column + 1; x < 8 * column + 9; ++x)
                inked += shown.At(x, y) == ink, red += shown.At(x, y) == kRed;
        }
        seen += red > 0 ? '3' : inked > 52 ? '4' : inked > 0 ? '1' : '0';
    }
    EXPECT_EQ(seen, "443011");
}

// Scrolls and edits draw what a full repaint draws; the bars too.
TEST_F(ViewPixelTest, ScrollsAndEditsShowWhatAFullRepaintShows)
{
    UseKeywordStyle();
    // Streamed in with drawing off, into a new and a scrolled control: bars and corner are drawn.
    for (int pass = 0; pass < 2; ++pass) {
        Send(WM_VSCROLL, SB_PAGEDOWN, 0);
        SetText(TallText());
        Capture streamed = CaptureWindow(control);
        RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(streamed == CaptureWindow(control)) << "the bars after AEM_STREAMIN must equal a redraw";
    }
    Show(TallText());
    Repainted();
    const LRESULT page = LRESULT(ScrollInfo(SB_VERT).nPage) - 1; // a page step keeps one line in view
    const struct { UINT message; WPARAM code; LRESULT firstLine; } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1}, {WM_VSCROLL, SB_PAGEDOWN, 1 + page}, {WM_HSCROLL, SB_PAGEDOWN, 1 + page},
        {WM_HSCROLL, SB_PAGEUP, 1 + page}, {WM_VSCROLL, SB_PAGEUP, 1}, {WM_VSCROLL, SB_LINEUP, 0}, {WM_CHAR, 'x', 0},
        {WM_KEYDOWN, VK_DELETE, 0}, {WM_CHAR, '\r', 0}};
    for (const auto &step : steps) {
        Capture before = CaptureClient(control);
        Send(step.message, step.code, 1);
        Capture shown = CaptureClient(control);
        SCOPED_TRACE(testing::Message() << "message " << step.message << " code " << step.code);
        EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), step.firstLine);
        EXPECT_FALSE(shown == before) << "the view must change";
        EXPECT_TRUE(shown == Repainted()) << "blit and band must equal a full repaint";
        Capture frame = CaptureWindow(control);
        RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(frame == CaptureWindow(control)) << "the bars as drawn must equal a redraw";
    }
    // The horizontal bar takes rows away: the vertical page is the rows left.
    RECT client;
    GetClientRect(control, &client);
    EXPECT_EQ(int(ScrollInfo(SB_VERT).nPage), (client.bottom - 1) / 13);
}

// The auto-scroll timer (1) runs only while a drag is outside, the memory watch's (2) only while it is on.
TEST_F(ViewPixelTest, TimersRunOnlyWhileTheirWorkLasts)
{
    Show(TallText());
    for (bool release : {true, false}) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 500));
        Send(release ? WM_LBUTTONUP : WM_MOUSEMOVE, release ? 0 : MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_FALSE(KillTimer(control, 1)) << (release ? "the release" : "a move inside") << " stops the timer";
    }
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 500));
    EXPECT_TRUE(KillTimer(control, 1)) << "a drag below the text starts it";
    Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Send(AEM_SETMEMORYWATCH, 1, 60000);
    Send(AEM_SETMEMORYWATCH, 0);
    EXPECT_FALSE(KillTimer(control, 2));
}

// The caret: 2 pixels by a line on its cell, following the view, only while focused.
TEST_F(ViewPixelTest, CaretSitsOnItsCellAndFollowsTheView)
{
    Show(TallText());
    SetFocus(control);
    GUITHREADINFO thread = {sizeof thread, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, control);
    EXPECT_EQ((thread.rcCaret.right - thread.rcCaret.left) * 100 + thread.rcCaret.bottom - thread.rcCaret.top, 213);
    Select(15, 15); // line 1, column 3
    for (WPARAM code : {SB_ENDSCROLL, SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP}) {
        Send(WM_VSCROLL, code, 0);
        POINT at;
        ASSERT_TRUE(GetCaretPos(&at));
        EXPECT_EQ(at.x, 8 * 3 + 1);
        EXPECT_EQ(at.y, 13 * (1 - int(Send(AEM_GETFIRSTVISIBLELINE))) + 1) << "after scroll code " << code;
    }
    SetFocus(GetParent(control));
    thread.hwndCaret = control;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_EQ(thread.hwndCaret, nullptr) << "losing the focus destroys the caret";
}

} // namespace

} // namespace scrivlet
