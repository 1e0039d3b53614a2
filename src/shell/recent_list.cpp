#include "shell/recent_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace scrivlet {

namespace {

// The next piece between ";" separators, skipping empty ones; null at the end.
const char *NextPiece(const char **cursor, size_t *length)
{
    const char *p = *cursor;
    while (*p == ';')
        ++p;
    if (*p == '\0')
        return nullptr;
    const char *end = std::strchr(p, ';');
    if (end == nullptr)
        end = p + std::strlen(p);
    *length = size_t(end - p);
    *cursor = end;
    return p;
}

uint32_t PieceNumber(const char *piece)
{
    return uint32_t(std::strtoul(piece, nullptr, 10));
}

} // namespace

void ParseRecentValue(const char *value, RecentFile *entry)
{
    *entry = RecentFile{};
    const char *cursor = value;
    size_t length;
    const char *path = NextPiece(&cursor, &length);
    if (path == nullptr || length >= kPathSize)
        return;
    std::memcpy(entry->path, path, length);
    entry->path[length] = '\0';
    if (const char *start = NextPiece(&cursor, &length)) {
        entry->selStart = entry->selEnd = PieceNumber(start);
        if (const char *end = NextPiece(&cursor, &length))
            entry->selEnd = PieceNumber(end);
    }
}

void FormatRecentValue(const RecentFile *entry, char (&value)[kRecentValueSize])
{
    if (entry->path[0] == '\0')
        value[0] = '\0';
    else
        std::snprintf(value, sizeof value, "%s;%lu;%lu", entry->path, static_cast<unsigned long>(entry->selStart),
                      static_cast<unsigned long>(entry->selEnd));
}

uint32_t CountRecentFiles(const RecentFileList *list)
{
    uint32_t count = 0;
    while (count < kRecentFileCount && list->entries[count].path[0] != '\0')
        ++count;
    return count;
}

bool AddRecentFile(RecentFileList *list, const char *path, uint32_t selStart, uint32_t selEnd)
{
    if (std::strlen(path) >= kPathSize)
        return false;
    uint32_t count = CountRecentFiles(list);
    if (count > 0 && std::strcmp(list->entries[count - 1].path, path) == 0)
        return false;
    if (count == kRecentFileCount) {
        std::memmove(&list->entries[0], &list->entries[1], (kRecentFileCount - 1) * sizeof(RecentFile));
        count = kRecentFileCount - 1;
    }
    RecentFile &entry = list->entries[count];
    std::strcpy(entry.path, path);
    entry.selStart = selStart;
    entry.selEnd = selEnd;
    return true;
}

void FormatRecentMenuItem(char (&text)[kRecentMenuTextSize], uint32_t number, const char *path)
{
    std::snprintf(text, sizeof text, "&%u %s", unsigned(number), path);
}

} // namespace scrivlet
