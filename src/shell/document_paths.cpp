#include "shell/document_paths.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

bool JoinDocumentPath(char (&path)[kPathSize], const char *directory, const char *fileName)
{
    size_t directoryLength = std::strlen(directory);
    bool separator = directoryLength > 0 && directory[directoryLength - 1] != '\\';
    int written = std::snprintf(path, sizeof path, "%s%s%s", directory, separator ? "\\" : "", fileName);
    if (written < 0 || size_t(written) >= sizeof path) {
        path[0] = '\0';
        return false;
    }
    return true;
}

bool CopyDirectoryPart(char *directory, size_t size, const char *path, uint32_t offset)
{
    if (offset >= size || offset > std::strlen(path))
        return false;
    std::memcpy(directory, path, offset);
    directory[offset] = '\0';
    return true;
}

bool BackupPathFor(char (&backup)[kPathSize], const char *path)
{
    size_t stem = size_t(ExtensionWithDot(path) - path);
    int written = std::snprintf(backup, sizeof backup, "%.*s.bak", int(stem), path);
    if (written < 0 || size_t(written) >= sizeof backup) {
        backup[0] = '\0';
        return false;
    }
    return true;
}

} // namespace scrivlet
