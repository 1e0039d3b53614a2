// The settings file shipped in data/: it reads cleanly, chooses a type for
// the common extensions and names a shipped style for each.
#include "config/settings_file.h"

#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "settings_test_support.h"

namespace scrivlet {

namespace {

using ShippedSettings = SettingsTest;

const std::string kData = SCRIVLET_DATA_DIR;

TEST_F(ShippedSettings, ChooseTheShippedStylesByExtension)
{
    ASSERT_EQ(ReadSettings((kData + "/Scrivlet.ini").c_str(), &options, &font, &page, types), 0);
    ASSERT_EQ(ReadStyleFile((kData + "/styles.dat").c_str(), true, true, nullptr), 1);
    const struct {
        const char *fileName, *type;
        uint32_t keepTabs, width;
    } cases[] = {
        {"main.cpp", "C/C++", 1, 4},   {"STDIO.H", "C/C++", 1, 4},      {"Program.cs", "C#", 0, 4},
        {"Main.java", "Java", 0, 4},   {"app.mjs", "JavaScript", 0, 2}, {"setup.py", "Python", 0, 4},
        {"q.sql", "SQL", 0, 4},        {"logo.svg", "HTML/XML", 0, 2},  {"driver.inf", "INI", 1, 4},
        {"build.bash", "Shell", 1, 4}, {"make.cmd", "Batch", 1, 4},     {"unit.dpr", "Pascal", 0, 2},
    };
    for (const auto &c : cases) {
        const FileType *type = ChooseFileType(types, c.fileName);
        ASSERT_NE(type, nullptr) << c.fileName;
        EXPECT_STREQ(type->name, c.type);
        EXPECT_EQ(type->keepTabs * 100 + type->tabWidthCount * 10 + type->tabWidths[0], c.keepTabs * 100 + 10 + c.width)
            << c.fileName << ": keep tabs, one width";
    }
    EXPECT_EQ(ChooseFileType(types, "README"), nullptr);
    EXPECT_EQ(CountIds(types), 11u);
    for (const IdListNode *node = types->first; node != nullptr; node = node->next) {
        const FileType *type = static_cast<const FileType *>(node->value);
        EXPECT_NE(FindStyleByName(type->codeStyle), 0u) << type->name << " names no shipped style";
    }
    ClearStyles();
}

// The file is the writer's output of the defaults less the DefaultDirectory
// line, so that the directory stays the one the program starts in.
TEST_F(ShippedSettings, AreTheWritersOutputWithoutADefaultDirectory)
{
    ASSERT_EQ(ReadSettings((kData + "/Scrivlet.ini").c_str(), &options, &font, &page, types), 0);
    EXPECT_EQ(Numbers(), "0 15 0 0 0 100 0 0 | 0.63 0.63 0 0");
    EXPECT_STREQ(options.defaultDirectory, "C:\\start");
    ASSERT_EQ(WriteSettings(Path("Scrivlet.ini").c_str(), &options, font, &page, types), 1);
    std::string written = Contents(Path("Scrivlet.ini"));
    const std::string line = "DefaultDirectory=C:\\start\r\n";
    ASSERT_NE(written.find(line), std::string::npos);
    EXPECT_EQ(written.erase(written.find(line), line.size()), Contents(kData + "/Scrivlet.ini"));
}

} // namespace

} // namespace scrivlet
