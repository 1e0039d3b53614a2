// The left mouse button: a click places the caret, Shift+click extends the
// selection from its anchor, a double click selects a word, and a drag with
// the capture held selects what the mouse passes over. A drag that leaves
// the inner area runs timer 1, which scrolls the view towards the mouse
// once per tick. The control also shows its own cursor here.
#pragma once

#include "control/control_record.h"
#include "core/message_types.h"

namespace scrivlet {

// The auto-scroll timer and its period.
constexpr unsigned kAutoScrollTimer = 1;
constexpr unsigned kAutoScrollMilliseconds = 100;

// WM_LBUTTONDOWN: lParam holds the signed client point, wParam the MK_ flags.
void OnButtonDown(ControlRecord *record, WParam keyFlags, LParam point);

// WM_LBUTTONDBLCLK: selects the word under the point.
void OnDoubleClick(ControlRecord *record, LParam point);

// WM_MOUSEMOVE: shows the control's cursor; while the button is held with
// the capture, extends the selection and starts or stops the auto-scroll.
void OnMouseMove(ControlRecord *record, WParam keyFlags, LParam point);

// WM_LBUTTONUP: ends a drag.
void OnButtonUp(ControlRecord *record);

// WM_TIMER 1: one scroll step towards the mouse, then the selection follows.
void OnAutoScrollTick(ControlRecord *record);

// Long operations show the hourglass while they run: stores the cursor in
// the record and shows it at once.
void SetWaitCursor(ControlRecord *record, bool on);

} // namespace scrivlet
