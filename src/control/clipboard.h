// Plain text between the control and the system clipboard (CF_TEXT, with
// CR LF line ends outside and '\n' inside), and the right-click menu of the
// standard editing commands.
#pragma once

#include "control/control_platform.h"
#include "control/control_record.h"
#include "core/message_types.h"

namespace scrivlet {

// WM_COPY: the selection, '\n' turned into CR LF, onto the emptied
// clipboard. True on success; error 4 when the clipboard cannot be opened
// (it is then left as it was), error 2 when the block cannot be allocated.
bool CopySelection(ControlRecord *record);

// WM_CUT: copies, and only when that succeeded deletes the selection as one
// undo group.
void CutSelection(ControlRecord *record);

// WM_PASTE: replaces the selection by the clipboard's text as one undo
// group, CR LF and lone CR becoming '\n'. No text there: nothing happens.
void PasteText(ControlRecord *record);

// AEM_CANPASTE: 1 when the clipboard holds data of the format (only CF_TEXT
// is ever offered by the control), else 0. Needs no record.
LResult CanPaste(const ControlPlatform &platform, WParam format);

// WM_CONTEXTMENU: Cut, Copy, Paste, Delete and Select All at the screen
// point in lParam, greyed where they would do nothing; the chosen command
// is then sent to the control.
void ShowContextMenu(ControlRecord *record, WParam owner, LParam point);

} // namespace scrivlet
