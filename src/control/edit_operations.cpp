#include "control/edit_operations.h"

#include "core/control_error.h"
#include "control/view_requests.h"
#include "core/allocation.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// Display width of the line holding `offset`.
uint32_t WidthOfLine(ControlRecord *record, uint32_t offset)
{
    uint32_t start;
    return ColumnAt(record, offset + LineLengthAt(record, offset), &start);
}

// The view keeps its top line across an edit before the line's start: the
// line moves with the bytes before it, and its number with their line feeds.
// An edit that removes the top line's start makes the line of the edit the
// top one.
void KeepTopLineAfterInsert(ControlRecord *record, uint32_t offset, uint32_t count, uint32_t lineFeeds)
{
    if (offset >= record->topLineStart)
        return;
    record->topLineStart += count;
    record->topLine += lineFeeds;
}

// Called before the bytes go: it counts the line feeds that go with them.
void KeepTopLineBeforeDelete(ControlRecord *record, uint32_t offset, uint32_t count)
{
    uint32_t top = std::min(record->topLineStart, record->text.length);
    if (offset >= top)
        return;
    uint32_t before = std::min(offset + count, top); // the deleted bytes before the top line
    record->topLine -= CountLines(record->text.bytes + offset, before - offset) - 1;
    record->topLineStart = offset + count <= top ? top - count : offset;
}

// A failed undo record: the edit stands, the history goes.
void LoseUndoHistory(ControlRecord *record)
{
    EmptyUndo(&record->undo);
    SetLastControlError(AEE_UNDOMEMORY);
}

// The limits on an insertion in insert mode, in their order: the text
// limit, then for a single byte the visible columns (without
// AES_AUTOHSCROLL; counted in bytes) or the visible lines (without
// AES_AUTOVSCROLL).
bool InsertionAllowed(const ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count)
{
    if (uint64_t(record->text.length) + count > record->limitText)
        return false;
    if (count != 1)
        return true;
    bool lineBreak = bytes[0] == '\n';
    if (lineBreak ? (record->style & AES_AUTOVSCROLL) : (record->style & AES_AUTOHSCROLL))
        return true;
    uint32_t columns, lines;
    VisibleArea(record, &columns, &lines);
    if (lineBreak)
        return uint64_t(record->lineCount) + 1 <= lines;
    uint32_t start;
    return uint64_t(LineOf(record, offset, &start)) + 1 <= columns;
}

// The part of the text area to repaint when the selection moves from
// [oldLo, oldHi) to [lo, hi): only the ends that changed.
void RepaintSelectionChange(ControlRecord *record, uint32_t oldLo, uint32_t oldHi, uint32_t lo, uint32_t hi)
{
    uint32_t from, to;
    if (lo == hi) {
        from = oldLo;
        to = oldHi;
    } else {
        from = lo != oldLo ? std::min(lo, oldLo) : std::min(hi, oldHi);
        to = hi != oldHi ? std::max(hi, oldHi) : std::max(lo, oldLo);
    }
    RepaintRect(record, kRepaintBetween, std::min(from, to), std::max(from, to), true);
}

// Puts the caret at `offset` with nothing selected, without repainting, the
// way the edit operations leave it: an empty replacement there.
void CollapseSelectionAt(ControlRecord *record, uint32_t offset)
{
    SetSelection(record, offset, offset, false);
    ReplaceSelection(record, nullptr, 0, false, nullptr);
}

} // namespace

void Notify(ControlRecord *record, unsigned code)
{
    record->platform.notify(record->platform.context, code);
}

void ReportInsertStatus(ControlRecord *record, int status)
{
    if (status == kInsertRefused) {
        record->platform.beep(record->platform.context);
        Notify(record, AEN_MAXTEXT);
    } else if (status == kInsertNoMemory) {
        SetLastControlError(AEE_MEMORY);
        Notify(record, AEN_ERRSPACE);
    }
}

int InsertText(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count, bool overwrite,
               UndoGroup *group)
{
    TextDocument &text = record->text;
    char current = text.bytes[offset];
    bool replace = overwrite && count > 0 && current != '\0' && (current != '\n' || bytes[0] == '\n');
    if (!replace && !InsertionAllowed(record, offset, bytes, count))
        return kInsertRefused;

    int recording = replace ? AppendUndo(group, kUndoDeletion, offset, &text.bytes[offset], 1) : 1;
    int changed = replace ? OverwriteByte(&text, offset, bytes[0])
                          : InsertBytes(&text, offset, bytes, count);
    int status = kInsertDone;
    if (!changed) {
        status = kInsertNoMemory;
    } else {
        if (recording)
            recording = AppendUndo(group, kUndoInsertion, offset, bytes, count);
        // Replacing one byte never adds a line: '\n' over a line end leaves
        // the text as it was, and '\n' never replaces any other byte.
        uint32_t widest, lines;
        MeasureText(TabStopsOf(record), bytes, replace ? 1 : count, &widest, &lines);
        if (replace)
            lines = 1;
        uint32_t width = std::max(WidthOfLine(record, offset), widest);
        if (lines > 1)
            width = std::max(width, WidthOfLine(record, offset + count));
        bool grown = width > record->widestLine || lines > 1;
        record->widestLine = std::max(record->widestLine, width);
        record->lineCount += lines - 1;
        if (!replace)
            KeepTopLineAfterInsert(record, offset, count, lines - 1);
        if (grown)
            Relayout(record);
    }
    if (!recording)
        LoseUndoHistory(record);
    return status;
}

void DeleteText(ControlRecord *record, uint32_t offset, uint32_t count, UndoGroup *group)
{
    uint32_t lines = CountLines(record->text.bytes + offset, count);
    if (!AppendUndo(group, kUndoDeletion, offset, record->text.bytes + offset, count))
        LoseUndoHistory(record);
    KeepTopLineBeforeDelete(record, offset, count);
    DeleteBytes(&record->text, offset, count);
    record->lineCount -= lines - 1;
    if (lines != 1)
        Relayout(record);
}

int InsertPieceByPiece(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count,
                       UndoGroup *group, uint32_t *inserted)
{
    *inserted = 0;
    if (count == 0)
        return kInsertDone;
    uint32_t at = offset;
    uint32_t pieceStart = 0;
    auto insert = [&](const char *piece, uint32_t length) {
        int status = InsertText(record, at, piece, length, false, group);
        if (status == kInsertDone) {
            at += length;
            *inserted += length;
        }
        return status;
    };
    for (uint32_t i = 0; i < count; ++i) {
        if (bytes[i] != '\r')
            continue;
        int status = insert(bytes + pieceStart, i - pieceStart);
        if (status == kInsertDone)
            status = insert("\n", 1);
        if (status != kInsertDone)
            return status;
        if (i + 1 < count && bytes[i + 1] == '\n')
            ++i;
        pieceStart = i + 1;
    }
    return insert(bytes + pieceStart, count - pieceStart);
}

namespace {

// With both automatic scroll styles only the text limit can refuse a piece,
// so the pieces that fit are a prefix of the text: they go in as one
// insertion, leaving what InsertPieceByPiece leaves. That includes the widest
// line: each piece went in before the rest of its line, which for a moment
// made a line of the piece followed by that rest. Returns -1, having changed
// nothing, when the piece-by-piece insertion must do it instead.
int InsertPiecesAtOnce(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count,
                       UndoGroup *group, uint32_t *inserted)
{
    const uint32_t both = AES_AUTOHSCROLL | AES_AUTOVSCROLL;
    if ((record->style & both) != both)
        return -1;
    char *normal = static_cast<char *>(EngineAllocate(count));
    if (normal == nullptr)
        return -1;
    const TabStops tabs = TabStopsOf(record);
    uint64_t room = record->limitText > record->text.length ? record->limitText - record->text.length : 0;

    // The column walk of the line being built, from the insertion point.
    uint32_t lineStart = LineStartOf(record->text.bytes, offset);
    ColumnWalk walk = StartColumnWalk(tabs);
    for (uint32_t i = lineStart; i < offset; ++i)
        AdvanceColumn(&walk, record->text.bytes[i]);
    ColumnWalk widestBeforeRest = walk; // the widest a piece made its line before the rest

    uint32_t length = 0; // normalised bytes so far
    uint32_t fits = 0;   // of them, those up to the end of the last piece that fits
    bool cut = false;    // a piece did not fit: the ones after it are not inserted
    for (uint32_t i = 0; i < count && !cut; ++i) {
        if (bytes[i] != '\r') {
            normal[length++] = bytes[i];
            if (bytes[i] == '\n')
                walk = StartColumnWalk(tabs);
            else
                AdvanceColumn(&walk, bytes[i]);
            continue;
        }
        cut = length > room;
        if (cut)
            break;
        fits = length; // a piece ends here
        if (walk.column > widestBeforeRest.column)
            widestBeforeRest = walk;
        normal[length++] = '\n';
        walk = StartColumnWalk(tabs);
        cut = length > room;
        if (!cut)
            fits = length; // and so does its line break
        if (i + 1 < count && bytes[i + 1] == '\n')
            ++i;
    }
    if (!cut && length > room)
        cut = true;
    if (!cut)
        fits = length;

    int status = fits > 0 ? InsertText(record, offset, normal, fits, false, group) : kInsertDone;
    EngineFree(normal);
    if (status != kInsertDone)
        return -1; // out of memory: nothing went in
    *inserted = fits;
    const char *rest = record->text.bytes + offset + fits;
    for (; *rest != '\n' && *rest != '\0'; ++rest)
        AdvanceColumn(&widestBeforeRest, *rest);
    record->widestLine = std::max(record->widestLine, widestBeforeRest.column);
    return cut ? kInsertRefused : kInsertDone;
}

} // namespace

int InsertNormalized(ControlRecord *record, uint32_t offset, const char *bytes, uint32_t count,
                     UndoGroup *group, uint32_t *inserted)
{
    *inserted = 0;
    if (count == 0)
        return kInsertDone;
    if (FindByte(bytes, count, '\r') == count) { // one piece: the text as it is
        int status = InsertText(record, offset, bytes, count, false, group);
        *inserted = status == kInsertDone ? count : 0;
        return status;
    }
    int status = InsertPiecesAtOnce(record, offset, bytes, count, group, inserted);
    if (status >= 0)
        return status;
    return InsertPieceByPiece(record, offset, bytes, count, group, inserted);
}

void SetSelection(ControlRecord *record, uint32_t a, uint32_t b, bool repaint)
{
    uint32_t lo = std::min(a, b);
    uint32_t hi = std::max(a, b);
    uint32_t oldLo = record->selStart;
    uint32_t oldHi = record->selEnd;
    if (lo != oldLo || hi != oldHi) {
        record->selStart = lo;
        record->selEnd = hi;
        if (repaint && (oldLo != oldHi || lo != hi))
            RepaintSelectionChange(record, oldLo, oldHi, lo, hi);
    }
    record->platform.notifySelChange(record->platform.context, lo, hi);
}

int ReplaceSelection(ControlRecord *record, const char *bytes, uint32_t count, bool recordUndo,
                     UndoGroup *group)
{
    bool ownGroup = recordUndo && group == nullptr;
    if (ownGroup)
        group = BeginGroup(&record->undo);
    if (!recordUndo)
        group = nullptr;

    uint32_t a = record->selStart;
    uint32_t b = record->selEnd;
    uint32_t caret = record->caret;
    bool atEnd = caret >= b && a < b;
    bool changed = false;

    if (caret != a) {
        MoveCaret(record, caret > a ? kCaretLeft : kCaretRight, caret > a ? caret - a : a - caret,
                  false, true);
    } else {
        SetSelection(record, caret, caret, true);
        EnsureVisible(record, caret);
    }
    SuspendLayout(record); // one layout for a text of many lines
    if (a < b) {
        DeleteText(record, a, b - a, group);
        changed = true;
    }
    int status = kInsertDone;
    uint32_t inserted = 0;
    if (bytes != nullptr)
        status = InsertNormalized(record, record->caret, bytes, count, group, &inserted);
    ResumeLayout(record, false);
    if (bytes != nullptr) {
        if (inserted > 0) {
            MoveCaret(record, kCaretRight, inserted, false, true);
            changed = true;
        }
        ReportInsertStatus(record, status);
    }
    if (atEnd)
        MoveCaret(record, kCaretRight, 0, false, true);
    if (changed) {
        RepaintRect(record, kRepaintLineToBottom, a, a, true);
        Notify(record, AEN_CHANGE);
    }
    if (ownGroup)
        CommitGroup(&record->undo);
    return status == kInsertDone ? 1 : 0;
}

int IndentSelection(ControlRecord *record, bool indent)
{
    char unit[64];
    uint32_t unitLength = 1;
    if (record->keepTabs != 0) {
        unit[0] = '\t';
    } else {
        unitLength = std::min<uint32_t>(TabWidth(TabStopsOf(record), 0), 63);
        std::memset(unit, ' ', unitLength);
    }
    uint32_t a = record->selStart;
    uint32_t b = record->selEnd;
    bool caretAtEnd = record->caret >= b;
    CollapseSelectionAt(record, a);

    uint32_t lines = CountLines(record->text.bytes + a, b - a);
    UndoGroup *group = BeginGroup(&record->undo);
    uint32_t lineStart = LineStartOf(record->text.bytes, a);
    bool startAtLine = a == lineStart;
    bool endAtLine = b == lineStart;

    int status = kInsertDone;
    uint32_t indented = 0, firstDeleted = 0, otherDeleted = 0;
    bool edited = false;
    for (uint32_t line = 0; line < lines; ++line) {
        if (indent) {
            status = InsertText(record, lineStart, unit, unitLength, false, group);
            if (status != kInsertDone)
                break;
            ++indented;
            edited = true;
        } else if (record->text.bytes[lineStart] == (record->keepTabs != 0 ? '\t' : ' ')) {
            DeleteText(record, lineStart, 1, group);
            ++(line == 0 ? firstDeleted : otherDeleted);
            edited = true;
        }
        uint32_t next = NextLineStart(record, lineStart);
        if (next == 0)
            break;
        lineStart = next;
    }
    CommitGroup(&record->undo);

    if (indent) {
        a += indented > 0 ? unitLength : 0;
        b += unitLength * indented;
    } else {
        if (!startAtLine)
            a -= firstDeleted;
        if (!endAtLine)
            b -= firstDeleted + otherDeleted;
    }
    CollapseSelectionAt(record, caretAtEnd ? b : a);
    SetSelection(record, a, b, false);
    if (edited) {
        RepaintRect(record, kRepaintLineToBottom, a, a, true);
        Notify(record, AEN_CHANGE);
    }
    ReportInsertStatus(record, status);
    return status == kInsertDone ? 1 : 0;
}

void RecalcLines(ControlRecord *record)
{
    uint32_t widest, lines;
    MeasureText(TabStopsOf(record), record->text.bytes, record->text.length, &widest, &lines);
    record->widestLine = widest;
    record->lineCount = lines;
    Relayout(record);
}

} // namespace scrivlet
