// Timings of the control's engine through its messages, with a platform
// that does nothing: what a load, a keystroke, a search and an undo cost.
#include "control/control_engine.h"
#include "support/platform_double.h"

#include "bench_engine.h"
#include "bench_texts.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace scrivlet {

namespace {

constexpr uint32_t kMegabyte = 1024 * 1024;

// One control with the editor's own limit; freed at the end of a benchmark.
// The platform double keeps real scroll bars, so the view follows the caret.
struct Control {
    PlatformDouble screen;
    ControlPlatform platform = PlatformOf(&screen);
    ControlRecord *record = CreateControl(1, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
    Control() { Send(AEM_SETLIMITTEXT, 0, intptr_t(0xFFFFFFFFu)); }
    ~Control() { DestroyControl(record, platform); }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, platform, message, wParam, lParam);
    }
};

void BM_StreamIn(benchmark::State &state, const char *lineEnd)
{
    std::string text = SourceLines(uint32_t(state.range(0)) * kMegabyte, lineEnd);
    for (auto _ : state) {
        Control control;
        LoadText(&control, text);
        benchmark::DoNotOptimize(control.Send(AEM_GETLINECOUNT));
    }
}
void BM_StreamInLf(benchmark::State &state) { BM_StreamIn(state, "\n"); }
void BM_StreamInCrLf(benchmark::State &state) { BM_StreamIn(state, "\r\n"); }

// One typed character: a one-byte AEM_REPLACESEL with undo.
void BM_TypeOneCharacter(benchmark::State &state, bool middle)
{
    Control control;
    LoadText(&control, SourceLines(uint32_t(state.range(0)) * kMegabyte, "\n"));
    AERANGE at = {0, 0};
    at.start = at.end = middle ? DWORD(control.Send(AEM_GETTEXTLENGTH) / 2) : 0xFFFFFFFF;
    control.Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&at));
    for (auto _ : state)
        control.Send(AEM_REPLACESEL, 1, reinterpret_cast<LParam>("y"));
}
void BM_TypeAtEnd(benchmark::State &state) { BM_TypeOneCharacter(state, false); }
void BM_TypeInMiddle(benchmark::State &state) { BM_TypeOneCharacter(state, true); }

// The search over the whole text, with and without match case: the pattern
// occurs nowhere.
void BM_FindText100MB(benchmark::State &state)
{
    Control control;
    LoadText(&control, SourceLines(100 * kMegabyte, "\n"));
    for (auto _ : state) {
        AEFINDTEXT find = {0, 0xFFFFFFFF, "needle", 0, 0};
        if (control.Send(AEM_FINDTEXT, WParam(state.range(0)), reinterpret_cast<LParam>(&find)) != -1)
            state.SkipWithError("wrong search result");
    }
}

// The floor of a search: memchr over the same bytes for a byte they lack.
void BM_FindText100MBFloor(benchmark::State &state)
{
    std::string text = SourceLines(100 * kMegabyte, "\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', text.size()));
}

// The floor of a load: copying 100 MB into a block allocated for it (whose
// pages the copy brings in, as a load's do).
void BM_StreamIn100MBFloor(benchmark::State &state)
{
    std::string text = SourceLines(100 * kMegabyte, "\n");
    for (auto _ : state) {
        char *block = static_cast<char *>(std::malloc(text.size() + 1));
        std::memcpy(block, text.data(), text.size() + 1);
        benchmark::DoNotOptimize(block);
        benchmark::ClobberMemory();
        std::free(block);
    }
}

void BM_UndoRedo1MBPaste(benchmark::State &state)
{
    Control control;
    LoadText(&control, SourceLines(10 * kMegabyte, "\n"));
    std::string paste = SourceLines(kMegabyte, "\r\n");
    AERANGE middle = {5 * kMegabyte, 5 * kMegabyte};
    control.Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&middle));
    control.Send(AEM_REPLACESEL, 1, reinterpret_cast<LParam>(paste.c_str()));
    for (auto _ : state) {
        control.Send(AEM_UNDO);
        control.Send(AEM_REDO);
    }
}

// A C-like style through the style messages: comments, strings, keywords.
DWORD AddCLikeStyle(Control *control)
{
    DWORD style = DWORD(control->Send(AEM_ADDSTYLE, reinterpret_cast<WParam>("C"), 0));
    auto addClass = [&](const char *name, int caseSensitive) {
        AESTYLEREF ref = {style, 0, AESK_CLASS};
        AESTYLECLASS cls = {};
        std::snprintf(cls.name, sizeof cls.name, "%s", name);
        cls.caseSensitive = caseSensitive;
        return DWORD(control->Send(AEM_ADDSTYLEITEM, reinterpret_cast<WParam>(&ref), reinterpret_cast<LParam>(&cls)));
    };
    DWORD comment = addClass("Comment", 1);
    DWORD string = addClass("String", 1);
    const char *ranges[][3] = {{"/*", "*/", "0"}, {"//", "", "0"}, {"\"", "\"", "1"}, {"'", "'", "1"}};
    for (auto &r : ranges) {
        AESTYLEREF ref = {style, 0, AESK_RANGE};
        AESTYLERANGE range = {};
        std::snprintf(range.startText, sizeof range.startText, "%s", r[0]);
        std::snprintf(range.endText, sizeof range.endText, "%s", r[1]);
        range.flags = r[2][0] == '1' ? AESR_BACKSLASH : 0;
        range.classIdentifier = r[0][0] == '/' ? comment : string;
        control->Send(AEM_ADDSTYLEITEM, reinterpret_cast<WParam>(&ref), reinterpret_cast<LParam>(&range));
    }
    return style;
}

// AEM_SETSTYLE works out the state of the top line from the start of the
// text: with the view at the end of a 100,000-line text that is a walk over
// all of it.
void BM_SetStyleAtTheEndOf100000Lines(benchmark::State &state)
{
    Control control;
    std::string text;
    for (int line = 0; line < 100000; ++line) {
        if (line % 50 == 0)
            text += "/* a comment that\n spans two lines */ x = \"s\";\n", ++line;
        else
            text += "\tint total = values[index] + offset; // sum\n";
    }
    LoadText(&control, text);
    DWORD style = AddCLikeStyle(&control);
    control.record->topLine = DWORD(control.Send(AEM_GETLINECOUNT)) - 25;
    for (auto _ : state)
        benchmark::DoNotOptimize(control.Send(AEM_SETSTYLE, 0, style));
}

// Replace All of 100,000 matches in 10 or 20 MB, from the text's start.
void BM_ReplaceAll100000Matches(benchmark::State &state)
{
    std::string text = TextWithMatches(uint32_t(state.range(0)) * kMegabyte, 100000);
    for (auto _ : state) {
        state.PauseTiming();
        Control control;
        LoadText(&control, text);
        state.ResumeTiming();
        AEREPLACEALL request = {0, "cat", "dog"};
        benchmark::DoNotOptimize(control.Send(AEM_REPLACEALL, AEFT_MATCHCASE, reinterpret_cast<LParam>(&request)));
    }
}

// The floor: one pass that copies the same text with the replacements made
// into a block allocated for it.
void BM_ReplaceAll100000MatchesFloor(benchmark::State &state)
{
    std::string text = TextWithMatches(uint32_t(state.range(0)) * kMegabyte, 100000);
    for (auto _ : state) {
        char *out = static_cast<char *>(std::malloc(text.size() + 1));
        size_t from = 0, to = 0;
        for (size_t at = text.find("cat"); at != std::string::npos; at = text.find("cat", from)) {
            std::memcpy(out + to, text.data() + from, at - from);
            to += at - from;
            std::memcpy(out + to, "dog", 3);
            to += 3;
            from = at + 3;
        }
        std::memcpy(out + to, text.data() + from, text.size() - from + 1);
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
}

} // namespace

BENCHMARK(BM_SetStyleAtTheEndOf100000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamInLf)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamInCrLf)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamIn100MBFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAtEnd)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeInMiddle)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindText100MB)->ArgName("flags")->Arg(AEFT_MATCHCASE)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindText100MBFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll100000Matches)->ArgName("mb")->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll100000MatchesFloor)->ArgName("mb")->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedo1MBPaste)->Unit(benchmark::kMillisecond);

} // namespace scrivlet
