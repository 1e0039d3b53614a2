#include "control/keyboard.h"

#include "control/control_engine.h"
#include "control/edit_operations.h"
#include "control/view_requests.h"
#include "control/window_messages.h"
#include "core/search.h"
#include "highlight/highlighter.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// Virtual keys.
enum : unsigned {
    kKeyBack = 8,
    kKeyShift = 16,
    kKeyControl = 17,
    kKeyInsert = 45,
    kKeyDelete = 46,
};

constexpr unsigned kFlashMilliseconds = 500;
constexpr uint32_t kMaxIndentSpaces = 63;

bool Held(const ControlRecord *record, int virtualKey)
{
    return record->platform.keyDown(record->platform.context, virtualKey) != 0;
}

// The control handles a shortcut's message as if it had been sent to it.
void SendToSelf(ControlRecord *record, unsigned message)
{
    ControlMessage(record, record->platform, message, 0, 0);
}

// The offset at display column `column` of the line starting at `lineStart`,
// or that line's end when it is shorter.
uint32_t OffsetAtColumn(const ControlRecord *record, uint32_t lineStart, uint32_t column)
{
    return lineStart + OffsetOfColumn(TabStopsOf(record), record->text.bytes, lineStart, column);
}

// Start of the line `lines` lines above (negative) or below the caret's,
// stopping at the first or last line.
uint32_t LineAway(const ControlRecord *record, uint32_t offset, int64_t lines)
{
    const char *text = record->text.bytes;
    uint32_t start = LineStartOf(text, offset);
    for (; lines < 0; ++lines) {
        uint32_t previous;
        PrevLine(text, start, &previous);
        if (previous == kNoOffset)
            break;
        start = previous;
    }
    for (; lines > 0; --lines) {
        uint32_t next = NextLineStart(record, start);
        if (next == 0)
            break;
        start = next;
    }
    return start;
}

// One step of a movement; returns false when a Ctrl scroll cancels the
// scrolling of the caret into view.
bool StepCaret(ControlRecord *record, CaretKey key, bool ctrl)
{
    const char *text = record->text.bytes;
    uint32_t &caret = record->caret;
    uint32_t lineStart;
    uint32_t lineLength = LineOf(record, caret, &lineStart);
    TabStops tabs = TabStopsOf(record);
    switch (key) {
    case kCaretPageUp:
    case kCaretPageDown: {
        bool down = key == kCaretPageDown;
        unsigned code = down ? kScrollPageDown : kScrollPageUp;
        if (ctrl) {
            ScrollView(record, kVerticalBar, code, 1);
            return false;
        }
        ScrollBarState bar;
        if (!record->platform.getScrollBar(record->platform.context, kVerticalBar, &bar))
            return true;
        ScrollView(record, kVerticalBar, code, 1);
        int64_t lines = bar.page > 1 ? int64_t(bar.page) - 1 : 0;
        uint32_t target = LineAway(record, caret, down ? lines : -lines);
        caret = OffsetAtColumn(record, target, ColumnOfOffset(tabs, text, caret));
        return true;
    }
    case kCaretEnd:
        caret = ctrl ? record->text.length : lineStart + lineLength;
        return true;
    case kCaretHome: {
        uint32_t firstNonBlank = SkipBlanks(text, lineStart);
        caret = ctrl ? 0 : caret == firstNonBlank ? lineStart : firstNonBlank;
        return true;
    }
    case kCaretLeft:
        if (caret > 0)
            caret = ctrl ? PrevWordBoundary(text, caret) : caret - 1;
        return true;
    case kCaretRight:
        if (caret < record->text.length)
            caret = ctrl ? NextWordBoundary(text, caret) : caret + 1;
        return true;
    case kCaretUp:
    case kCaretDown: {
        bool down = key == kCaretDown;
        if (ctrl) {
            ScrollView(record, kVerticalBar, down ? kScrollLineDown : kScrollLineUp, 1);
            return false;
        }
        uint32_t target = LineAway(record, caret, down ? 1 : -1);
        if (target != lineStart) {
            uint32_t column = std::max(ColumnOfOffset(tabs, text, caret), record->desiredColumn);
            caret = OffsetAtColumn(record, target, column);
        }
        return true;
    }
    }
    return true;
}

// Repaints at once what an edit at `offset` changed (a line break or a
// range delimiter reaches the bottom of the view) and tells the parent.
void RepaintAfterEdit(ControlRecord *record, RepaintMode mode, uint32_t offset)
{
    RepaintRect(record, mode, offset, offset, true);
    Notify(record, AEN_CHANGE);
}

// Whether the byte before (mode 0) or at (mode 1) `offset` may change the
// highlighting of later lines under the current style.
bool IsRangeDelimiter(const ControlRecord *record, uint32_t offset, int mode)
{
    uint32_t lineStart;
    uint32_t lineLength = LineOf(record, offset, &lineStart);
    return DelimiterTest(record->highlightStyle, record->text.bytes + lineStart, offset - lineStart,
                         lineLength, mode) != 0;
}

// Selects the partner of a typed closing bracket for half a second.
void FlashBracket(ControlRecord *record, unsigned char closing)
{
    uint32_t partner;
    if (!MatchingOpenBracket(record->text.bytes, closing, record->caret, &partner))
        return;
    uint32_t home = record->caret;
    SetSelection(record, partner, partner, true);
    ReplaceSelection(record, nullptr, 0, false, nullptr);
    SetSelection(record, partner, partner + 1, true);
    record->platform.sleep(record->platform.context, kFlashMilliseconds);
    SetSelection(record, home, home, true);
    ReplaceSelection(record, nullptr, 0, false, nullptr);
}

// Inserts bytes at the caret and moves over them; false when refused.
bool InsertAtCaret(ControlRecord *record, const char *bytes, uint32_t count, UndoGroup *group)
{
    if (count == 0)
        return true;
    int status = InsertText(record, record->caret, bytes, count, false, group);
    ReportInsertStatus(record, status);
    if (status != kInsertDone)
        return false;
    MoveCaret(record, kCaretRight, count, false, false);
    return true;
}

// Inserts a copy of `count` bytes of the text at `from` (before the caret)
// at the caret, through a buffer: the text may move while it grows.
bool CopyToCaret(ControlRecord *record, uint32_t from, uint32_t count, UndoGroup *group)
{
    char buffer[256];
    for (uint32_t done = 0; done < count;) {
        uint32_t piece = std::min<uint32_t>(count - done, sizeof buffer);
        std::memcpy(buffer, record->text.bytes + from + done, piece);
        if (!InsertAtCaret(record, buffer, piece, group))
            return false;
        done += piece;
    }
    return true;
}

// Enter's auto indent: the previous line's leading blanks (one fewer with
// Shift) after an inserted line break, or a move over as many blanks as both
// lines share after an overwrite-mode Enter; Ctrl+Enter adds one step more.
// Returns whether anything was inserted.
bool AutoIndent(ControlRecord *record, bool inserted, bool ctrl, bool shift, UndoGroup *group)
{
    const char *text = record->text.bytes;
    uint32_t previous;
    PrevLine(text, record->caret, &previous);
    uint32_t blanks = previous == kNoOffset ? 0 : SkipBlanks(text, previous) - previous;
    if (!inserted) {
        uint32_t here = SkipBlanks(text, record->caret) - record->caret;
        MoveCaret(record, kCaretRight, std::min(blanks, here), false, false);
        return false;
    }
    uint32_t copied = blanks > 0 && shift ? blanks - 1 : blanks;
    bool done = CopyToCaret(record, previous, copied, group);
    if (done && ctrl) {
        char step[kMaxIndentSpaces];
        uint32_t spaces = std::min(DistanceToNextTab(TabStopsOf(record), record->text.bytes, record->caret),
                                   kMaxIndentSpaces);
        std::memset(step, record->keepTabs != 0 ? '\t' : ' ', sizeof step);
        InsertAtCaret(record, step, record->keepTabs != 0 ? 1 : spaces, group);
    }
    return copied > 0 || ctrl;
}

// One typed character: an insertion (or an overwrite-mode move) as one undo
// group, with the bracket flash and the auto indent.
void TypeCharacter(ControlRecord *record, char c)
{
    bool ctrl = Held(record, kKeyControl);
    bool shift = Held(record, kKeyShift);
    UndoGroup *group = BeginGroup(&record->undo);
    if (record->selStart != record->selEnd)
        ReplaceSelection(record, nullptr, 0, true, group);
    if ((record->options & AEO_BRACKETFLASH) != 0 && (c == ')' || c == ']' || c == '}'))
        FlashBracket(record, static_cast<unsigned char>(c));

    const char *text = record->text.bytes;
    uint32_t before = record->caret;
    char under = text[before];
    bool atLineEnd = under == '\n' || under == '\0';
    bool overwrite = record->overwrite != 0;
    bool moves = overwrite && ((c == '\n' && under != '\0') || (c == '\t' && !atLineEnd));
    int status = kInsertDone;
    bool changed = false;
    if (moves && c == '\n') {
        uint32_t next = NextLineStart(record, before);
        if (next == 0) {
            CommitGroup(&record->undo);
            return;
        }
        MoveCaret(record, kCaretRight, next - before, false, false);
    } else if (moves) {
        TabStops tabs = TabStopsOf(record);
        uint32_t column = ColumnOfOffset(tabs, text, before) + DistanceToNextTab(tabs, text, before);
        uint32_t lineStart = LineStartOf(text, before);
        MoveCaret(record, kCaretRight, OffsetAtColumn(record, lineStart, column) - before, false, false);
    } else {
        status = InsertText(record, before, &c, 1, overwrite, group);
        if (status == kInsertDone) {
            MoveCaret(record, kCaretRight, 1, false, false);
            changed = true;
        }
    }
    if (status == kInsertDone) {
        if (record->autoIndent == 1 && c == '\n')
            changed = AutoIndent(record, !moves, ctrl, shift, group) || changed;
        if (changed) {
            uint32_t lineStart = LineStartOf(record->text.bytes, before);
            if (c == '\n')
                RepaintAfterEdit(record, kRepaintLineToBottom, before);
            else if (record->highlightStyle == 0)
                RepaintAfterEdit(record, kRepaintRestOfLine, before);
            else if (IsRangeDelimiter(record, before + 1, 0))
                RepaintAfterEdit(record, kRepaintLineToBottom, lineStart);
            else
                RepaintAfterEdit(record, kRepaintRestOfLine, lineStart);
        }
        EnsureVisible(record, record->caret);
    }
    ReportInsertStatus(record, status);
    CommitGroup(&record->undo);
}

// Backspace and Delete: one byte (or the selection) as one undo group; a
// beep at the end of the text they point at.
void DeleteCharacter(ControlRecord *record, bool backwards)
{
    UndoGroup *group = BeginGroup(&record->undo);
    if (record->selStart != record->selEnd) {
        ReplaceSelection(record, nullptr, 0, true, group);
        CommitGroup(&record->undo);
        return;
    }
    if (backwards ? record->caret == 0 : record->caret == record->text.length) {
        record->platform.beep(record->platform.context);
        CommitGroup(&record->undo);
        return;
    }
    if (backwards)
        MoveCaret(record, kCaretLeft, 1, false, true);
    uint32_t caret = record->caret;
    bool lineBreak = record->text.bytes[caret] == '\n';
    bool delimiter = record->highlightStyle != 0 && IsRangeDelimiter(record, caret, 1);
    DeleteText(record, caret, 1, group);
    uint32_t lineStart = LineStartOf(record->text.bytes, caret);
    if (lineBreak || record->highlightStyle == 0)
        RepaintAfterEdit(record, lineBreak ? kRepaintLineToBottom : kRepaintRestOfLine, caret);
    else if (delimiter)
        RepaintAfterEdit(record, kRepaintLineToBottom, caret);
    else
        RepaintAfterEdit(record, kRepaintRestOfLine, lineStart);
    CommitGroup(&record->undo);
}

// Tab with keep-tabs off: spaces up to the next stop, each its own
// keystroke, unless overwrite mode moves the caret over a character.
void TypeTab(ControlRecord *record)
{
    char under = record->text.bytes[record->caret];
    if (record->keepTabs != 0 || (record->overwrite != 0 && under != '\n' && under != '\0')) {
        TypeCharacter(record, '\t');
        return;
    }
    uint32_t spaces = DistanceToNextTab(TabStopsOf(record), record->text.bytes, record->caret);
    for (uint32_t i = 0; i < spaces; ++i)
        TypeCharacter(record, ' ');
}

} // namespace

void MoveCaret(ControlRecord *record, CaretKey key, uint32_t times, bool shift, bool scroll, bool ctrl)
{
    uint32_t before = record->caret;
    if ((key == kCaretLeft || key == kCaretRight) && !ctrl) {
        // Plain character steps are arithmetic: edits move over long texts.
        if (key == kCaretLeft)
            record->caret = before > times ? before - times : 0;
        else
            record->caret = uint32_t(std::min<uint64_t>(uint64_t(before) + times, record->text.length));
    } else {
        for (uint32_t i = 0; i < times; ++i)
            scroll = StepCaret(record, key, ctrl) && scroll;
    }
    uint32_t lineStart;
    uint32_t column = ColumnAt(record, record->caret, &lineStart);
    record->caretLineStart = lineStart;
    if (key != kCaretUp && key != kCaretDown)
        record->desiredColumn = column;
    if (record->caret != before)
        PlaceCaret(record);
    if (scroll)
        EnsureVisible(record, record->caret);
    if (!shift)
        SetSelection(record, record->caret, record->caret, true);
    else if (record->selStart == before)
        SetSelection(record, record->caret, record->selEnd, true);
    else
        SetSelection(record, record->selStart, record->caret, true);
}

void OnChar(ControlRecord *record, WParam character)
{
    // A character of this control is one byte: a code beyond that is none
    // (its low byte could be a CR or a NUL, which the text never holds).
    if (character > 0xFF) {
        record->platform.beep(record->platform.context);
        return;
    }
    switch (character) {
    case 3: // Ctrl+C
        SendToSelf(record, WM_COPY_);
        return;
    case 8: // Backspace: handled at key-down
        return;
    case 9:
        TypeTab(record);
        return;
    case 10: // Ctrl+Enter
    case 13:
        TypeCharacter(record, '\n');
        return;
    case 22: // Ctrl+V
        SendToSelf(record, WM_PASTE_);
        return;
    case 24: // Ctrl+X
        SendToSelf(record, WM_CUT_);
        return;
    case 25: // Ctrl+Y
        SendToSelf(record, AEM_REDO);
        return;
    case 26: // Ctrl+Z
        SendToSelf(record, WM_UNDO_);
        return;
    default:
        if (character < 32)
            record->platform.beep(record->platform.context);
        else
            TypeCharacter(record, char(character & 0xFF));
        return;
    }
}

void OnKeyDown(ControlRecord *record, WParam virtualKey, LParam keyData)
{
    bool ctrl = Held(record, kKeyControl);
    bool shift = Held(record, kKeyShift);
    switch (virtualKey) {
    case kKeyBack:
        DeleteCharacter(record, true);
        break;
    case kCaretPageUp:
    case kCaretPageDown:
    case kCaretEnd:
    case kCaretHome:
    case kCaretLeft:
    case kCaretUp:
    case kCaretRight:
    case kCaretDown:
        MoveCaret(record, CaretKey(virtualKey), 1, shift, true, ctrl);
        break;
    case kKeyInsert:
        if (ctrl)
            SendToSelf(record, WM_COPY_);
        else if (shift)
            SendToSelf(record, WM_PASTE_);
        else
            record->overwrite = record->overwrite != 0 ? 0 : 1;
        break;
    case kKeyDelete:
        if (ctrl)
            SendToSelf(record, WM_CLEAR_);
        else if (shift)
            SendToSelf(record, WM_CUT_);
        else
            DeleteCharacter(record, false);
        break;
    default:
        break;
    }
    record->platform.notifyKeyDown(record->platform.context, DWORD(virtualKey), DWORD(keyData));
}

} // namespace scrivlet
