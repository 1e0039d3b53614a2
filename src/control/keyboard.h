// Keyboard input: typed characters (WM_CHAR) and pressed keys (WM_KEYDOWN)
// turned into insertions, caret movements and deletions. Each keystroke that
// edits is one undo group, repaints the least sufficient part of the view
// and notifies the parent.
#pragma once

#include "control/control_record.h"
#include "core/message_types.h"

namespace scrivlet {

// WM_CHAR: the character table (Ctrl letter shortcuts, Enter, Tab, printable
// bytes); other control codes beep.
void OnChar(ControlRecord *record, WParam character);

// WM_KEYDOWN: navigation and editing keys by the modifier state of the
// moment (Ctrl before Shift), then AEN_KEYDOWN with the key and its data.
void OnKeyDown(ControlRecord *record, WParam virtualKey, LParam keyData);

} // namespace scrivlet
