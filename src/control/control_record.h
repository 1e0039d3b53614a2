// The state of one AdvancedEdit control and the process-wide list of them.
// Every message handler finds its record by the control ID; the list, like
// the last control error, belongs to the user-interface thread.
#pragma once

#include "control/control_platform.h"
#include "core/message_types.h"
#include "core/text_store.h"
#include "core/undo.h"

namespace scrivlet {

constexpr uint32_t kDefaultLimitText = 65536;
constexpr uint32_t kMaxLimitText = 4294967294u;
constexpr int32_t kDefaultUndoLevels = 100;

// The display column of one offset and the start of its line, as they were
// at one revision of the text and of the tab stops.
struct ColumnMemo {
    uint32_t known; // nonzero once an answer is kept
    uint32_t textRevision;
    uint32_t tabRevision;
    uint32_t offset;
    uint32_t lineStart;
    uint32_t column;
};

struct ControlRecord {
    uint32_t id;               // control ID; its low 16 bits go into notifications
    uint32_t style;            // window style at creation; low bits are the AES_ styles
    uint32_t limitText;        // maximum text length in bytes
    uint32_t keepTabs;         // nonzero: Tab and indenting insert '\t', else spaces
    uint32_t tabCount;         // entries in tabWidths
    uint32_t *tabWidths;    // owned tab stop widths; null: stops every 4 columns
    uint32_t tabRevision;      // changes with every AEM_SETTABSTOPS
    uint32_t autoIndent;       // 1: a new line copies the indentation above; else off
    uint32_t overwrite;        // nonzero: typing replaces the byte at the caret
    uint32_t options;          // AEO_ bits
    uintptr_t font;         // font handle, owned by the window-system face
    uint32_t highlightStyle;   // style handle for highlighting, 0 = none
    uint32_t topRangeState;    // highlight state at the top line's start, first word
    uint32_t topRangeData;     // highlight state at the top line's start, second word
    TextDocument text;      // the text, NUL-terminated
    UndoStack undo;         // the undo ring
    uint32_t dragging;         // 1 while a mouse selection drag runs
    int32_t caretX;         // caret position in client pixels
    int32_t caretY;
    uint32_t widestLine;       // widest line in display columns since the last recount; only grows
    uint32_t lineCount;        // lines of the text, >= 1
    uint32_t topLine;          // top visible line, counted from 1
    uint32_t topLineStart;     // offset of the top visible line's start
    uint32_t caretLineStart;   // offset of the caret line's start
    uint32_t caret;            // caret offset, 0 … length
    uint32_t desiredColumn;    // display column that vertical moves try to keep
    uint32_t selStart;         // selection start; selStart <= selEnd, equal = none
    uint32_t selEnd;           // selection end
    ControlPlatform platform; // window-system services for this control
    uint32_t layoutSuspended;  // > 0 during bulk edits: re-layout waits for the end
    uint32_t layoutPending;    // a re-layout was asked for while suspended
    uint32_t waitCursor;       // nonzero: the hourglass shows over the control, else the I-beam
    uint32_t viewFrozen;       // nonzero while a whole text streams in: the view at the top
                               // stays put, and nothing is scrolled, repainted or placed
    ColumnMemo columnMemo;     // the last answer of ColumnAt
    ControlRecord *prev;    // previous record in the list
    ControlRecord *next;    // next record in the list
};

// Creates a record with its empty text and 100 undo levels and links it at
// the head of the list; null (with error 2) when memory runs out.
ControlRecord *CreateControlRecord(uint32_t id, uint32_t style, const ControlPlatform &platform);

// Unlinks the record and frees it with its text, undo store and tab stops.
void DestroyControlRecord(ControlRecord *record);

// The first record with the ID, from the head of the list (the most
// recently created one wins a duplicate ID), or null.
ControlRecord *FindControlRecord(uint32_t id);

// The record's tab stops, as the column arithmetic takes them.
inline TabStops TabStopsOf(const ControlRecord *record)
{
    return TabStops{record->tabCount, record->tabWidths};
}

// Display column of `offset` and, through *lineStart, the start of its
// line. The answer for the last offset asked about is kept until the text
// or the tab stops change: one keystroke asks about the caret's cell from
// several places, and on a long line each fresh answer is a walk of it.
uint32_t ColumnAt(ControlRecord *record, uint32_t offset, uint32_t *lineStart);

// The record's own line scans: the text store's answers, bounded by the
// text's known length so that every scan goes a block at a time.

// Length of the line starting at `lineStart`, without its '\n' (from any
// other offset: the bytes from there to the line's end).
inline uint32_t LineLengthAt(const ControlRecord *record, uint32_t lineStart)
{
    return FindByte(record->text.bytes + lineStart, record->text.length - lineStart, '\n');
}

// Start (out) and length of the line holding `offset`, as LineStart gives them.
inline uint32_t LineOf(const ControlRecord *record, uint32_t offset, uint32_t *start)
{
    *start = LineStartOf(record->text.bytes, offset);
    return LineLengthAt(record, *start);
}

// Start of the line after the one holding `offset`, or 0 when that is the
// last line (NextLine's convention).
inline uint32_t NextLineStart(const ControlRecord *record, uint32_t offset)
{
    uint32_t end = offset + LineLengthAt(record, offset);
    return end < record->text.length ? end + 1 : 0;
}

} // namespace scrivlet
