#include "config/settings_file.h"

#include "core/allocation.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "settings_test_support.h"

#include <cstring>

namespace scrivlet {

namespace {

using namespace std::string_literals;
using Settings = SettingsTest;

const char kDefaults[] = "0 15 0 0 0 100 0 0 | 0.63 0.63 0 0";

TEST_F(Settings, NumbersFollowTheirKeysLenientlyAndClamped)
{
    const struct { std::string text, numbers; } cases[] = {
        {"AutoSavePeriod=2000", "0 1440 0 0 0 100 0 0 | 0.63 0.63 0 0"},
        {"autosaveperiod=\t +30min", "0 30 0 0 0 100 0 0 | 0.63 0.63 0 0"},
        {"Font=1\nUndoLevels=99999999999", "0 15 0 0 0 2147483647 0 1 | 0.63 0.63 0 0"},
        {"MarginTop=9\nMarginBottom=-1\nMarginLeft=1.5e0x\nMarginRight= .25", "0 15 0 0 0 100 0 0 | 1.5 0.25 5 0"},
        // Lines that are no key: only spaces lead, a key has no spaces of its own.
        {"\tAutoSave=1\nAutoSave =1\n;AutoSave=1\n[AutoSave=1]\nAutoSav=1\nAutoSaveX=1", kDefaults},
        {"AutoSave\0Period=7\nAutoSavePeriod=\0"s "7\nAutoSave=1=0\r\n", "1 1 0 0 0 100 0 0 | 0.63 0.63 0 0"},
    };
    for (const auto &c : cases) {
        Reset();
        EXPECT_EQ(Read(c.text), 0) << c.text;
        EXPECT_EQ(Numbers(), c.numbers) << c.text;
    }
}

// Texts are taken untrimmed; one too long keeps the previous value and reading goes on.
TEST_F(Settings, TextValuesAreTakenWholeUpToTheirLimits)
{
    EXPECT_EQ(Read("Header=  &P \rpage  \nFooter=\nDefaultDirectory= D:\\x "), 0);
    EXPECT_EQ(std::string(page.header) + "|" + page.footer + "|" + options.defaultDirectory, "  &P \rpage  || D:\\x ");
    EXPECT_EQ(Read("Footer=" + std::string(511, 'a')), 0);
    EXPECT_EQ(Read("Footer=" + std::string(512, 'b') + "\nAutoSave=1"), kSettingsErrorValueTooLong);
    EXPECT_EQ(page.footer + std::to_string(options.autoSave), std::string(511, 'a') + "1");
}

TEST_F(Settings, FileTypesCollectFromTheLinesAfterEachName)
{
    const std::string list63 = std::string(61, '1') + ",2", b2607(2607, 'b');
    const struct { std::string text; int error; std::string types; } cases[] = {
        {"Name=" + std::string(63, 'n') + "\nExtensions=" + list63 + "\nTabStops=" + list63 + "\nCodeStyle=" +
             std::string(79, 's'),
         0, std::string(63, 'n') + ":" + list63 + ":2147483647,2:1::" + std::string(79, 's') + "|"},
        {"Name=A\nExtensions=a\nName=" + std::string(64, 'n') + "\nExtensions=b\nKeepTabs=0\nName=C", 18,
         "A:a::1::|C:b::0::|"},
        {"Name=T\nTemplate=a\nTemplate=" + b2607 + "\nTemplate=c", 18, "T:::1:a:|"}, // joined past 2609
        // One CR right before an LF ends a line with it.
        {"Name=N\r\nCodeStyle=S\r\r\nName=O\nCodeStyle=S\rT\nName=P\nCodeStyle=S\r", 0,
         "N:::1::S\r|O:::1::S\rT|P:::1::S\r|"},
    };
    for (const auto &c : cases) {
        Reset();
        EXPECT_EQ(Read(c.text), c.error) << c.text;
        EXPECT_EQ(Types(), c.types) << c.text;
    }
}

// Allocations for "Name=A\nName=B": line buffer, A's record and node, B's; a failure loses that line.
TEST_F(Settings, ReadingReturnsTheLastErrorAndLongLinesAreReadWhole)
{
    const std::string tooLong = "DefaultDirectory=" + std::string(260, 'd') + "\n";
    const struct { unsigned long failing; std::string prefix, suffix; int error; const char *types; } cases[] = {
        {1, "", "", 18, "B:::1::|"}, {5, tooLong, "", 19, "A:::1::|"}, {3, "", "\n" + tooLong, 18, "B:::1::|"},
    };
    for (const auto &c : cases) {
        Reset();
        FailNthAllocation(c.failing);
        EXPECT_EQ(Read(c.prefix + "Name=A\nName=B" + c.suffix), c.error) << c.failing;
        FailNthAllocation(0);
        EXPECT_EQ(Types(), c.types) << c.failing;
    }
    FailNthAllocation(2); // the buffer's first 512 bytes come, its growth fails
    EXPECT_EQ(Read("Header=" + std::string(1000, 'h') + "\nAutoSave=1"), kSettingsErrorValueTooLong);
    FailNthAllocation(0);
    EXPECT_STREQ(page.header, "&F");
    EXPECT_EQ(options.autoSave, 1u) << "only that line was skipped";
}

TEST_F(Settings, DefaultsStandWhereTheFileIsMissing)
{
    EXPECT_EQ(ReadSettings(scratch.Path("absent.ini").c_str(), &options, &font, &page, types), kSettingsErrorOpen);
    EXPECT_EQ(Numbers() + page.header + page.footer + options.defaultDirectory, kDefaults + "&F&PC:\\start"s);
    OptionsDefaults(&options, std::string(260, 'd').c_str());
    EXPECT_STREQ(options.defaultDirectory, "") << "a directory that does not fit is not cut";
}

TEST_F(Settings, WrittenFileHasEveryLineInOrderAndReadsBackTheSame)
{
    options = {1, 30, 1, 0, 1, -5, 1, "C:\\Work "};
    std::strcpy(page.header, " &F - &D");
    std::strcpy(page.footer, "");
    page.marginRight = 1.006;
    ASSERT_EQ(Read("Name=Source\nExtensions=c;;h\nTabStops=4;0\nKeepTabs=0\nTemplate=C:\\t.c\nTemplate=C:\\u.h\n"
                   "CodeStyle=C/C++\nName= Plain\n"),
              0);
    const std::string path = scratch.Path("Scrivlet.ini");
    ASSERT_EQ(WriteSettings(path.c_str(), &options, kFontSystem, &page, types), 1);
    EXPECT_EQ(ScratchFolder::Get(path),
              "[Options]\r\nAutoSave=1\r\nAutoSavePeriod=30\r\nBackupFiles=1\r\nBracketHelp=0\r\n"
              "StoreRecentFileSel=1\r\nUndoLevels=-5\r\nAutoIndent=1\r\nDefaultDirectory=C:\\Work \r\nFont=2\r\n"
              "\r\n[File Types]\r\n"
              "Name= Plain\r\nExtensions=\r\nTabStops=\r\nKeepTabs=1\r\nCodeStyle=\r\n"
              "Name=Source\r\nExtensions=c,h\r\nTabStops=4,1\r\nKeepTabs=0\r\nTemplate=C:\\t.c\r\nTemplate=C:\\u.h\r\n"
              "CodeStyle=C/C++\r\n"
              "\r\n[Page Setup]\r\nHeader= &F - &D\r\nFooter=\r\n"
              "MarginLeft=0.63\r\nMarginRight=1.01\r\nMarginTop=0.00\r\nMarginBottom=0.00\r\n");

    const std::string types1 = Types();
    Reset();
    EXPECT_EQ(ReadSettings(path.c_str(), &options, &font, &page, types), 0);
    EXPECT_EQ(Numbers() + "|" + options.defaultDirectory + "|" + page.header + "|" + page.footer,
              "1 30 1 0 1 -5 1 2 | 0.63 1.01 0 0|C:\\Work | &F - &D|") << "the margins rounded to two decimals";
    EXPECT_EQ(Types(), types1);
}

// The shipped file is the writer's output less DefaultDirectory; its types name shipped styles.
TEST_F(Settings, ShippedAreTheWritersOutputAndNameShippedStyles)
{
    const std::string data = SCRIVLET_DATA_DIR;
    ASSERT_EQ(ReadSettings((data + "/Scrivlet.ini").c_str(), &options, &font, &page, types), 0);
    ASSERT_EQ(WriteSettings(scratch.Path("Scrivlet.ini").c_str(), &options, font, &page, types), 1);
    std::string written = ScratchFolder::Get(scratch.Path("Scrivlet.ini"));
    const std::string line = "DefaultDirectory=C:\\start\r\n";
    ASSERT_NE(written.find(line), std::string::npos);
    EXPECT_EQ(written.erase(written.find(line), line.size()), ScratchFolder::Get(data + "/Scrivlet.ini"));

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
