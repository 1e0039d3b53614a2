#include "shell/document_paths.h"

#include <cstdio>
#include <cstring>

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

uint32_t FileNameOffset(const char *path)
{
    uint32_t offset = 0;
    for (uint32_t i = 0; path[i] != '\0'; ++i)
        if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':'))
            offset = i + 1;
    return offset;
}

bool CopyDirectoryPart(char *directory, size_t size, const char *path, uint32_t offset)
{
    if (offset >= size || offset > std::strlen(path))
        return false;
    std::memcpy(directory, path, offset);
    directory[offset] = '\0';
    return true;
}

const char *ExtensionWithDot(const char *fileName)
{
    const char *name = fileName + FileNameOffset(fileName);
    const char *dot = std::strrchr(name, '.');
    return dot != nullptr ? dot : name + std::strlen(name);
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
