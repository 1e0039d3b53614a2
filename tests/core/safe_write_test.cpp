// The one safe write under every file the program writes for the user:
// whatever fails, the old file stays whole and no new file is left behind.
#include "core/safe_write.h"

#include "config/file_types.h"
#include "config/settings_file.h"
#include "core/control_error.h"
#include "core/id_list.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "support/file_faults.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

namespace fs = std::filesystem;

class SafeWriteTest : public testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("scrivlet-safe-" + std::to_string(std::random_device{}()));
    std::string target = (folder / "file.txt").string();

    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override
    {
        RemoveFileFaults();
        ClearStyles();
        fs::remove_all(folder);
    }
    void Put(const std::string &bytes) const { std::ofstream(target, std::ios::binary) << bytes; }
    std::string Get() const
    {
        std::ifstream in(target, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t FilesInFolder() const
    {
        return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

// The three writers, each reporting success as 1.
struct Writer {
    const char *name;
    std::function<int(const char *path)> write;
    DWORD error; // the last control error after a failure
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
    OptionsDefaults(&options, "C:\\start");
    PageSetup page;
    PageSetupDefaults(&page);
    IdList *types = CreateIdList();
    int result = WriteSettings(path, &options, kFontAnsi, &page, types);
    FreeFileTypes(&types);
    return result;
}

const Writer kWriters[] = {
    {"a long text", WriteLongText, AEE_NOERROR},
    {"the style file", WriteStyles, AEE_STYLESAVE},
    {"the settings file", WriteSettingsFile, AEE_NOERROR},
};

TEST_F(SafeWriteTest, EveryFailureLeavesTheOldFileWholeAndNothingBehind)
{
    for (const Writer &writer : kWriters) {
        ASSERT_EQ(writer.write(target.c_str()), 1);
        ClearStyles();
        const int64_t size = int64_t(Get().size());
        struct Fault {
            std::string name;
            FileFaults faults;
        };
        std::vector<Fault> faults;
        for (int64_t bytes : {int64_t(0), int64_t(100), size / 2, size - 1}) {
            faults.push_back({"a disk full after " + std::to_string(bytes) + " bytes", FileFaults{}});
            faults.back().faults.writeFailsAfter = bytes;
        }
        faults.push_back({"no new file", FileFaults{}});
        faults.back().faults.createFails = true;
        faults.push_back({"a failed close", FileFaults{}});
        faults.back().faults.closeFails = true;
        faults.push_back({"a target that cannot be replaced", FileFaults{}});
        faults.back().faults.replaceFails = true;
        for (const Fault &fault : faults) {
            SCOPED_TRACE(std::string(writer.name) + " with " + fault.name);
            Put("the old file");
            SetLastControlError(AEE_NOERROR);
            InjectFileFaults(fault.faults);
            EXPECT_EQ(writer.write(target.c_str()), 0) << "a failure is reported";
            RemoveFileFaults();
            ClearStyles();
            EXPECT_EQ(GetLastControlError(), writer.error);
            EXPECT_EQ(Get(), "the old file");
            EXPECT_EQ(FilesInFolder(), 1u) << "the new file is removed";
        }
    }
}

TEST_F(SafeWriteTest, ASuccessfulWriteReplacesTheFileWithEveryByte)
{
    Put("the old file");
    ASSERT_EQ(WriteLongText(target.c_str()), 1);
    EXPECT_EQ(Get(), std::string(300, 'f') + "|42|" + std::string(40000, 'b') + "end");
    EXPECT_EQ(FilesInFolder(), 1u);

#ifndef _WIN32
    fs::permissions(target, fs::perms(0640));
    ASSERT_EQ(WriteLongText(target.c_str()), 1);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640)) << "the new file keeps the old one's permissions";
#endif

    fs::remove(target);
    fs::create_directory(target);
    EXPECT_EQ(WriteLongText(target.c_str()), 0) << "a folder is not replaced";
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(FilesInFolder(), 1u) << "and the new file is removed";
    fs::remove(target);
    for (const Writer &writer : kWriters) {
        SCOPED_TRACE(writer.name);
        EXPECT_EQ(writer.write(target.c_str()), 1) << "a file that did not exist is created";
        ClearStyles();
    }
    EXPECT_EQ(FilesInFolder(), 1u);
}

} // namespace

} // namespace scrivlet
