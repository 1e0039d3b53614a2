// The memory under a text's buffer, provided by the system the engine is
// built for. The engine reaches it only through ReallocateTextBuffer and
// FreeTextBuffer (allocation.h), which add the allocation failure seam.
#pragma once

#include <cstddef>

namespace scrivlet {

// Like realloc: the block resized to `size` bytes (the bytes up to the
// smaller size kept), or null with the old block untouched. `oldSize` is
// the block's current size, 0 with a null block.
void *ResizeTextMemory(void *block, size_t oldSize, size_t size);

// Gives back a block of ResizeTextMemory; null is ignored.
void ReleaseTextMemory(void *block);

} // namespace scrivlet
