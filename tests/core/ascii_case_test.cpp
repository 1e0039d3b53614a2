#include "core/ascii_case.h"

#include <gtest/gtest.h>

namespace scrivlet {

namespace {

// Only A-Z and a-z have a case; every other byte, those above 0x7F too,
// stays itself and equals only itself.
TEST(AsciiCase, OnlyAsciiLettersHaveACase)
{
    for (int c = 0; c < 256; ++c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z';
        EXPECT_EQ(AsciiLower(byte), upper ? c + 32 : c) << c;
        EXPECT_EQ(AsciiUpper(byte), lower ? c - 32 : c) << c;
        EXPECT_EQ(IsAsciiUpper(byte), upper) << c;
        EXPECT_EQ(IsAsciiLower(byte), lower) << c;
        for (int d = 0; d < 256; ++d) {
            const bool same = c == d || (upper && d == c + 32) || (lower && d == c - 32);
            ASSERT_EQ(SameIgnoringAsciiCase(byte, static_cast<unsigned char>(d)), same) << c << " " << d;
        }
    }
}

} // namespace

} // namespace scrivlet
