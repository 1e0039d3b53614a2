// The undo store of an edit control: a ring of slots, each holding one undo
// group (the elementary changes one user action made). Undo walks back from
// `current`, redo forward towards `newest`; once the ring is full the oldest
// group is overwritten.
#pragma once

#include <cstdint>

namespace scrivlet {

enum UndoKind : uint8_t {
    kUndoInsertion = 1,
    kUndoDeletion = 2,
};

struct UndoRecord {
    uint8_t kind;    // kUndoInsertion or kUndoDeletion
    uint32_t offset; // where the bytes were inserted, or whence they were deleted
    char *bytes;     // owned copy of the bytes, not NUL-terminated
    uint32_t length; // number of bytes
};

struct UndoGroup {
    uint32_t count;      // records in the group; 0 = empty slot
    UndoRecord *records; // owned, in the order the changes were made; null when empty
};

// Indices move modulo slotCount. Undoable groups lie in the slots after
// `oldest` up to `current`, redoable ones after `current` up to `newest`;
// the store therefore holds at most slotCount - 1 groups.
struct UndoStack {
    int32_t slotCount; // undo levels + 1; 0 = undo is off
    int32_t oldest;    // slot just below the oldest undoable group
    int32_t current;   // newest group that undo would revert
    int32_t newest;    // newest group that redo could re-apply
    UndoGroup *slots;  // slotCount groups
};
static_assert(sizeof(void *) != 4 || sizeof(UndoStack) == 20,
              "the 32-bit build keeps the store as five 32-bit fields");

// Sets up an empty store with `levels` levels; fewer than 1 turns undo off.
// Returns 1, or 0 (undo off) when the slots cannot be allocated, also when
// their size would not fit the address space.
int InitUndo(UndoStack *store, int32_t levels);

// Empties the store and frees its slots: undo is off afterwards.
void FreeUndo(UndoStack *store);

// Frees every group; the levels stay.
void EmptyUndo(UndoStack *store);

// Empties the slot the next group will occupy and returns it, or null when
// undo is off. Called at the start of every edit. When that slot held the
// next redo group, every redo group is abandoned, so that redo never skips
// a group and re-applies a later one to a text that lacks it.
UndoGroup *BeginGroup(UndoStack *store);

// Makes the group begun last the newest undoable one, dropping any redo
// groups and, when the ring is full, the oldest group. An empty group is
// not committed.
void CommitGroup(UndoStack *store);

// Records one change in `group` (nothing when group is null). An insertion
// that continues the previous insertion, or a deletion at the offset of the
// previous deletion, extends that record. Zero bytes record nothing.
// Returns 1, or 0 when memory ran out (the group keeps what it had).
int AppendUndo(UndoGroup *group, UndoKind kind, uint32_t offset, const char *bytes,
               uint32_t length);

int CanUndo(const UndoStack *store);
int CanRedo(const UndoStack *store);

// The group to undo (current moves back one slot), or null.
UndoGroup *StepBack(UndoStack *store);

// The group to redo (current moves forward one slot), or null.
UndoGroup *StepForward(UndoStack *store);

// slotCount - 1, at least 0.
int32_t UndoLevels(const UndoStack *store);

} // namespace scrivlet
