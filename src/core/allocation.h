// Every heap block of the engine is taken and given back through these
// functions, so that tests can make a chosen allocation fail and check that
// each out-of-memory path leaves its data as it was.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scrivlet {

void *EngineAllocate(size_t size);                   // like malloc; null on failure
void *EngineAllocateZeroed(size_t size);             // like calloc(1, size)
void *EngineReallocate(void *block, size_t size);    // like realloc; the old block survives a failure
void EngineFree(void *block);                        // null is ignored

// The buffer of a text (TextDocument::bytes). Same contract as
// EngineReallocate and counted by the same seam; `oldSize` is the block's
// current size. Where the system allows, the block grows in place.
void *ReallocateTextBuffer(void *block, size_t oldSize, size_t size);
void FreeTextBuffer(void *block); // null is ignored

// Whether `count` items of `itemSize` bytes make a block of at most
// `largest` bytes: SIZE_MAX asks about this build, 0xFFFFFFFF about a
// 32-bit one. Counts are 64-bit, so that a caller adds to a 32-bit length
// (length + 1, levels + 1) or doubles it before asking, without a wrap.
constexpr bool ArrayFits(uint64_t count, uint64_t itemSize, uint64_t largest = SIZE_MAX)
{
    return itemSize == 0 || count <= largest / itemSize;
}

// Arrays of `count` items of `itemSize` bytes: a zeroed one, like
// calloc(count, itemSize), and a resized one, like EngineReallocate. Null,
// without an attempt and with the old block untouched, when the byte count
// does not fit a size_t, where a plain product would wrap to a small block.
void *EngineAllocateArray(uint64_t count, size_t itemSize);
void *EngineReallocateArray(void *block, uint64_t count, size_t itemSize);

// Test seam: the n-th allocation from now (1 = the next one) fails; 0 turns
// failures off. Only that one allocation fails, later ones succeed again.
void FailNthAllocation(unsigned long n);

// Number of allocation attempts (successful or failed) since the process started.
unsigned long AllocationAttempts();

} // namespace scrivlet
