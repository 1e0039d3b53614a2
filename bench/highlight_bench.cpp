// Timings of the highlighter on 1 MB of C-like source under a C-like style:
// the painter's walk (a run query at every column, moving past each run) and
// the state at the last line (what selecting a style or scrolling up costs).
#include "highlight/highlighter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace scrivlet {

namespace {

constexpr uint32_t kSourceSize = 1024 * 1024;

// Comment, String and Keyword classes; the ranges /* */, //, "..." and
// '...' (both honouring backslashes); 32 C keywords. Clears the style set.
uint32_t MakeCStyle()
{
    ClearStyles();
    uint32_t style = CreateStyle("C", nullptr);
    uint32_t comment = AddClass(style, "Comment", 1, 0, 0x008000);
    uint32_t string = AddClass(style, "String", 1, 0, 0x000080);
    uint32_t keyword = AddClass(style, "Keyword", 1, 0, 0xFF0000);
    AddRange(style, "/*", 2, "*/", 2, 0, 0, comment);
    AddRange(style, "//", 2, "", 0, 0, 0, comment);
    AddRange(style, "\"", 1, "\"", 1, kRangeBackslash, 0, string);
    AddRange(style, "'", 1, "'", 1, kRangeBackslash, 0, string);
    static const char *const keywords[] = {
        "auto",   "break",  "case",    "char",   "const",    "continue", "default",  "do",
        "double", "else",   "enum",    "extern", "float",    "for",      "goto",     "if",
        "int",    "long",   "register", "return", "short",   "signed",   "sizeof",   "static",
        "struct", "switch", "typedef", "union",  "unsigned", "void",     "volatile", "while"};
    for (const char *word : keywords) {
        if (AddSymbol(style, word, uint32_t(std::char_traits<char>::length(word)), keyword) == 0)
            std::abort();
    }
    return style;
}

// C-like source of exactly `size` bytes: functions with declarations, loops,
// strings with escapes, character literals, line comments and block
// comments that span lines.
std::string CSource(uint32_t size)
{
    static const char block[] =
        "/* Sums the values of a table.\n"
        " * Returns the total, or -1 when the table is empty.\n"
        " */\n"
        "static long sum_values(const struct table *t, unsigned int count)\n"
        "{\n"
        "\tlong total = 0; // running sum\n"
        "\tif (count == 0)\n"
        "\t\treturn -1;\n"
        "\tfor (unsigned int i = 0; i < count; ++i) {\n"
        "\t\tchar c = t->names[i][0] == '\\'' ? '\\\\' : 'x';\n"
        "\t\tprintf(\"value %d of \\\"%s\\\": %ld\\n\", i, t->names[i], t->values[i]);\n"
        "\t\ttotal += t->values[i] * sizeof(double) /* scaled */ + c;\n"
        "\t}\n"
        "\twhile (total > 1000000L && count-- > 0)\n"
        "\t\ttotal /= 2;\n"
        "\treturn total;\n"
        "}\n"
        "\n";
    std::string text;
    text.reserve(size);
    while (text.size() + sizeof block - 1 <= size)
        text += block;
    text.append(size - text.size(), ' ');
    return text;
}

// The painter's walk over every line: the bytes it covers per second.
void BM_HighlightPaintWalk1MB(benchmark::State &state)
{
    uint32_t style = MakeCStyle();
    std::string text = CSource(kSourceSize);
    char *bytes = text.data();
    for (auto _ : state) {
        HighlightState carried{0, 0};
        uint32_t runs = 0;
        for (uint32_t start = 0; start <= kSourceSize;) {
            uint32_t end = start;
            while (bytes[end] != '\n' && bytes[end] != '\0')
                ++end;
            uint32_t length = end - start;
            for (uint32_t column = 0; column <= length;) {
                HighlightRun run = QueryRun(style, bytes + start, length, column, &carried);
                if (run.classId != 0) {
                    ++runs;
                    column += run.length;
                } else {
                    ++column;
                }
            }
            start = end + 1;
        }
        benchmark::DoNotOptimize(runs);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSourceSize);
    ClearStyles();
}

// The state at the start of the last line, from the start of the text.
void BM_HighlightStateAtLastLine1MB(benchmark::State &state)
{
    uint32_t style = MakeCStyle();
    std::string text = CSource(kSourceSize);
    uint32_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    for (auto _ : state)
        benchmark::DoNotOptimize(StateAtLine(style, text.data(), lines));
    state.SetBytesProcessed(int64_t(state.iterations()) * kSourceSize);
    ClearStyles();
}

} // namespace

BENCHMARK(BM_HighlightPaintWalk1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighlightStateAtLastLine1MB)->Unit(benchmark::kMillisecond);

} // namespace scrivlet
