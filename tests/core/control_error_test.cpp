#include "core/control_error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace scrivlet {

namespace {

std::string TextOf(DWORD code)
{
    char buffer[AE_ERRORTEXTSIZE];
    std::memset(buffer, 'x', sizeof buffer);
    const DWORD count = GetControlErrorText(code, buffer);
    EXPECT_EQ(count, std::strlen(buffer)) << "the count of " << code;
    return buffer;
}

// Each known code has a text of its own, every other code the one unknown
// text; each text ends in "! ".
TEST(ControlError, EachKnownCodeHasItsOwnTextAndTheLastErrorStays)
{
    const std::string unknown = TextOf(0xFFFFFFFFu);
    std::set<std::string> texts = {unknown};
    for (DWORD code = 0; code <= 200; ++code) {
        const std::string text = TextOf(code);
        EXPECT_EQ(text.substr(text.size() - 2), "! ") << code;
        if (code <= 12 || (code >= 100 && code <= 107)) {
            EXPECT_TRUE(texts.insert(text).second) << code;
        } else {
            EXPECT_EQ(text, unknown) << code;
        }
    }
    EXPECT_EQ(SetLastControlError(AEE_LINENOTFOUND), 9u);
    EXPECT_EQ(GetLastControlError() + GetLastControlError(), 18u) << "reading does not reset it";
    SetLastControlError(AEE_NOERROR);
}

} // namespace

} // namespace scrivlet
