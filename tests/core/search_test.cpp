#include "core/search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A heap block holding exactly the given bytes and nothing else, so that the
// address sanitizer reports any read before the first byte or after the last.
class ExactBytes {
public:
    explicit ExactBytes(const std::string &bytes) : size_(bytes.size()), block_(new char[bytes.size()])
    {
        if (!bytes.empty())
            std::memcpy(block_.get(), bytes.data(), bytes.size());
    }
    const char *data() const { return block_.get(); }
    uint32_t size() const { return static_cast<uint32_t>(size_); }

private:
    size_t size_;
    std::unique_ptr<char[]> block_;
};

// A NUL-terminated text in a block that ends right after its NUL.
ExactBytes Text(const std::string &text)
{
    return ExactBytes(text + '\0');
}

int32_t Find(const std::string &range, const std::string &pattern, uint32_t flags)
{
    ExactBytes bytes(range);
    ExactBytes wanted(pattern);
    return FindInRange(bytes.data(), bytes.size(), wanted.data(), wanted.size(), flags);
}

// ---------------------------------------------------------------- word characters

TEST(WordCharacter, OnlyAsciiLettersDigitsAndUnderscore)
{
    for (int c = 0; c < 256; ++c) {
        const bool expected = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        EXPECT_EQ(IsWordCharacter(static_cast<unsigned char>(c)), expected) << "byte " << c;
    }
}

// ---------------------------------------------------------------- FindInRange

struct FindCase {
    const char *name;
    std::string range;
    std::string pattern;
    uint32_t flags;
    int32_t expected;
};

const uint32_t kCase = kFindMatchCase;
const uint32_t kWord = kFindWholeWord;
const uint32_t kBoth = kFindMatchCase | kFindWholeWord;

TEST(FindInRange, TableOfCases)
{
    const FindCase cases[] = {
        // Plain matching.
        {"first of several matches", "abcabc", "bc", kCase, 1},
        {"overlapping candidates give the first", "aaaa", "aa", kCase, 0},
        {"match at the very end", "xxxab", "ab", kCase, 3},
        {"pattern equals the range", "abc", "abc", kCase, 0},
        {"pattern longer than the range", "ab", "abc", kCase, -1},
        {"pattern longer than the range, ignoring case", "ab", "ABC", 0, -1},
        {"partial match at the end is no match", "xxab", "abc", kCase, -1},
        {"no occurrence", "abcdef", "xy", kCase, -1},
        {"line breaks are ordinary bytes", "ab\ncd", "b\nc", kCase, 1},
        {"single-byte pattern", "hello", "l", kCase, 2},

        // Case.
        {"ignoring case finds upper case text", "my NAME is", "Name", 0, 3},
        {"ignoring case finds mixed case text", "xnAmE", "NAME", 0, 1},
        {"match case refuses other case", "my NAME is", "Name", kCase, -1},
        {"match case finds exact spelling later", "NAME Name", "Name", kCase, 5},
        {"the first byte matches in either case", "xAbxaB", "ab", 0, 1},
        {"streams of both spellings interleave", "aXAXaXAb", "ab", 0, 6},
        {"non-letter first byte, ignoring case", "1a 1B", "1b", 0, 3},
        {"bytes above 0x7F compare exactly", "\xC9t\xC9", "\xE9T", 0, -1},
        {"bytes above 0x7F match themselves", "x\xE9t\xE9", "\xE9T", 0, 1},
        {"high bytes 0x20 apart are different", "\xC1", "\xE1", 0, -1},
        {"high bytes 0x20 apart are different after the first", "x\xC1", "X\xE1", 0, -1},
        {"'@' and '`' are not one letter", "@", "`", 0, -1},
        {"'@' and '`' are not one letter after the first", "x@", "X`", 0, -1},
        {"'[' and '{' are not one letter", "[", "{", 0, -1},
        {"'[' and '{' are not one letter after the first", "x[", "X{", 0, -1},
        {"'A' and 'z' bound the letters", "xAZ", "Xaz", 0, 0},
        {"'Z' and 'z' are one letter", "Z", "z", 0, 0},

        // Whole word.
        {"whole word skips a match inside a word", "xab ab", "ab", kWord, 4},
        {"whole word refuses a word character after", "abc ab", "ab", kWord, 4},
        {"underscore is a word character", "ab_ _ab ab", "ab", kWord, 8},
        {"digits are word characters", "1ab ab1 ab", "ab", kWord, 8},
        {"high bytes are not word characters", "\xE9" "ab\xE9", "ab", kWord, 1},
        {"punctuation delimits a word", "(ab)", "ab", kWord, 1},
        {"line breaks delimit a word", "x\nab\n", "ab", kWord, 2},
        {"whole word at both ends of the range", "ab", "ab", kWord, 0},
        {"whole word with no acceptable match", "abab", "ab", kWord, -1},
        {"rejected candidates before a match", "abab ab", "ab", kBoth, 5},
        {"whole word ignoring case", "Abc AB", "ab", kWord, 4},
        {"whole word and match case together", "AB ab", "ab", kBoth, 3},
        {"pattern starting with a blank after a word", "a x", " x", kWord, -1},
        {"pattern starting with a blank after a blank", "a  x", " x", kWord, 2},

        // Empty cases.
        {"empty range", "", "a", 0, -1},
        {"empty range and empty pattern", "", "", 0, -1},
        {"empty pattern matching case", "abc", "", kCase, -1},
        {"empty pattern ignoring case", "abc", "", 0, -1},
        {"empty pattern as whole word", "abc", "", kBoth, -1},

        // Unknown flag bits.
        {"high flag bits are ignored (no flags)", "my NAME", "name", 0xFFFFFFFCu, 3},
        {"high flag bits are ignored (both flags)", "NAMEs name NAME", "NAME", 0xFFFFFFFFu, 11},
    };
    for (const FindCase &c : cases)
        EXPECT_EQ(Find(c.range, c.pattern, c.flags), c.expected) << c.name;
}

TEST(FindInRange, WholeWordDoesNotLookBeforeTheRange)
{
    // In "xab ab" the range that starts at the 'a' of "xab" finds that "ab"
    // as a whole word: the 'x' before the range is not examined.
    const std::string text = "xab ab";
    ExactBytes all(text);
    EXPECT_EQ(FindInRange(all.data(), all.size(), "ab", 2, kWord), 4);
    EXPECT_EQ(FindInRange(all.data() + 1, all.size() - 1, "ab", 2, kWord), 0);
}

TEST(FindInRange, WholeWordDoesNotLookAfterTheRange)
{
    // The range "x ab" is followed by 'c' in memory; its "ab" still counts as
    // a whole word at the end of the range.
    const std::string text = "x abc";
    EXPECT_EQ(FindInRange(text.data(), 5, "ab", 2, kWord), -1) << "in the whole text 'ab' is part of 'abc'";
    EXPECT_EQ(FindInRange(text.data(), 4, "ab", 2, kWord), 2);
    EXPECT_EQ(FindInRange(text.data() + 2, 2, "ab", 2, kBoth), 0);
}

TEST(FindInRange, EmptyPatternNeverMatches)
{
    // The pattern pointer is valid, only its length is 0: "nothing" matching
    // at 0 would make Replace All replace at the same place for ever.
    const char *text = "abc";
    for (uint32_t flags = 0; flags < 4; ++flags) {
        EXPECT_EQ(FindInRange(text, 3, "a", 0, flags), -1) << "flags " << flags;
        EXPECT_EQ(FindInRange(text, 3, "", 0, flags), -1) << "flags " << flags;
    }
}

TEST(FindInRange, MatchMustLieEntirelyInsideTheRange)
{
    const std::string text = "xxxabc";
    EXPECT_EQ(FindInRange(text.data(), 5, "abc", 3, kCase), -1);
    EXPECT_EQ(FindInRange(text.data(), 6, "abc", 3, kCase), 3);
    EXPECT_EQ(FindInRange(text.data(), 0, "x", 1, kCase), -1) << "a range of length 0 holds nothing";
}

TEST(FindInRange, FindsTheLastBytesOfALargeText)
{
    // Mostly candidates that fail late, then the match at the very end.
    std::string text;
    const std::string filler = "Needle needles NEEDLE_ ";
    while (text.size() < (8u << 20))
        text += filler;
    text += "needle";
    ExactBytes bytes(text);
    const int32_t last = static_cast<int32_t>(text.size() - 6);

    EXPECT_EQ(FindInRange(bytes.data(), bytes.size(), "needle", 6, kBoth), last);
    EXPECT_EQ(FindInRange(bytes.data(), bytes.size(), "needle x", 8, 0), -1);
    EXPECT_EQ(FindInRange(bytes.data(), bytes.size(), "NEEDLE", 6, kWord), 0);
    EXPECT_EQ(FindInRange(bytes.data(), bytes.size(), "eedle", 5, kBoth), -1);
}

// The search exactly as the step-by-step algorithm states it: try every
// position, test the byte before, compare, test the byte after.
int32_t ReferenceFind(const std::string &range, const std::string &pattern, uint32_t flags)
{
    const size_t m = range.size();
    const size_t n = pattern.size();
    const bool matchCase = (flags & 1) != 0;
    const bool wholeWord = (flags & 2) != 0;
    auto word = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    };
    auto fold = [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return (u >= 'A' && u <= 'Z') ? u + 32 : u;
    };
    if (m == 0 || n == 0)
        return -1;
    for (size_t i = 0; i < m; ++i) {
        if (m - i < n)
            break;
        if (wholeWord && i > 0 && word(range[i - 1]))
            continue;
        bool match = true;
        for (size_t k = 0; k < n && match; ++k)
            match = matchCase ? range[i + k] == pattern[k] : fold(range[i + k]) == fold(pattern[k]);
        if (match && wholeWord && i + n < m && word(range[i + n]))
            match = false;
        if (match)
            return static_cast<int32_t>(i);
    }
    return -1;
}

TEST(FindInRange, AgreesWithStepByStepSearchOnRandomTexts)
{
    const char alphabet[] = {'a', 'A', 'b', 'B', 'z', 'Z', '_', '1', '9', ' ', '\n', '\t', '.', '@', '`', '[', '{',
                             '\x80', '\xC1', '\xE1', '\xFF'};
    std::mt19937 random(20240611);
    auto pick = [&](size_t count) { return static_cast<size_t>(random() % count); };
    auto randomString = [&](size_t length, size_t letters) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s += alphabet[pick(letters)];
        return s;
    };

    int matches = 0;
    int misses = 0;
    for (int round = 0; round < 40000; ++round) {
        // A small alphabet makes matches frequent; the full one brings the
        // bytes that must not fold.
        const size_t letters = pick(2) ? 4 : sizeof alphabet;
        const std::string range = randomString(pick(40), letters);
        std::string pattern;
        if (!range.empty() && pick(2)) {
            const size_t start = pick(range.size());
            pattern = range.substr(start, pick(5));
            for (char &c : pattern) // flip the case now and then
                if (pick(3) == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
                    c = static_cast<char>(c ^ 0x20);
        } else {
            pattern = randomString(pick(5), letters);
        }
        const uint32_t flags = static_cast<uint32_t>(pick(4)) | (pick(4) == 0 ? 0x80000000u : 0u);

        const int32_t expected = ReferenceFind(range, pattern, flags);
        ASSERT_EQ(Find(range, pattern, flags), expected)
            << "range \"" << range << "\" pattern \"" << pattern << "\" flags " << flags;
        (expected >= 0 ? matches : misses)++;
    }
    EXPECT_GT(matches, 5000) << "the comparison must cover many matches";
    EXPECT_GT(misses, 5000) << "the comparison must cover many misses";
}

// ---------------------------------------------------------------- WordAt

// Letters of a Latin-1 code page: 0xC0 to 0xFF except the two signs.
int Latin1Letter(unsigned char c)
{
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

// A classifier that calls every byte a letter, to show where the scan must
// stop regardless.
int EveryByteIsALetter(unsigned char)
{
    return 1;
}

struct WordCase {
    const char *name;
    std::string text;
    uint32_t offset;
    CharClassifier classifier;
    uint32_t expectedStart;
    uint32_t expectedLength;
};

TEST(WordAt, TableOfCases)
{
    const WordCase cases[] = {
        {"inside an identifier", "x foo_bar1 y", 5, nullptr, 2, 8},
        {"first byte of an identifier", "x foo_bar1 y", 2, nullptr, 2, 8},
        {"last byte of an identifier", "x foo_bar1 y", 9, nullptr, 2, 8},
        {"word at the start of the text", "foo bar", 1, nullptr, 0, 3},
        {"word at the end of the text", "foo bar", 6, nullptr, 4, 3},
        {"word at the start of a line", "ab\ncd", 3, nullptr, 3, 2},
        {"word that ends a line", "ab\ncd", 1, nullptr, 0, 2},
        {"digits only", "x 12345", 4, nullptr, 2, 5},
        {"punctuation between words", "a.b", 1, nullptr, 1, 1},
        {"punctuation right after a word", "foo>", 3, nullptr, 3, 1},
        {"one of several punctuation bytes", "a->b", 2, nullptr, 2, 1},
        {"space", "a b", 1, nullptr, 1, 0},
        {"blank right after a word", "foo bar", 3, nullptr, 3, 0},
        {"tab", "a\tb", 1, nullptr, 1, 0},
        {"line break", "ab\ncd", 2, nullptr, 2, 0},
        {"empty line", "ab\n\ncd", 3, nullptr, 3, 0},
        {"terminating NUL", "ab", 2, nullptr, 2, 0},
        {"empty text", "", 0, nullptr, 0, 0},
        {"high byte without a classifier is punctuation", "caf\xE9s", 3, nullptr, 3, 1},
        {"word before a high byte without a classifier", "caf\xE9s", 1, nullptr, 0, 3},
        {"high byte with a classifier joins the word", "caf\xE9s", 3, Latin1Letter, 0, 5},
        {"word around a high byte with a classifier", "x caf\xE9s y", 2, Latin1Letter, 2, 5},
        {"word of high bytes with a classifier", "(\xE9t\xE9)", 1, Latin1Letter, 1, 3},
        {"high byte the classifier refuses", "a\xD7" "b", 1, Latin1Letter, 1, 1},
        {"classifier keeps ASCII word characters", "a_1\xE9", 0, Latin1Letter, 0, 4},
        {"classifier and a space", "\xE9 \xE9", 1, Latin1Letter, 1, 0},
        {"classifier and a line break", "\xE9\n\xE9", 1, Latin1Letter, 1, 0},
        {"classifier and the NUL", "\xE9", 1, Latin1Letter, 1, 0},
        {"the word stops at the NUL whatever the classifier", "a b", 1, EveryByteIsALetter, 0, 3},
        {"the NUL is no word whatever the classifier", "ab", 2, EveryByteIsALetter, 2, 0},
    };
    for (const WordCase &c : cases) {
        ExactBytes text = Text(c.text);
        uint32_t start = 0xDEADBEEF;
        const uint32_t length = WordAt(text.data(), c.offset, &start, c.classifier);
        EXPECT_EQ(start, c.expectedStart) << c.name;
        EXPECT_EQ(length, c.expectedLength) << c.name;
    }
}

TEST(WordAt, StopsAtTheNulWhateverFollowsIt)
{
    // Letters stand after the NUL in memory; they are not part of the text.
    const char memory[] = "a b\0xyz";
    uint32_t start = 0;
    EXPECT_EQ(WordAt(memory, 2, &start, EveryByteIsALetter), 3u);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(WordAt(memory, 3, &start, EveryByteIsALetter), 0u);
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(WordAt(memory, 2, &start), 1u);
    EXPECT_EQ(start, 2u);
}

TEST(WordAt, ClassifierDefaultsToAsciiOnly)
{
    ExactBytes text = Text("\xE9t\xE9");
    uint32_t start = 0;
    EXPECT_EQ(WordAt(text.data(), 1, &start), 1u);
    EXPECT_EQ(start, 1u);
}

// ---------------------------------------------------------------- Ctrl+Right / Ctrl+Left

struct BoundaryCase {
    const char *name;
    std::string text;
    uint32_t offset;
    uint32_t expected;
};

TEST(WordBoundaryNext, TableOfCases)
{
    const BoundaryCase cases[] = {
        {"word then blanks to the next word", "foo  bar", 0, 5},
        {"from inside a word", "foo  bar", 1, 5},
        {"punctuation runs through blanks", "(  ) x", 0, 5},
        {"word stops at punctuation", "foo.bar", 0, 3},
        {"punctuation stops at a word", ".,bar", 0, 2},
        {"underscore and digits belong to the word", "a_1b c", 0, 5},
        {"high bytes are not word characters", "ab\xE9\xE9 cd", 0, 2},
        {"a run of high bytes and blanks", "ab\xE9\xE9 cd", 2, 5},
        {"from blanks to the next word", "a   b", 1, 4},
        {"from a blank to punctuation", "a  .b", 1, 3},
        {"line break steps onto the next line", "ab\ncd", 2, 3},
        {"line break then leading blanks", "ab\n  cd", 2, 5},
        {"line break then an empty line", "ab\n\ncd", 2, 3},
        {"empty line steps onto the following line", "ab\n\ncd", 3, 4},
        {"word stops before the line break", "ab\ncd", 0, 2},
        {"trailing blanks stop at the line break", "ab  \ncd", 0, 4},
        {"punctuation stops at the line break", "a.\nb", 1, 2},
        {"punctuation and blanks stop at the line break", "a. \nb", 1, 3},
        {"word reaching the end of the text", "abc", 0, 3},
        {"trailing blanks reaching the end", "ab  ", 0, 4},
        {"punctuation reaching the end", "a.. ", 1, 4},
        {"at the NUL it stays", "ab", 2, 2},
        {"in the empty text it stays", "", 0, 0},
    };
    for (const BoundaryCase &c : cases) {
        ExactBytes text = Text(c.text);
        EXPECT_EQ(NextWordBoundary(text.data(), c.offset), c.expected) << c.name;
    }
}

TEST(WordBoundaryPrev, TableOfCases)
{
    const BoundaryCase cases[] = {
        {"at the start of the text", "abc", 0, 0},
        {"at the start of the empty text", "", 0, 0},
        {"from inside a word", "abcd", 2, 0},
        {"from the end of a word", "foo bar", 7, 4},
        {"over blanks to the previous word", "foo  bar", 5, 0},
        {"from the end of the second word", "foo  bar", 8, 5},
        {"punctuation run", "foo.bar", 4, 3},
        {"word run after punctuation", "foo.bar", 7, 4},
        {"punctuation run stops at a blank", "a (( b", 5, 2},
        {"high bytes run with punctuation", "ab.\xE9 x", 4, 2},
        {"from a line start to the last word above", "foo bar\nbaz", 8, 4},
        {"from a line start past trailing blanks", "foo bar  \nbaz", 10, 4},
        {"from a line start to an empty line", "a\n\nb", 3, 2},
        {"from an empty line to the line above", "a\n\nb", 2, 0},
        {"from a line start to a blank line", "ab\n  \ncd", 6, 3},
        {"leading blanks of a line stop at its start", "ab\n  cd", 5, 3},
        {"leading blanks of the text run off to 0", "  ab", 2, 0},
        {"inside leading blanks", "  ab", 1, 0},
        {"line start of the second line, first line empty", "\nab", 1, 0},
        {"from the NUL", "ab cd", 5, 3},
        {"from the NUL after a line break", "ab\n", 3, 0},
        {"word run stops at a line break", "ab\ncd", 5, 3},
    };
    for (const BoundaryCase &c : cases) {
        ExactBytes text = Text(c.text);
        EXPECT_EQ(PrevWordBoundary(text.data(), c.offset), c.expected) << c.name;
    }
}

std::vector<uint32_t> Jumps(const std::string &source, uint32_t from, bool forward)
{
    ExactBytes text = Text(source);
    std::vector<uint32_t> stops;
    uint32_t p = from;
    for (int i = 0; i < 50; ++i) {
        const uint32_t q = forward ? NextWordBoundary(text.data(), p) : PrevWordBoundary(text.data(), p);
        if (q == p)
            break;
        stops.push_back(q);
        p = q;
    }
    return stops;
}

TEST(WordBoundaryJumps, RepeatedCtrlRightVisitsEveryStopAndEndsAtTheEnd)
{
    const std::string text = "int x = f(a, b);\n  y";
    EXPECT_EQ(Jumps(text, 0, true), (std::vector<uint32_t>{4, 6, 8, 9, 10, 11, 13, 14, 16, 19, 20}));
}

TEST(WordBoundaryJumps, RepeatedCtrlLeftVisitsEveryStopAndEndsAtZero)
{
    const std::string text = "int x = f(a, b);\n  y";
    EXPECT_EQ(Jumps(text, 20, false), (std::vector<uint32_t>{19, 17, 14, 13, 11, 10, 9, 8, 6, 4, 0}));
}

// ---------------------------------------------------------------- bracket matching

struct BracketCase {
    const char *name;
    std::string text;
    unsigned char closing;
    uint32_t offset;
    int expected;
    uint32_t expectedPartner;
};

TEST(BracketMatching, TableOfCases)
{
    const uint32_t none = 0xDEADBEEF;
    const BracketCase cases[] = {
        {"innermost open parenthesis is taken", "f(a(b)", ')', 6, 1, 1},
        {"unclosed inner parenthesis", "f(a(b", ')', 5, 1, 3},
        {"no partner for another kind", "a]", ')', 2, 0, none},
        {"square brackets", "x[i[j]", ']', 6, 1, 1},
        {"braces across lines", "{\n  {\n  }\n", '}', 10, 1, 0},
        {"partner at offset 0", "(abc", ')', 4, 1, 0},
        {"other kinds are ignored", "(]", ')', 2, 1, 0},
        {"brackets of other kinds do not nest", "([)", ')', 3, 0, none},
        {"brackets in strings count", "(\")\"", ')', 4, 0, none},
        {"balanced text has no partner", "(a)", ')', 3, 0, none},
        {"bytes after the offset are not examined", "(x))", ')', 2, 1, 0},
        {"caret in the middle of the text", "a(b)c", ')', 3, 1, 1},
        {"offset 0", "(", ')', 0, 0, none},
        {"empty text", "", ')', 0, 0, none},
        {"opening byte is no closing bracket", "((", '(', 2, 0, none},
        {"angle brackets are not brackets", "<a", '>', 2, 0, none},
        {"any other byte", "ab", 'b', 2, 0, none},
    };
    for (const BracketCase &c : cases) {
        ExactBytes text = Text(c.text);
        uint32_t partner = none;
        EXPECT_EQ(MatchingOpenBracket(text.data(), c.closing, c.offset, &partner), c.expected) << c.name;
        EXPECT_EQ(partner, c.expectedPartner) << c.name;
    }
}

} // namespace
