// The texts of the settings dialogs: the number fields of Options and the
// lists of the Edit File Type dialog, shown from a type and read back into
// one.
#include "shell/settings_texts.h"

#include "config/file_types.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

TEST(SettingsTexts, ReadsOnlyUnsignedDecimalNumbersWithBlanks)
{
    struct Case {
        const char *text;
        bool number;
        uint32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"15", true, 15},
        {"  1440 ", true, 1440},
        {"\t7\t", true, 7},
        {"007", true, 7},
        {"4294967295", true, 4294967295u},
        {"4294967296", false, 0}, // beyond 32 bits
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"-1", false, 0},
        {"+1", false, 0},
        {"12a", false, 0},
        {"abc", false, 0},
        {"1 2", false, 0},
        {"1.5", false, 0},
    };
    for (const Case &c : cases) {
        uint32_t value = 12345;
        EXPECT_EQ(ReadUnsignedNumber(c.text, &value), c.number) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(SettingsTexts, ShowsTheListsOfATypeAsTheDialogReadsThemBack)
{
    FileType type = {};
    ASSERT_NE(CreateFileType(&type, "C", "c;h,,cpp", 1, "4, 8", "a.c;b.c;c.c", ""), nullptr);
    EXPECT_EQ(JoinExtensions(type), "c,h,cpp");
    EXPECT_EQ(JoinTabWidths(type), "4,8");
    EXPECT_EQ(JoinTemplates(type), "a.c;b.c;c.c;") << "free slots leave a trailing separator";

    // What the fields show builds the same type again.
    FileType again = {};
    CreateFileType(&again, "C", JoinExtensions(type).c_str(), 1, JoinTabWidths(type).c_str(),
                   JoinTemplates(type).c_str(), "");
    EXPECT_EQ(JoinExtensions(again), JoinExtensions(type));
    EXPECT_EQ(JoinTabWidths(again), JoinTabWidths(type));
    EXPECT_EQ(JoinTemplates(again), JoinTemplates(type));

    FileType empty = {};
    EXPECT_EQ(JoinExtensions(empty), "");
    EXPECT_EQ(JoinTabWidths(empty), "");
    EXPECT_EQ(JoinTemplates(empty), "");

    std::string ten;
    for (int i = 0; i < 10; ++i)
        ten += (i > 0 ? ";t" : "t") + std::to_string(i);
    FileType full = {};
    CreateFileType(&full, "T", "t", 0, "", ten.c_str(), "");
    EXPECT_EQ(JoinTemplates(full), ten) << "ten templates leave no trailing separator";
}

TEST(SettingsTexts, AppendsTemplatePathsWithOneSeparator)
{
    std::string list;
    AppendTemplatePath(list, "a");
    EXPECT_EQ(list, "a");
    AppendTemplatePath(list, "b");
    EXPECT_EQ(list, "a;b");
    AppendTemplatePath(list, "");
    EXPECT_EQ(list, "a;b;");
    AppendTemplatePath(list, "c");
    EXPECT_EQ(list, "a;b;c") << "no second separator after one that ends the list";
}

TEST(SettingsTexts, AnExtensionListNeedsOnePieceBetweenSeparators)
{
    EXPECT_TRUE(HasListPiece("c"));
    EXPECT_TRUE(HasListPiece(";;,x"));
    EXPECT_TRUE(HasListPiece(" ")) << "a blank is a piece, as CreateFileType keeps it";
    EXPECT_FALSE(HasListPiece(""));
    EXPECT_FALSE(HasListPiece(";;"));
    EXPECT_FALSE(HasListPiece(",;,"));
}

} // namespace

} // namespace scrivlet
