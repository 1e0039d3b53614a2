#include "config/settings_file.h"

#include "config/file_types.h"
#include "config/settings_numbers.h"
#include "core/allocation.h"
#include "core/ascii_case.h"
#include "core/id_list.h"
#include "core/safe_write.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

const char kSettingsFileName[] = "Scrivlet.ini";

namespace {

// The keys, in the order the writer puts them out.
enum Key {
    kAutoSave,
    kAutoSavePeriod,
    kBackupFiles,
    kBracketHelp,
    kStoreRecentFileSel,
    kUndoLevels,
    kAutoIndent,
    kDefaultDirectory,
    kFont,
    kName,
    kExtensions,
    kTabStops,
    kKeepTabs,
    kTemplate,
    kCodeStyle,
    kHeader,
    kFooter,
    kMarginLeft,
    kMarginRight,
    kMarginTop,
    kMarginBottom,
    kKeyCount
};

const char *const kKeyNames[kKeyCount] = {
    "AutoSave",   "AutoSavePeriod", "BackupFiles", "BracketHelp", "StoreRecentFileSel", "UndoLevels",
    "AutoIndent", "DefaultDirectory", "Font",
    "Name",       "Extensions",     "TabStops",    "KeepTabs",    "Template",           "CodeStyle",
    "Header",     "Footer",         "MarginLeft",  "MarginRight", "MarginTop",          "MarginBottom",
};

enum : uint32_t { kListTextSize = 64 }; // Extensions and TabStops values: 63 characters

// The file type the lines since the last flush describe.
struct PendingFileType {
    char name[kFileTypeNameSize];
    char extensions[kListTextSize];
    char tabWidths[kListTextSize];
    uint32_t keepTabs;                      // 1 until a KeepTabs line says otherwise
    char templates[kTemplateListLimit + 1]; // Template values joined with ";"
    char codeStyle[kCodeStyleSize];
};

struct SettingsReader {
    Options *options;     // where the values go
    uint32_t *font;
    PageSetup *pageSetup;
    IdList *fileTypes;    // receives each type when it is flushed
    PendingFileType pending;
    int error;            // the last error noted, 0 when none
    char *line;           // the line being collected; null until its first byte
    size_t length;        // bytes collected; line[length] is kept free for a NUL
    size_t capacity;      // bytes allocated at line
    bool ended;           // a NUL ended the line's content; the rest up to the LF is ignored
    bool lost;            // the buffer could not grow; the line is skipped
};

// Whether the key text (not NUL-terminated) is the key, ignoring ASCII case.
bool IsKey(const char *text, size_t length, const char *key)
{
    for (size_t i = 0; i < length; ++i) {
        if (key[i] == '\0' ||
            !SameIgnoringAsciiCase(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(key[i])))
            return false;
    }
    return key[length] == '\0';
}

Key KeyOf(const char *text, size_t length)
{
    for (int key = 0; key < kKeyCount; ++key) {
        if (IsKey(text, length, kKeyNames[key]))
            return Key(key);
    }
    return kKeyCount;
}

// Copies a value into a field of `size` bytes, or notes error 18 and leaves
// the field as it was when the value is longer than size - 1.
void TakeText(SettingsReader *reader, char *field, size_t size, const char *value, size_t length)
{
    if (length > size - 1) {
        reader->error = kSettingsErrorValueTooLong;
        return;
    }
    std::memcpy(field, value, length);
    field[length] = '\0';
}

void AppendTemplate(SettingsReader *reader, const char *value, size_t length)
{
    char *list = reader->pending.templates;
    size_t used = std::strlen(list);
    size_t separator = used > 0 ? 1 : 0;
    if (used + separator + length > kTemplateListLimit) {
        reader->error = kSettingsErrorValueTooLong;
        return;
    }
    if (separator != 0)
        list[used++] = ';';
    std::memcpy(list + used, value, length);
    list[used + length] = '\0';
}

// Creates and inserts the pending type when it has a name, then starts an
// empty one.
void FlushFileType(SettingsReader *reader)
{
    PendingFileType &pending = reader->pending;
    if (pending.name[0] == '\0')
        return;
    FileType *type = CreateFileType(nullptr, pending.name, pending.extensions, pending.keepTabs,
                                    pending.tabWidths, pending.templates, pending.codeStyle);
    if (type == nullptr || InsertFileType(reader->fileTypes, type) == 0) {
        EngineFree(type);
        reader->error = kSettingsErrorFileType;
    }
    pending = PendingFileType{};
    pending.keepTabs = 1;
}

uint32_t Flag(const char *value)
{
    return uint32_t(ClampInteger(ReadSettingsInteger(value), 0, 1));
}

double Margin(const char *value)
{
    return ClampDecimal(ReadSettingsDecimal(value), 0.0, 5.0);
}

// One line, NUL-terminated at `length` and holding no other NUL.
void TakeLine(SettingsReader *reader, const char *line, size_t length)
{
    while (*line == ' ') {
        ++line;
        --length;
    }
    if (length == 0 || *line == ';' || *line == '[')
        return;
    const char *equals = static_cast<const char *>(std::memchr(line, '=', length));
    if (equals == nullptr)
        return;
    const char *value = equals + 1;
    size_t valueLength = length - size_t(value - line);
    Options *options = reader->options;
    PageSetup *page = reader->pageSetup;
    PendingFileType &pending = reader->pending;
    switch (KeyOf(line, size_t(equals - line))) {
    case kAutoSave:
        options->autoSave = Flag(value);
        break;
    case kAutoSavePeriod:
        options->autoSavePeriod =
            uint32_t(ClampInteger(ReadSettingsInteger(value), kMinAutoSavePeriod, kMaxAutoSavePeriod));
        break;
    case kBackupFiles:
        options->backupFiles = Flag(value);
        break;
    case kBracketHelp:
        options->bracketHelp = Flag(value);
        break;
    case kStoreRecentFileSel:
        options->storeRecentFileSel = Flag(value);
        break;
    case kUndoLevels:
        options->undoLevels = ReadSettingsInteger(value);
        break;
    case kAutoIndent:
        options->autoIndent = Flag(value);
        break;
    case kDefaultDirectory:
        TakeText(reader, options->defaultDirectory, kDirectorySize, value, valueLength);
        break;
    case kFont:
        *reader->font = uint32_t(ClampInteger(ReadSettingsInteger(value), kFontAnsi, kFontSystem));
        break;
    case kName:
        FlushFileType(reader);
        TakeText(reader, pending.name, kFileTypeNameSize, value, valueLength);
        break;
    case kExtensions:
        TakeText(reader, pending.extensions, kListTextSize, value, valueLength);
        break;
    case kTabStops:
        TakeText(reader, pending.tabWidths, kListTextSize, value, valueLength);
        break;
    case kKeepTabs:
        pending.keepTabs = Flag(value);
        break;
    case kTemplate:
        AppendTemplate(reader, value, valueLength);
        break;
    case kCodeStyle:
        TakeText(reader, pending.codeStyle, kCodeStyleSize, value, valueLength);
        break;
    case kHeader:
        TakeText(reader, page->header, kPageTextSize, value, valueLength);
        break;
    case kFooter:
        TakeText(reader, page->footer, kPageTextSize, value, valueLength);
        break;
    case kMarginLeft:
        page->marginLeft = Margin(value);
        break;
    case kMarginRight:
        page->marginRight = Margin(value);
        break;
    case kMarginTop:
        page->marginTop = Margin(value);
        break;
    case kMarginBottom:
        page->marginBottom = Margin(value);
        break;
    case kKeyCount:
        break; // an unknown key
    }
}

void StartReading(SettingsReader *reader, Options *options, uint32_t *font, PageSetup *pageSetup,
                  IdList *fileTypes)
{
    *reader = SettingsReader{};
    reader->options = options;
    reader->font = font;
    reader->pageSetup = pageSetup;
    reader->fileTypes = fileTypes;
    reader->pending.keepTabs = 1;
}

// Takes the collected line; atLineFeed says an LF ended it (not the end of
// the file).
void EndLine(SettingsReader *reader, bool atLineFeed)
{
    if (reader->lost) {
        reader->error = kSettingsErrorValueTooLong;
    } else if (reader->line != nullptr) {
        if (atLineFeed && !reader->ended && reader->length > 0 && reader->line[reader->length - 1] == '\r')
            --reader->length;
        reader->line[reader->length] = '\0';
        TakeLine(reader, reader->line, reader->length);
    }
    reader->length = 0;
    reader->ended = false;
    reader->lost = false;
}

// Adds one byte of the file; an LF ends the line.
void AddByte(SettingsReader *reader, char byte)
{
    if (byte == '\n') {
        EndLine(reader, true);
        return;
    }
    if (reader->ended || reader->lost)
        return;
    if (byte == '\0') {
        reader->ended = true;
        return;
    }
    if (reader->length + 1 >= reader->capacity) {
        // Doubled in 64 bits: on a 32-bit system the product may not fit.
        uint64_t capacity = reader->capacity == 0 ? 512 : uint64_t(reader->capacity) * 2;
        char *grown = static_cast<char *>(EngineReallocateArray(reader->line, capacity, 1));
        if (grown == nullptr) {
            reader->lost = true;
            return;
        }
        reader->line = grown;
        reader->capacity = size_t(capacity);
    }
    reader->line[reader->length++] = byte;
}

int FinishReading(SettingsReader *reader)
{
    if (reader->length > 0 || reader->ended || reader->lost)
        EndLine(reader, false); // the last line, without an LF
    FlushFileType(reader);
    EngineFree(reader->line);
    reader->line = nullptr;
    return reader->error;
}

void WriteNumber(SafeWrite *file, Key key, int value)
{
    SafeWriteFormatted(file, "%s=%d\r\n", kKeyNames[key], value);
}

void WriteText(SafeWrite *file, Key key, const char *value)
{
    SafeWriteFormatted(file, "%s=%s\r\n", kKeyNames[key], value);
}

void WriteMargin(SafeWrite *file, Key key, double value)
{
    SafeWriteFormatted(file, "%s=%.2f\r\n", kKeyNames[key], value);
}

void WriteFileType(SafeWrite *file, const FileType *type)
{
    WriteText(file, kName, type->name);
    SafeWriteFormatted(file, "%s=", kKeyNames[kExtensions]);
    for (uint32_t i = 0; i < type->extensionCount; ++i)
        SafeWriteFormatted(file, i == 0 ? "%s" : ",%s", type->extensions[i]);
    SafeWriteFormatted(file, "\r\n%s=", kKeyNames[kTabStops]);
    for (uint32_t i = 0; i < type->tabWidthCount; ++i)
        SafeWriteFormatted(file, i == 0 ? "%d" : ",%d", int(type->tabWidths[i]));
    SafeWriteText(file, "\r\n");
    WriteNumber(file, kKeepTabs, int(type->keepTabs));
    for (uint32_t i = 0; i < kMaxTemplates; ++i) {
        if (type->templates[i][0] != '\0')
            WriteText(file, kTemplate, type->templates[i]);
    }
    WriteText(file, kCodeStyle, type->codeStyle);
}

} // namespace

int ReadSettings(const char *path, Options *options, uint32_t *font, PageSetup *pageSetup, IdList *fileTypes)
{
    std::FILE *file = std::fopen(path, "rb");
    if (file == nullptr)
        return kSettingsErrorOpen;
    SettingsReader reader;
    StartReading(&reader, options, font, pageSetup, fileTypes);
    for (int byte = std::getc(file); byte != EOF; byte = std::getc(file))
        AddByte(&reader, char(byte));
    std::fclose(file);
    return FinishReading(&reader);
}

int ReadSettingsText(const char *text, size_t length, Options *options, uint32_t *font, PageSetup *pageSetup,
                     IdList *fileTypes)
{
    SettingsReader reader;
    StartReading(&reader, options, font, pageSetup, fileTypes);
    for (size_t i = 0; i < length; ++i)
        AddByte(&reader, text[i]);
    return FinishReading(&reader);
}

int WriteSettings(const char *path, const Options *options, uint32_t font, const PageSetup *pageSetup,
                  const IdList *fileTypes)
{
    SafeWrite safeWrite;
    SafeWrite *file = &safeWrite;
    BeginSafeWrite(file, path);
    SafeWriteText(file, "[Options]\r\n");
    WriteNumber(file, kAutoSave, int(options->autoSave));
    WriteNumber(file, kAutoSavePeriod, int(options->autoSavePeriod));
    WriteNumber(file, kBackupFiles, int(options->backupFiles));
    WriteNumber(file, kBracketHelp, int(options->bracketHelp));
    WriteNumber(file, kStoreRecentFileSel, int(options->storeRecentFileSel));
    WriteNumber(file, kUndoLevels, options->undoLevels);
    WriteNumber(file, kAutoIndent, int(options->autoIndent));
    WriteText(file, kDefaultDirectory, options->defaultDirectory);
    WriteNumber(file, kFont, int(font));
    SafeWriteText(file, "\r\n[File Types]\r\n");
    for (const IdListNode *node = fileTypes->first; node != nullptr; node = node->next)
        WriteFileType(file, static_cast<const FileType *>(node->value));
    SafeWriteText(file, "\r\n[Page Setup]\r\n");
    WriteText(file, kHeader, pageSetup->header);
    WriteText(file, kFooter, pageSetup->footer);
    WriteMargin(file, kMarginLeft, pageSetup->marginLeft);
    WriteMargin(file, kMarginRight, pageSetup->marginRight);
    WriteMargin(file, kMarginTop, pageSetup->marginTop);
    WriteMargin(file, kMarginBottom, pageSetup->marginBottom);
    return FinishSafeWrite(file) == kSafeWriteDone ? 1 : 0;
}

} // namespace scrivlet
