#include "allocation.h"

#include "core/text_memory.h"

#include <cstdlib>

namespace scrivlet {

namespace {
unsigned long attempts = 0;       // allocation attempts so far
unsigned long failingAttempt = 0; // attempt number that must fail; 0 = none

// Counts one attempt and says whether the seam wants it to fail.
bool AttemptFails()
{
    ++attempts;
    if (failingAttempt != 0 && attempts == failingAttempt) {
        failingAttempt = 0;
        return true;
    }
    return false;
}
} // namespace

void *EngineAllocate(size_t size)
{
    return AttemptFails() ? nullptr : std::malloc(size == 0 ? 1 : size);
}

void *EngineAllocateZeroed(size_t size)
{
    return AttemptFails() ? nullptr : std::calloc(1, size == 0 ? 1 : size);
}

void *EngineReallocate(void *block, size_t size)
{
    return AttemptFails() ? nullptr : std::realloc(block, size == 0 ? 1 : size);
}

void *EngineAllocateArray(uint64_t count, size_t itemSize)
{
    return ArrayFits(count, itemSize) ? EngineAllocateZeroed(size_t(count) * itemSize) : nullptr;
}

void *EngineReallocateArray(void *block, uint64_t count, size_t itemSize)
{
    return ArrayFits(count, itemSize) ? EngineReallocate(block, size_t(count) * itemSize) : nullptr;
}

void EngineFree(void *block)
{
    std::free(block);
}

void *ReallocateTextBuffer(void *block, size_t oldSize, size_t size)
{
    return AttemptFails() ? nullptr : ResizeTextMemory(block, oldSize, size);
}

void FreeTextBuffer(void *block)
{
    ReleaseTextMemory(block);
}

void FailNthAllocation(unsigned long n)
{
    failingAttempt = n == 0 ? 0 : attempts + n;
}

unsigned long AllocationAttempts()
{
    return attempts;
}

} // namespace scrivlet
