// The file operations of a safe write on Windows: a new file made by
// GetTempFileNameA in the target's folder, and MoveFileExA to put it in the
// target's place.
#include "core/safe_write.h"

#include "core/file_names.h"

#include <windows.h>

#include <cstring>

namespace scrivlet {

namespace {

// The folder part of a path, up to where its file name begins; "." for a
// bare name.
bool FolderOf(const char *path, char (&folder)[MAX_PATH])
{
    size_t end = FileNameOffset(path);
    if (end == 0) {
        std::strcpy(folder, ".");
        return true;
    }
    if (end >= sizeof folder)
        return false;
    std::memcpy(folder, path, end);
    folder[end] = '\0';
    return true;
}

void *CreateBeside(const char *target, char *temporary, size_t size)
{
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (!FolderOf(target, folder) || GetTempFileNameA(folder, "scv", 0, name) == 0)
        return nullptr;
    if (std::strlen(name) >= size) {
        DeleteFileA(name);
        return nullptr;
    }
    std::strcpy(temporary, name);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temporary);
        return nullptr;
    }
    return file;
}

bool Write(void *file, const void *bytes, size_t count)
{
    while (count > 0) {
        DWORD piece = count > 0x40000000 ? 0x40000000 : DWORD(count);
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(file), bytes, piece, &written, nullptr) || written != piece)
            return false;
        bytes = static_cast<const char *>(bytes) + piece;
        count -= piece;
    }
    return true;
}

bool Close(void *file)
{
    bool flushed = FlushFileBuffers(static_cast<HANDLE>(file)) != 0;
    return CloseHandle(static_cast<HANDLE>(file)) != 0 && flushed;
}

// A read-only file or a folder of that name is never replaced (a rename
// would replace a read-only file on some file systems).
bool Replace(const char *temporary, const char *target)
{
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Remove(const char *path)
{
    DeleteFileA(path);
}

} // namespace

const FileOperations kSystemFileOperations = {CreateBeside, Write, Close, Replace, Remove};

} // namespace scrivlet
