// Text memory on Windows. The heap copies a large block to grow it, which for
// a text read in blocks meant copying everything read so far at each growth
// and touching fresh pages for every copy. Instead each text reserves
// address space ahead and commits pages as it grows, so it grows in place:
// all of the largest text in a 64-bit process, and twice the requested size
// (at least 1 MB) in a 32-bit one, where a text that outgrows its
// reservation moves to a new one twice as large.
#include "core/text_memory.h"

#include "core/text_store.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace scrivlet {

namespace {

constexpr size_t kAtLeast = size_t(1) << 20;

// Address space to reserve for a block of `size` bytes.
size_t ReservationFor(size_t size)
{
    if (sizeof(void *) == 8)
        return std::max<size_t>(size, kMaxTextCapacity);
    uint64_t wanted = std::max<uint64_t>(uint64_t(size) * 2, kAtLeast);
    return size_t(std::max<uint64_t>(std::min<uint64_t>(wanted, kMaxTextCapacity), size));
}

// Size of the address space reserved at `base`: its regions, committed or
// not, up to the first one of another reservation.
size_t ReservedAt(void *base)
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    while (VirtualQuery(static_cast<char *>(base) + total, &region, sizeof region) == sizeof region &&
           region.AllocationBase == base && region.State != MEM_FREE)
        total += region.RegionSize;
    return total;
}

// A new reservation for `size` bytes with the first `size` bytes committed.
void *ReserveAndCommit(size_t size)
{
    void *base = VirtualAlloc(nullptr, ReservationFor(size), MEM_RESERVE, PAGE_NOACCESS);
    if (base == nullptr)
        return nullptr;
    if (VirtualAlloc(base, size, MEM_COMMIT, PAGE_READWRITE) == nullptr) {
        VirtualFree(base, 0, MEM_RELEASE);
        return nullptr;
    }
    return base;
}

} // namespace

void *ResizeTextMemory(void *block, size_t oldSize, size_t size)
{
    size = std::max<size_t>(size, 1);
    if (block == nullptr)
        return ReserveAndCommit(size);
    if (size <= oldSize) {
        // Whole pages past the new end are decommitted; the address stays.
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        size_t page = system.dwPageSize;
        size_t keep = (size + page - 1) / page * page;
        if (keep < oldSize)
            VirtualFree(static_cast<char *>(block) + keep, oldSize - keep, MEM_DECOMMIT);
        return block;
    }
    if (size <= ReservedAt(block))
        return VirtualAlloc(block, size, MEM_COMMIT, PAGE_READWRITE) != nullptr ? block : nullptr;
    void *moved = ReserveAndCommit(size);
    if (moved == nullptr)
        return nullptr;
    std::memcpy(moved, block, oldSize);
    VirtualFree(block, 0, MEM_RELEASE);
    return moved;
}

void ReleaseTextMemory(void *block)
{
    if (block != nullptr)
        VirtualFree(block, 0, MEM_RELEASE);
}

} // namespace scrivlet
