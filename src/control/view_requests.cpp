#include "control/view_requests.h"

#include "core/control_error.h"
#include "highlight/highlighter.h"
#include "highlight/style_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace scrivlet {

namespace {

struct Cell {
    int width;  // tmMaxCharWidth of the control's font
    int height; // tmHeight
};

Cell CellOf(const ControlRecord *record)
{
    Cell cell;
    record->platform.cellSize(record->platform.context, &cell.width, &cell.height);
    cell.width = std::max(cell.width, 1);
    cell.height = std::max(cell.height, 1);
    return cell;
}

// The top line's start, normalised to a line start inside the text.
uint32_t TopLineStart(const ControlRecord *record)
{
    return LineStartOf(record->text.bytes, std::min(record->topLineStart, record->text.length));
}

// Lines from the top line down to the line starting at `lineStart`
// (negative above the top line).
int64_t RowOf(const ControlRecord *record, uint32_t lineStart)
{
    uint32_t top = TopLineStart(record);
    const char *text = record->text.bytes;
    if (lineStart >= top)
        return int64_t(CountLines(text + top, lineStart - top)) - 1;
    return -(int64_t(CountLines(text + lineStart, top - lineStart)) - 1);
}

ViewPoint CellPosition(const ControlRecord *record, const Cell &cell, int64_t column, int64_t row)
{
    int64_t x = int64_t(cell.width) * (column - HorizontalPosition(record)) + 1;
    int64_t y = int64_t(cell.height) * row + 1;
    auto clip = [](int64_t v) { return int(std::max<int64_t>(std::min<int64_t>(v, INT32_MAX), INT32_MIN)); };
    return ViewPoint{clip(x), clip(y)};
}

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

void Invalidate(ControlRecord *record, const ViewRect &r, bool updateNow)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    record->platform.invalidate(record->platform.context, r.left, r.top, r.right, r.bottom,
                                updateNow ? 1 : 0);
}

// One step of the top line up; false at the first line.
bool TopLineUp(ControlRecord *record)
{
    uint32_t previous;
    PrevLine(record->text.bytes, TopLineStart(record), &previous);
    if (previous == kNoOffset)
        return false;
    record->topLineStart = previous;
    --record->topLine;
    return true;
}

// One step of the top line down, carrying the highlight state over the line
// left behind; false at the last line.
bool TopLineDown(ControlRecord *record)
{
    uint32_t top = TopLineStart(record);
    uint32_t end = top + LineLengthAt(record, top);
    if (end == record->text.length)
        return false;
    uint32_t next = end + 1;
    if (record->highlightStyle != 0) {
        HighlightState state = {record->topRangeState, record->topRangeData};
        state = StateAfterLine(record->highlightStyle, record->text.bytes, top, state);
        record->topRangeState = state.range;
        record->topRangeData = state.depth;
    }
    record->topLineStart = next;
    ++record->topLine;
    return true;
}

// Moves the top line |d| lines (towards the top for d > 0).
void MoveTopLine(ControlRecord *record, int64_t d)
{
    if (d < 0 && record->highlightStyle == 0) {
        // No highlight state to carry: the line feeds are passed a block at a time.
        uint32_t top = TopLineStart(record);
        uint32_t passed;
        uint32_t after = SkipLineFeeds(record->text.bytes + top, record->text.length - top,
                                       uint32_t(std::min<int64_t>(-d, UINT32_MAX)), &passed);
        if (passed > 0) {
            record->topLineStart = top + after;
            record->topLine += passed;
        }
        return;
    }
    for (int64_t step = 0; step < std::llabs(d); ++step) {
        if (!(d > 0 ? TopLineUp(record) : TopLineDown(record)))
            break;
    }
    if (d > 0 && record->highlightStyle != 0) {
        HighlightState state = StateAtLine(record->highlightStyle, record->text.bytes, record->topLine);
        record->topRangeState = state.range;
        record->topRangeData = state.depth;
    }
}

// The next position of a scroll code, or -1 for a code that scrolls nothing.
int64_t ScrollTarget(const ScrollBarState &state, unsigned code, uint32_t count)
{
    int64_t page = state.page;
    int64_t maxPosition = state.maximum > page - 1 ? state.maximum - page + 1 : 0;
    int64_t p = state.position;
    switch (code) {
    case kScrollLineUp:
        return std::max<int64_t>(p - count, std::min<int64_t>(p, 0));
    case kScrollLineDown:
        return p < maxPosition ? std::min<int64_t>(p + count, maxPosition) : p;
    case kScrollPageUp: // a page step is one line less than the page
        for (uint32_t i = 0; i < count; ++i)
            p = p < page - 1 ? 0 : p - std::max<int64_t>(page - 1, 0);
        return p;
    case kScrollPageDown:
        for (uint32_t i = 0; i < count; ++i)
            p = std::min(p + std::max<int64_t>(page - 1, 0), std::max(maxPosition, p));
        return p;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        return state.trackPosition;
    default:
        return -1;
    }
}

// The cells of the view a paint has to draw: the columns and the pixel
// rows of the text area that the update rectangle covers.
struct PaintArea {
    int64_t firstColumn; // first display column with a cell inside
    int64_t endColumn;   // first display column right of them; <= firstColumn: none
    int top;             // pixel rows [top, bottom)
    int bottom;
};

PaintArea AreaOf(const ControlRecord *record, const Cell &cell, const ViewRect &t, const ViewRect &update)
{
    int left = std::max(t.left, update.left), right = std::min(t.right, update.right);
    int64_t h = HorizontalPosition(record);
    PaintArea area{0, 0, std::max(t.top, update.top), std::min(t.bottom, update.bottom)};
    if (right > left) {
        // The cell of column c spans x = cellWidth × (c − h) + 1 onwards.
        area.firstColumn = std::max<int64_t>(h + (left - 1) / cell.width, 0);
        area.endColumn = h + (int64_t(right) - 1 + cell.width - 1) / cell.width;
    }
    return area;
}

// Display columns of `count` bytes that are not tabs: the column walk of
// the document core, taking the tab stops passed in one step once the
// list's last width repeats.
void SkipColumns(ColumnWalk *walk, uint32_t count)
{
    uint32_t column = walk->column + count;
    while (walk->stop <= column) {
        if (walk->stopIndex + 1 >= walk->tabs.count) {
            uint32_t width = TabWidth(walk->tabs, walk->stopIndex + 1);
            uint32_t passed = (column - walk->stop) / width + 1;
            walk->stopIndex += passed;
            walk->stop += passed * width;
            break;
        }
        ++walk->stopIndex;
        walk->stop += TabWidth(walk->tabs, walk->stopIndex);
    }
    walk->column = column;
}

// The index of the first byte of the line at or right of display column
// `column` (OffsetOfColumn), stepped back one byte when it is past the
// line's start, so that a tab or cell straddling the column is drawn too;
// *walk is the column walk at that byte.
uint32_t WalkToColumn(TabStops tabs, const char *line, uint32_t length, uint32_t column, ColumnWalk *walk)
{
    *walk = StartColumnWalk(tabs);
    ColumnWalk before = *walk;
    uint32_t at = 0;
    while (at < length && walk->column < column) {
        uint32_t room = std::min(column - walk->column, length - at);
        uint32_t plain = FindByte(line + at, room, '\t');
        if (plain > 0) {
            before = *walk;
            SkipColumns(&before, plain - 1);
            *walk = before;
            SkipColumns(walk, 1);
            at += plain;
        }
        if (plain < room) {
            before = *walk;
            AdvanceColumn(walk, '\t');
            ++at;
        }
    }
    if (at == 0)
        return 0;
    *walk = before;
    return at - 1;
}

// Where the drawing of one line has got to: the next byte to draw and its
// display column. Drawing stops at the view's right edge.
struct LineCursor {
    uint32_t at;        // offset of the next byte to draw
    ColumnWalk columns; // the column walk at that byte
    int64_t row;        // lines below the top line
    int64_t endColumn;  // nothing from this column on is drawn
};

bool CursorDone(const LineCursor &cursor)
{
    return int64_t(cursor.columns.column) >= cursor.endColumn;
}

// Draws the bytes from the cursor up to `end` that lie left of its end
// column, one call per character cell, with the selection in inverted window
// colours.
void DrawRun(const ControlRecord *record, const PaintDevice &device, const Cell &cell, LineCursor *cursor,
             uint32_t end)
{
    if (cursor->at >= end || CursorDone(*cursor))
        return;
    ViewPoint at = CellPosition(record, cell, cursor->columns.column, cursor->row);
    device.moveTo(device.context, at.x, at.y);
    const char *text = record->text.bytes;
    bool selected = false;
    uint32_t savedText = 0, savedBack = 0;
    uint32_t i = cursor->at;
    for (; i < end && !CursorDone(*cursor); ++i) {
        bool inside = i >= record->selStart && i < record->selEnd;
        if (inside && !selected) {
            savedBack = device.setBackColour(device.context, device.systemColour(device.context, kColourWindowText));
            savedText = device.setTextColour(device.context, device.systemColour(device.context, kColourWindow));
            selected = true;
        } else if (!inside && selected) {
            device.setBackColour(device.context, savedBack);
            device.setTextColour(device.context, savedText);
            selected = false;
        }
        char c = text[i];
        if (c == '\t') {
            for (uint32_t s = cursor->columns.column; s < cursor->columns.stop; ++s)
                device.drawText(device.context, " ", 1);
        } else if (c == '\n') {
            device.drawText(device.context, " ", 1);
        } else if (c != '\0') {
            device.drawText(device.context, &text[i], 1);
        }
        AdvanceColumn(&cursor->columns, c);
    }
    cursor->at = i;
    if (selected) {
        device.setBackColour(device.context, savedBack);
        device.setTextColour(device.context, savedText);
    }
}

// A line without highlighting: from the cell at the horizontal scroll
// position (the one straddling the left edge included), at most maxChars
// bytes, the line's '\n' or NUL among them.
void PaintPlainLine(const ControlRecord *record, const PaintDevice &device, const Cell &cell,
                    const PaintArea &area, uint32_t lineStart, uint32_t lineLength, int64_t row,
                    uint32_t maxChars)
{
    const char *line = record->text.bytes + lineStart;
    LineCursor cursor{0, {}, row, area.endColumn};
    uint32_t h = uint32_t(HorizontalPosition(record));
    uint32_t p = WalkToColumn(TabStopsOf(record), line, lineLength, h, &cursor.columns);
    uint32_t end = lineStart + p + std::min(lineLength - p + 1, maxChars);
    if (area.firstColumn > int64_t(h)) { // cells left of the area are not drawn
        ColumnWalk first;
        uint32_t q = WalkToColumn(TabStopsOf(record), line, lineLength, uint32_t(area.firstColumn), &first);
        if (q > p) {
            p = q;
            cursor.columns = first;
        }
    }
    cursor.at = lineStart + p;
    DrawRun(record, device, cell, &cursor, end);
}

// A line walked through the highlighter, carrying the state; the cells in
// the area are drawn (runs in their class colours) when `draw` is set.
// Columns left of the area are only scanned for the state, as fast as the
// style allows, and so is the rest of the line right of it.
void PaintHighlightedLine(ControlRecord *record, const PaintDevice &device, const Cell &cell,
                          const RunWalk &walk, const PaintArea &area, uint32_t lineStart,
                          uint32_t lineLength, int64_t row, bool draw, HighlightState *state)
{
    char *line = record->text.bytes + lineStart;
    uint32_t column = 0;
    LineCursor cursor{lineStart + lineLength + 1, {}, row, area.endColumn};
    if (draw && area.endColumn > area.firstColumn) {
        uint32_t first = WalkToColumn(TabStopsOf(record), line, lineLength, uint32_t(area.firstColumn),
                                      &cursor.columns);
        cursor.at = lineStart + first;
        column = SkipRuns(&walk, line, lineLength, 0, first, state);
    }
    while (column <= lineLength) {
        if (cursor.at > lineStart + lineLength || CursorDone(cursor)) {
            // Nothing more to draw: only the state at the line's end counts.
            column = SkipRuns(&walk, line, lineLength, column, lineLength, state);
            while (column < lineLength) {
                HighlightRun run = NextRun(&walk, line, lineLength, &column, state);
                column += run.length;
            }
            return;
        }
        HighlightRun run = NextRun(&walk, line, lineLength, &column, state);
        // The plain bytes before the run; after the last run, the rest of the
        // line with its '\n' or NUL.
        DrawRun(record, device, cell, &cursor, lineStart + (run.classId != 0 ? column : lineLength + 1));
        if (run.classId == 0)
            return;
        uint32_t runEnd = lineStart + column + run.length;
        if (cursor.at < runEnd && !CursorDone(cursor)) {
            const StyleClass *cls = ClassColour(record->highlightStyle, run.classId);
            uint32_t previous = device.setTextColour(device.context, cls != nullptr ? cls->colour : device.systemColour(device.context, kColourWindowText));
            DrawRun(record, device, cell, &cursor, runEnd);
            device.setTextColour(device.context, previous);
        }
        column += run.length;
    }
}

} // namespace

ViewRect TextArea(const ControlRecord *record)
{
    int width, height;
    record->platform.clientSize(record->platform.context, &width, &height);
    return ViewRect{1, 1, std::max(width, 1), std::max(height, 1)};
}

int32_t HorizontalPosition(const ControlRecord *record)
{
    ScrollBarState state;
    if (!record->platform.getScrollBar(record->platform.context, kHorizontalBar, &state))
        return 0;
    return state.position;
}

ViewPoint PosFromChar(ControlRecord *record, uint32_t offset)
{
    offset = std::min(offset, record->text.length);
    uint32_t lineStart;
    uint32_t column = ColumnAt(record, offset, &lineStart);
    return CellPosition(record, CellOf(record), column, RowOf(record, lineStart));
}

uint32_t CharFromPos(ControlRecord *record, int x, int y)
{
    if (x < 0 || y < 0) {
        SetLastControlError(AEE_NEGATIVECOORDS);
        return kNoOffset;
    }
    Cell cell = CellOf(record);
    int64_t column = std::max<int64_t>((x - 1) / cell.width + int64_t(HorizontalPosition(record)), 0);
    int64_t row = std::max((y - 1) / cell.height, 0);
    uint32_t start = TopLineStart(record);
    for (int64_t walked = 0; walked < row; ++walked) {
        uint32_t next = NextLineStart(record, start);
        if (next == 0)
            return record->text.length;
        start = next;
    }
    return start + OffsetOfColumn(TabStopsOf(record), record->text.bytes, start,
                                  uint32_t(std::min<int64_t>(column, UINT32_MAX)));
}

ViewRect RepaintArea(ControlRecord *record, RepaintMode mode, uint32_t a, uint32_t b)
{
    ViewRect t = TextArea(record);
    if (mode == kRepaintWhole)
        return t;
    int lineHeight = CellOf(record).height;
    ViewPoint pa = PosFromChar(record, a);
    auto cx = [&](int64_t x) { return Clamp(int(std::max<int64_t>(std::min<int64_t>(x, INT32_MAX), INT32_MIN)), t.left, t.right); };
    auto cy = [&](int64_t y) { return Clamp(int(std::max<int64_t>(std::min<int64_t>(y, INT32_MAX), INT32_MIN)), t.top, t.bottom); };
    switch (mode) {
    case kRepaintRestOfLine:
        return ViewRect{cx(pa.x), cy(pa.y), t.right, cy(int64_t(pa.y) + lineHeight)};
    case kRepaintLineToBottom:
        return ViewRect{t.left, cy(pa.y), t.right, t.bottom};
    default: {
        ViewPoint pb = PosFromChar(record, b);
        if (pa.y == pb.y)
            return ViewRect{cx(pa.x), cy(pa.y), cx(pb.x), cy(int64_t(pa.y) + lineHeight)};
        return ViewRect{t.left, cy(pa.y), t.right, cy(int64_t(pb.y) + lineHeight)};
    }
    }
}

void RepaintRect(ControlRecord *record, RepaintMode mode, uint32_t a, uint32_t b, bool updateNow)
{
    if (record->viewFrozen)
        return; // the area would be measured from a top line the text has left behind
    Invalidate(record, RepaintArea(record, mode, a, b), updateNow);
}

void Relayout(ControlRecord *record)
{
    if (record->layoutSuspended) {
        record->layoutPending = 1;
        return;
    }
    record->platform.relayout(record->platform.context);
}

void SuspendLayout(ControlRecord *record)
{
    ++record->layoutSuspended;
}

void ResumeLayout(ControlRecord *record, bool force)
{
    if (--record->layoutSuspended > 0)
        return;
    if (record->layoutPending || force) {
        record->layoutPending = 0;
        Relayout(record);
    }
}

void SetScrollRanges(ControlRecord *record, int width, int height)
{
    Cell cell = CellOf(record);
    int columns = std::max((width - 1) / cell.width, 0);
    int rows = std::max((height - 1) / cell.height, 0);
    const ControlPlatform &platform = record->platform;
    int32_t horizontalMax = (record->style & AES_AUTOHSCROLL) ? int32_t(record->widestLine) : 0;
    platform.setScrollRange(platform.context, kHorizontalBar, 0, horizontalMax, uint32_t(columns));
    // Showing or hiding a scroll bar resizes the client area, and the window
    // system lays the view out again for the new size from inside that call;
    // rows worked out from the old size must not overwrite its result.
    int newWidth, newHeight;
    platform.clientSize(platform.context, &newWidth, &newHeight);
    if (newWidth != width || newHeight != height)
        return;

    ScrollBarState vertical{};
    platform.getScrollBar(platform.context, kVerticalBar, &vertical);
    int64_t verticalMax = 0;
    if (record->style & AES_AUTOVSCROLL) {
        if (int64_t(record->lineCount) > rows || vertical.position != 0)
            verticalMax = int64_t(record->lineCount) + rows - 2;
        else
            verticalMax = int64_t(record->lineCount) - 1;
    }
    platform.setScrollRange(platform.context, kVerticalBar, 0, int32_t(std::min<int64_t>(verticalMax, INT32_MAX)),
                            uint32_t(rows));
    PlaceCaret(record);
}

uint32_t ScrollView(ControlRecord *record, ScrollBar bar, unsigned code, uint32_t count)
{
    const ControlPlatform &platform = record->platform;
    ScrollBarState state;
    if (!platform.getScrollBar(platform.context, bar, &state))
        return 0;
    int64_t p = ScrollTarget(state, code, count);
    if (p < 0)
        return 0;
    int64_t d = int64_t(state.position) - p;
    if (d == 0)
        return 0;
    platform.showCaret(platform.context, 0);
    if (bar == kVerticalBar)
        MoveTopLine(record, d);
    platform.setScrollPosition(platform.context, bar, int32_t(p));

    Cell cell = CellOf(record);
    ViewRect t = TextArea(record);
    ViewRect s = t, band = t;
    // A jump of more than the view is blitted as one view's height or width:
    // everything shows new text then, and the shift stays within int.
    int64_t rows = (t.bottom - t.top) / cell.height + 2;
    int64_t columns = (t.right - t.left) / cell.width + 2;
    if (bar == kVerticalBar) {
        int shift = int(cell.height * std::max(-rows, std::min(rows, d)));
        if (d > 0) {
            s.top = t.top - shift;
            band.bottom = t.top + shift;
        } else {
            s.bottom = t.bottom - shift;
            band.top = t.bottom + shift - (t.bottom - t.top) % cell.height;
        }
        platform.scrollWindow(platform.context, 0, shift, s.left, s.top, s.right, s.bottom);
    } else {
        int shift = int(cell.width * std::max(-columns, std::min(columns, d)));
        if (d > 0) {
            s.left = t.left - shift;
            band.right = t.left + shift;
        } else {
            s.right = t.right - shift;
            band.left = t.right + shift - (t.right - t.left) % cell.width;
        }
        platform.scrollWindow(platform.context, shift, 0, s.left, s.top, s.right, s.bottom);
    }
    ViewRect r = {std::max(band.left, t.left), std::max(band.top, t.top), std::min(band.right, t.right),
                  std::min(band.bottom, t.bottom)};
    Invalidate(record, r, true);
    PlaceCaret(record);
    platform.showCaret(platform.context, 1);
    return uint32_t(std::llabs(d));
}

void EnsureVisible(ControlRecord *record, uint32_t offset)
{
    if (record->viewFrozen)
        return;
    ViewPoint at = PosFromChar(record, offset);
    Cell cell = CellOf(record);
    int64_t column = int64_t(std::floor(double(at.x) / cell.width));
    int64_t row = int64_t(std::floor(double(at.y) / cell.height));
    ViewRect t = TextArea(record);
    int64_t visibleColumns = (t.right - t.left) / cell.width;
    int64_t visibleRows = (t.bottom - t.top) / cell.height;
    if (visibleRows != 0 && (record->style & AES_AUTOVSCROLL)) {
        if (row < 0)
            ScrollView(record, kVerticalBar, kScrollLineUp, uint32_t(-row));
        else if (row + 1 > visibleRows)
            ScrollView(record, kVerticalBar, kScrollLineDown, uint32_t(row - visibleRows + 1));
    }
    if (visibleColumns != 0 && (record->style & AES_AUTOHSCROLL)) {
        if (column < 0)
            ScrollView(record, kHorizontalBar, kScrollLineUp, uint32_t((1 - column / 10) * 10));
        else if (column + 1 > visibleColumns)
            ScrollView(record, kHorizontalBar, kScrollLineDown,
                       uint32_t(((column - visibleColumns + 1) / 10 + 1) * 10));
    }
}

void PlaceCaret(ControlRecord *record, bool evenWithoutFocus)
{
    if (record->viewFrozen)
        return;
    ViewPoint at = PosFromChar(record, record->caret);
    record->caretX = at.x;
    record->caretY = at.y;
    const ControlPlatform &platform = record->platform;
    if (evenWithoutFocus || platform.hasFocus(platform.context))
        platform.setCaretPosition(platform.context, at.x, at.y);
}

void VisibleArea(const ControlRecord *record, uint32_t *columns, uint32_t *lines)
{
    int width, height;
    record->platform.clientSize(record->platform.context, &width, &height);
    Cell cell = CellOf(record);
    *columns = width > 1 ? uint32_t((width - 1) / cell.width) : 0;
    *lines = height > 1 ? uint32_t((height - 1) / cell.height) : 0;
}

void Paint(ControlRecord *record, ViewRect update, const PaintDevice &device)
{
    device.setTextColour(device.context, device.systemColour(device.context, kColourWindowText));
    device.setBackColour(device.context, device.systemColour(device.context, kColourWindow));
    ViewRect t = TextArea(record);
    Cell cell = CellOf(record);
    PaintArea area = AreaOf(record, cell, t, update);
    uint32_t maxChars = uint32_t(std::max((t.right - t.left) / cell.width + 2, 0));
    bool highlighted = record->highlightStyle != 0;
    RunWalk walk;
    if (highlighted)
        BeginRunWalk(record->highlightStyle, &walk);
    HighlightState state = {record->topRangeState, record->topRangeData};

    uint32_t lineStart = TopLineStart(record);
    int64_t row = 0;
    for (int64_t lineTop = t.top + 1; lineTop <= t.bottom; lineTop += cell.height, ++row) {
        // The line's cells span the pixel rows [lineTop - 1, lineTop - 1 + height).
        bool below = lineTop - 1 >= area.bottom;
        bool shown = !below && lineTop - 1 + cell.height > area.top;
        // Lines below the area need no walk unless the walk rewrites the text.
        if (below && (!highlighted || walk.statesAlone))
            break;
        uint32_t lineLength = LineLengthAt(record, lineStart);
        if (highlighted)
            PaintHighlightedLine(record, device, cell, walk, area, lineStart, lineLength, row, shown, &state);
        else if (shown && area.endColumn > area.firstColumn)
            PaintPlainLine(record, device, cell, area, lineStart, lineLength, row, maxChars);
        if (lineStart + lineLength == record->text.length)
            break; // the last line
        lineStart += lineLength + 1;
    }
}

} // namespace scrivlet
