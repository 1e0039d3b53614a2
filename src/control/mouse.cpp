#include "control/mouse.h"

#include "control/edit_operations.h"
#include "control/view_requests.h"
#include "core/search.h"

#include <algorithm>

namespace scrivlet {

namespace {

// Key flags of the mouse messages.
constexpr WParam kMouseLeftButton = 0x0001; // MK_LBUTTON
constexpr WParam kMouseShift = 0x0004;      // MK_SHIFT

// The signed client point in the low and high words of lParam.
struct MousePoint {
    int x;
    int y;
};

MousePoint PointOf(LParam lParam)
{
    return MousePoint{int16_t(lParam & 0xFFFF), int16_t((lParam >> 16) & 0xFFFF)};
}

// The client rectangle K (its origin is 0, 0) and the part of it that holds
// whole cells only: a mouse over a partial last column or row is outside.
struct ClientGeometry {
    int width;
    int height;
    int innerRight;  // x < innerRight is inside
    int innerBottom; // y < innerBottom is inside
};

ClientGeometry GeometryOf(const ControlRecord *record)
{
    const ControlPlatform &platform = record->platform;
    ClientGeometry g{};
    platform.clientSize(platform.context, &g.width, &g.height);
    int cellWidth, cellHeight;
    platform.cellSize(platform.context, &cellWidth, &cellHeight);
    g.innerRight = cellWidth > 0 ? g.width - g.width % cellWidth : g.width;
    g.innerBottom = cellHeight > 0 ? g.height - g.height % cellHeight : g.height;
    return g;
}

// The offset under a point first clamped into the client area, so that a
// point outside never reads as a negative coordinate.
uint32_t OffsetAt(ControlRecord *record, const ClientGeometry &g, MousePoint point)
{
    int x = std::min(std::max(point.x, 0), std::max(g.width, 0));
    int y = std::min(std::max(point.y, 0), std::max(g.height, 0));
    return CharFromPos(record, x, y);
}

// After the caret offset changed: its line, its pixels and the system caret.
void FollowCaret(ControlRecord *record, uint32_t before)
{
    if (record->caret != before) {
        uint32_t lineStart = LineStartOf(record->text.bytes, record->caret);
        record->caretLineStart = lineStart;
        PlaceCaret(record);
    }
    EnsureVisible(record, record->caret);
}

// The selection end that stays put while the caret end moves.
uint32_t Anchor(const ControlRecord *record)
{
    return record->caret == record->selStart ? record->selEnd : record->selStart;
}

void StopAutoScroll(ControlRecord *record)
{
    if (record->dragging != 0) {
        record->platform.stopTimer(record->platform.context, kAutoScrollTimer);
        record->dragging = 0;
    }
}

} // namespace

void OnButtonDown(ControlRecord *record, WParam keyFlags, LParam point)
{
    const ControlPlatform &platform = record->platform;
    platform.setCapture(platform.context);
    uint32_t before = record->caret;
    uint32_t offset = OffsetAt(record, GeometryOf(record), PointOf(point));
    record->caret = offset;
    uint32_t lineStart;
    record->desiredColumn = ColumnAt(record, offset, &lineStart);
    if ((keyFlags & kMouseShift) == 0)
        SetSelection(record, offset, offset, true);
    else if (before == record->selStart)
        SetSelection(record, offset, record->selEnd, true);
    else
        SetSelection(record, record->selStart, offset, true);
    FollowCaret(record, before);
}

void OnDoubleClick(ControlRecord *record, LParam point)
{
    const ControlPlatform &platform = record->platform;
    platform.setCapture(platform.context);
    uint32_t before = record->caret;
    uint32_t offset = OffsetAt(record, GeometryOf(record), PointOf(point));
    uint32_t start;
    uint32_t length = WordAt(record->text.bytes, offset, &start, platform.isAlphaNumeric);
    SetSelection(record, start, start + length, true);
    record->caret = start + length;
    FollowCaret(record, before);
}

void OnMouseMove(ControlRecord *record, WParam keyFlags, LParam point)
{
    const ControlPlatform &platform = record->platform;
    platform.showWaitCursor(platform.context, record->waitCursor != 0 ? 1 : 0);
    if (!platform.captureHeld(platform.context) || (keyFlags & kMouseLeftButton) == 0)
        return;
    ClientGeometry g = GeometryOf(record);
    MousePoint at = PointOf(point);
    bool inside = at.x >= 0 && at.x < g.innerRight && at.y >= 0 && at.y < g.innerBottom;
    if (inside) {
        StopAutoScroll(record);
    } else if (record->dragging == 0 &&
               platform.startTimer(platform.context, kAutoScrollTimer, kAutoScrollMilliseconds) != 0) {
        record->dragging = 1;
    }
    uint32_t offset = OffsetAt(record, g, at);
    if (offset == record->caret)
        return;
    uint32_t before = record->caret;
    SetSelection(record, Anchor(record), offset, true);
    record->caret = offset;
    FollowCaret(record, before);
}

void OnButtonUp(ControlRecord *record)
{
    StopAutoScroll(record);
    const ControlPlatform &platform = record->platform;
    if (platform.captureHeld(platform.context))
        platform.releaseCapture(platform.context);
}

void OnAutoScrollTick(ControlRecord *record)
{
    const ControlPlatform &platform = record->platform;
    int x, y;
    platform.cursorPosition(platform.context, &x, &y);
    ClientGeometry g = GeometryOf(record);
    if (x < 0)
        ScrollView(record, kHorizontalBar, kScrollLineUp, 1);
    else if (x >= g.innerRight)
        ScrollView(record, kHorizontalBar, kScrollLineDown, 1);
    if (y < 0)
        ScrollView(record, kVerticalBar, kScrollLineUp, 1);
    else if (y >= g.innerBottom)
        ScrollView(record, kVerticalBar, kScrollLineDown, 1);
    LParam point = LParam(uint16_t(x)) | (LParam(uint16_t(y)) << 16);
    OnMouseMove(record, kMouseLeftButton, point);
}

void SetWaitCursor(ControlRecord *record, bool on)
{
    record->waitCursor = on ? 1 : 0;
    OnMouseMove(record, 0, 0);
}

} // namespace scrivlet
