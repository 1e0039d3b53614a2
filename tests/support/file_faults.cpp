#include "support/file_faults.h"

#include "core/safe_write.h"

#include <string>

namespace scrivlet {

namespace {

FileFaults active;
void *faultedFile = nullptr; // with `onlyFor`, the new file of the faulted target

bool Faulted(const char *target)
{
    const std::string path = target, &end = active.onlyFor;
    return path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
}

// An open new file the faults apply to: every one, or with `onlyFor` the faulted target's.
bool FaultedFile(void *file)
{
    return active.onlyFor.empty() || file == faultedFile;
}

void *CreateBeside(const char *target, char *temporary, size_t size)
{
    const bool faulted = Faulted(target);
    void *file = faulted && active.createFails ? nullptr : kSystemFileOperations.createBeside(target, temporary, size);
    if (faulted && !active.onlyFor.empty())
        faultedFile = file;
    return file;
}

// A full disk: the bytes that still fit are written, the rest is refused.
bool Write(void *file, const void *bytes, size_t count)
{
    const bool faulted = FaultedFile(file);
    if (!faulted || active.writeFailsAfter < 0 || uint64_t(active.writeFailsAfter) >= count) {
        active.writeFailsAfter -= faulted && active.writeFailsAfter >= 0 ? int64_t(count) : 0;
        return kSystemFileOperations.write(file, bytes, count);
    }
    if (active.writeFailsAfter > 0)
        kSystemFileOperations.write(file, bytes, size_t(active.writeFailsAfter));
    active.writeFailsAfter = 0;
    return false;
}

bool Close(void *file)
{
    return kSystemFileOperations.close(file) && !(FaultedFile(file) && active.closeFails);
}

bool Replace(const char *temporary, const char *target)
{
    return !(Faulted(target) && active.replaceFails) && kSystemFileOperations.replace(temporary, target);
}

} // namespace

void InjectFileFaults(const FileFaults &faults)
{
    active = faults;
    faultedFile = nullptr;
    g_fileOperations = {CreateBeside, Write, Close, Replace, kSystemFileOperations.remove};
}

void RemoveFileFaults()
{
    active = FileFaults{};
    faultedFile = nullptr;
    g_fileOperations = kSystemFileOperations;
}

} // namespace scrivlet
