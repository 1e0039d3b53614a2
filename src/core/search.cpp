#include "core/search.h"

#include "core/ascii_case.h"

#include <cstddef>
#include <cstring>

namespace scrivlet {

namespace {

// Marks "no match found". Match positions are at most length - patternLength
// <= 0xFFFFFFFE, so this value is never one.
constexpr uint32_t kNoMatch = 0xFFFFFFFF;

// Sixteen bytes compared at once. GCC and Clang turn these operations into
// SSE2 instructions on x86-64 and into plain word operations on targets
// without a vector unit; the results are the same either way.
typedef unsigned char ByteBlock __attribute__((vector_size(16)));
typedef uint64_t WordPair __attribute__((vector_size(16)));
constexpr uint32_t kBlockSize = 16;

struct FoldTable {
    unsigned char lower[256];
};

// AsciiLower of every byte, looked up rather than computed in the scans.
constexpr FoldTable MakeFoldTable()
{
    FoldTable table{};
    for (int c = 0; c < 256; ++c)
        table.lower[c] = AsciiLower(static_cast<unsigned char>(c));
    return table;
}

constexpr FoldTable kFold = MakeFoldTable();

// Bytes of program text and prose from the most to the least common; every
// byte not listed counts as rarer than all of them (rank 255). Only the choice of the
// two bytes a search filters on depends on it, never a result.
constexpr char kCommonBytes[] = " etaoinsrlcdhumpfgybwvk\n\t=;(),._x\"'*/-:>{}0[]1<2jqz";

struct RankTable {
    unsigned char rank[256];
};

constexpr RankTable MakeRankTable()
{
    RankTable table{};
    for (int c = 0; c < 256; ++c)
        table.rank[c] = 255;
    for (int i = 0; kCommonBytes[i] != 0; ++i)
        table.rank[static_cast<unsigned char>(kCommonBytes[i])] = static_cast<unsigned char>(i);
    return table;
}

constexpr RankTable kRank = MakeRankTable();

bool IsAsciiLetter(unsigned char c)
{
    return IsAsciiLower(c) || IsAsciiUpper(c);
}

bool IsBlank(unsigned char c)
{
    return c == ' ' || c == '\t';
}

bool EqualIgnoringCase(const unsigned char *a, const unsigned char *b, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        if (kFold.lower[a[i]] != kFold.lower[b[i]])
            return false;
    }
    return true;
}

// How rare the byte is expected to be in a text, larger = rarer; ignoring
// case, a letter counts as often as its lower case.
int RarityOf(unsigned char c, bool matchCase)
{
    return kRank.rank[matchCase ? c : kFold.lower[c]];
}

// Chooses the two pattern positions the search filters on: the rarest byte,
// and the rarest other byte, preferring one that differs from the first
// (ties go to the earlier position).
// A byte b at a position passes the filter when (b | mask) == want: with
// match case, or for a byte that is no letter, mask 0 keeps the comparison
// exact; ignoring case, mask 0x20 makes the two cases of a letter equal,
// and no byte but those two letters ORs to a lower-case letter.
void ChooseProbes(MatchScanner *s)
{
    const bool matchCase = (s->flags & kFindMatchCase) != 0;
    uint32_t best = 0;
    for (uint32_t i = 1; i < s->patternLength; ++i) {
        if (RarityOf(s->pattern[i], matchCase) > RarityOf(s->pattern[best], matchCase))
            best = i;
    }
    uint32_t second = best;
    int secondRarity = -1000;
    for (uint32_t i = 0; i < s->patternLength; ++i) {
        if (i == best)
            continue;
        bool same = kFold.lower[s->pattern[i]] == kFold.lower[s->pattern[best]];
        int rarity = RarityOf(s->pattern[i], matchCase) - (same ? 256 : 0);
        if (rarity > secondRarity) {
            second = i;
            secondRarity = rarity;
        }
    }
    const uint32_t offsets[2] = {best, second};
    for (int k = 0; k < 2; ++k) {
        unsigned char c = s->pattern[offsets[k]];
        s->probeOffset[k] = offsets[k];
        s->probeMask[k] = !matchCase && IsAsciiLetter(c) ? 0x20 : 0;
        s->probeWant[k] = static_cast<unsigned char>(c | s->probeMask[k]);
    }
}

bool PassesProbes(const MatchScanner &s, uint32_t i)
{
    return (s.text[i + s.probeOffset[0]] | s.probeMask[0]) == s.probeWant[0] &&
           (s.text[i + s.probeOffset[1]] | s.probeMask[1]) == s.probeWant[1];
}

// Whether the pattern matches at i for a search that starts at `from`: the
// byte before `from` is outside the range and never examined.
bool MatchesAt(const MatchScanner &s, uint32_t i, uint32_t from)
{
    const bool wholeWord = (s.flags & kFindWholeWord) != 0;
    if (wholeWord && i > from && IsWordCharacter(s.text[i - 1]))
        return false;
    bool equal = (s.flags & kFindMatchCase) != 0 ? std::memcmp(s.text + i, s.pattern, s.patternLength) == 0
                                                 : EqualIgnoringCase(s.text + i, s.pattern, s.patternLength);
    if (!equal)
        return false;
    uint32_t after = i + s.patternLength;
    return !(wholeWord && after < s.length && IsWordCharacter(s.text[after]));
}

// The first match at or after `from` (from <= length - patternLength), or
// kNoMatch. Sixteen starting positions at a time are filtered by the two
// probe bytes; only those that pass are compared in full, in order, so the
// first full match found is the first in the range.
uint32_t SearchFrom(const MatchScanner &s, uint32_t from)
{
    const uint32_t lastStart = s.length - s.patternLength;
    const uint32_t o0 = s.probeOffset[0], o1 = s.probeOffset[1];
    uint32_t i = from;
    if (lastStart >= kBlockSize - 1) {
        // Blocks of starts [i, i + 16) that are all possible match starts;
        // their probe bytes lie in the range, as probe offsets are below the
        // pattern length.
        const uint32_t lastBlock = lastStart - (kBlockSize - 1);
        ByteBlock mask0, want0, mask1, want1;
        for (uint32_t k = 0; k < kBlockSize; ++k) {
            mask0[k] = s.probeMask[0];
            want0[k] = s.probeWant[0];
            mask1[k] = s.probeMask[1];
            want1[k] = s.probeWant[1];
        }
        auto hitsAt = [&](uint32_t at, ByteBlock *hits) {
            ByteBlock at0, at1;
            std::memcpy(&at0, s.text + at + o0, kBlockSize);
            std::memcpy(&at1, s.text + at + o1, kBlockSize);
            *hits = (ByteBlock)(((at0 | mask0) == want0) & ((at1 | mask1) == want1));
            WordPair words = (WordPair)*hits;
            return (words[0] | words[1]) != 0;
        };
        auto firstMatch = [&](uint32_t at, const ByteBlock &hits) {
            for (uint32_t k = 0; k < kBlockSize; ++k) {
                if (hits[k] != 0 && MatchesAt(s, at + k, from))
                    return at + k;
            }
            return kNoMatch;
        };
        // Two blocks per step while neither has a candidate, written out
        // so that compilers that do not unroll here (at -O2) need not.
        for (; i <= lastBlock && lastBlock - i >= kBlockSize; i += 2 * kBlockSize) {
            ByteBlock first, second;
            bool inFirst = hitsAt(i, &first), inSecond = hitsAt(i + kBlockSize, &second);
            if (!inFirst && !inSecond)
                continue;
            uint32_t found = inFirst ? firstMatch(i, first) : kNoMatch;
            if (found == kNoMatch && inSecond)
                found = firstMatch(i + kBlockSize, second);
            if (found != kNoMatch)
                return found;
        }
        for (; i <= lastBlock; i += kBlockSize) {
            ByteBlock hits;
            if (hitsAt(i, &hits)) {
                uint32_t found = firstMatch(i, hits);
                if (found != kNoMatch)
                    return found;
            }
        }
    }
    for (; i <= lastStart; ++i) {
        if (PassesProbes(s, i) && MatchesAt(s, i, from))
            return i;
    }
    return kNoMatch;
}

// The word characters of a double click: the ASCII ones plus what the
// platform's classifier accepts. The NUL ends the text and never belongs to a
// word, whatever the classifier would say.
bool IsDoubleClickWordCharacter(unsigned char c, CharClassifier extraWordCharacter)
{
    if (c == 0)
        return false;
    if (IsWordCharacter(c))
        return true;
    return extraWordCharacter != nullptr && extraWordCharacter(c) != 0;
}

} // namespace

bool IsWordCharacter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int32_t FindInRange(const char *bytes, uint32_t length, const char *pattern, uint32_t patternLength,
                    uint32_t flags)
{
    MatchScanner scanner;
    StartMatchScan(&scanner, bytes, length, pattern, patternLength, flags);
    int64_t found = NextMatchFrom(&scanner, 0);
    return found < 0 ? -1 : static_cast<int32_t>(found);
}

void StartMatchScan(MatchScanner *scanner, const char *bytes, uint32_t length, const char *pattern,
                    uint32_t patternLength, uint32_t flags)
{
    *scanner = MatchScanner{};
    scanner->text = reinterpret_cast<const unsigned char *>(bytes);
    scanner->length = length;
    scanner->pattern = reinterpret_cast<const unsigned char *>(pattern);
    scanner->patternLength = patternLength;
    scanner->flags = flags;
    if (patternLength == 0 || pattern == nullptr || patternLength > length) {
        scanner->patternLength = 0; // never matches
        return;
    }
    ChooseProbes(scanner);
}

// The last search's answer stays good for a later start `from` up to that
// answer: every position after `from` is judged exactly as before (the
// byte before it lies in both ranges), and only `from` itself, whose left
// neighbour is now outside the range, must be tried again.
int64_t NextMatchFrom(MatchScanner *scanner, uint32_t from)
{
    MatchScanner &s = *scanner;
    if (s.patternLength == 0 || from > s.length - s.patternLength)
        return -1;
    if (s.searched && from >= s.searchedFrom && (s.found == kNoMatch || s.found >= from)) {
        if (s.found == from || MatchesAt(s, from, from))
            return from;
        return s.found == kNoMatch ? -1 : int64_t(s.found);
    }
    s.searched = true;
    s.searchedFrom = from;
    s.found = SearchFrom(s, from);
    return s.found == kNoMatch ? -1 : int64_t(s.found);
}

uint32_t WordAt(const char *text, uint32_t offset, uint32_t *wordStart, CharClassifier extraWordCharacter)
{
    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);

    uint32_t start = offset;
    if (IsDoubleClickWordCharacter(t[offset], extraWordCharacter)) {
        while (start > 0 && IsDoubleClickWordCharacter(t[start - 1], extraWordCharacter))
            --start;
    }
    uint32_t end = offset;
    while (IsDoubleClickWordCharacter(t[end], extraWordCharacter))
        ++end;

    *wordStart = start;
    const uint32_t length = end - start;
    const unsigned char atStart = t[start];
    if (length > 0 || IsBlank(atStart) || atStart == 0 || atStart == '\n')
        return length;
    return 1; // a single punctuation byte is a word of its own
}

uint32_t NextWordBoundary(const char *text, uint32_t offset)
{
    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
    uint32_t p = offset;

    if (t[p] == '\n') {
        ++p;
    } else if (!IsBlank(t[p]) && t[p] != 0) {
        const bool word = IsWordCharacter(t[p]);
        while (t[p] != '\n' && t[p] != 0 && IsWordCharacter(t[p]) == word)
            ++p;
    }
    while (IsBlank(t[p]))
        ++p;
    return p;
}

uint32_t PrevWordBoundary(const char *text, uint32_t offset)
{
    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
    uint32_t p = offset; // the byte under consideration is always t[p - 1]

    if (p > 0 && t[p - 1] == '\n')
        --p;
    while (p > 0 && IsBlank(t[p - 1]))
        --p;
    if (p == 0 || t[p - 1] == '\n')
        return p;

    const bool word = IsWordCharacter(t[p - 1]);
    while (p > 0 && t[p - 1] != '\n' && !IsBlank(t[p - 1]) && IsWordCharacter(t[p - 1]) == word)
        --p;
    return p;
}

int MatchingOpenBracket(const char *text, unsigned char closing, uint32_t offset, uint32_t *partner)
{
    unsigned char opening;
    switch (closing) {
    case ')': opening = '('; break;
    case ']': opening = '['; break;
    case '}': opening = '{'; break;
    default: return 0;
    }

    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
    uint32_t depth = 1; // the bracket about to be typed
    for (uint32_t q = offset; q > 0;) {
        --q;
        if (t[q] == opening) {
            if (--depth == 0) {
                *partner = q;
                return 1;
            }
        } else if (t[q] == closing) {
            ++depth;
        }
    }
    return 0;
}

} // namespace scrivlet
