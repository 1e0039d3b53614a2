// Shared by the settings and file-type tests: default records, a type list, text forms.
#pragma once

#include "config/file_types.h"
#include "config/options.h"
#include "config/settings_file.h"
#include "core/id_list.h"
#include "core/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace scrivlet {

struct SettingsTest : testing::Test {
    Options options;
    uint32_t font = kFontAnsi;
    PageSetup page;
    IdList *types = nullptr;
    ScratchFolder scratch;

    void SetUp() override { Reset(); }
    void TearDown() override { FreeFileTypes(&types); }
    void Reset() // back to the defaults and an empty list
    {
        FreeFileTypes(&types);
        OptionsDefaults(&options, "C:\\start");
        PageSetupDefaults(&page);
        font = kFontAnsi;
        types = CreateIdList();
    }
    int Read(const std::string &s) { return ReadSettingsText(s.data(), s.size(), &options, &font, &page, types); }

    // "save period backup bracket recent undo indent font | left right top bottom"
    std::string Numbers() const
    {
        const Options &o = options;
        char text[160];
        std::snprintf(text, sizeof text, "%u %u %u %u %u %d %u %u | %g %g %g %g", o.autoSave, o.autoSavePeriod,
                      o.backupFiles, o.bracketHelp, o.storeRecentFileSel, o.undoLevels, o.autoIndent, font,
                      page.marginLeft, page.marginRight, page.marginTop, page.marginBottom);
        return text;
    }

    // One type per "|": name:extensions:widths:keep tabs:templates (";" up to the last used):style.
    std::string Types() const
    {
        std::string out;
        for (const IdListNode *node = types->first; node != nullptr; node = node->next) {
            const FileType *type = static_cast<const FileType *>(node->value);
            std::string fields[3];
            for (uint32_t i = 0; i < type->extensionCount; ++i)
                fields[0] += (i > 0 ? "," : "") + std::string(type->extensions[i]);
            for (uint32_t i = 0; i < type->tabWidthCount; ++i)
                fields[1] += (i > 0 ? "," : "") + std::to_string(type->tabWidths[i]);
            for (uint32_t i = 0; i < kMaxTemplates; ++i)
                fields[2] += (i > 0 ? ";" : "") + std::string(type->templates[i]);
            fields[2].erase(fields[2].find_last_not_of(';') + 1);
            out += std::string(type->name) + ":" + fields[0] + ":" + fields[1] + ":" + std::to_string(type->keepTabs) +
                   ":" + fields[2] + ":" + type->codeStyle + "|";
        }
        return out;
    }
};

} // namespace scrivlet
