#include "core/undo.h"

#include "core/allocation.h"

#include <climits>
#include <cstring>

namespace scrivlet {

namespace {

// Byte copies and record arrays grow to the next power of two, so that a
// record extended piece by piece (a pasted text, split at its line breaks)
// is copied a logarithmic number of times. The room is derived from the
// size in use, so the records need no extra field.
uint64_t RoomFor(uint64_t used)
{
    uint64_t room = 1;
    while (room < used)
        room *= 2;
    return room;
}

// Resizes `*block` from room for `used` items to room for `wanted` items of
// `itemSize` bytes; only reallocates when the room changes.
bool MakeRoom(void **block, uint64_t used, uint64_t wanted, size_t itemSize)
{
    uint64_t room = RoomFor(wanted);
    if (*block != nullptr && room == RoomFor(used))
        return true;
    void *grown = EngineReallocateArray(*block, room, itemSize);
    if (grown == nullptr)
        return false;
    *block = grown;
    return true;
}

// Slots of a ring with `levels` levels, counted in 64 bits so that the sum
// cannot wrap before the array's size is checked.
constexpr uint64_t SlotsFor(int32_t levels)
{
    return uint64_t(levels) + 1;
}

// The slots of 0x1FFFFFFF levels take 2^32 bytes on a 32-bit build, which a
// size_t product wraps to 0: the count must be refused, not given a block
// too small for it.
static_assert(sizeof(size_t) != 4 || !ArrayFits(SlotsFor(0x1FFFFFFF), sizeof(UndoGroup)),
              "a 32-bit build refuses a slot array larger than its address space");

void FreeGroup(UndoGroup *group)
{
    for (uint32_t i = 0; i < group->count; ++i)
        EngineFree(group->records[i].bytes);
    EngineFree(group->records);
    group->count = 0;
    group->records = nullptr;
}

int32_t NextSlot(const UndoStack *store, int32_t slot)
{
    return (slot + 1) % store->slotCount;
}

bool ExtendsLastRecord(const UndoRecord &last, UndoKind kind, uint32_t offset)
{
    if (last.kind != kind)
        return false;
    if (kind == kUndoInsertion)
        return uint64_t(last.offset) + last.length == offset;
    return last.offset == offset;
}

int ExtendRecord(UndoRecord *record, const char *bytes, uint32_t length)
{
    uint64_t newLength = uint64_t(record->length) + length;
    if (newLength > UINT32_MAX)
        return 0;
    void *copy = record->bytes;
    if (!MakeRoom(&copy, record->length, newLength, 1))
        return 0;
    record->bytes = static_cast<char *>(copy);
    std::memcpy(record->bytes + record->length, bytes, length);
    record->length = uint32_t(newLength);
    return 1;
}

int AddRecord(UndoGroup *group, UndoKind kind, uint32_t offset, const char *bytes, uint32_t length)
{
    void *copy = nullptr;
    if (!MakeRoom(&copy, 0, length, 1))
        return 0;
    void *records = group->records;
    if (!MakeRoom(&records, group->count, uint64_t(group->count) + 1, sizeof(UndoRecord))) {
        EngineFree(copy);
        return 0;
    }
    group->records = static_cast<UndoRecord *>(records);
    std::memcpy(copy, bytes, length);
    group->records[group->count] = UndoRecord{kind, offset, static_cast<char *>(copy), length};
    ++group->count;
    return 1;
}

} // namespace

int InitUndo(UndoStack *store, int32_t levels)
{
    *store = UndoStack{};
    if (levels < 1)
        return 1;
    if (levels == INT32_MAX) // levels + 1 slots would not fit the slot count
        return 0;
    void *slots = EngineAllocateArray(SlotsFor(levels), sizeof(UndoGroup));
    if (slots == nullptr)
        return 0;
    store->slots = static_cast<UndoGroup *>(slots);
    store->slotCount = levels + 1;
    return 1;
}

void FreeUndo(UndoStack *store)
{
    EmptyUndo(store);
    EngineFree(store->slots);
    *store = UndoStack{};
}

void EmptyUndo(UndoStack *store)
{
    for (int32_t i = 0; i < store->slotCount; ++i)
        FreeGroup(&store->slots[i]);
    store->oldest = store->current = store->newest = 0;
}

UndoGroup *BeginGroup(UndoStack *store)
{
    if (store->slotCount < 1)
        return nullptr;
    int32_t slot = NextSlot(store, store->current);
    if (store->current != store->newest)
        store->newest = store->current;
    FreeGroup(&store->slots[slot]);
    return &store->slots[slot];
}

void CommitGroup(UndoStack *store)
{
    if (store->slotCount < 1)
        return;
    int32_t slot = NextSlot(store, store->current);
    if (store->slots[slot].count == 0)
        return;
    store->current = store->newest = slot;
    if (store->oldest == slot)
        store->oldest = NextSlot(store, slot);
}

int AppendUndo(UndoGroup *group, UndoKind kind, uint32_t offset, const char *bytes,
               uint32_t length)
{
    if (group == nullptr || length == 0)
        return 1;
    if (group->count > 0 && ExtendsLastRecord(group->records[group->count - 1], kind, offset))
        return ExtendRecord(&group->records[group->count - 1], bytes, length);
    return AddRecord(group, kind, offset, bytes, length);
}

int CanUndo(const UndoStack *store)
{
    return store->current != store->oldest ? 1 : 0;
}

int CanRedo(const UndoStack *store)
{
    return store->current != store->newest ? 1 : 0;
}

UndoGroup *StepBack(UndoStack *store)
{
    if (store->current == store->oldest)
        return nullptr;
    UndoGroup *group = &store->slots[store->current];
    store->current = store->current == 0 ? store->slotCount - 1 : store->current - 1;
    return group;
}

UndoGroup *StepForward(UndoStack *store)
{
    if (store->current == store->newest)
        return nullptr;
    store->current = NextSlot(store, store->current);
    return &store->slots[store->current];
}

int32_t UndoLevels(const UndoStack *store)
{
    return store->slotCount > 1 ? store->slotCount - 1 : 0;
}

} // namespace scrivlet
