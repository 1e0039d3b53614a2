// The small pieces under the engine: allocation, file names, error texts, ASCII case.
#include "core/allocation.h"
#include "core/ascii_case.h"
#include "core/control_error.h"
#include "core/file_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace scrivlet {

namespace {

// A count whose size in bytes the size type cannot hold is refused before any attempt.
TEST(ArrayAllocation, RefusesWhatTheSizeTypeCannotCount)
{
    EXPECT_TRUE(ArrayFits(0x1FFFFFFF, 8, UINT32_MAX) && !ArrayFits(0x20000000, 8, UINT32_MAX)); // 2^32 wraps to 0
    const uint64_t wraps = (uint64_t(1) << 61) + 1; // 8-byte items: 2^64 + 8 bytes, 8 once wrapped
    unsigned long before = AllocationAttempts();
    auto *block = static_cast<char *>(EngineAllocateArray(3, 5));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(EngineAllocateArray(wraps, 8), nullptr);
    EXPECT_EQ(EngineReallocateArray(block, wraps, 8), nullptr) << "the block stays as it was";
    EXPECT_EQ(AllocationAttempts(), before + 1) << "a refused count is not an attempt";
    EXPECT_EQ(std::string(block, 15), std::string(15, '\0')) << "3 x 5 zeroed bytes";
    EngineFree(block);
}

// The name follows the last "\", "/" or a drive; the extension is from its last dot.
TEST(FileNames, NameAndExtensionByTheOneRule)
{
    const struct { const char *path; uint32_t nameOffset; const char *extension; } cases[] = {
        {"C:\\docs\\a.tar.gz", 8, ".gz"}, {"C:/docs/a.txt", 8, ".txt"}, {"C:a.txt", 2, ".txt"},
        {"C:\\t.d\\readme", 7, ""},     {"name.", 0, "."},             {"a.b:c", 0, ".b:c"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FileNameOffset(c.path), c.nameOffset) << c.path;
        EXPECT_STREQ(ExtensionWithDot(c.path), c.extension) << c.path;
    }
}

// Each known code has a text of its own, others one unknown text; reading keeps the last error.
TEST(ControlError, EachKnownCodeHasItsOwnTextAndTheLastErrorStays)
{
    std::set<std::string> texts;
    for (DWORD code = 0; code <= 200; ++code) {
        char text[AE_ERRORTEXTSIZE];
        const DWORD count = GetControlErrorText(code, text);
        EXPECT_EQ(count, std::strlen(text)) << code;
        EXPECT_EQ(std::string(text).substr(std::strlen(text) - 2), "! ") << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), 13u + 8u + 1u) << "0 to 12, 100 to 107 and the unknown one";
    EXPECT_EQ(SetLastControlError(AEE_LINENOTFOUND) + GetLastControlError() + GetLastControlError(), 27u);
    SetLastControlError(AEE_NOERROR);
}

// Only A-Z and a-z have a case; every other byte stays itself and equals only itself.
TEST(AsciiCase, OnlyAsciiLettersHaveACase)
{
    for (int c = 0; c < 256; ++c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z';
        EXPECT_EQ(AsciiLower(byte) * 1000 + AsciiUpper(byte), (upper ? c + 32 : c) * 1000 + (lower ? c - 32 : c)) << c;
        EXPECT_EQ(IsAsciiUpper(byte) * 2 + IsAsciiLower(byte), upper * 2 + lower) << c;
        for (int d = 0; d < 256; ++d)
            ASSERT_EQ(SameIgnoringAsciiCase(byte, uint8_t(d)), AsciiLower(byte) == AsciiLower(uint8_t(d)));
    }
}

} // namespace

} // namespace scrivlet
