// The texts of the settings dialogs: the number fields of Options and the
// lists of the Edit File Type dialog, shown from a type and read back into one.
#include "shell/settings_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

TEST(SettingsTexts, ReadsOnlyUnsignedDecimalNumbersWithBlanks)
{
    const struct {
        const char *text;
        uint32_t value; // 12345: not a number
    } cases[] = {{"0", 0},        {"  1440 ", 1440}, {"\t007\t", 7},  {"4294967295", 4294967295u},
                 {"4294967296", 12345}, {"99999999999999999999", 12345}, {"", 12345}, {"   ", 12345},
                 {"-1", 12345},   {"+1", 12345},     {"12a", 12345}, {"1 2", 12345}, {"1.5", 12345}};
    for (const auto &c : cases) {
        uint32_t value = 12345;
        EXPECT_EQ(ReadUnsignedNumber(c.text, &value), c.value != 12345) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value == 12345 ? 0 : c.value) << '"' << c.text << '"';
    }
}

TEST(SettingsTexts, ShowsTheListsOfATypeAsTheDialogReadsThemBack)
{
    FileType type = {}, again = {}, empty = {}, full = {};
    ASSERT_NE(CreateFileType(&type, "C", "c;h,,cpp", 1, "4, 8", "a.c;b.c;c.c", ""), nullptr);
    EXPECT_EQ(JoinExtensions(type) + "|" + JoinTabWidths(type) + "|" + JoinTemplates(type), "c,h,cpp|4,8|a.c;b.c;c.c;");
    CreateFileType(&again, "C", JoinExtensions(type).c_str(), 1, JoinTabWidths(type).c_str(),
                   JoinTemplates(type).c_str(), "");
    EXPECT_EQ(JoinExtensions(again) + "|" + JoinTabWidths(again) + "|" + JoinTemplates(again), "c,h,cpp|4,8|a.c;b.c;c.c;");
    EXPECT_EQ(JoinExtensions(empty) + "|" + JoinTabWidths(empty) + "|" + JoinTemplates(empty), "||");
    std::string ten = "t0";
    for (int i = 1; i < 10; ++i)
        ten += ";t" + std::to_string(i);
    CreateFileType(&full, "T", "t", 0, "", ten.c_str(), "");
    EXPECT_EQ(JoinTemplates(full), ten) << "ten templates leave no trailing separator";

    std::string list;
    for (auto [path, joined] : {std::pair<const char *, const char *>{"a", "a"}, {"b", "a;b"}, {"", "a;b;"}, {"c", "a;b;c"}}) {
        AppendTemplatePath(list, path);
        EXPECT_EQ(list, joined);
    }
    for (auto [text, piece] : {std::pair<const char *, bool>{"c", true}, {";;,x", true}, {" ", true}, {"", false},
                               {";;", false}, {",;,", false}})
        EXPECT_EQ(HasListPiece(text), piece) << '"' << text << '"';
}

} // namespace scrivlet
