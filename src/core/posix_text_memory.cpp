// Text memory on POSIX systems: the C library's heap. Large blocks are
// mappings there, which realloc moves by remapping pages, not by copying.
#include "core/text_memory.h"

#include <cstdlib>

namespace scrivlet {

void *ResizeTextMemory(void *block, size_t, size_t size)
{
    return std::realloc(block, size == 0 ? 1 : size);
}

void ReleaseTextMemory(void *block)
{
    std::free(block);
}

} // namespace scrivlet
