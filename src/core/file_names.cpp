#include "core/file_names.h"

#include <cstring>

namespace scrivlet {

uint32_t FileNameOffset(const char *path)
{
    uint32_t offset = 0;
    for (uint32_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':'))
            offset = i + 1;
    }
    return offset;
}

const char *ExtensionWithDot(const char *path)
{
    const char *name = path + FileNameOffset(path);
    const char *dot = std::strrchr(name, '.');
    return dot != nullptr ? dot : name + std::strlen(name);
}

} // namespace scrivlet
