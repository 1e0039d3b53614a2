#include "highlight/highlighter.h"

#include "core/control_error.h"
#include "highlight/style_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

inline bool operator==(HighlightState a, HighlightState b) { return a.range == b.range && a.depth == b.depth; }

namespace {

constexpr uint32_t kDeepest = 0xFFFFFFFF;

// A letter of the class per byte, upper-case where a run starts, '.' outside, lines joined by '|'.
std::string ColourMap(uint32_t style, std::string *text, HighlightState *state)
{
    std::string map;
    for (size_t start = 0;; ++start) {
        size_t end = std::min(text->find('\n', start), text->size());
        uint32_t length = static_cast<uint32_t>(end - start);
        for (uint32_t column = 0; column <= length;) {
            HighlightRun run = QueryRun(style, &(*text)[start], length, column, state);
            EXPECT_EQ(run.length == 0, run.classId == 0) << "a run has a class and a length";
            const StyleClass *cls = run.classId != 0 ? FindClass(FindStyle(style), run.classId) : nullptr;
            char letter = cls != nullptr ? cls->name[0] : char('0' + run.classId);
            for (uint32_t i = 0; i < run.length; ++i)
                map += char(i == 0 ? std::toupper(letter) : std::tolower(letter));
            map += run.classId == 0 && column < length ? "." : "";
            column += std::max(run.length, 1u);
        }
        if (end == text->size())
            return map;
        map += "|";
        start = end;
    }
}

constexpr uint32_t kBrace = 1; // the brace range of the brace styles
const char kBraces[] = "C,Keyword,0,0,ff0000\nS,if\nS,then\nC,Mark,0,0,8000\nR,{,},0,%\nR,//,,0,0";

struct HighlightTest : testing::Test {
    uint32_t braces = StyleOf("X,braces\n" + Nest(0)), nestedBraces = StyleOf("X,nested\n" + Nest(1));
    uint32_t strings = StyleOf("X,strings\nC,S,0,0,0\nR,\",\",1,0");
    uint32_t plainStrings = StyleOf("X,plain\nC,S,0,0,0\nR,\",\",0,0");
    uint32_t slashes = StyleOf("X,slashes\nC,A,0,0,0\nR,/,/,0,0\nC,B,0,0,0\nR,//,,0,0");
    uint32_t blocks =
        StyleOf("X,blocks\nC,C,0,0,0\nR,/*,*/,0,1\nR,Begin,End,0,0\nC,E,1,0,0\nR,<b>,</b>,0,0\nR,//,,0,0");
    uint32_t dashed = StyleOf("X,dashed,-\nC,K,0,0,0\nS,if\nS,else-if");
    uint32_t upper = StyleOf("X,upper\nC,K,0,2,0\nS,if\nS,then");
    uint32_t upperBlock = StyleOf("X,upper block\nC,B,0,2,0\nR,begin,end,0,1");

    void TearDown() override { ClearStyles(); }
    static std::string Nest(int nested)
    {
        std::string records = kBraces;
        return records.replace(records.find('%'), 1, std::to_string(nested));
    }
};

// Colour map, state after and autocased text; the line scan agrees on single lines.
TEST_F(HighlightTest, WalkGivesRunsAndStateAfter)
{
    struct Case { uint32_t style; const char *text, *map; HighlightState after, start = {0, 0};
                  const char *rewritten = nullptr; } cases[] = {
        {braces, "abc { def\nx} if {\n}", "....Mmmmm|Mm.Kk.M|M", {0, 0}},
        {braces, "{ {", "Mmm", {kBrace, 2}}, // start texts inside count, nested or not
        {nestedBraces, "{{\n}\n} x} if", "Mm|M|M....Kk", {0, 0}},
        {braces, "iffy a_if IF then", "..........Kk.Kkkk", {0, 0}},
        {dashed, "(if) else-if;if", ".Kk..Kkkkkkk.Kk", {0, 0}},
        {strings, R"(x="a\"b" y)", "..Ssssss..", {0, 0}},
        {strings, R"("a\\\"b" c)", "Ssssss.Sss", {1, 1}},
        {strings, "\"a\n\\\"b\"", "Ss|Ssss", {0, 0}}, // a backslash first on its line
        {plainStrings, R"("a\"b")", "Ssss.S", {1, 1}},
        {slashes, "x // y", "..Aa..", {0, 0}}, // the earlier range wins, not the longer
        {blocks, "/*/**/*/ x */", "Cccccccc.....", {0, 0}},
        {blocks, "x begin y", "..Ccccccc", {2, 1}}, // either case of a case-insensitive start
        // Carried states that the algorithm never produces.
        {dashed, "if x", "Kk..", {0, 0}, {5, 3}}, // no range to stand in
        {braces, "a} if", "Mmmmm", {0, 0}, {77, 1}},     // stale: the last range, //
        {nestedBraces, "{ } }", "Mmmmm", {kBrace, kDeepest - 2}, {kBrace, kDeepest}},
        {upper, "if x then y iffy", "Kk...Kkkk.......", {0, 0}, {0, 0}, "IF x THEN y iffy"},
        {upperBlock, "Begin x begin y End end. z end", "Bbbbbbbbbbbbbbbbbbbbbbb.......", {0, 0}, {0, 0},
         "BEGIN x BEGIN y END END. z end"}, // an end outside stays
    };
    for (const Case &c : cases) {
        std::string text = c.text;
        HighlightState state = c.start;
        EXPECT_EQ(ColourMap(c.style, &text, &state), c.map) << c.text;
        EXPECT_EQ(state, c.after) << c.text;
        EXPECT_EQ(text, c.rewritten != nullptr ? c.rewritten : c.text);
        if (std::strchr(c.text, '\n') == nullptr) {
            EXPECT_EQ(StateAfterLine(c.style, text.data(), 0, c.start), c.after) << c.text;
        }
    }
    std::string text = "x end";
    EXPECT_EQ(DelimiterTest(upperBlock, text.data(), 5, 5, 0), 1);
    EXPECT_EQ(text, "x end") << "the delimiter test never rewrites";
}

TEST_F(HighlightTest, NoRunWhereThereIsNothingToColourAndMissingStylesOrStartTexts)
{
    uint32_t zero = CreateStyle("class zero", nullptr);
    AddClass(zero, "K", 0, 0, 0);
    AddRange(zero, "<", 1, ">", 1, 0, 0, 0);
    AddSymbol(zero, "if", 2, 0);
    const struct { uint32_t style; const char *text, *map; HighlightState start; } cases[] = {
        {zero, "<a> if", "......", {0, 0}}, // class 0 means no run, and no run leaves the state
        {999, "{ab", "...", {kBrace, 1}},   // no style
    };
    for (const auto &c : cases) {
        std::string text = c.text;
        HighlightState state = c.start;
        EXPECT_EQ(ColourMap(c.style, &text, &state), c.map);
        EXPECT_EQ(state, c.style == 999 ? c.start : (HighlightState{0, 0})) << c.text;
        EXPECT_EQ(StateAfterLine(c.style, &text[0], 0, c.start), (HighlightState{0, 0})) << c.text;
        EXPECT_EQ(StateAtLine(c.style, &text[0], 2), (HighlightState{0, 0})) << c.text;
    }
    RunWalk walk;
    EXPECT_FALSE(BeginRunWalk(999, &walk)) << "no walk over a style not there";

    EXPECT_STREQ(ClassColour(braces, 55)->name, "Mark") << "an unknown class gives the last one";
    SetLastControlError(AEE_NOERROR);
    EXPECT_EQ(ClassColour(999, 1), nullptr);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLENOTFOUND));
}

// SkipRuns lands where the column walk would; NextRun goes on to the same runs and state.
TEST(HighlightFastWalk, SkippingAnyDistanceGoesOnLikeTheColumnByColumnWalk)
{
    const uint32_t style = StyleOf("X,s\nC,C,1,0,1\nR,/*,*/,0,0\nR,\",\",1,0\nR,<<,end,0,1\nR,//,,0,0\n"
                                   "C,K,0,0,2\nS,if\nS,endif\nS,x");
    const uint32_t string = 2, nested = 3;
    const struct { const char *line; HighlightState carried; } cases[] = {
        {"a if b /* c if */ d\"e\\\"f\" <<g<<h end endif endx endif if X x", {0, 0}},
        {"<<q end endif\"s\" IF/**/if", {0, 0}},
        {"still inside end if end endif x /* open", {nested, 2}},
        {"", {nested, 1}},
        {"if x // to the end", {0, 0}},
    };
    RunWalk walk;
    ASSERT_TRUE(BeginRunWalk(style, &walk) && walk.statesAlone);
    for (const auto &c : cases) {
        std::string text = c.line;
        uint32_t length = uint32_t(text.size());
        std::vector<HighlightState> asked(length + 1, HighlightState{kDeepest, kDeepest});
        std::string runs; // "column:length " of each run
        HighlightState state = c.carried;
        for (uint32_t column = 0; column <= length;) {
            asked[column] = state;
            HighlightRun run = QueryRun(style, &text[0], length, column, &state);
            runs += run.classId != 0 ? std::to_string(column) + ":" + std::to_string(run.length) + " " : "";
            column += std::max(run.length, 1u);
        }
        for (uint32_t target = 0; target <= length + 1; ++target) {
            SCOPED_TRACE(std::string(c.line) + " to " + std::to_string(target));
            HighlightState skipped = c.carried;
            uint32_t column = SkipRuns(&walk, &text[0], length, 0, target, &skipped);
            ASSERT_LE(column, std::min(target, length));
            EXPECT_EQ(skipped, asked[column]);
            uint32_t end = std::min(target, length);
            bool inWord = end > 0 && end < length && std::isalnum(static_cast<unsigned char>(text[end - 1]));
            if (asked[end].range != kDeepest && !inWord) { // where the walk asks, outside a word, no step back
                EXPECT_EQ(column, end);
            }
            std::string after;
            while (column < length) {
                HighlightRun run = NextRun(&walk, &text[0], length, &column, &skipped);
                after += run.classId != 0 ? std::to_string(column) + ":" + std::to_string(run.length) + " " : "";
                column += run.length;
            }
            EXPECT_EQ(skipped, state) << "the state after the line";
            EXPECT_EQ(runs.substr(runs.size() - std::min(after.size(), runs.size())), after) << "the same runs on";
        }
    }
    // One opening byte anywhere around the eight bytes tested at once is found.
    for (uint32_t length = 1; length <= 20; ++length) {
        for (uint32_t at = 0; at < length; ++at) {
            std::string text(length, 'a');
            text[at] = '"';
            HighlightState state{0, 0};
            EXPECT_EQ(SkipRuns(&walk, &text[0], length, 0, length, &state), length);
            EXPECT_EQ(state, (HighlightState{string, 1})) << text;
        }
    }
    // A stale state reads as outside; a range without class is never entered.
    char line[] = "if x";
    uint32_t bare = CreateStyle("bare", nullptr);
    for (int ranges = 0; ranges < 2; ++ranges) {
        HighlightState stale = ranges == 0 ? HighlightState{nested, 1} : HighlightState{0, 0};
        ASSERT_TRUE(BeginRunWalk(bare, &walk));
        EXPECT_EQ(SkipRuns(&walk, line, 4, 0, 4, &stale), ranges == 0 ? 4u : 0u) << "or stops where i opens";
        EXPECT_EQ(stale, (HighlightState{0, 0}));
        AddRange(bare, "i", 1, "#", 1, 0, 0, 0);
    }
    ClearStyles();
}

} // namespace

} // namespace scrivlet
