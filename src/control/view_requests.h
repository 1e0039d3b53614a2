// What the edit operations ask of the view: repaint a part of the text
// area, re-lay out the scroll bars, keep the caret visible. The rectangles
// are computed by the view's geometry; until it knows where each offset is
// drawn, a repaint covers the whole client area, which is always enough.
#pragma once

#include "control/control_record.h"

enum RepaintMode {
    kRepaintWhole = 0,       // the whole text area
    kRepaintRestOfLine = 1,  // from a to the end of its line
    kRepaintLineToBottom = 2, // from a's line to the bottom
    kRepaintBetween = 3,     // from a to b
};

// Marks the part of the text area that `mode` names for repainting;
// updateNow paints it before returning.
void RepaintRect(ControlRecord *record, RepaintMode mode, uint32_t a, uint32_t b, bool updateNow);

// Re-lays the view out (WM_SIZE to the control with its client size), or
// remembers to do it once layout is resumed.
void Relayout(ControlRecord *record);

// Bulk edits lay out once at the end instead of once per line: between
// these two calls (which nest) Relayout only notes that a layout is due.
// The last ResumeLayout lays out when one is due, or always with `force`.
void SuspendLayout(ControlRecord *record);
void ResumeLayout(ControlRecord *record, bool force);

// Scrolls the view so that the caret is visible.
void EnsureVisible(ControlRecord *record);

// Whole columns and lines the client area shows in the control's font.
void VisibleArea(const ControlRecord *record, uint32_t *columns, uint32_t *lines);
