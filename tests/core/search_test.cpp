#include "core/search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <type_traits>
#include <utility>

namespace scrivlet {

using namespace std::string_literals;

namespace {

// Exactly the given bytes on the heap: the sanitizer reports reads outside.
struct ExactBytes {
    explicit ExactBytes(const std::string &s) : size(static_cast<uint32_t>(s.size())), block(new char[s.size()])
    {
        std::memcpy(block.get(), s.data(), s.size());
    }
    const char *data() const { return block.get(); }
    uint32_t size;
    std::unique_ptr<char[]> block;
};

// A NUL-terminated text in a block that ends right after its NUL.
ExactBytes Text(const std::string &text) { return ExactBytes(text + '\0'); }

constexpr uint32_t kCase = kFindMatchCase, kWord = kFindWholeWord, kBoth = kFindMatchCase | kFindWholeWord;

// The range is memory[from, from + length): a read past it is reported.
TEST(FindInRange, MatchesLieInsideTheRangeAndBytesAroundItAreNotExamined)
{
    const struct { std::string memory, pattern; uint32_t flags; int32_t expected; uint32_t from, length; } cases[] = {
        {"xxxabc", "abc", kCase, -1, 0, 5}, {"x", "x", kCase, -1, 0, 0},  {"abc", "", kBoth, -1, 0, 3},
        {"xab ab", "ab", kWord, 0, 1, 5},   {"x abc", "ab", kWord, 2, 0, 4},
        {"NAMEs name NAME", "NAME", 0xFFFFFFFFu, 11, 0, 15},
    };
    for (const auto &c : cases) {
        ExactBytes memory(c.memory), pattern(c.pattern);
        EXPECT_EQ(FindInRange(memory.data() + c.from, c.length, pattern.data(), pattern.size, c.flags), c.expected)
            << c.memory << " / " << c.pattern;
    }
}

// Tries every position: test the byte before, compare, test the byte after.
int32_t ReferenceFind(const std::string &range, const std::string &pattern, uint32_t flags)
{
    auto word = [](char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || (c >= '0' && c <= '9') || c == '_'; };
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    const size_t m = range.size(), n = pattern.size();
    for (size_t i = 0; n > 0 && i + n <= m; ++i) {
        if ((flags & 2) && i > 0 && word(range[i - 1]))
            continue;
        bool match = true;
        for (size_t k = 0; k < n && match; ++k)
            match = (flags & 1) ? range[i + k] == pattern[k] : fold(range[i + k]) == fold(pattern[k]);
        if (match && !((flags & 2) && i + n < m && word(range[i + n])))
            return static_cast<int32_t>(i);
    }
    return -1;
}

TEST(FindInRange, AgreesWithReferenceOnRandomTexts)
{
    const char alphabet[] = "aAbB_9 \n.@`[{\x80\xC1\xE1";
    std::mt19937 random(20240611);
    auto pick = [&](size_t count) { return static_cast<size_t>(random() % count); };
    int results[2] = {0, 0};
    for (int round = 0; round < 12000; ++round) {
        const size_t letters = pick(2) ? 4 : sizeof alphabet - 1; // few letters make matches frequent
        std::string range, pattern;
        for (size_t i = pick(pick(3) ? 40 : 140); i > 0; --i) // long ones cross several 16-byte blocks
            range += alphabet[pick(letters)];
        if (!range.empty() && pick(2)) {
            pattern = range.substr(pick(range.size()), pick(5));
            for (char &c : pattern)
                if (pick(3) == 0 && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
                    c ^= 0x20; // flip the case now and then
        } else {
            for (size_t i = pick(5); i > 0; --i)
                pattern += alphabet[pick(letters)];
        }
        const uint32_t flags = static_cast<uint32_t>(pick(4)) | (pick(4) == 0 ? 0x80000000u : 0u);
        ExactBytes bytes(range), wanted(pattern);
        const int32_t expected = ReferenceFind(range, pattern, flags);
        ASSERT_EQ(FindInRange(bytes.data(), bytes.size, wanted.data(), wanted.size, flags), expected)
            << "range \"" << range << "\" pattern \"" << pattern << "\" flags " << flags;
        results[expected >= 0]++;
    }
    EXPECT_GT(results[0], 2000) << "misses";
    EXPECT_GT(results[1], 2000) << "matches";
}

// Every byte value as a pattern byte, first, later and after two rarer bytes,
// in bytes descending then ascending, so that one taken for another (0x60 for
// 0x40, 0xE1 for 0xC1) comes before the right one.
TEST(FindInRange, EveryByteValueAgreesWithReference)
{
    std::string text;
    for (int c = 255; c >= 0; --c)
        text += static_cast<char>(c);
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    for (int c = 255; c >= 0; --c)
        text += "\x01\x02"s + static_cast<char>(c);
    for (int c = 0; c < 256; ++c) {
        const char b = static_cast<char>(c), up = static_cast<char>(c + 1), down = static_cast<char>(c - 1);
        for (const std::string &pattern :
             {std::string(1, b), std::string{b, up}, std::string{b, down}, "x"s + b, "\x01\x02"s + b}) {
            for (uint32_t from : {0u, 9u, 300u, 700u}) {
                for (uint32_t flags : {0u, kCase}) {
                    ExactBytes range(text.substr(from)), wanted(pattern);
                    ASSERT_EQ(FindInRange(range.data(), range.size, wanted.data(), wanted.size, flags),
                              ReferenceFind(text.substr(from), pattern, flags))
                        << "byte " << c << " pattern length " << pattern.size() << " from " << from << " flags " << flags;
                }
            }
        }
    }
}

int Latin1Letter(unsigned char c) { return c >= 0xC0 && c != 0xD7 && c != 0xF7; }
int AllButBar(unsigned char c) { return c != '|'; }

TEST(WordAt, TableOfCases)
{
    const struct { std::string text; uint32_t offset; CharClassifier classifier; uint32_t start, length; } cases[] = {
        {"x foo_bar1 y", 5, nullptr, 2, 8},    {"x foo_bar1 y", 2, nullptr, 2, 8}, {"x foo_bar1 y", 9, nullptr, 2, 8},
        {"ab\ncd", 3, nullptr, 3, 2},          {"a.b", 1, nullptr, 1, 1},          {"foo>", 3, nullptr, 3, 1},
        {"a b", 1, nullptr, 1, 0},             {"a\tb", 1, nullptr, 1, 0},         {"ab\ncd", 2, nullptr, 2, 0},
        {"ab", 2, nullptr, 2, 0},              {"", 0, nullptr, 0, 0},             {"caf\xE9s", 3, nullptr, 3, 1},
        {"caf\xE9s", 1, nullptr, 0, 3},        {"caf\xE9s", 3, Latin1Letter, 0, 5},
        {"a\xD7" "b", 1, Latin1Letter, 1, 1},  {"\xE9 \xE9", 1, Latin1Letter, 1, 0}, {"\xE9\n", 1, Latin1Letter, 1, 0},
        // Whatever the classifier says, the NUL ends the text and is no word.
        {"a b\0|"s, 1, AllButBar, 0, 3},        {"a b\0|"s, 3, AllButBar, 3, 0},
    };
    for (const auto &c : cases) {
        ExactBytes text = Text(c.text);
        uint32_t start = 0xDEADBEEF;
        const uint32_t length = WordAt(text.data(), c.offset, &start, c.classifier);
        EXPECT_EQ(std::make_pair(start, length), std::make_pair(c.start, c.length))
            << '"' << c.text << "\" at " << c.offset;
    }
}

TEST(WordBoundary, NextAndPreviousTablesOfCases)
{
    const struct { std::string text; uint32_t offset, expected; } next[] = {
        {"foo  bar", 0, 5}, {"(  ) x", 0, 5},    {"foo.bar", 0, 3},         {".,bar", 0, 2},
        {"a_1b c", 0, 5},   {"a   b", 1, 4},     {"ab\xE9\xE9 cd", 0, 2},   {"ab\xE9\xE9 cd", 2, 5},
        {"ab\n  cd", 2, 5}, {"ab\n\ncd", 3, 4},  {"ab  \ncd", 0, 4},        {"a. \nb", 1, 3},
        {"ab  ", 0, 4},     {"ab", 2, 2},        {"", 0, 0},
    };
    for (const auto &c : next)
        EXPECT_EQ(NextWordBoundary(Text(c.text).data(), c.offset), c.expected) << '"' << c.text << "\" at " << c.offset;
    const std::remove_reference_t<decltype(next[0])> previous[] = {
        {"abc", 0, 0},          {"", 0, 0},                {"abcd", 2, 0},     {"foo  bar", 5, 0},
        {"foo  bar", 8, 5},     {"foo.bar", 4, 3},         {"a (( b", 5, 2},   {"ab.\xE9 x", 4, 2},
        {"foo bar\nbaz", 8, 4}, {"foo bar  \nbaz", 10, 4}, {"a\n\nb", 3, 2},    {"ab\n  \ncd", 6, 3},
        {"ab\n  cd", 5, 3},     {"  ab", 1, 0},            {"\nab", 1, 0},     {"ab\ncd", 5, 3},  {"a\n.(", 4, 2},
    };
    for (const auto &c : previous)
        EXPECT_EQ(PrevWordBoundary(Text(c.text).data(), c.offset), c.expected) << '"' << c.text << "\" at " << c.offset;
}

TEST(BracketMatching, TableOfCases)
{
    const uint32_t none = 0xDEADBEEF; // the partner must stay untouched on failure
    const struct { std::string text; unsigned char closing; uint32_t offset, partner; } cases[] = {
        {"f(a(b)", ')', 6, 1},      {"f(a(b", ')', 5, 3}, {"a]", ')', 2, none},  {"x[i[j]", ']', 6, 1},
        {"{\n {\n }\n", '}', 8, 0}, {"(]", ')', 2, 0},    {"([)", ')', 3, none}, {"(\")\"", ')', 4, none},
        {"(x))", ')', 2, 0},        {"(", ')', 0, none},  {"((", '(', 2, none},  {"<a", '>', 2, none},
    };
    for (const auto &c : cases) {
        uint32_t partner = none;
        const int found = MatchingOpenBracket(Text(c.text).data(), c.closing, c.offset, &partner);
        EXPECT_EQ(std::make_pair(found, partner), std::make_pair(c.partner != none ? 1 : 0, c.partner))
            << '"' << c.text << "\" at " << c.offset;
    }
}

} // namespace

TEST(MatchScanner, AgreesWithFindInRangeFromEachStart)
{
    const char *pieces[] = {"a", "b", "A", "_", " ", "ab", "Ab", "ba", "\n"};
    const char *patterns[] = {"a", "ab", "AB", "b a", "aba", "_", "\n"};
    std::mt19937 random(77);
    auto next = [&random](unsigned range) { return unsigned(random() % range); };
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (unsigned i = 0, n = next(80); i < n; ++i)
            text += pieces[next(9)];
        std::string pattern = patterns[next(7)];
        uint32_t flags = next(4);
        MatchScanner scanner;
        StartMatchScan(&scanner, text.data(), uint32_t(text.size()), pattern.c_str(), uint32_t(pattern.size()),
                       flags);
        uint32_t from = 0;
        for (int step = 0; step < 60 && from <= text.size(); ++step) {
            int32_t expected = FindInRange(text.data() + from, uint32_t(text.size()) - from, pattern.c_str(),
                                           uint32_t(pattern.size()), flags);
            int64_t actual = NextMatchFrom(&scanner, from);
            ASSERT_EQ(actual, expected < 0 ? -1 : int64_t(from) + expected) << text << " / " << pattern << " @" << from;
            from += 1 + next(4); // both the next match's end and arbitrary later starts
            if (actual >= 0 && next(2))
                from = uint32_t(actual) + uint32_t(pattern.size());
            if (next(8) == 0)
                from = next(from + 1); // now and then an earlier start
        }
    }
    MatchScanner empty;
    StartMatchScan(&empty, "abc", 3, "", 0, 0);
    EXPECT_EQ(NextMatchFrom(&empty, 0), -1) << "an empty pattern never matches";
}

} // namespace scrivlet
