#include "core/control_error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

std::string TextOf(DWORD code)
{
    char buffer[AE_ERRORTEXTSIZE];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD written = GetControlErrorText(code, buffer);
    EXPECT_EQ(written, std::strlen(buffer)) << "count must match the NUL-terminated text of " << code;
    return buffer;
}

TEST(ControlError, TextsOfKnownAndUnknownCodes)
{
    EXPECT_EQ(TextOf(AEE_NOERROR), "No error ! ");
    EXPECT_EQ(TextOf(AEE_NEGATIVECOORDS), "Negative coordinates in call to CharFromPos ! ");
    EXPECT_EQ(TextOf(AEE_UNDOMEMORY), "Not enough memory to store undo operation ! ");
    EXPECT_EQ(TextOf(AEE_MARGINS), "Illegal margin settings ! ");
    EXPECT_EQ(TextOf(AEE_STYLELOAD), "Style file could not be loaded ! ");
    EXPECT_EQ(TextOf(AEE_STYLELISTEMPTY), "Style list is empty ! ");
    for (DWORD code = 0; code < 200; ++code) {
        bool known = code <= 12 || (code >= 100 && code <= 107);
        std::string text = TextOf(code);
        EXPECT_EQ(text.substr(text.size() - 2), "! ") << "code " << code;
        EXPECT_EQ(text == "Unknown error ! ", !known) << "code " << code;
    }
    EXPECT_EQ(TextOf(0xFFFFFFFFu), "Unknown error ! ");
}

TEST(ControlError, LastErrorIsStickyUntilSetAgain)
{
    EXPECT_EQ(SetLastControlError(AEE_LINENOTFOUND), 9u);
    EXPECT_EQ(GetLastControlError(), 9u);
    EXPECT_EQ(GetLastControlError(), 9u) << "reading must not reset it";
    SetLastControlError(AEE_NOERROR);
    EXPECT_EQ(GetLastControlError(), 0u);
}

} // namespace

} // namespace scrivlet
