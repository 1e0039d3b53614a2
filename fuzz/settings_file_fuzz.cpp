// libFuzzer target for the settings file reader. The input is a settings
// file: it is read from memory and from a file, then written and read back.
// Checked beyond the sanitizers:
// - reading from a file and from memory give the same result and records;
// - the result is 0, 18 or 19, and every value lies within its range: flags
//   0 or 1, the period 1..1440, the font 0..2, the margins 0.0..5.0, every
//   text NUL-terminated inside its field, the file types in name order with
//   their counts within 16, 64 and 10 and every tab width at least 1;
// - the written file reads back with no error into the same records (the
//   margins rounded to two decimals), and writing those gives the same bytes.
#include "config/file_types.h"
#include "config/options.h"
#include "config/settings_file.h"
#include "core/allocation.h"
#include "core/id_list.h"

#include "fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

using namespace scrivlet;

namespace {

namespace fs = std::filesystem;


bool Terminated(const char *field, size_t size)
{
    return std::memchr(field, '\0', size) != nullptr;
}

// Everything a reading produced, with defaults set before it.
struct Settings {
    Options options;
    uint32_t font;
    PageSetup page;
    IdList *types;

    Settings()
    {
        OptionsDefaults(&options, "/start");
        PageSetupDefaults(&page);
        font = kFontAnsi;
        types = CreateIdList();
        Check(types != nullptr, "no list");
    }
    ~Settings() { FreeFileTypes(&types); }

    // The records as text, margins with two decimals.
    std::string Describe() const
    {
        const Options &o = options;
        char numbers[256];
        std::snprintf(numbers, sizeof numbers, "%u %u %u %u %u %d %u %u %.2f %.2f %.2f %.2f|", o.autoSave,
                      o.autoSavePeriod, o.backupFiles, o.bracketHelp, o.storeRecentFileSel, o.undoLevels,
                      o.autoIndent, font, page.marginLeft, page.marginRight, page.marginTop, page.marginBottom);
        std::string out = std::string(numbers) + o.defaultDirectory + "|" + page.header + "|" + page.footer + "|";
        for (const IdListNode *node = types->first; node != nullptr; node = node->next) {
            const FileType *type = static_cast<const FileType *>(node->value);
            out += std::string(type->name) + "|" + std::to_string(type->keepTabs) + "|" + type->codeStyle + "|";
            for (uint32_t i = 0; i < type->extensionCount; ++i)
                out += std::string(type->extensions[i]) + ",";
            for (uint32_t i = 0; i < type->tabWidthCount; ++i)
                out += std::to_string(type->tabWidths[i]) + ",";
            for (uint32_t i = 0; i < kMaxTemplates; ++i)
                out += std::string(type->templates[i]) + ";";
            out += "\n";
        }
        return out;
    }

    void CheckRanges() const
    {
        const Options &o = options;
        Check(o.autoSave <= 1 && o.backupFiles <= 1 && o.bracketHelp <= 1 && o.storeRecentFileSel <= 1 &&
                  o.autoIndent <= 1,
              "a flag beyond 1");
        Check(o.autoSavePeriod >= 1 && o.autoSavePeriod <= 1440, "period out of range");
        Check(font <= kFontSystem, "font out of range");
        for (double margin : {page.marginLeft, page.marginRight, page.marginTop, page.marginBottom})
            Check(margin >= 0.0 && margin <= 5.0, "margin out of range");
        Check(Terminated(o.defaultDirectory, kDirectorySize) && Terminated(page.header, kPageTextSize) &&
                  Terminated(page.footer, kPageTextSize),
              "an unterminated text");
        const FileType *previous = nullptr;
        for (const IdListNode *node = types->first; node != nullptr; node = node->next) {
            const FileType *type = static_cast<const FileType *>(node->value);
            Check(type->id == node->id, "id not stored");
            Check(type->name[0] != '\0' && Terminated(type->name, kFileTypeNameSize) &&
                      Terminated(type->codeStyle, kCodeStyleSize),
                  "bad name or style");
            Check(previous == nullptr || std::strcmp(previous->name, type->name) <= 0, "not in name order");
            Check(type->extensionCount <= kMaxExtensions && type->tabWidthCount <= kMaxTabWidths &&
                      type->keepTabs <= 1,
                  "count out of range");
            for (uint32_t i = 0; i < type->extensionCount; ++i)
                Check(type->extensions[i][0] != '\0' && Terminated(type->extensions[i], kExtensionSize),
                      "bad extension");
            for (uint32_t i = 0; i < type->tabWidthCount; ++i)
                Check(type->tabWidths[i] >= 1, "tab width below 1");
            for (uint32_t i = 0; i < kMaxTemplates; ++i)
                Check(Terminated(type->templates[i], kTemplateSize), "bad template");
            previous = type;
        }
    }

    int ReadText(const uint8_t *data, size_t size)
    {
        return ReadSettingsText(reinterpret_cast<const char *>(data), size, &options, &font, &page, types);
    }

    int ReadFile(const std::string &path) { return ReadSettings(path.c_str(), &options, &font, &page, types); }

    std::string Write(const char *name) const
    {
        const std::string path = PathOf(name);
        Check(WriteSettings(path.c_str(), &options, font, &page, types) == 1, "writing failed");
        return path;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Settings fromMemory;
    int error = fromMemory.ReadText(data, size);
    Check(error == 0 || error == kSettingsErrorValueTooLong || error == kSettingsErrorFileType, "unknown error");
    fromMemory.CheckRanges();

    const std::string input = PathOf("input.ini");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    Settings fromFile;
    Check(fromFile.ReadFile(input) == error, "file and memory disagree on the result");
    Check(fromFile.Describe() == fromMemory.Describe(), "file and memory disagree on the records");

    const std::string first = fromMemory.Write("first.ini");
    Settings readBack;
    Check(readBack.ReadFile(first) == 0, "the writer's output reads with an error");
    Check(readBack.Describe() == fromMemory.Describe(), "a write and a read changed the records");
    const std::string second = readBack.Write("second.ini");
    Check(Contents(first) == Contents(second), "writing what was read back gave other bytes");

    // The out-of-memory paths, at an allocation chosen by the input.
    {
        Settings starved;
        FailNthAllocation(1 + size % 16);
        starved.ReadText(data, size);
        FailNthAllocation(0);
        starved.CheckRanges();
    }
    return 0;
}
