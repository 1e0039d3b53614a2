// Safe writes that fail on purpose: the file operations of the system with
// one of them made to fail, as a full disk, a folder that refuses new files
// or a target that cannot be replaced would. Active until RemoveFileFaults.
#pragma once

#include <cstdint>
#include <string>

namespace scrivlet {

struct FileFaults {
    std::string onlyFor;          // the faults touch only targets whose path ends so; "": every target
    int64_t writeFailsAfter = -1; // bytes that still reach the file before writes fail; -1: never
    bool createFails = false;     // no new file can be made beside the target
    bool closeFails = false;
    bool replaceFails = false;    // the target cannot be replaced
};

void InjectFileFaults(const FileFaults &faults);
void RemoveFileFaults();

} // namespace scrivlet
