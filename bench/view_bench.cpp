// Timings of the view's engine work: caret placement, a full paint and
// page scrolling in large texts, and one paint of a view deep inside lines
// of minified JavaScript beside a bare scan of the same bytes, over the
// platform double.
#include "control/control_engine.h"
#include "control/view_requests.h"
#include "highlight/style_model.h"
#include "support/platform_double.h"

#include "bench_engine.h"
#include "bench_texts.h"

#include <benchmark/benchmark.h>

#include "highlight/style_file.h"

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 77;
constexpr unsigned kKeyDown = 256, kChar = 258, kBackspace = 8, kEnd = 35, kHome = 36;

// A control of 80 × 50 cells holding 100,000 lines of C-like source,
// highlighted with a comment, string and keyword style.
struct LargeView {
    PlatformDouble screen;
    ControlRecord *record;
    LargeView()
    {
        screen.controlId = kId;
        screen.height = 13 * 50 + 1;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        Send(AEM_SETLIMITTEXT, 0, 0x7FFFFFFF);
        std::string text;
        for (int line = 0; line < 100000; ++line)
            text += line % 40 == 0 ? "/* block comment */ if (x) return \"text\";\n"
                                   : "\tfor (int i = 0; i < count; ++i) total += values[i]; // sum\n";
        Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(text.c_str()));
        uint32_t style = CreateStyle("C", nullptr);
        uint32_t comment = AddClass(style, "Comment", 1, 0, 0x8000);
        uint32_t keyword = AddClass(style, "Keyword", 1, 0, 0xFF0000);
        AddRange(style, "/*", 2, "*/", 2, 0, 0, comment);
        AddRange(style, "//", 2, "", 0, 0, 0, comment);
        AddRange(style, "\"", 1, "\"", 1, 1, 0, comment);
        for (const char *word : {"for", "int", "if", "return", "while", "else"})
            AddSymbol(style, word, uint32_t(std::string(word).size()), keyword);
        Send(AEM_SETSTYLE, 0, style);
    }
    ~LargeView()
    {
        DestroyControl(record, PlatformOf(&screen));
    }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    void ViewAt(uint32_t line)
    {
        AERANGE top = {0, 0};
        Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&top));
        screen.bars[kVerticalBar].trackPosition = int32_t(line);
        Send(277, kScrollThumbPosition);
    }
};

void BM_PosFromCharOfTheCaretAtTheEnd(benchmark::State &state)
{
    LargeView view;
    view.ViewAt(state.range(0) == 0 ? 0 : 99990);
    for (auto _ : state)
        benchmark::DoNotOptimize(PosFromChar(view.record, view.record->text.length));
}

void BM_PaintFiftyHighlightedLines(benchmark::State &state)
{
    LargeView view;
    view.ViewAt(50000);
    uint64_t cells = 0;
    PaintDevice device = CountingDevice(&cells);
    for (auto _ : state)
        Paint(view.record, TextArea(view.record), device);
    state.counters["cells_per_paint"] = double(cells) / double(state.iterations());
}

void BM_ScrollPageDownAndUp(benchmark::State &state)
{
    LargeView view;
    view.ViewAt(50000);
    for (auto _ : state) {
        view.Send(277, kScrollPageDown);
        view.Send(277, kScrollPageUp);
    }
}

// A view of 25 × 80 cells over those lines under the shipped JavaScript
// style, scrolled to the middle of the lines.
struct MinifiedView {
    PlatformDouble screen;
    ControlRecord *record = nullptr;
    explicit MinifiedView(uint32_t lineSize, int lines = 26)
    {
        std::string text = MinifiedLines(lineSize, lines);
        // The shipped styles, from the data folder beside this file's folder.
        std::string styles = __FILE__;
        styles = styles.substr(0, styles.find_last_of('/') + 1) + "../data/styles.dat";
        if (ReadStyleFile(styles.c_str(), true, false, nullptr) == 0)
            return;
        screen.controlId = kId;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        Send(AEM_SETLIMITTEXT, 0, 0x7FFFFFFF);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(text.c_str()));
        AERANGE top = {0, 0};
        Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&top));
        Send(AEM_SETSTYLE, 0, LParam(FindStyleByName("JavaScript")));
        screen.bars[kHorizontalBar].position = int32_t(lineSize / 2);
    }
    ~MinifiedView()
    {
        if (record != nullptr)
            DestroyControl(record, PlatformOf(&screen));
        ClearStyles();
    }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
};

void BM_PaintDeepInsideLongLines(benchmark::State &state)
{
    MinifiedView view(uint32_t(state.range(0)) * 1024);
    if (view.record == nullptr || view.record->highlightStyle == 0) {
        state.SkipWithError("the shipped JavaScript style could not be read");
        return;
    }
    uint64_t cells = 0;
    PaintDevice device = CountingDevice(&cells);
    for (auto _ : state)
        Paint(view.record, TextArea(view.record), device);
    state.counters["cells_per_paint"] = double(cells) / double(state.iterations());
}

// Keys at the end of one 2 MB line of minified JavaScript, each followed by
// the paint of what it invalidated: End and Home, or a character and
// Backspace (time per pair).
void BM_KeysOnAMinifiedLine(benchmark::State &state)
{
    MinifiedView view(2 * 1024 * 1024, 1);
    if (view.record == nullptr || view.record->highlightStyle == 0) {
        state.SkipWithError("the shipped JavaScript style could not be read");
        return;
    }
    uint64_t cells = 0;
    PaintDevice device = CountingDevice(&cells);
    auto paintInvalidated = [&] {
        for (const auto &r : view.screen.invalidated)
            Paint(view.record, ViewRect{r.left, r.top, r.right, r.bottom}, device);
        view.screen.invalidated.clear();
    };
    const bool typing = state.range(0) != 0;
    view.Send(kKeyDown, kEnd, 0x014F0001);
    paintInvalidated();
    for (auto _ : state) {
        if (typing) {
            view.Send(kChar, 'x', 1);
            paintInvalidated();
            view.Send(kKeyDown, kBackspace, 0x000E0001);
        } else {
            view.Send(kKeyDown, kHome, 0x01470001);
            paintInvalidated();
            view.Send(kKeyDown, kEnd, 0x014F0001);
        }
        paintInvalidated();
    }
}

// The floor: one memchr over the bytes of the 25 lines the paint shows.
void BM_PaintDeepInsideLongLinesFloor(benchmark::State &state)
{
    std::string text = MinifiedLines(uint32_t(state.range(0)) * 1024, 26);
    size_t shown = (text.size() / 26 + 1) * 25;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', shown));
}

} // namespace

BENCHMARK(BM_PosFromCharOfTheCaretAtTheEnd)->ArgName("view_at_end")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintFiftyHighlightedLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollPageDownAndUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintDeepInsideLongLines)->ArgName("line_kb")->Arg(20)->Arg(80)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeysOnAMinifiedLine)->ArgName("typing")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintDeepInsideLongLinesFloor)->ArgName("line_kb")->Arg(20)->Arg(80)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace scrivlet
