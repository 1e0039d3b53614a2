#include "control/undo_replay.h"

#include "control/edit_operations.h"
#include "control/mouse.h"
#include "control/view_requests.h"

namespace scrivlet {

namespace {

// Whether a record still fits the text: its bytes must lie inside the text
// to be removed, its offset inside the text to be restored. A history that
// no longer fits (the text was changed without recording) is never replayed.
bool Applies(const ControlRecord *record, const UndoRecord &change, bool removes)
{
    if (removes)
        return uint64_t(change.offset) + change.length <= record->text.length;
    return change.offset <= record->text.length;
}

// Replays one elementary change without recording it: removes its bytes or
// puts them back. False when it could not be applied.
bool ApplyChange(ControlRecord *record, const UndoRecord &change, bool removes)
{
    if (!Applies(record, change, removes))
        return false;
    if (removes) {
        SetSelection(record, change.offset, change.offset + change.length, false);
        return ReplaceSelection(record, nullptr, 0, false, nullptr) == 1;
    }
    SetSelection(record, change.offset, change.offset, false);
    return ReplaceSelection(record, change.bytes, change.length, false, nullptr) == 1;
}

// Replays a group with redrawing off and repaints once at the end. When a
// change cannot be applied (a limit refused it, or the history no longer
// fits the text) the replay stops there and the whole history is dropped:
// neither this group nor any other can be replayed safely any more.
void Replay(ControlRecord *record, UndoGroup *group, bool backwards)
{
    if (group == nullptr || group->count == 0)
        return;
    const ControlPlatform &platform = record->platform;
    SetWaitCursor(record, true);
    platform.setRedraw(platform.context, 0);
    for (uint32_t step = 0; step < group->count; ++step) {
        const UndoRecord &change = group->records[backwards ? group->count - 1 - step : step];
        bool removes = (change.kind == kUndoInsertion) == backwards;
        if (!ApplyChange(record, change, removes)) {
            EmptyUndo(&record->undo);
            break;
        }
    }
    platform.setRedraw(platform.context, 1);
    RepaintRect(record, kRepaintWhole, 0, 0, true);
    Relayout(record);
    RepaintRect(record, kRepaintWhole, 0, 0, true);
    SetWaitCursor(record, false);
}

} // namespace

void Undo(ControlRecord *record)
{
    Replay(record, StepBack(&record->undo), true);
}

void Redo(ControlRecord *record)
{
    Replay(record, StepForward(&record->undo), false);
}

} // namespace scrivlet
