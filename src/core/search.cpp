#include "core/search.h"

#include <cstddef>
#include <cstring>

namespace {

// Marks "no further candidate". Candidate positions are at most
// length - patternLength <= 0xFFFFFFFE, so this value is never one.
constexpr uint32_t kNoCandidate = 0xFFFFFFFF;

struct FoldTable {
    unsigned char lower[256];
};

// Folds A-Z onto a-z; every other byte, including those above 0x7F, maps to
// itself.
constexpr FoldTable MakeFoldTable()
{
    FoldTable table{};
    for (int c = 0; c < 256; ++c)
        table.lower[c] = static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return table;
}

constexpr FoldTable kFold = MakeFoldTable();

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

// First position in [from, last] whose byte is c, or kNoCandidate.
uint32_t NextByte(const unsigned char *bytes, unsigned char c, uint32_t from, uint32_t last)
{
    if (from > last)
        return kNoCandidate;
    const void *hit = std::memchr(bytes + from, c, static_cast<size_t>(last - from) + 1);
    if (hit == nullptr)
        return kNoCandidate;
    return static_cast<uint32_t>(static_cast<const unsigned char *>(hit) - bytes);
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

// One search is the first search of a scan.
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
        scanner->nextFirst = scanner->nextOther = kNoCandidate;
        scanner->patternLength = 0; // never matches
        return;
    }
    unsigned char first = scanner->pattern[0];
    unsigned char other = first;
    if ((flags & kFindMatchCase) == 0) {
        if (first >= 'a' && first <= 'z')
            other = static_cast<unsigned char>(first - 'a' + 'A');
        else if (first >= 'A' && first <= 'Z')
            other = static_cast<unsigned char>(first - 'A' + 'a');
    }
    uint32_t lastStart = length - patternLength;
    scanner->first = first;
    scanner->other = other;
    scanner->nextFirst = NextByte(scanner->text, first, 0, lastStart);
    scanner->nextOther = other != first ? NextByte(scanner->text, other, 0, lastStart) : kNoCandidate;
}

// Candidates are the positions whose byte equals the first pattern byte (in
// either case when case is ignored); only they are compared. Without match
// case the two spellings of the first byte are found by two memchr streams,
// each resumed only once its hit has been used, so every byte of the range is
// scanned at most once per stream. The whole-word tests are made at
// candidates only, which gives the same first match as trying every position.
// The range starts at `from`; a stream's next position stays valid while it
// is not before it.
int64_t NextMatchFrom(MatchScanner *scanner, uint32_t from)
{
    MatchScanner &s = *scanner;
    if (s.patternLength == 0 || from > s.length - s.patternLength)
        return -1;
    const uint32_t lastStart = s.length - s.patternLength;
    const bool matchCase = (s.flags & kFindMatchCase) != 0;
    const bool wholeWord = (s.flags & kFindWholeWord) != 0;
    from = from < s.scannedFrom ? s.scannedFrom : from;
    s.scannedFrom = from;
    // A stream is reused when it began at or before `from` and has not gone
    // past it; otherwise it may have skipped a candidate that `from` turns
    // into a whole word (a match at the start is one on its left).
    if (s.nextFirst < from || s.firstFrom > from) {
        s.nextFirst = NextByte(s.text, s.first, from, lastStart);
        s.firstFrom = from;
    }
    if (s.other != s.first && (s.nextOther < from || s.otherFrom > from)) {
        s.nextOther = NextByte(s.text, s.other, from, lastStart);
        s.otherFrom = from;
    }
    for (;;) {
        const uint32_t i = s.nextFirst < s.nextOther ? s.nextFirst : s.nextOther;
        if (i == kNoCandidate)
            return -1;
        bool found = !(wholeWord && i > from && IsWordCharacter(s.text[i - 1]));
        if (found) {
            const uint32_t rest = s.patternLength - 1;
            found = matchCase ? std::memcmp(s.text + i + 1, s.pattern + 1, rest) == 0
                              : EqualIgnoringCase(s.text + i + 1, s.pattern + 1, rest);
        }
        if (found && wholeWord && i + s.patternLength < s.length && IsWordCharacter(s.text[i + s.patternLength]))
            found = false;
        if (found)
            return i;
        if (s.nextFirst == i) {
            s.nextFirst = NextByte(s.text, s.first, i + 1, lastStart);
            s.firstFrom = i + 1;
        }
        if (s.nextOther == i) {
            s.nextOther = NextByte(s.text, s.other, i + 1, lastStart);
            s.otherFrom = i + 1;
        }
    }
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
