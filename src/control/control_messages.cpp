// The control's message dispatch and the small query and setting messages.
#include "control/control_engine.h"
#include "control/window_messages.h"

#include "control/clipboard.h"
#include "core/control_error.h"
#include "control/edit_operations.h"
#include "control/keyboard.h"
#include "control/mouse.h"
#include "control/print_request.h"
#include "control/replace_all.h"
#include "control/text_stream.h"
#include "control/undo_replay.h"
#include "control/view_requests.h"
#include "core/allocation.h"
#include "core/search.h"
#include "highlight/highlighter.h"
#include "highlight/style_file.h"
#include "highlight/style_messages.h"
#include "highlight/style_model.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

constexpr unsigned kMemoryWatchTimer = 2;
constexpr LResult kDialogCodes = 12; // DLGC_WANTALLKEYS | DLGC_HASSETSEL

// The memory watch: one timer for all controls, on the window that started it.
struct MemoryWatch {
    bool running;
    ControlPlatform owner; // the window whose timer 2 runs
};
MemoryWatch memoryWatch = {false, {}};

// Result of each message when the window has no record (error 1 is set),
// for the messages that do not simply return 0.
LResult ResultWithoutRecord(unsigned message)
{
    switch (message) {
    case AEM_FINDTEXT:
    case AEM_GETSTYLE:
    case AEM_GETCARETCOLUMN:
    case AEM_GETFIRSTVISIBLELINE:
    case AEM_GETAUTOINDENT:
    case AEM_GETLIMITTEXT:
    case AEM_GETLINE:
    case AEM_GETTEXTLENGTH:
    case AEM_GETUNDOLEVELS:
    case AEM_LINEFROMCHAR:
    case AEM_LINEINDEX:
    case AEM_LINELENGTH:
        return -1;
    default:
        return 0;
    }
}


const char *Text(const ControlRecord *record)
{
    return record->text.bytes;
}

// The offset a message names: wParam, or the caret for -1 (any value
// beyond the text counts as its end).
uint32_t OffsetParameter(const ControlRecord *record, WParam wParam)
{
    uint32_t offset = uint32_t(wParam);
    return offset == kNoOffset ? record->caret : std::min(offset, record->text.length);
}

// Start of line `line` (from 0), or kNoOffset when the text has fewer lines.
uint32_t StartOfLine(const ControlRecord *record, uint32_t line)
{
    if (line >= record->lineCount)
        return kNoOffset;
    uint32_t start = 0;
    for (uint32_t walked = 0; walked < line; ++walked) {
        uint32_t next = NextLineStart(record, start);
        if (next == 0)
            return kNoOffset;
        start = next;
    }
    return start;
}

// AEM_GETLINE: copies line `line` without its '\n' and without a NUL.
LResult OnGetLine(ControlRecord *record, WParam line, LParam buffer)
{
    uint32_t start = StartOfLine(record, uint32_t(std::min<WParam>(line, kNoOffset)));
    if (start == kNoOffset) {
        SetLastControlError(AEE_LINENOTFOUND);
        return -1;
    }
    uint32_t lineStart;
    uint32_t length = LineOf(record, start, &lineStart);
    if (length > 0)
        std::memcpy(reinterpret_cast<char *>(buffer), Text(record) + start, length);
    return length;
}

// AEM_GETSELTEXT: copies the selected bytes and a NUL.
LResult OnGetSelText(ControlRecord *record, LParam buffer)
{
    uint32_t length = record->selEnd - record->selStart;
    if (length == 0)
        return 0;
    char *out = reinterpret_cast<char *>(buffer);
    std::memcpy(out, Text(record) + record->selStart, length);
    out[length] = '\0';
    return length;
}

// AEM_LINEFROMCHAR: the line of an offset, or of the caret for -1. Counting
// the line breaks between a known line start and the target gives the same
// index as stepping line by line from the text's start, so the count starts
// from the nearest known line: the first, the top visible one or the last
// (the line count is kept exact by every edit).
LResult OnLineFromChar(ControlRecord *record, WParam wParam)
{
    uint32_t target = LineStartOf(Text(record), OffsetParameter(record, wParam));
    uint32_t length = record->text.length;
    uint32_t top = std::min(record->topLineStart, length);
    uint32_t toStart = target;
    uint32_t toTop = target >= top ? target - top : top - target;
    uint32_t toEnd = length - target;
    if (toEnd < toStart && toEnd < toTop)
        return record->lineCount - CountLines(Text(record) + target, toEnd);
    if (toStart <= toTop)
        return CountLines(Text(record), target) - 1;
    uint32_t index = record->topLine - 1;
    if (top <= target)
        return index + CountLines(Text(record) + top, target - top) - 1;
    return index - (CountLines(Text(record) + target, top - target) - 1);
}

// AEM_LINEINDEX: start of a line, or of the caret's line for -1.
LResult OnLineIndex(ControlRecord *record, WParam wParam)
{
    if (uint32_t(wParam) == kNoOffset) {
        uint32_t start = LineStartOf(Text(record), record->caret);
        return start;
    }
    uint32_t start = StartOfLine(record, uint32_t(std::min<WParam>(wParam, kNoOffset)));
    if (start == kNoOffset) {
        SetLastControlError(AEE_LINENOTFOUND);
        return -1;
    }
    return start;
}

// AEM_SETTABSTOPS: keep-tabs flag in the high word, count in the low word.
LResult OnSetTabStops(ControlRecord *record, WParam wParam, LParam lParam)
{
    record->keepTabs = uint32_t((wParam >> 16) & 0xFFFF);
    uint32_t count = uint32_t(wParam & 0xFFFF);
    EngineFree(record->tabWidths);
    record->tabWidths = nullptr;
    record->tabCount = 0;
    ++record->tabRevision;
    if (count == 0 || lParam == 0)
        return 1;
    auto *widths = static_cast<uint32_t *>(EngineAllocateArray(count, sizeof(uint32_t)));
    if (widths == nullptr) {
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    const uint32_t *source = reinterpret_cast<const uint32_t *>(lParam);
    for (uint32_t i = 0; i < count; ++i)
        widths[i] = source[i];
    record->tabWidths = widths;
    record->tabCount = count;
    return 1;
}

// AEM_SETUNDOLEVELS: always starts a new, empty history.
LResult OnSetUndoLevels(ControlRecord *record, WParam levels)
{
    FreeUndo(&record->undo);
    if (!InitUndo(&record->undo, int32_t(uint32_t(levels)))) {
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    return 1;
}

// AEM_SETMEMORYWATCH: starts or stops the one watch timer.
LResult OnSetMemoryWatch(const ControlPlatform &platform, WParam on, LParam interval)
{
    if (!memoryWatch.running && on != 0) {
        memoryWatch.running = platform.startTimer(platform.context, kMemoryWatchTimer,
                                                  unsigned(uint32_t(interval))) != 0;
        if (memoryWatch.running)
            memoryWatch.owner = platform;
        return memoryWatch.running ? 1 : 0;
    }
    if (memoryWatch.running && on == 0) {
        platform.stopTimer(platform.context, kMemoryWatchTimer);
        memoryWatch.running = false;
        return 1;
    }
    return 0;
}

// WM_TIMER 2: reports a memory error the control met since the last tick.
void OnMemoryWatchTick(ControlRecord *record)
{
    uint32_t error = GetLastControlError();
    if (error == AEE_MEMORY || error == AEE_UNDOMEMORY) {
        SetLastControlError(AEE_NOERROR);
        Notify(record, AEN_LOWMEMORY);
    }
}

// AEM_FINDTEXT: searches [min, max) of the range; the result is relative to
// the lower end of the range, which is the range start unless the two ends
// were given the wrong way round.
LResult OnFindText(ControlRecord *record, WParam flags, LParam lParam)
{
    auto *find = reinterpret_cast<AEFINDTEXT *>(lParam);
    uint32_t length = record->text.length;
    uint32_t lo = std::min(find->rangeStart, find->rangeEnd);
    uint32_t hi = std::max(find->rangeStart, find->rangeEnd);
    hi = std::min(hi, length);
    lo = std::min(lo, hi);
    if (find->pattern == nullptr)
        return -1;
    uint32_t patternLength = uint32_t(std::strlen(find->pattern));
    int32_t found = FindInRange(Text(record) + lo, hi - lo, find->pattern, patternLength, uint32_t(flags));
    if (found < 0)
        return -1;
    find->foundStart = lo + uint32_t(found);
    find->foundEnd = lo + uint32_t(found) + patternLength;
    return found;
}

// WM_SETFOCUS: a caret two pixels wide and one line high on the caret's cell.
void OnSetFocus(ControlRecord *record)
{
    const ControlPlatform &platform = record->platform;
    int cellWidth, cellHeight;
    platform.cellSize(platform.context, &cellWidth, &cellHeight);
    platform.createCaret(platform.context, 2, cellHeight);
    PlaceCaret(record, true);
    platform.showCaret(platform.context, 1);
}

// AEM_SETSTYLE: paints with the style from now on (a handle that names no
// style paints plainly) and works out the highlight state of the top line.
LResult OnSetStyle(ControlRecord *record, LParam style)
{
    record->highlightStyle = uint32_t(style);
    record->topRangeState = 0;
    record->topRangeData = 0;
    if (record->highlightStyle != 0) {
        HighlightState state = StateAtLine(record->highlightStyle, record->text.bytes, record->topLine);
        record->topRangeState = state.range;
        record->topRangeData = state.depth;
    }
    RepaintRect(record, kRepaintWhole, 0, 0, false);
    return 1;
}

// AEM_SETSEL: moves the caret to the nearer end, then selects. Offsets
// beyond the text count as its end.
LResult OnSetSel(ControlRecord *record, WParam repaint, LParam lParam)
{
    const auto *range = reinterpret_cast<const AERANGE *>(lParam);
    uint32_t length = record->text.length;
    uint32_t start = std::min<uint32_t>(range->start, length);
    uint32_t end = range->end == kNoOffset ? length : std::min<uint32_t>(range->end, length);
    uint32_t caretTarget = record->caret < end ? start : end;
    SetSelection(record, caretTarget, caretTarget, repaint != 0);
    ReplaceSelection(record, nullptr, 0, false, nullptr);
    SetSelection(record, start, end, repaint != 0);
    return 1;
}

// AEM_REPLACESEL: the NUL-terminated text (or null) replaces the selection.
LResult OnReplaceSel(ControlRecord *record, WParam recordUndo, LParam lParam)
{
    const char *text = reinterpret_cast<const char *>(lParam);
    uint32_t length = text != nullptr ? uint32_t(std::strlen(text)) : 0;
    return ReplaceSelection(record, text, length, recordUndo != 0, nullptr);
}

// A message whose record parameter is missing fails with its usual failure
// value instead of writing through a null pointer.
bool MissingPointer(unsigned message, LParam lParam)
{
    switch (message) {
    case AEM_FINDTEXT:
    case AEM_GETLINE:
    case AEM_GETSEL:
    case AEM_GETSELTEXT:
    case AEM_SETSEL:
    case AEM_STREAMIN:
    case AEM_STREAMOUT:
    case AEM_PRINT:
    case AEM_REPLACEALL:
        return lParam == 0;
    default:
        return false;
    }
}

// Messages handled through the record; `record` is never null here.
LResult HandleWithRecord(ControlRecord *record, unsigned message, WParam wParam, LParam lParam)
{
    if (MissingPointer(message, lParam))
        return ResultWithoutRecord(message);
    switch (message) {
    case AEM_CANREDO:
        return CanRedo(&record->undo);
    case AEM_CANUNDO:
        return CanUndo(&record->undo);
    case AEM_EMPTYUNDOBUFFER:
        EmptyUndo(&record->undo);
        return 0;
    case AEM_FINDTEXT:
        return OnFindText(record, wParam, lParam);
    case AEM_GETSTYLE:
        return record->highlightStyle;
    case AEM_GETCARETCOLUMN: {
        uint32_t lineStart;
        return ColumnAt(record, record->caret, &lineStart);
    }
    case AEM_GETFIRSTVISIBLELINE:
        return record->topLine - 1;
    case AEM_GETAUTOINDENT:
        return record->autoIndent;
    case AEM_GETLIMITTEXT:
        return record->limitText;
    case AEM_GETLINE:
        return OnGetLine(record, wParam, lParam);
    case AEM_GETLINECOUNT:
        return record->lineCount;
    case AEM_GETOPTIONS:
        return record->options;
    case AEM_GETSEL: {
        auto *range = reinterpret_cast<AERANGE *>(lParam);
        range->start = record->selStart;
        range->end = record->selEnd;
        return 0;
    }
    case AEM_GETSELTEXT:
        return OnGetSelText(record, lParam);
    case AEM_GETTEXTLENGTH:
        return record->text.length;
    case AEM_GETUNDOLEVELS:
        return UndoLevels(&record->undo);
    case AEM_SETLIMITTEXT: {
        uint32_t limit = uint32_t(lParam);
        record->limitText = limit == 0 ? kDefaultLimitText : std::min(limit, kMaxLimitText);
        return 1;
    }
    case AEM_LINEFROMCHAR:
        return OnLineFromChar(record, wParam);
    case AEM_LINEINDEX:
        return OnLineIndex(record, wParam);
    case AEM_LINELENGTH: {
        uint32_t start;
        return LineOf(record, OffsetParameter(record, wParam), &start);
    }
    case AEM_INDENTSEL:
        return IndentSelection(record, wParam != 0);
    case AEM_REDO:
        Redo(record);
        return 0;
    case AEM_REPLACESEL:
        return OnReplaceSel(record, wParam, lParam);
    case AEM_RECALCLINES:
        RecalcLines(record);
        return 0;
    case AEM_SCROLLCARET:
        EnsureVisible(record, record->caret);
        return 0;
    case WM_SIZE_:
        SetScrollRanges(record, int16_t(lParam & 0xFFFF), int16_t((lParam >> 16) & 0xFFFF));
        return 0;
    case WM_VSCROLL_:
    case WM_HSCROLL_:
        ScrollView(record, message == WM_VSCROLL_ ? kVerticalBar : kHorizontalBar, unsigned(wParam & 0xFFFF), 1);
        return 0;
    case WM_SETFOCUS_:
        OnSetFocus(record);
        return 0;
    case WM_KILLFOCUS_:
        record->platform.destroyCaret(record->platform.context);
        return 0;
    case AEM_SETSTYLE:
        return OnSetStyle(record, lParam);
    case AEM_SETAUTOINDENT:
        record->autoIndent = uint32_t(wParam);
        return 1;
    case AEM_SETOPTIONS:
        record->options = uint32_t(lParam);
        return record->options;
    case AEM_SETSEL:
        return OnSetSel(record, wParam, lParam);
    case AEM_SETTABSTOPS:
        return OnSetTabStops(record, wParam, lParam);
    case AEM_SETUNDOLEVELS:
        return OnSetUndoLevels(record, wParam);
    case AEM_PRINT:
        return PrintText(record, reinterpret_cast<const PrintJob *>(lParam));
    case AEM_REPLACEALL: {
        const auto *request = reinterpret_cast<const AEREPLACEALL *>(lParam);
        return ReplaceAllMatches(record, request->start, request->pattern, request->replacement, uint32_t(wParam));
    }
    case AEM_STREAMIN:
    case AEM_STREAMOUT: {
        auto *stream = reinterpret_cast<AESTREAM *>(lParam);
        if (stream->callback == nullptr)
            return 0;
        return message == AEM_STREAMIN ? StreamIn(record, wParam, stream) : StreamOut(record, stream);
    }
    case AEM_UNDO:
    case WM_UNDO_:
        Undo(record);
        return 0;
    case WM_CLEAR_:
        ReplaceSelection(record, nullptr, 0, true, nullptr);
        return 0;
    case WM_COPY_:
        CopySelection(record);
        return 0;
    case WM_CUT_:
        CutSelection(record);
        return 0;
    case WM_PASTE_:
        PasteText(record);
        return 0;
    case WM_CONTEXTMENU_:
        ShowContextMenu(record, wParam, lParam);
        return 0;
    case WM_CHAR_:
        OnChar(record, wParam);
        return 0;
    case WM_KEYDOWN_:
        OnKeyDown(record, wParam, lParam);
        return 0;
    case WM_TIMER_:
        if (wParam == kMemoryWatchTimer)
            OnMemoryWatchTick(record);
        else if (wParam == kAutoScrollTimer)
            OnAutoScrollTick(record);
        return 0;
    case WM_LBUTTONDOWN_:
        OnButtonDown(record, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK_:
        OnDoubleClick(record, lParam);
        return 0;
    case WM_MOUSEMOVE_:
        OnMouseMove(record, wParam, lParam);
        return 0;
    case WM_LBUTTONUP_:
        OnButtonUp(record);
        return 0;
    default:
        // A message the engine has no part in (creation, destruction,
        // painting and fonts belong to the window-system face): 0.
        return 0;
    }
}

} // namespace

bool IsControlMessage(unsigned message)
{
    switch (message) {
    case WM_CREATE_:
    case WM_DESTROY_:
    case WM_SIZE_:
    case WM_SETFOCUS_:
    case WM_KILLFOCUS_:
    case WM_PAINT_:
    case WM_SETFONT_:
    case WM_GETFONT_:
    case WM_CONTEXTMENU_:
    case WM_GETDLGCODE_:
    case WM_KEYDOWN_:
    case WM_CHAR_:
    case WM_TIMER_:
    case WM_HSCROLL_:
    case WM_VSCROLL_:
    case WM_MOUSEMOVE_:
    case WM_LBUTTONDOWN_:
    case WM_LBUTTONUP_:
    case WM_LBUTTONDBLCLK_:
    case WM_CUT_:
    case WM_COPY_:
    case WM_PASTE_:
    case WM_CLEAR_:
    case WM_UNDO_:
    case AEM_REPLACEALL:
        return true;
    default:
        return message > WM_USER_ && message <= AEM_UNDO;
    }
}

ControlRecord *CreateControl(uint32_t id, uint32_t style, const ControlPlatform &platform)
{
    SetLastControlError(AEE_NOERROR);
    ControlRecord *record = CreateControlRecord(id, style, platform);
    // The first control fills the shared style set; a file that cannot be
    // read leaves its error code but does not stop the control.
    if (record != nullptr && record->next == nullptr && (style & AES_LOADSTYLES) != 0) {
        bool hadBadLine;
        ReadStyleFile(kStyleFileName, true, true, &hadBadLine);
    }
    return record;
}

void DestroyControl(ControlRecord *record, const ControlPlatform &platform)
{
    if (memoryWatch.running && memoryWatch.owner.context == platform.context)
        memoryWatch.running = false; // its timer dies with the window
    if (record == nullptr) {
        SetLastControlError(AEE_NORECORD);
        return;
    }
    if (record->prev == nullptr && record->next == nullptr)
        ClearStyles(); // the last control takes the shared styles with it
    DestroyControlRecord(record);
}

LResult ControlMessage(ControlRecord *record, const ControlPlatform &platform, unsigned message,
                       WParam wParam, LParam lParam)
{
    if (!IsControlMessage(message))
        return 0; // the default window procedure's business
    if (message == WM_GETDLGCODE_)
        return kDialogCodes;
    if (message == AEM_SETMEMORYWATCH)
        return OnSetMemoryWatch(platform, wParam, lParam);
    if (IsStyleMessage(message))
        return StyleMessage(message, wParam, lParam);
    if (message == AEM_CANPASTE)
        return CanPaste(platform, wParam);
    if (record == nullptr) {
        SetLastControlError(AEE_NORECORD);
        return ResultWithoutRecord(message);
    }
    return HandleWithRecord(record, message, wParam, lParam);
}

} // namespace scrivlet
