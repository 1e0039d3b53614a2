// The syntax-highlighting definitions of the process: one set of styles,
// each with its colour classes, its delimited ranges and its keywords. All
// controls share the set; it belongs to the user-interface thread.
//
// Every operation finds its style by identifier in list order (newest
// first). Failures return 0 and set the control's last error: 102 for a
// style that is not there, 2 for memory, 103 for a symbol with a byte that
// is no symbol character, 104 when style identifiers run out, 105 for a
// range without start text.
//
// What enters through the style messages must come back the same from the
// style file, so the messages refuse, before the model sees it (the dialogs
// send these messages too):
// - 103 for a text the file cannot keep (StyleFileKeepsText below): a
//   style's name as the model keeps it (79 characters) and its additional
//   characters, a class name, the start and end texts of a range, a symbol;
// - 106 for a range or symbol whose class the style does not hold: the
//   file writes ranges and symbols under their class only;
// - 105 for a case-sensitive value outside 0 to 255: the file keeps its low
//   8 bits, so 256 would come back as 0, case-insensitive.
// The model's own operations take all of these, so that the reader goes on
// reading every existing file as it always has. It never brings them but a
// CR inside a line, which it also gives back as it was.
#pragma once

#include "highlight/hash_table.h"

#include <cstdint>

namespace scrivlet {

constexpr uint32_t kStyleTextSize = 80; // names hold at most 79 characters and the NUL
constexpr uint32_t kSymbolBuckets = 27;
constexpr uint8_t kRangeBackslash = 1; // range flag: an end text after a backslash does not close

struct StyleClass {
    uint32_t id;                // unique within its style
    char name[kStyleTextSize];  // NUL-terminated, cut to 79 characters
    int32_t caseSensitive;      // 0: ASCII letters match in either case
    uint8_t autocase;           // 0 none, 1 lower, any other value upper
    uint32_t colour;            // COLORREF 0x00BBGGRR of the class's runs
};

struct StyleRange {
    uint32_t id;          // unique within its style
    uint32_t startLength; // never 0: a range without start text is refused
    char *startText;      // owned, NUL-terminated
    uint32_t endLength;   // 0: the range ends at the end of its line
    char *endText;        // owned, NUL-terminated ("" when endLength is 0)
    uint8_t flags;        // kRangeBackslash
    uint32_t nested;      // nonzero: every start text met inside needs its own end text
    uint32_t classId;     // class of the range (resolved, not checked)
};

struct StyleSymbol {
    uint32_t id;      // unique within its style, never reused
    uint32_t length;  // bytes of text
    char *text;       // owned, NUL-terminated, as added (not case-folded)
    uint32_t classId; // class of the symbol (resolved, not checked)
};

struct Style {
    uint32_t id;                // handle in the message protocol, >= 1
    char name[kStyleTextSize];  // NUL-terminated, cut to 79 characters
    uint32_t classCount;
    StyleClass *classes;        // owned, in the order they were added
    uint32_t rangeCount;
    StyleRange *ranges;         // owned, in the order they were added: the matching tie-break
    uint32_t nextSymbolId;      // identifier of the next symbol added, from 1
    HashTable *symbols;         // owned StyleSymbol records, 27 buckets by first letter
    char *extraSymbolChars;     // owned additional symbol characters, or null for none
    Style *prev;                // newer style, null for the first
    Style *next;                // older style, null for the last
};

// Styles, newest first; walk from LastStyle backwards for creation order.
Style *FirstStyle();
Style *LastStyle();

uint32_t CreateStyle(const char *name, const char *extraSymbolChars);
void DeleteStyle(uint32_t style);
void ClearStyles();
uint32_t CountStyles();
Style *FindStyle(uint32_t style);                // null when there is none; sets no error
uint32_t FindStyleByName(const char *name);      // case-sensitive; 0 for an empty name

// Classes.
uint32_t AddClass(uint32_t style, const char *name, int32_t caseSensitive, uint8_t autocase,
                  uint32_t colour);
int ChangeClass(uint32_t style, uint32_t classId, const char *name, int32_t caseSensitive,
                uint8_t autocase, uint32_t colour);
// Deletes the class with its ranges and symbols; an unknown class deletes nothing.
void DeleteClass(uint32_t style, uint32_t classId);
const StyleClass *FindClass(const Style *style, uint32_t classId); // exact, or null
// The class a range or symbol paints in: the first with the identifier, else
// the style's last class; null only when the style has no classes at all.
const StyleClass *ResolveClass(const Style *style, uint32_t classId);

// Ranges.
uint32_t AddRange(uint32_t style, const char *startText, uint32_t startLength, const char *endText,
                  uint32_t endLength, uint8_t flags, uint32_t nested, uint32_t classId);
void DeleteRange(uint32_t style, uint32_t rangeId);
// Deletes the range and adds one with the new values at the end, with the
// identifier a new range would get then. A refusal (no start text, no
// memory) leaves the old range in place; a range that is not there is
// simply added.
uint32_t ReplaceRange(uint32_t style, uint32_t rangeId, const char *startText,
                      uint32_t startLength, const char *endText, uint32_t endLength, uint8_t flags,
                      uint32_t nested, uint32_t classId);
const StyleRange *FindRange(const Style *style, uint32_t rangeId); // exact, or null
// The range a highlight state names: that range, else the style's last one;
// null only when the style has no ranges at all.
const StyleRange *RangeOfState(const Style *style, uint32_t rangeId);

// Symbols.
uint32_t AddSymbol(uint32_t style, const char *text, uint32_t length, uint32_t classId);
void DeleteSymbol(uint32_t style, uint32_t symbolId);
// Adds the new symbol, then deletes the old one. A refusal (a text with a
// byte that is no symbol character, no memory) leaves the old one in place.
uint32_t ReplaceSymbol(uint32_t style, uint32_t symbolId, const char *text, uint32_t length,
                       uint32_t classId);
uint32_t CountSymbols(uint32_t style); // 0 for a style that is not there
StyleSymbol *FindSymbol(const Style *style, uint32_t symbolId);
// Calls visit for every symbol in the table's iteration order (bucket 0, then
// by first letter, newest first within a bucket).
void ForEachSymbol(const Style *style, void (*visit)(const StyleSymbol *symbol, void *context),
                   void *context);

// Whether the first `length` bytes of `text` come back as they are from a
// field of the style file. The file has no quoting: fields are split at
// commas, a line ends at a LF (with a CR before it), and the reader trims
// blanks (spaces and tabs) from both ends of a line. So a text keeps only
// without a comma, CR or LF, and a text that ends a line (`endsLine`: the
// additional characters of a style, or its name when it has none; a
// symbol) only when it does not end in a blank. A CR alone would come back
// from the reader, but the file is a text file that other programs read.
bool StyleFileKeepsText(const char *text, uint32_t length, bool endsLine);

// A letter, digit, '_' or one of the style's additional characters.
bool IsSymbolCharacter(const Style *style, unsigned char c);

// Matching a text at the start of `at`, where `rest` bytes of the line are
// left: the pattern must fit, and equal the bytes byte for byte with a
// case-sensitive class, else in either case of ASCII letters. With `rewrite`
// a match under a class with autocase rewrites the matched bytes to lower
// (autocase 1) or upper case. A null class matches byte for byte.
bool MatchText(const StyleClass *cls, char *at, uint32_t rest, const char *pattern,
               uint32_t patternLength, bool rewrite);

// The keyword that stands as a whole word at `at` (rest bytes of the line
// left; the byte after the line is '\n' or the NUL): the newest matching
// symbol of the word's bucket, or null. A match rewrites the word when its
// class has autocase.
const StyleSymbol *FindSymbolAt(const Style *style, char *at, uint32_t rest);

} // namespace scrivlet
