// Timings of typing and caret movement through WM_CHAR and WM_KEYDOWN, with
// the status queries the application makes after every key.
#include "control/control_engine.h"
#include "support/platform_double.h"

#include "bench_texts.h"

#include <benchmark/benchmark.h>

#include <string>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 88;
constexpr unsigned kChar = 258, kKeyDown = 256, kKeyDownArrow = 40;

struct Editor {
    PlatformDouble screen;
    ControlRecord *record;
    explicit Editor(const std::string &text)
    {
        screen.controlId = kId;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        Send(AEM_SETLIMITTEXT, 0, 0x7FFFFFFF);
        Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(text.c_str()));
    }
    ~Editor() { DestroyControl(record, PlatformOf(&screen)); }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    void CaretTo(uint32_t offset)
    {
        AERANGE at = {offset, offset};
        Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&at));
    }
    // The status bar's questions after a key: line and column of the caret.
    void AskStatus()
    {
        benchmark::DoNotOptimize(Send(AEM_LINEFROMCHAR, WParam(0xFFFFFFFF)));
        benchmark::DoNotOptimize(Send(AEM_GETCARETCOLUMN));
    }
};

// A 10,000-character paragraph typed key by key; time per key.
void BM_TypeParagraph(benchmark::State &state)
{
    static const std::string text = SourceLines(10 * 1024 * 1024, "\n");
    const char paragraph[] = "The quick brown fox jumps over the lazy dog, again and again. ";
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(text);
        editor.CaretTo(state.range(0) == 0 ? uint32_t(text.size()) : uint32_t(text.size() / 2));
        state.ResumeTiming();
        for (int key = 0; key < 10000; ++key) {
            editor.Send(kChar, WParam(static_cast<unsigned char>(paragraph[key % (sizeof paragraph - 1)])));
            editor.AskStatus();
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

// Holding Down from the first to the last of 100,000 lines.
void BM_HoldDownThrough100000Lines(benchmark::State &state)
{
    std::string text;
    for (int line = 0; line < 100000; ++line)
        text += "some text on a line\n";
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(text);
        editor.CaretTo(0);
        state.ResumeTiming();
        for (int line = 0; line < 100000; ++line) {
            editor.Send(kKeyDown, kKeyDownArrow, 0x01500001);
            editor.AskStatus();
        }
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

// Pasting 4,000 lines at the top of a 20 MB text, as the clipboard gives
// them (CR LF) or with LF ends: the two should cost about the same. One
// editor serves every iteration, the paste taken out again untimed, so that
// both variants move the text within memory that is already in use.
void BM_Paste4000LinesAtTheTopOf20MB(benchmark::State &state)
{
    static const std::string text = SourceLines(20 * 1024 * 1024, "\n");
    const char *end = state.range(0) != 0 ? "\r\n" : "\n";
    std::string lines;
    for (int line = 0; line < 4000; ++line)
        lines += "    pasted line of some code;" + std::string(end);
    Editor editor(text);
    const uint32_t length = uint32_t(editor.Send(AEM_GETTEXTLENGTH));
    for (auto _ : state) {
        editor.CaretTo(0);
        editor.Send(AEM_REPLACESEL, 1, reinterpret_cast<LParam>(lines.c_str()));
        state.PauseTiming();
        AERANGE pasted = {0, uint32_t(editor.Send(AEM_GETTEXTLENGTH)) - length};
        editor.Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&pasted));
        editor.Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(""));
        editor.Send(AEM_EMPTYUNDOBUFFER);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Paste4000LinesAtTheTopOf20MB)->ArgName("crlf")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TypeParagraph)->ArgName("middle")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HoldDownThrough100000Lines)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace scrivlet
