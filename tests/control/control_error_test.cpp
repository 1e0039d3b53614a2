#include "control/control_error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string TextOf(DWORD code)
{
    char buffer[kControlErrorTextSize];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD written = GetControlErrorText(code, buffer);
    EXPECT_EQ(written, std::strlen(buffer)) << "count must match the NUL-terminated text of " << code;
    return buffer;
}

TEST(ControlError, EveryCodeHasItsText)
{
    const struct {
        DWORD code;
        const char *text;
    } table[] = {
        {0, "No error ! "},
        {1, "Control data not found ! "},
        {2, "Memory allocation error ! "},
        {3, "Negative coordinates in call to CharFromPos ! "},
        {4, "Clipboard operation failed ! "},
        {5, "Not enough memory to store undo operation ! "},
        {6, "Read file open failed ! "},
        {7, "Write file open failed ! "},
        {8, "Variable pitch fonts not allowed ! "},
        {9, "Line not found ! "},
        {10, "Error in callback function ! "},
        {11, "Error in Win32 API function ! "},
        {12, "Illegal margin settings ! "},
        {100, "Style file could not be loaded ! "},
        {101, "Style file could not be saved ! "},
        {102, "Style not found ! "},
        {103, "Symbol contains illegal characters ! "},
        {104, "Maximum number of style objects reached ! "},
        {105, "Missing values in style file ! "},
        {106, "Class not found ! "},
        {107, "Style list is empty ! "},
    };
    for (const auto &entry : table) {
        EXPECT_EQ(TextOf(entry.code), entry.text) << "code " << entry.code;
        EXPECT_LT(std::strlen(entry.text), kControlErrorTextSize);
    }
}

TEST(ControlError, CodesOutsideTheTableAreUnknown)
{
    for (DWORD code : {13ul, 99ul, 108ul, 0xFFFFFFFFul})
        EXPECT_EQ(TextOf(static_cast<DWORD>(code)), "Unknown error ! ") << "code " << code;
}

TEST(ControlError, LastErrorIsStickyUntilSetAgain)
{
    EXPECT_EQ(SetLastControlError(CE_LINENOTFOUND), 9u);
    EXPECT_EQ(GetLastControlError(), 9u);
    EXPECT_EQ(GetLastControlError(), 9u) << "reading must not reset it";
    SetLastControlError(CE_NOERROR);
    EXPECT_EQ(GetLastControlError(), 0u);
}

} // namespace
