// Search and word scanning over the text of one control: the forward search
// behind AEM_FINDTEXT, the word under a double click, the Ctrl+Left and
// Ctrl+Right jumps and the search for the bracket that matches a typed
// closing one. All are pure functions over bytes; none allocates.
//
// Texts passed to the word and bracket scans are NUL-terminated and hold no
// NUL before their end; offsets lie in 0..length. No scan reads before the
// start of the text or past its NUL. Word characters and case folding are
// ASCII: bytes above 0x7F are never folded, and are word characters only for
// WordAt, and only when its classifier says so.
#pragma once

#include <cstdint>

namespace scrivlet {

// Flags of FindInRange (the wParam of AEM_FINDTEXT); other bits are ignored.
constexpr uint32_t kFindMatchCase = 1;
constexpr uint32_t kFindWholeWord = 2;

// An ASCII letter, an ASCII digit or '_'.
bool IsWordCharacter(unsigned char c);

// Index of the first match of the pattern within bytes[0, length), or -1.
// The bytes need not be NUL-terminated: nothing before bytes[0] or from
// bytes[length] on is read, so a match at either end of the range counts as
// a whole word on that side. Without kFindMatchCase, A-Z equal a-z and every
// other byte compares exactly. With kFindWholeWord, a match must not be
// preceded or followed (inside the range) by a word character.
// A pattern of length 0 never matches, whatever the flags: an empty match
// would let Replace All replace "nothing" at the same place for ever.
// Lengths are below 2^31 (the text store cannot grow further), so the index
// fits the result.
int32_t FindInRange(const char *bytes, uint32_t length, const char *pattern, uint32_t patternLength,
                    uint32_t flags);

// Successive searches of one pattern over one text, each from any start,
// up to the end of the text: Replace All's searches. Each answers exactly
// what FindInRange over [from, length) would (a match at `from` is a whole
// word on its left). A search from a start no earlier than the last one and
// not past its answer reuses that answer instead of scanning again, so
// starts that follow the matches scan the text once in all.
//
// Only positions whose two probe bytes (the pattern's rarest, chosen once)
// agree with the pattern are compared in full; the probes are tested for
// sixteen positions at a time.
struct MatchScanner {
    const unsigned char *text;
    uint32_t length;
    const unsigned char *pattern;
    uint32_t patternLength;       // 0: the scan never matches
    uint32_t flags;
    uint32_t probeOffset[2];      // positions in the pattern of the two probe bytes
    unsigned char probeMask[2];   // a text byte b agrees when (b | mask) == want
    unsigned char probeWant[2];
    bool searched;                // searchedFrom and found hold the last search
    uint32_t searchedFrom;        // its start
    uint32_t found;               // its answer, 0xFFFFFFFF when none
};

void StartMatchScan(MatchScanner *scanner, const char *bytes, uint32_t length, const char *pattern,
                    uint32_t patternLength, uint32_t flags);

// The first match at or after `from`, or -1.
int64_t NextMatchFrom(MatchScanner *scanner, uint32_t from);

// Says whether a byte is a letter beyond the ASCII word characters; non-zero
// means yes. The Windows face passes IsCharAlphaNumericA (letters of the
// active code page).
typedef int (*CharClassifier)(unsigned char c);

// The word a double click at the offset selects. Sets *wordStart and returns
// the length to select: the run of word characters around the offset (word
// characters here include what extraWordCharacter accepts; null means ASCII
// only), 1 for any other single byte (punctuation is a word of its own), and
// 0 on a blank, a '\n' or the terminating NUL, where *wordStart is the offset.
// The classifier is never asked about the NUL.
uint32_t WordAt(const char *text, uint32_t offset, uint32_t *wordStart,
                CharClassifier extraWordCharacter = nullptr);

// Where Ctrl+Right puts the caret. From a '\n' it steps onto the next line;
// from a word character it crosses the word; from any other non-blank byte it
// crosses everything up to the next word character or line end (blanks
// included). Then it skips blanks, stopping at '\n' and at the NUL, which
// itself is never crossed.
uint32_t NextWordBoundary(const char *text, uint32_t offset);

// Where Ctrl+Left puts the caret. At a line start it crosses the line break
// first. It steps back over blanks, stopping after a '\n' (the start of an
// empty or blank line) or at 0, then back over one run of word characters or
// one run of other bytes; unlike the forward jump, that run ends at a blank.
uint32_t PrevWordBoundary(const char *text, uint32_t offset);

// For a closing bracket ')', ']' or '}' about to be typed at the offset:
// scans back from offset - 1, counting brackets of that one kind wherever
// they stand (strings and comments included), and returns 1 with *partner
// set to the opening bracket that the new one would close. Returns 0, with
// *partner untouched, for any other byte or when no partner exists.
int MatchingOpenBracket(const char *text, unsigned char closing, uint32_t offset, uint32_t *partner);

} // namespace scrivlet
