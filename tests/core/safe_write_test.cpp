// Whatever fails, the old file stays whole and no new file is left behind.
#include "core/safe_write.h"

#include "config/file_types.h"
#include "config/settings_file.h"
#include "core/control_error.h"
#include "core/id_list.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "core/scratch_folder.h"
#include "support/file_faults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace scrivlet {

namespace {

namespace fs = std::filesystem;

struct SafeWriteTest : testing::Test {
    ScratchFolder scratch;
    std::string target = scratch.Path("file.txt");
    void TearDown() override { RemoveFileFaults(), ClearStyles(); }
};

int WriteLongText(const char *path)
{
    SafeWrite write;
    BeginSafeWrite(&write, path);
    SafeWriteFormatted(&write, "%s|%d|", std::string(300, 'f').c_str(), 42); // past a short format
    std::string block(40000, 'b');                                            // past the buffer
    SafeWriteBytes(&write, block.data(), block.size());
    SafeWriteText(&write, "end");
    return FinishSafeWrite(&write) == kSafeWriteDone ? 1 : 0;
}

int WriteStyles(const char *path)
{
    uint32_t style = CreateStyle("Demo", nullptr);
    uint32_t keyword = AddClass(style, "Keyword", 1, 0, 0xFF);
    for (int i = 0; i < 2000; ++i) { // a file larger than one buffer
        std::string word = "word" + std::to_string(i);
        AddSymbol(style, word.c_str(), uint32_t(word.size()), keyword);
    }
    return WriteStyleFile(path);
}

int WriteSettingsFile(const char *path)
{
    Options options;
    PageSetup page;
    OptionsDefaults(&options, "C:\\start");
    PageSetupDefaults(&page);
    IdList types{};
    return WriteSettings(path, &options, kFontAnsi, &page, &types);
}

// The writers (1 on success) and the last control error after a failure.
const struct { const char *name; int (*write)(const char *path); DWORD error; } kWriters[] = {
    {"a long text", WriteLongText, AEE_NOERROR},
    {"the style file", WriteStyles, AEE_STYLESAVE},
    {"the settings file", WriteSettingsFile, AEE_NOERROR},
};

TEST_F(SafeWriteTest, EveryFailureLeavesTheOldFileWholeAndNothingBehind)
{
    for (const auto &writer : kWriters) {
        ASSERT_EQ(writer.write(target.c_str()), 1);
        ClearStyles();
        const int64_t size = int64_t(scratch.Get(target).size());
        // A full disk after some bytes, no new file, a failed close or replacement.
        const FileFaults faults[] = {{"", 0},         {"", size / 2},           {"", size - 1},
                                     {"", -1, true}, {"", -1, false, true}, {"", -1, false, false, true}};
        for (size_t i = 0; i < 6; ++i) {
            SCOPED_TRACE(std::string(writer.name) + " with fault " + std::to_string(i));
            scratch.Put("file.txt", "the old file");
            SetLastControlError(AEE_NOERROR);
            InjectFileFaults(faults[i]);
            EXPECT_EQ(writer.write(target.c_str()), 0) << "a failure is reported";
            RemoveFileFaults();
            ClearStyles();
            EXPECT_EQ(GetLastControlError(), writer.error);
            EXPECT_EQ(scratch.Get(target), "the old file");
            EXPECT_EQ(scratch.Files(), 1u) << "the new file is removed";
        }
    }
}

TEST_F(SafeWriteTest, ASuccessfulWriteReplacesTheFileWithEveryByte)
{
    scratch.Put("file.txt", "the old file");
    ASSERT_EQ(WriteLongText(target.c_str()), 1);
    EXPECT_EQ(scratch.Get(target), std::string(300, 'f') + "|42|" + std::string(40000, 'b') + "end");
    EXPECT_EQ(scratch.Files(), 1u);

#ifdef _WIN32
    fs::permissions(target, fs::perms::all, fs::perm_options::remove);
    EXPECT_EQ(WriteLongText(target.c_str()), 0) << "a read-only file is not replaced";
    EXPECT_EQ(scratch.Files(), 1u) << "and the new file is removed";
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
#else
    fs::permissions(target, fs::perms(0640));
    ASSERT_EQ(WriteLongText(target.c_str()), 1);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640)) << "the new file keeps the old one's permissions";
#endif

    fs::remove(target);
    fs::create_directory(target);
    EXPECT_EQ(WriteLongText(target.c_str()), 0) << "a folder is not replaced";
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(scratch.Files(), 1u) << "and the new file is removed";
}

} // namespace

} // namespace scrivlet
