// The settings file shipped in data/: the writer's output of the defaults
// less the DefaultDirectory line (so that the directory stays the one the
// program starts in), with file types that each name a shipped style.
#include "config/settings_file.h"

#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "settings_test_support.h"

namespace scrivlet {

namespace {

using ShippedSettings = SettingsTest;

TEST_F(ShippedSettings, AreTheWritersOutputAndNameShippedStyles)
{
    const std::string data = SCRIVLET_DATA_DIR;
    ASSERT_EQ(ReadSettings((data + "/Scrivlet.ini").c_str(), &options, &font, &page, types), 0);
    EXPECT_EQ(Numbers(), "0 15 0 0 0 100 0 0 | 0.63 0.63 0 0");
    ASSERT_EQ(WriteSettings(Path("Scrivlet.ini").c_str(), &options, font, &page, types), 1);
    std::string written = Contents(Path("Scrivlet.ini"));
    const std::string line = "DefaultDirectory=C:\\start\r\n";
    ASSERT_NE(written.find(line), std::string::npos);
    EXPECT_EQ(written.erase(written.find(line), line.size()), Contents(data + "/Scrivlet.ini"));

    ASSERT_EQ(ReadStyleFile((data + "/styles.dat").c_str(), true, true, nullptr), 1);
    EXPECT_GT(CountIds(types), 5u);
    for (const IdListNode *node = types->first; node != nullptr; node = node->next) {
        const FileType *type = static_cast<const FileType *>(node->value);
        EXPECT_NE(FindStyleByName(type->codeStyle), 0u) << type->name << " names no shipped style";
        if (type->extensionCount > 0) {
            EXPECT_EQ(ChooseFileType(types, (std::string("x.") + type->extensions[0]).c_str()), type) << type->name;
        }
    }
    ClearStyles();
}

} // namespace

} // namespace scrivlet
