// The view of a control: the cell grid, the mapping between offsets and
// client pixels, the rectangles edits repaint, the scroll bars, the caret
// and the painter. Positions of the scroll bars are the platform's; the
// record keeps the top line and its highlight state.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

struct ViewPoint {
    int x;
    int y;
};

struct ViewRect {
    int left;
    int top;
    int right;
    int bottom;
};

enum RepaintMode {
    kRepaintWhole = 0,        // the whole text area
    kRepaintRestOfLine = 1,   // from a to the end of its line
    kRepaintLineToBottom = 2, // from a's line to the bottom
    kRepaintBetween = 3,      // from a to b
};

// Scroll-bar request codes, as Win32 numbers them.
enum ScrollCode {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
};

// The client area less a one-pixel strip at the left and the top.
ViewRect TextArea(const ControlRecord *record);

// The horizontal scroll position in columns, 0 when the bar cannot be read.
int32_t HorizontalPosition(const ControlRecord *record);

// Top-left client pixel of the offset's character cell.
ViewPoint PosFromChar(ControlRecord *record, uint32_t offset);

// The offset under a client point; kNoOffset and error 3 for a negative
// coordinate.
uint32_t CharFromPos(ControlRecord *record, int x, int y);

// The part of the text area that a repaint of `mode` covers.
ViewRect RepaintArea(ControlRecord *record, RepaintMode mode, uint32_t a, uint32_t b);

// Invalidates that part (background erased); updateNow paints it at once.
void RepaintRect(ControlRecord *record, RepaintMode mode, uint32_t a, uint32_t b, bool updateNow);

// Re-lays the view out (WM_SIZE to the control with its client size), or
// remembers to do it once layout is resumed.
void Relayout(ControlRecord *record);

// Bulk edits lay out once at the end instead of once per line: between
// these two calls (which nest) Relayout only notes that a layout is due.
// The last ResumeLayout lays out when one is due, or always with `force`.
void SuspendLayout(ControlRecord *record);
void ResumeLayout(ControlRecord *record, bool force);

// WM_SIZE: sets both scroll ranges from a client size, then places the caret.
void SetScrollRanges(ControlRecord *record, int width, int height);

// Scrolls one bar `count` times by a scroll code; returns the positions moved.
uint32_t ScrollView(ControlRecord *record, ScrollBar bar, unsigned code, uint32_t count);

// Scrolls so that the offset's cell lies in the text area (only the ways
// the AES_AUTO… styles allow; horizontally in steps of 10 columns).
void EnsureVisible(ControlRecord *record, uint32_t offset);

// caretX, caretY from the caret offset; the system caret follows when the
// control has the focus, or always with `evenWithoutFocus`.
void PlaceCaret(ControlRecord *record, bool evenWithoutFocus = false);

// Whole columns and lines the client area shows in the control's font.
void VisibleArea(const ControlRecord *record, uint32_t *columns, uint32_t *lines);

// Paints the visible lines that meet `update` on the device.
void Paint(ControlRecord *record, ViewRect update, const PaintDevice &device);

} // namespace scrivlet
