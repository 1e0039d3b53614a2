#include "core/random_text.h"
#include "core/search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>

namespace scrivlet {

using namespace std::string_literals;

namespace {

constexpr uint32_t kCase = kFindMatchCase, kWord = kFindWholeWord, kBoth = kFindMatchCase | kFindWholeWord;

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

// FindInRange over memory[from, from + length) examines those bytes only, as the reference does.
void ExpectFindAsReference(const std::string &memory, const std::string &pattern, uint32_t flags,
                           size_t from = 0, size_t length = std::string::npos)
{
    ExactBytes bytes(memory), wanted(pattern);
    const std::string range = memory.substr(from, length);
    ASSERT_EQ(FindInRange(bytes.data() + from, uint32_t(range.size()), wanted.data(), wanted.size, flags),
              ReferenceFind(range, pattern, flags))
        << "range \"" << range << "\" pattern \"" << pattern << "\" flags " << flags;
}

// Random ranges and patterns, then every byte value, where a byte taken for another comes first.
TEST(FindInRange, AgreesWithReference)
{
    ExpectFindAsReference("xxxabc", "abc", kCase, 0, 5);
    ExpectFindAsReference("x", "x", kCase, 0, 0);
    ExpectFindAsReference("abc", "", kBoth);
    ExpectFindAsReference("xab ab", "ab", kWord, 1);
    ExpectFindAsReference("x abc", "ab", kWord, 0, 4);
    ExpectFindAsReference("NAMEs name NAME", "NAME", 0xFFFFFFFFu);
    std::mt19937 random(20240611);
    for (int round = 0; round < 12000; ++round) {
        const std::string alphabet = random() % 2 ? "aAbB" : "aAbB_9 \n.@`[{\x80\xC1\xE1";
        const std::string range = RandomText(random, alphabet, random() % 3 ? 40 : 140);
        std::string pattern = RandomText(random, alphabet, 4).substr(0, 4);
        if (!range.empty() && random() % 2) {
            pattern = range.substr(random() % range.size(), random() % 5);
            for (char &c : pattern)
                c ^= random() % 3 == 0 && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? 0x20 : 0; // flip the case
        }
        ExpectFindAsReference(range, pattern, uint32_t(random() % 4) | (random() % 4 == 0 ? 0x80000000u : 0u));
    }
    std::string text;
    for (int c = 0; c < 256; ++c)
        text = char(c) + text + char(c) + "\x01\x02"s + char(255 - c);
    for (int c = 0; c < 256; ++c) {
        const char b = char(c);
        for (const std::string &pattern : {std::string(1, b), std::string{b, char(c + 1)}, "x"s + b, "\x01\x02"s + b})
            for (uint32_t from : {0u, 9u, 300u, 700u})
                for (uint32_t flags : {0u, kCase})
                    ExpectFindAsReference(text.substr(from), pattern, flags);
    }
}

int Latin1Letter(unsigned char c) { return c >= 0xC0 && c != 0xD7 && c != 0xF7; }

// Words, the boundaries Ctrl+arrows move to, the bracket a closing one matches.
TEST(Words, WordAtBoundariesAndBrackets)
{
    const struct { std::string text; uint32_t offset; CharClassifier classifier; uint32_t start, length; } words[] = {
        {"x foo_bar1 y", 5, nullptr, 2, 8}, {"a b", 1, nullptr, 1, 0}, {"a\xD7" "b", 1, Latin1Letter, 1, 1}};
    for (const auto &c : words) {
        ExactBytes text(c.text + '\0');
        uint32_t start = 0xDEADBEEF;
        const uint32_t length = WordAt(text.data(), c.offset, &start, c.classifier);
        EXPECT_EQ(std::make_pair(start, length), std::make_pair(c.start, c.length)) << c.text << " @" << c.offset;
    }
    const struct { bool next; std::string text; uint32_t offset, expected; } boundaries[] = {
        {1, "foo.bar", 0, 3}, {1, "ab\n  cd", 2, 5}, {0, "foo bar  \nbaz", 10, 4}, {0, "\nab", 1, 0}};
    for (const auto &c : boundaries) {
        ExactBytes text(c.text + '\0');
        EXPECT_EQ((c.next ? NextWordBoundary : PrevWordBoundary)(text.data(), c.offset), c.expected) << c.text;
    }
    const uint32_t none = 0xDEADBEEF; // the partner must stay untouched on failure
    const struct { std::string text; uint32_t offset, partner; } brackets[] = {
        {"f(a(b)", 6, 1}, {"(]", 2, 0}, {"(\")\"", 4, none}};
    for (const auto &c : brackets) {
        ExactBytes text(c.text + '\0');
        uint32_t partner = none;
        const int found = MatchingOpenBracket(text.data(), ')', c.offset, &partner);
        EXPECT_EQ(std::make_pair(found, partner), std::make_pair(c.partner != none ? 1 : 0, c.partner)) << c.text;
    }
}

} // namespace

TEST(MatchScanner, AgreesWithFindInRangeFromEachStart)
{
    const char *patterns[] = {"a", "ab", "AB", "b a", "aba", "_", "\n"};
    std::mt19937 random(77);
    auto next = [&random](unsigned range) { return unsigned(random() % range); };
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomText(random, "abA_ \n", 120), pattern = patterns[next(7)];
        const uint32_t flags = next(4);
        MatchScanner scanner;
        StartMatchScan(&scanner, text.data(), uint32_t(text.size()), pattern.c_str(), uint32_t(pattern.size()),
                       flags);
        for (uint32_t from = 0, step = 0; step < 60 && from <= text.size(); ++step) {
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
