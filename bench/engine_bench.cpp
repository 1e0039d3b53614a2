// Baseline timings of the document core on large texts. Run with `make bench`.
#include "core/search.h"
#include "core/text_store.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

using namespace scrivlet;

namespace {

constexpr uint32_t kMegabyte = 1024 * 1024;

// Source-code-like text of `size` bytes: short lines of identifiers,
// blanks, punctuation and tabs, with no occurrence of "needle".
std::string SampleText(uint32_t size)
{
    static const char line[] =
        "\tfor (int index = 0; index < count; ++index) total += values[index]; // sum\n";
    std::string text;
    text.reserve(size);
    while (text.size() + sizeof line - 1 <= size)
        text += line;
    text.append(size - text.size(), 'x');
    return text;
}

// A store holding `size` bytes of sample text.
TextDocument SampleDocument(uint32_t size)
{
    TextDocument doc{};
    std::string text = SampleText(size);
    if (!CreateTextDocument(&doc) || !InsertBytes(&doc, 0, text.data(), size))
        std::abort();
    return doc;
}

void InsertOneByte(benchmark::State &state, bool middle)
{
    uint32_t size = uint32_t(state.range(0)) * kMegabyte;
    TextDocument doc = SampleDocument(size);
    for (auto _ : state) {
        uint32_t at = middle ? size / 2 : doc.length;
        benchmark::DoNotOptimize(InsertBytes(&doc, at, "y", 1));
    }
    FreeTextDocument(&doc);
}

void BM_InsertBytesAtEnd(benchmark::State &state) { InsertOneByte(state, false); }
void BM_InsertBytesInMiddle(benchmark::State &state) { InsertOneByte(state, true); }

// The floor for a middle insertion into a contiguous buffer: moving the tail.
void BM_MemmoveOfTail(benchmark::State &state)
{
    uint32_t size = uint32_t(state.range(0)) * kMegabyte;
    std::vector<char> buffer(size + 1 + 1024 * 1024);
    uint32_t length = size;
    for (auto _ : state) {
        char *at = buffer.data() + size / 2;
        std::memmove(at + 1, at, length - size / 2 + 1);
        *at = 'y';
        ++length;
        benchmark::ClobberMemory();
    }
}

void BM_GrowTo100MBBy64KBAppends(benchmark::State &state)
{
    std::string block(65536, 'z');
    for (auto _ : state) {
        TextDocument doc{};
        CreateTextDocument(&doc);
        for (uint32_t total = 0; total < 100 * kMegabyte; total += 65536)
            InsertBytes(&doc, doc.length, block.data(), 65536);
        benchmark::DoNotOptimize(doc.bytes);
        FreeTextDocument(&doc);
    }
}

void BM_TextLengthScan100MB(benchmark::State &state)
{
    TextDocument doc = SampleDocument(100 * kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(TextLength(doc.bytes, 0));
    FreeTextDocument(&doc);
}

void BM_FindInRange100MB(benchmark::State &state)
{
    uint32_t flags = uint32_t(state.range(0));
    std::string text = SampleText(100 * kMegabyte);
    std::memcpy(&text[text.size() - 20], " Needle_found ", 14); // the only match, at the end
    for (auto _ : state) {
        int32_t at = FindInRange(text.data(), uint32_t(text.size()), "needle_found", 12, flags);
        if ((flags & kFindMatchCase) ? at != -1 : at == -1)
            state.SkipWithError("wrong search result");
        benchmark::DoNotOptimize(at);
    }
}

// The floor of the search above: memchr over the same bytes for a byte
// they lack.
void BM_FindInRange100MBFloor(benchmark::State &state)
{
    std::string text = SampleText(100 * kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', text.size()));
}

void ConvertLineEnds100MB(benchmark::State &state, LineEndDirection direction)
{
    std::string text = SampleText(100 * kMegabyte);
    if (direction == kToStore) {
        std::vector<char> withCrLf(text.size() * 2);
        uint32_t length;
        ConvertLineEnds(withCrLf.data(), &length, text.data(), uint32_t(text.size()), kFromStore);
        text.assign(withCrLf.data(), length);
    }
    std::vector<char> out(text.size() * 2);
    for (auto _ : state) {
        uint32_t length;
        ConvertLineEnds(out.data(), &length, text.data(), uint32_t(text.size()), direction);
        benchmark::DoNotOptimize(length);
    }
}

void BM_ConvertLineEndsFromStore100MB(benchmark::State &state) { ConvertLineEnds100MB(state, kFromStore); }
void BM_ConvertLineEndsToStore100MB(benchmark::State &state) { ConvertLineEnds100MB(state, kToStore); }

} // namespace

BENCHMARK(BM_InsertBytesAtEnd)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertBytesInMiddle)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemmoveOfTail)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrowTo100MBBy64KBAppends)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextLengthScan100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInRange100MB)
    ->ArgName("flags")
    ->Arg(kFindMatchCase)
    ->Arg(0)
    ->Arg(kFindWholeWord)
    ->Arg(kFindMatchCase | kFindWholeWord)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInRange100MBFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLineEndsFromStore100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLineEndsToStore100MB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
