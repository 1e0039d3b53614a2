#include "config/file_types.h"

#include "config/settings_numbers.h"
#include "core/allocation.h"
#include "core/ascii_case.h"
#include "core/file_names.h"
#include "core/id_list.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == ';';
}

// Calls take(piece, length) for each non-empty piece of the text between
// "," and ";" separators, until take returns false. The pieces are not
// NUL-terminated.
template <typename Take>
void ForEachPiece(const char *text, Take take)
{
    if (text == nullptr)
        return;
    while (*text != '\0') {
        size_t length = 0;
        while (text[length] != '\0' && !IsSeparator(text[length]))
            ++length;
        if (length > 0 && !take(text, length))
            return;
        text += length;
        if (*text != '\0')
            ++text;
    }
}

// Copies at most size - 1 characters of a NUL-terminated text.
void CopyCut(char *field, size_t size, const char *text)
{
    size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > size - 1)
        length = size - 1;
    std::memcpy(field, text != nullptr ? text : "", length);
    field[length] = '\0';
}

bool EqualIgnoringCase(const char *a, const char *b)
{
    while (*a != '\0' && SameIgnoringAsciiCase(static_cast<unsigned char>(*a), static_cast<unsigned char>(*b))) {
        ++a;
        ++b;
    }
    return *a == '\0' && *b == '\0';
}

// InsertSorted's predicate: the existing type's name <= the new type's name.
int NamePrecedesOrEquals(void *existing, void *inserted)
{
    return std::strcmp(static_cast<const FileType *>(existing)->name,
                       static_cast<const FileType *>(inserted)->name) <= 0;
}

const FileType *TypeOf(const IdListNode *node)
{
    return static_cast<const FileType *>(node->value);
}

// Bytes the type's filter entry takes: the name and its NUL, then "*.ext;"
// for each extension (the last ";" becomes the NUL).
size_t FilterEntrySize(const FileType *type)
{
    size_t size = std::strlen(type->name) + 1;
    for (uint32_t i = 0; i < type->extensionCount; ++i)
        size += 2 + std::strlen(type->extensions[i]) + 1;
    return size;
}

void AppendString(char *filter, size_t *used, const char *text)
{
    size_t length = std::strlen(text);
    std::memcpy(filter + *used, text, length);
    *used += length;
}

} // namespace

FileType *CreateFileType(FileType *existing, const char *name, const char *extensions, uint32_t keepTabs,
                         const char *tabWidths, const char *templates, const char *codeStyle)
{
    FileType *type = existing;
    if (type == nullptr) {
        type = static_cast<FileType *>(EngineAllocateZeroed(sizeof(FileType)));
        if (type == nullptr)
            return nullptr;
    }
    // Built aside, so the texts may be the record's own fields.
    FileType built = {};
    built.id = type->id;
    CopyCut(built.name, kFileTypeNameSize, name);
    ForEachPiece(extensions, [&built](const char *piece, size_t length) {
        if (length < kExtensionSize)
            std::memcpy(built.extensions[built.extensionCount++], piece, length);
        return built.extensionCount < kMaxExtensions;
    });
    built.keepTabs = keepTabs != 0 ? 1 : 0;
    ForEachPiece(tabWidths, [&built](const char *piece, size_t) {
        int32_t width = ReadSettingsInteger(piece); // ends at the separator at the latest
        built.tabWidths[built.tabWidthCount++] = width < 1 ? 1 : uint32_t(width);
        return built.tabWidthCount < kMaxTabWidths;
    });
    uint32_t slot = 0;
    ForEachPiece(templates, [&built, &slot](const char *piece, size_t length) {
        if (length < kTemplateSize)
            std::memcpy(built.templates[slot++], piece, length);
        return slot < kMaxTemplates;
    });
    CopyCut(built.codeStyle, kCodeStyleSize, codeStyle);
    *type = built;
    return type;
}

uint32_t InsertFileType(IdList *list, FileType *type)
{
    uint32_t id = InsertSorted(list, type, NamePrecedesOrEquals);
    if (id != 0)
        type->id = id;
    return id;
}

FileType *AddNewFileType(IdList *list)
{
    static const char kNewName[] = "File type";
    FileType *type = CreateFileType(nullptr, kNewName, "", 1, "", "", "");
    if (type == nullptr)
        return nullptr;
    if (InsertFileType(list, type) == 0) {
        EngineFree(type);
        return nullptr;
    }
    std::snprintf(type->name, kFileTypeNameSize, "%s %03u", kNewName, unsigned(type->id));
    return type;
}

void FreeFileTypes(IdList **list)
{
    if (list == nullptr || *list == nullptr)
        return;
    for (IdListNode *node = (*list)->first; node != nullptr; node = node->next)
        EngineFree(node->value);
    DestroyIdList(list);
}

const char *ExtensionOf(const char *fileName)
{
    const char *extension = ExtensionWithDot(fileName);
    return *extension == '.' ? extension + 1 : extension;
}

// Walks the nodes itself rather than with IterateValues, so it never
// disturbs an iteration the caller has under way.
const FileType *ChooseFileType(const IdList *list, const char *fileName)
{
    const char *extension = ExtensionOf(fileName);
    for (const IdListNode *node = list->first; node != nullptr; node = node->next) {
        const FileType *type = TypeOf(node);
        for (uint32_t i = 0; i < type->extensionCount; ++i) {
            if (EqualIgnoringCase(type->extensions[i], extension))
                return type;
        }
    }
    return nullptr;
}

uint32_t BuildFileFilter(const IdList *list, char (&filter)[kFileFilterSize])
{
    static const char kAllFiles[] = "All files (*.*)\0*.*"; // two strings
    size_t used = sizeof kAllFiles;                          // both with their NULs
    std::memcpy(filter, kAllFiles, used);
    uint32_t leftOut = 0;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next) {
        const FileType *type = TypeOf(node);
        if (type->extensionCount == 0)
            continue;
        // One byte stays free for the NUL that ends the filter.
        if (type->name[0] == '\0' || used + FilterEntrySize(type) + 1 > kFileFilterSize) {
            ++leftOut;
            continue;
        }
        AppendString(filter, &used, type->name);
        filter[used++] = '\0';
        for (uint32_t i = 0; i < type->extensionCount; ++i) {
            AppendString(filter, &used, "*.");
            AppendString(filter, &used, type->extensions[i]);
            filter[used++] = ';';
        }
        filter[used - 1] = '\0';
    }
    filter[used] = '\0';
    return leftOut;
}

} // namespace scrivlet
