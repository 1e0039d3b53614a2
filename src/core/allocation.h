// Every heap block of the engine is taken and given back through these three
// functions, so that tests can make a chosen allocation fail and check that
// each out-of-memory path leaves its data as it was.
#pragma once

#include <cstddef>

void *EngineAllocate(size_t size);                   // like malloc; null on failure
void *EngineAllocateZeroed(size_t size);             // like calloc(1, size)
void *EngineReallocate(void *block, size_t size);    // like realloc; the old block survives a failure
void EngineFree(void *block);                        // null is ignored

// Test seam: the n-th allocation from now (1 = the next one) fails; 0 turns
// failures off. Only that one allocation fails, later ones succeed again.
void FailNthAllocation(unsigned long n);

// Number of allocation attempts (successful or failed) since the process started.
unsigned long AllocationAttempts();
