// The edit primitives every change of a control's text goes through. They
// apply the size and window limits, record undo information, keep the line
// count and widest line up to date, and notify the parent.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

enum InsertStatus {
    kInsertDone = 0,
    kInsertRefused = 1,  // a limit refused it: beep and AEN_MAXTEXT
    kInsertNoMemory = 2, // the text could not grow: error 2 and AEN_ERRSPACE
};

// The caret movements, numbered as their virtual keys.
enum CaretKey {
    kCaretPageUp = 33,
    kCaretPageDown = 34,
    kCaretEnd = 35,
    kCaretHome = 36,
    kCaretLeft = 37,
    kCaretUp = 38,
    kCaretRight = 39,
    kCaretDown = 40,
};

// Inserts `count` bytes at `offset`, or with `overwrite` replaces the byte
// there (a line end or the end of the text is never replaced). Returns an
// InsertStatus; nothing changes when a limit refuses.
int InsertText(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count, bool overwrite,
               UndoGroup *group);

// Deletes `count` bytes at `offset`.
void DeleteText(ControlRecord *record, uint32_t offset, uint32_t count, UndoGroup *group);

// Inserts outside text, turning CR LF and lone CR into '\n', piece by piece
// (each line break its own insertion, so that the line limit sees each).
// *inserted receives the bytes added; the first refusal or failure stops.
// Where only the text limit can refuse a piece, the pieces that fit go in
// as one insertion with the same result.
int InsertNormalized(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count,
                     UndoGroup *group, uint32_t *inserted);

// The same, always one insertion per piece: the rule the one-insertion path
// must equal.
int InsertPieceByPiece(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count,
                       UndoGroup *group, uint32_t *inserted);

// Replaces the selection by `bytes` (null: deletes it) as one edit and
// leaves the caret after the new bytes with no selection. With `recordUndo`
// and no group, the edit is one new undo group. 1 on success or when nothing
// was inserted, 0 when the insertion failed.
int ReplaceSelection(ControlRecord *record, const char *bytes, uint32_t count, bool recordUndo,
                     UndoGroup *group);

// Stores the ordered selection, repaints what changed when asked, and
// always sends AEN_SELCHANGE. The caret does not move.
void SetSelection(ControlRecord *record, uint32_t a, uint32_t b, bool repaint);

// Moves the caret `times` steps of `key` (the Ctrl variant with `ctrl`:
// word moves, text ends, and view scrolls that leave the caret), extends
// the selection with `shift` or collapses it at the caret, scrolls it into
// view when asked (never after a Ctrl scroll) and ends with SetSelection.
// Every key but Up and Down sets the desired column. Defined with the
// keyboard handling (keyboard.cpp).
void MoveCaret(ControlRecord *record, CaretKey key, uint32_t times, bool shift, bool scroll,
               bool ctrl = false);

// Beeps and sends AEN_MAXTEXT for a refusal; sets error 2 and sends
// AEN_ERRSPACE for a memory failure; nothing for success.
void ReportInsertStatus(ControlRecord *record, int status);

// AEM_INDENTSEL: indents (or unindents) every line the selection touches as
// one undo group. 1 when done, 0 when an insertion failed.
int IndentSelection(ControlRecord *record, bool indent);

// AEM_RECALCLINES: recounts lines and the widest line, then re-lays out.
void RecalcLines(ControlRecord *record);

// Sends a WM_COMMAND notification (AEN_CHANGE … AEN_MAXTEXT) to the parent.
void Notify(ControlRecord *record, unsigned code);

} // namespace scrivlet
