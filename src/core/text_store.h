// The text of one edit control: one contiguous NUL-terminated byte buffer
// with '\n' line breaks and no line index. Every line, column and word
// question is a scan of these bytes from an offset the caller already knows.
//
// Content invariant: the text holds no NUL before its end and no CR; a text
// with n line feeds has n + 1 lines. Offsets are unsigned 32-bit byte offsets;
// kNoOffset is never one. The scans trust their callers: offsets lie within
// 0 … length and counts stay inside the text.
#pragma once

#include <cstdint>

namespace scrivlet {

constexpr uint32_t kTextBlockSize = 65536;       // the buffer grows and shrinks in these steps
constexpr uint32_t kNoOffset = 0xFFFFFFFF;       // "no offset", or "the caret", in messages
constexpr uint32_t kMaxTextCapacity = 0x7FFF0000; // growth stops here (signed 32-bit limit)

struct TextDocument {
    char *bytes;       // the text; bytes[length] is NUL; null before creation
    uint32_t length;   // offset of the terminating NUL, kept exact by every edit
    uint32_t capacity; // the buffer's size as the text sees it: 65,536 × (length / 65,536 + 1)
    uint32_t reserved; // bytes actually allocated: a multiple of 65,536, never below capacity
    uint32_t revision; // changes with every edit of the bytes, so that answers about them can be kept
};
// Bytes between the NUL and `capacity` carry no meaning: zero right after the
// buffer grew, old text after a deletion. Bytes beyond `capacity` are spare
// room that lets the buffer grow without copying the whole text each step.

enum ResizeResult {
    kResized,      // capacity moved one 65,536-byte step
    kNotResized,   // no step possible (at the smallest or largest capacity)
    kResizeFailed, // growth needed memory that could not be had; nothing changed
};

// Capacity after one growth or shrink step from `capacity`, or `capacity`
// itself when no step is possible: growth stops when the next size would
// not be a positive signed 32-bit number, shrinking stops at 65,536.
uint32_t NextCapacity(uint32_t capacity, bool grow);

// One step of growth (zeroing the new bytes) or shrinking. On an empty
// TextDocument growth creates the empty text of capacity 65,536.
ResizeResult ResizeBuffer(TextDocument *doc, bool grow);

// Creates the empty text in a zeroed TextDocument: 1, or 0 out of memory.
int CreateTextDocument(TextDocument *doc);
void FreeTextDocument(TextDocument *doc);

// Offset of the first NUL at or after `from`: the text length, found by
// scanning. TextDocument::length holds the same value without a scan.
uint32_t TextLength(const char *text, uint32_t from);

// Inserts `count` bytes (no NUL, no CR) at `offset`: 1, or 0 when the buffer
// cannot grow, which leaves text and buffer exactly as they were. The source
// may lie inside the text itself.
int InsertBytes(TextDocument *doc, uint32_t offset, const char *source, uint32_t count);

// Removes `count` bytes at `offset` and gives whole 65,536-byte steps back.
void DeleteBytes(TextDocument *doc, uint32_t offset, uint32_t count);

// Grows the capacity at once to what a text of `length` bytes needs (as the
// growth steps of the insertions would), zeroing only the bytes beyond that
// length's NUL: the caller writes the others. 1, or 0 when the buffer cannot
// grow, which changes nothing.
int ReserveForLength(TextDocument *doc, uint64_t length);

// Replaces the `patternLength` bytes at each of `count` ascending offsets,
// which must not overlap, with `replacement`, in one pass: the text that
// replacing them one at a time leaves. A longer replacement needs the room
// reserved first (ReserveForLength); a shorter one gives steps back.
void ReplaceAtOffsets(TextDocument *doc, const uint32_t *offsets, uint32_t count, uint32_t patternLength,
                      const char *replacement, uint32_t replacementLength);

// Overwrite mode: replaces the byte at `offset`, except that a line end or
// the end of the text gets the byte inserted before it, and '\n' or '\t'
// never replace an ordinary byte (the text is left alone; result 1).
// Returns 1, or InsertBytes' result where it inserts.
int OverwriteByte(TextDocument *doc, uint32_t offset, char byte);

// Start (out) and length of the line holding `offset`; the '\n' ending a
// line, and the NUL, belong to that line.
uint32_t LineStart(const char *text, uint32_t offset, uint32_t *start);

// Start of the line holding `offset`, found without looking past `offset`.
uint32_t LineStartOf(const char *text, uint32_t offset);

// Start (out) and length of the line after the one holding `offset`; the out
// value is 0 when there is no next line, and the result then means nothing.
uint32_t NextLine(const char *text, uint32_t offset, uint32_t *next);

// Start of the line before the one holding `offset`, or kNoOffset on line 0.
void PrevLine(const char *text, uint32_t offset, uint32_t *previous);

// 1 + the number of '\n' among the first `count` bytes.
uint32_t CountLines(const char *bytes, uint32_t count);

// Passes up to `lines` line feeds among the first `count` bytes: the
// offset just after the last one passed (0 when none was), and their number
// through *passed.
uint32_t SkipLineFeeds(const char *bytes, uint32_t count, uint32_t lines, uint32_t *passed);

// First offset at or after `offset` that is not a space or tab.
uint32_t SkipBlanks(const char *text, uint32_t offset);

// Offset of byte column `column` on the line `lines` line breaks after
// `from`, clipped to that line's length. When the text ends first, *found is
// 0 and the result is the end of the last line; otherwise *found is 1.
uint32_t OffsetOfLine(const char *text, uint32_t from, uint32_t lines, uint32_t column,
                      uint32_t *found);

// Tab stops of a control: `count` widths, the last repeating for ever; with
// no widths every stop is 4 columns wide.
struct TabStops {
    uint32_t count;         // entries in widths
    const uint32_t *widths; // null: stops every 4 columns
};

// Width of stop `index`. A width of 0 counts as 1, so that walking the stops
// always moves forward.
uint32_t TabWidth(TabStops tabs, uint32_t index);

// Display-column walk along one line: every byte advances the column by
// one, '\t' jumps to the current stop, and reaching the current stop makes
// the next one current.
struct ColumnWalk {
    TabStops tabs;
    uint32_t column;    // display column reached so far
    uint32_t stopIndex; // index of the current stop
    uint32_t stop;      // column of the current stop
};

ColumnWalk StartColumnWalk(TabStops tabs);
void AdvanceColumn(ColumnWalk *walk, char byte);

// Display column of `offset` within its line ('\t' jumps to the next stop).
uint32_t ColumnOfOffset(TabStops tabs, const char *text, uint32_t offset);

// The same for a caller that knows the start of the offset's line.
uint32_t ColumnAfterLineStart(TabStops tabs, const char *text, uint32_t lineStart, uint32_t offset);

// Columns from the display column of `offset` to the next tab stop; never 0.
uint32_t DistanceToNextTab(TabStops tabs, const char *text, uint32_t offset);

// Index within the line of `offset` at which display column `column` is
// reached; a column inside a tab gives the index after the tab, a column
// past the line end gives the line length.
uint32_t OffsetOfColumn(TabStops tabs, const char *text, uint32_t offset, uint32_t column);

// Widest display width of the lines in `bytes` and their number of lines.
void MeasureText(TabStops tabs, const char *bytes, uint32_t count, uint32_t *widest,
                 uint32_t *lines);

// Index of the first of `count` bytes equal to `byte`, or `count` when
// none is. Does not depend on the C library's memchr, which is a plain byte
// loop in some runtimes.
uint32_t FindByte(const char *bytes, uint32_t count, char byte);

enum LineEndDirection {
    kToStore = 0,   // CR LF and lone CR become '\n'; destination holds count bytes
    kFromStore = 1, // '\n' becomes CR LF; destination holds 2 × count bytes
};

void ConvertLineEnds(char *destination, uint32_t *destinationLength, const char *source,
                     uint32_t count, LineEndDirection direction);

} // namespace scrivlet
