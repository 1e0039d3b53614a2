// The list of the last five documents the user left, as it is stored in the
// registry: values "RecentFile1" (the oldest) to "RecentFile5", each
// "path;start;end" with the selection the document had. Portable: the
// registry access lives with the main window.
#pragma once

#include "shell/app_texts.h"

#include <cstdint>

namespace scrivlet {

enum : uint32_t {
    kRecentFileCount = 5,
    kRecentValueSize = 324,   // the buffer a registry value is read into
    kRecentMenuTextSize = kPathSize + 8,
};

struct RecentFile {
    char path[kPathSize]; // empty for an unused slot
    uint32_t selStart;
    uint32_t selEnd;
};

// Entry 0 is the oldest; the filled entries come first and an empty path
// ends the list.
struct RecentFileList {
    RecentFile entries[kRecentFileCount];
};

// Reads one value: pieces split at ";" (empty pieces skipped) are the path,
// the selection start and the selection end, the numbers decimal. Without a
// third piece the end is the start; without a second both are 0. A path
// longer than a path buffer holds is dropped (the slot reads as empty)
// rather than cut into the name of another file.
void ParseRecentValue(const char *value, RecentFile *entry);

// "%s;%lu;%lu", or an empty string for an unused slot.
void FormatRecentValue(const RecentFile *entry, char (&value)[kRecentValueSize]);

// The filled entries before the first empty one.
uint32_t CountRecentFiles(const RecentFileList *list);

// Puts a document that is being left at the newest end. Nothing changes
// (and false is returned) when the path equals the newest entry byte for
// byte; a full list drops its oldest entry first.
bool AddRecentFile(RecentFileList *list, const char *path, uint32_t selStart, uint32_t selEnd);

// "&%d %s" with the 1-based number and the path.
void FormatRecentMenuItem(char (&text)[kRecentMenuTextSize], uint32_t number, const char *path);

} // namespace scrivlet
