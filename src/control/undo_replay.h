// Undo and redo: replaying the groups of the undo store through the edit
// operations, without recording them again.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

// WM_UNDO and AEM_UNDO: reverts the newest undoable group.
void Undo(ControlRecord *record);

// AEM_REDO: re-applies the next redoable group.
void Redo(ControlRecord *record);

} // namespace scrivlet
