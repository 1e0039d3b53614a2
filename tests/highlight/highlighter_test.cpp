#include "highlight/highlighter.h"

#include "core/control_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace scrivlet {

inline bool operator==(HighlightState a, HighlightState b) { return a.range == b.range && a.depth == b.depth; }
inline std::ostream &operator<<(std::ostream &out, HighlightState s)
{
    return out << "(" << s.range << ", " << s.depth << ")";
}

namespace {

constexpr uint32_t kDeepest = 0xFFFFFFFF;

// The runs as the painter finds them, "column:text:class" (class by name if
// the style has it), lines joined by " | "; autocase rewrites the text.
std::string WalkText(uint32_t style, std::string *text, HighlightState *state)
{
    std::string runs;
    for (size_t start = 0;; ++start) {
        size_t end = std::min(text->find('\n', start), text->size());
        char *line = &(*text)[start];
        uint32_t length = static_cast<uint32_t>(end - start);
        for (uint32_t column = 0; column <= length;) {
            HighlightRun run = QueryRun(style, line, length, column, state);
            EXPECT_EQ(run.length == 0, run.classId == 0) << "a run has a class and a length";
            if (run.classId == 0) {
                ++column;
                continue;
            }
            const StyleClass *cls = FindClass(FindStyle(style), run.classId);
            runs += (runs.empty() || runs.back() == ' ' ? "" : " ") + std::to_string(column) + ":" +
                    std::string(line + column, run.length) + ":" + (cls ? cls->name : std::to_string(run.classId));
            column += run.length;
        }
        if (end == text->size())
            return runs;
        runs += runs.empty() ? "| " : " | ";
        start = end;
    }
}

// braces: K keywords if, then; M ranges { } (1) and // (2). strings: S " "
// with (strings) and without the backslash flag. slashes: A / / then B //
// (reversed: the other order). blocks: C /* */ nested, Begin/End; E <b></b>
// exact. dashed: '-' a symbol character. classless: classes 7, 9 missing.
struct HighlightTest : testing::Test {
    static constexpr uint32_t kBrace = 1, kComment = 2;
    uint32_t braces = 0, nestedBraces = 0, strings = 0, plainStrings = 0, slashes = 0, slashesReversed = 0,
             blocks = 0, dashed = 0, keywordsOnly = 0, classless = 0, inner = 0;

    void SetUp() override
    {
        ClearStyles();
        braces = MakeBraceStyle("braces", 0);
        nestedBraces = MakeBraceStyle("nested braces", 1);
        for (uint8_t flags : {kRangeBackslash, uint8_t(0)}) {
            uint32_t style = CreateStyle("strings", nullptr);
            AddRange(style, "\"", 1, "\"", 1, flags, 0, AddClass(style, "S", 0, 0, 0));
            (flags ? strings : plainStrings) = style;
        }
        for (bool reversed : {false, true}) {
            uint32_t style = CreateStyle("slashes", nullptr);
            uint32_t a = AddClass(style, "A", 0, 0, 0), b = AddClass(style, "B", 0, 0, 0);
            if (!reversed)
                AddRange(style, "/", 1, "/", 1, 0, 0, a);
            AddRange(style, "//", 2, "", 0, 0, 0, b);
            if (reversed)
                AddRange(style, "/", 1, "/", 1, 0, 0, a);
            (reversed ? slashesReversed : slashes) = style;
        }
        blocks = CreateStyle("blocks", nullptr);
        uint32_t c = AddClass(blocks, "C", 0, 0, 0), e = AddClass(blocks, "E", 1, 0, 0);
        AddRange(blocks, "/*", 2, "*/", 2, 0, 1, c);
        AddRange(blocks, "Begin", 5, "End", 3, 0, 0, c);
        AddRange(blocks, "<b>", 3, "</b>", 4, 0, 0, e);
        AddRange(blocks, "//", 2, "", 0, 0, 0, c);
        dashed = CreateStyle("dashed", "-");
        AddSymbol(dashed, "if", 2, AddClass(dashed, "K", 0, 0, 0));
        AddSymbol(dashed, "else-if", 7, 1);
        for (uint32_t *style : {&keywordsOnly, &inner}) {
            *style = CreateStyle("keywords", nullptr);
            AddSymbol(*style, "if", 2, AddClass(*style, "K", 0, 0, 0));
        }
        AddRange(inner, "f", 1, "g", 1, 0, 0, AddClass(inner, "M", 0, 0, 0)); // starts inside a keyword
        classless = CreateStyle("classless", nullptr);
        AddRange(classless, "<", 1, ">", 1, 0, 0, 7);
        AddSymbol(classless, "if", 2, 9);
    }
    void TearDown() override { ClearStyles(); }

    static uint32_t MakeBraceStyle(const char *name, uint32_t nested, uint8_t autocase = 0, int32_t caseSensitive = 0)
    {
        uint32_t style = CreateStyle(name, nullptr);
        uint32_t k = AddClass(style, "K", caseSensitive, autocase, 0xFF0000), m = AddClass(style, "M", 0, 0, 0x008000);
        AddSymbol(style, "if", 2, k);
        AddSymbol(style, "then", 4, k);
        EXPECT_EQ(AddRange(style, "{", 1, "}", 1, 0, nested, m), kBrace);
        EXPECT_EQ(AddRange(style, "//", 2, "", 0, 0, 0, m), kComment);
        return style;
    }
};

// The runs and the state after them; the line scan agrees on single lines.
TEST_F(HighlightTest, WalkGivesRunsAndStateAfter)
{
    struct Case {
        uint32_t style;
        const char *text, *runs;
        HighlightState after, start = {0, 0};
    } cases[] = {
        {braces, "x:=1; {note} if", "6:{note}:M 13:if:K", {0, 0}},
        {braces, "{a {b} c}", "0:{a {b}:M", {0, 0}},
        {nestedBraces, "{a {b} c}", "0:{a {b} c}:M", {0, 0}},
        {braces, "abc { def", "4:{ def:M", {kBrace, 1}},
        {braces, "abc { def\nx} if {\n}", "4:{ def:M | 0:x}:M 3:if:K 6:{:M | 0:}:M", {0, 0}},
        {braces, "{ {", "0:{ {:M", {kBrace, 2}}, // start texts inside count, nested or not
        {nestedBraces, "{ {", "0:{ {:M", {kBrace, 2}},
        {braces, "{{\n}\n} x} if", "0:{{:M | 0:}:M | 5:if:K", {0, 0}},
        {nestedBraces, "{{\n}\n} x} if", "0:{{:M | 0:}:M | 0:}:M 5:if:K", {0, 0}},
        {braces, "x // y { if", "2:// y { if:M", {0, 0}},
        {braces, "iffy a_if IF then", "10:IF:K 13:then:K", {0, 0}},
        {braces, "if\nthen", "0:if:K | 0:then:K", {0, 0}},
        {dashed, "a-if if- -if", "", {0, 0}},
        {dashed, "(if) else-if;if", "1:if:K 5:else-if:K 13:if:K", {0, 0}},
        {strings, R"(x="a\"b" y)", R"(2:"a\"b":S)", {0, 0}},
        {strings, R"("a\\" y)", R"(0:"a\\":S)", {0, 0}},
        {strings, R"("a\\\"b" c)", R"(0:"a\\\":S 7:" c:S)", {1, 1}},
        {strings, R"(x="a\)", R"(2:"a\:S)", {1, 1}},
        {strings, "\"a\\\n\"b", R"(0:"a\:S | 0:":S)", {0, 0}},
        {strings, "\"a\n\\\"b\"", R"(0:"a:S | 0:\"b":S)", {0, 0}},
        {plainStrings, R"("a\"b")", R"(0:"a\":S 5:":S)", {1, 1}},
        {slashes, "x // y", "2://:A", {0, 0}}, // the earlier range wins, not the longer
        {slashesReversed, "x // y", "2:// y:B", {0, 0}},
        {slashesReversed, "x /y/ z", "2:/y/:A", {0, 0}},
        {blocks, "a /*/ b", "2:/*/ b:C", {1, 1}},
        {blocks, "/*/**/*/ x */", "0:/*/**/*/:C", {0, 0}},
        {blocks, "x BEGIN y", "2:BEGIN y:C", {2, 1}}, // either case of a case-insensitive start
        {blocks, "x begin y", "2:begin y:C", {2, 1}},
        {inner, "if x", "0:if:K", {0, 0}},
        {classless, "<a> if IF", "0:<a>:7 4:if:9", {0, 0}}, // byte for byte without classes
        // Carried states that the algorithm never produces.
        {keywordsOnly, "if x", "0:if:K", {0, 0}, {5, 3}}, // no range to stand in
        {braces, "a} if", "0:a} if:M", {0, 0}, {77, 1}},  // stale: the last range, //
        {strings, "ab", "0:ab:S", {1, 1}, {42, 1}},        // ... named by its identifier
        {nestedBraces, "a} b}", "0:a}:M", {0, 0}, {kBrace, 0}},
        {nestedBraces, "{ } }", "0:{ } }:M", {kBrace, kDeepest - 2}, {kBrace, kDeepest}},
        {braces, "x} y", "0:x}:M", {0, 0}, {kBrace, kDeepest}},
    };
    for (const Case &c : cases) {
        std::string text = c.text;
        HighlightState state = c.start;
        EXPECT_EQ(WalkText(c.style, &text, &state), c.runs) << c.text;
        EXPECT_EQ(state, c.after) << c.text;
        const HighlightState scanned = c.style == inner ? HighlightState{1, 1} : c.after; // starts inside words
        if (std::strchr(c.text, '\n') == nullptr) {
            EXPECT_EQ(StateAfterLine(c.style, text.data(), 0, c.start), scanned) << c.text;
        }
    }
}

TEST_F(HighlightTest, StateAfterLineAndStateAtLine)
{
    std::string text = "a\nb { c\nd";
    for (uint32_t offset = 2; offset <= 7; ++offset) // any offset of the line, its '\n' included
        EXPECT_EQ(StateAfterLine(braces, text.data(), offset, {0, 0}), (HighlightState{kBrace, 1})) << offset;
    EXPECT_EQ(StateAfterLine(braces, text.data(), 1, {0, 0}), (HighlightState{0, 0}));
    EXPECT_EQ(StateAfterLine(braces, text.data(), 9, {kBrace, 1}), (HighlightState{kBrace, 1}));

    text = "{\nx\n}\ny // z\n{";
    HighlightState at[] = {{0, 0}, {0, 0}, {kBrace, 1}, {kBrace, 1}, {0, 0}, {0, 0}, {kBrace, 1}};
    for (uint32_t line = 0; line < 7; ++line)
        EXPECT_EQ(StateAtLine(braces, text.data(), line), at[line]) << "line " << line;
    EXPECT_EQ(StateAtLine(braces, text.data(), 99), (HighlightState{kBrace, 1})) << "past the end";
    text = "// {\nx";
    EXPECT_EQ(StateAtLine(braces, text.data(), 2), (HighlightState{0, 0}));
    text = "{ if\nx";
    EXPECT_EQ(StateAfterLine(keywordsOnly, text.data(), 0, {5, 3}), (HighlightState{0, 0}));
}

TEST_F(HighlightTest, DelimiterTestFindsTextsCoveringTheEditedByte)
{
    const struct { uint32_t style; const char *line; uint32_t column; int mode; int32_t answer; } cases[] = {
        {braces, "abc {", 5, 0, kBrace}, {braces, "abc x", 5, 0, 0}, {braces, "abc \\", 5, 0, -1},
        {braces, "a}b", 1, 1, kBrace},   {braces, "a}b", 2, 1, 0},   {braces, "a\\b", 1, 1, -1},
        {braces, "a\\b", 1, 0, 0},       {braces, "{", 0, 0, 0},     {braces, "x //", 4, 0, 0},
        {blocks, "x /*", 4, 0, 1},       {blocks, "x /*", 3, 0, 1},  {blocks, "x /*", 2, 0, 0},
        {blocks, "x */", 2, 1, 1},       {blocks, "x */", 3, 1, 1},  {blocks, "x */", 4, 1, 0},
        {blocks, "x /", 3, 0, 0},        {blocks, "x BEGIN", 7, 0, 2}, {blocks, "x </b>", 4, 1, 3},
        {blocks, "x </B>", 4, 1, 0}, // the class of <b> is case sensitive
        {999, "{", 1, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DelimiterTest(c.style, c.line, c.column, uint32_t(strlen(c.line)), c.mode), c.answer)
            << c.line << " column " << c.column << " mode " << c.mode;
}

TEST_F(HighlightTest, AutocaseRewritesMatchedTextsOnly)
{
    uint32_t upper = MakeBraceStyle("upper", 0, 2), lower = MakeBraceStyle("lower", 0, 1);
    HighlightState state{0, 0};
    std::string text = "if x then y iffy";
    EXPECT_EQ(WalkText(upper, &text, &state), "0:IF:K 5:THEN:K");
    EXPECT_EQ(text, "IF x THEN y iffy");
    text = "IF X Then Y";
    EXPECT_EQ(WalkText(lower, &text, &state), "0:if:K 5:then:K");
    EXPECT_EQ(text, "if X then Y");

    text.clear(); // typing iffy, repainted after each keystroke
    for (int typed = 0; typed < 4; ++typed)
        EXPECT_EQ(WalkText(upper, &(text += "iffy"[typed]), &state), typed == 1 ? "0:IF:K" : "") << text;
    EXPECT_EQ(text, "IFfy");

    uint32_t once = MakeBraceStyle("once", 0, 2, 1);
    text = "if x";
    EXPECT_EQ(WalkText(once, &text, &state), "0:IF:K");
    EXPECT_EQ(WalkText(once, &text, &state), "") << "a case-sensitive if no longer matches IF";

    uint32_t style = CreateStyle("blocks", nullptr);
    uint32_t block = AddRange(style, "begin", 5, "end", 3, 0, 1, AddClass(style, "B", 0, 2, 0));
    text = "Begin x begin y End end. z end"; // start, nested start and end texts
    EXPECT_EQ(WalkText(style, &text, &state), "0:BEGIN x BEGIN y END END:B");
    EXPECT_EQ(text, "BEGIN x BEGIN y END END. z end");
    text = "a begin b\nc";
    EXPECT_EQ(StateAfterLine(style, text.data(), 0, {0, 0}), (HighlightState{block, 1}));
    EXPECT_EQ(text, "a BEGIN b\nc");
    text = "x end";
    EXPECT_EQ(DelimiterTest(style, text.data(), 5, 5, 0), int32_t(block));
    EXPECT_EQ(text, "x end") << "the delimiter test never rewrites";
}

TEST_F(HighlightTest, NoRunWhereThereIsNothingToColourAndMissingStylesOrStartTexts)
{
    uint32_t zero = CreateStyle("class zero", nullptr);
    AddClass(zero, "K", 0, 0, 0);
    AddRange(zero, "<", 1, ">", 1, 0, 0, 0);
    AddSymbol(zero, "if", 2, 0);
    std::string line = "<a> if";
    HighlightState state{0, 0};
    EXPECT_EQ(WalkText(zero, &line, &state), "") << "class 0 means no run";
    EXPECT_EQ(state, (HighlightState{0, 0})) << "and no run leaves the state";

    line = "{ab";
    state = {kBrace, 1};
    EXPECT_EQ(QueryRun(braces, line.data(), 3, 3, &state).classId, 0u) << "column at line end";
    EXPECT_EQ(QueryRun(999, line.data(), 3, 0, &state).classId, 0u) << "style not there";
    RunWalk walk;
    EXPECT_FALSE(BeginRunWalk(999, &walk)) << "no walk over a style not there";
    EXPECT_EQ(state, (HighlightState{kBrace, 1}));
    EXPECT_EQ(StateAfterLine(999, line.data(), 0, {kBrace, 1}), (HighlightState{0, 0}));
    EXPECT_EQ(StateAtLine(999, line.data(), 2), (HighlightState{0, 0}));
    line = "xif";
    state = {0, 0};
    EXPECT_EQ(QueryRun(braces, line.data(), 3, 1, &state).classId, 0u) << "not at a word start";

    // An empty start text (refused by the model, left by damage) never opens.
    FindStyle(nestedBraces)->ranges[0].startLength = 0;
    line = "x{y} // z";
    state = {0, 0};
    EXPECT_EQ(WalkText(nestedBraces, &line, &state), "5:// z:M");
    line = "ab} c}";
    state = {kBrace, 1};
    EXPECT_EQ(WalkText(nestedBraces, &line, &state), "0:ab}:M");
    EXPECT_EQ(StateAfterLine(nestedBraces, line.data(), 0, {kBrace, 1}), (HighlightState{0, 0}));
    EXPECT_EQ(DelimiterTest(nestedBraces, "a{", 2, 2, 0), 0);

    EXPECT_EQ(ClassColour(braces, 2)->colour, 0x008000u);
    EXPECT_STREQ(ClassColour(braces, 55)->name, "M") << "an unknown class gives the last one";
    EXPECT_EQ(ClassColour(classless, 7), nullptr);
    SetLastControlError(AEE_NOERROR);
    EXPECT_EQ(ClassColour(999, 1), nullptr);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLENOTFOUND));
}

} // namespace

// From any target SkipRuns lands, no further than the target, where the
// column-by-column walk asks with the state it has there, and NextRun goes
// on to the same runs and end state. << end closes on symbol characters.
TEST(HighlightFastWalk, SkippingAnyDistanceGoesOnLikeTheColumnByColumnWalk)
{
    ClearStyles();
    uint32_t style = CreateStyle("s", nullptr);
    uint32_t comment = AddClass(style, "C", 1, 0, 1), keyword = AddClass(style, "K", 0, 0, 2);
    AddRange(style, "/*", 2, "*/", 2, 0, 0, comment);
    uint32_t string = AddRange(style, "\"", 1, "\"", 1, kRangeBackslash, 0, comment);
    uint32_t nested = AddRange(style, "<<", 2, "end", 3, 0, 1, comment);
    AddRange(style, "//", 2, "", 0, 0, 0, comment);
    for (const char *word : {"if", "endif", "x"})
        AddSymbol(style, word, uint32_t(std::strlen(word)), keyword);
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
        std::vector<std::string> runs;
        HighlightState state = c.carried;
        for (uint32_t column = 0; column <= length;) {
            asked[column] = state;
            HighlightRun run = QueryRun(style, &text[0], length, column, &state);
            if (run.classId != 0)
                runs.push_back(std::to_string(column) + ":" + std::to_string(run.length));
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
            std::vector<std::string> after;
            while (column < length) {
                HighlightRun run = NextRun(&walk, &text[0], length, &column, &skipped);
                if (run.classId != 0)
                    after.push_back(std::to_string(column) + ":" + std::to_string(run.length));
                column += run.length;
            }
            EXPECT_EQ(skipped, state) << "the state after the line";
            EXPECT_TRUE(std::equal(after.rbegin(), after.rend(), runs.rbegin())) << "the same runs from there on";
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
    // A state naming a range in a style without ranges reads as outside.
    char line[] = "if x";
    HighlightState stale{nested, 1};
    uint32_t bare = CreateStyle("bare", nullptr);
    ASSERT_TRUE(BeginRunWalk(bare, &walk));
    EXPECT_EQ(SkipRuns(&walk, line, 4, 0, 4, &stale), 4u);
    EXPECT_EQ(stale, (HighlightState{0, 0}));
    // A range without class gives no run, so the walk never goes inside it.
    AddRange(bare, "i", 1, "#", 1, 0, 0, 0);
    ASSERT_TRUE(BeginRunWalk(bare, &walk));
    SkipRuns(&walk, line, 4, 0, 4, &stale);
    EXPECT_EQ(stale, (HighlightState{0, 0}));
    ClearStyles();
}

} // namespace scrivlet
