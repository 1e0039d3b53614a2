// The file operations of a safe write on POSIX systems, where the native
// build and its tests run.
#include "core/safe_write.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scrivlet {

namespace {

// "<target>.XXXXXX", made unique by mkstemp: the same folder as the target.
void *CreateBeside(const char *target, char *temporary, size_t size)
{
    int length = std::snprintf(temporary, size, "%s.XXXXXX", target);
    if (length < 0 || size_t(length) >= size)
        return nullptr;
    int descriptor = mkstemp(temporary);
    if (descriptor < 0)
        return nullptr;
    std::FILE *file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
        unlink(temporary);
    }
    return file;
}

bool Write(void *file, const void *bytes, size_t count)
{
    return std::fwrite(bytes, 1, count, static_cast<std::FILE *>(file)) == count;
}

bool Close(void *file)
{
    std::FILE *stream = static_cast<std::FILE *>(file);
    bool written = std::fflush(stream) == 0 && fsync(fileno(stream)) == 0;
    return std::fclose(stream) == 0 && written;
}

// rename() replaces the target in one step; a target the user may not
// write to, or a folder, is refused as it would be on Windows. The new file
// keeps the old one's permissions.
bool Replace(const char *temporary, const char *target)
{
    struct stat old;
    bool existed = stat(target, &old) == 0;
    if (existed && (S_ISDIR(old.st_mode) || access(target, W_OK) != 0))
        return false;
    if (existed && chmod(temporary, old.st_mode & 07777) != 0)
        return false;
    return std::rename(temporary, target) == 0;
}

void Remove(const char *path)
{
    unlink(path);
}

} // namespace

const FileOperations kSystemFileOperations = {CreateBeside, Write, Close, Replace, Remove};

} // namespace scrivlet
