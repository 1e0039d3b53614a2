// The dialogs' rules as tables: what a field holds, what is stored, the refusal's message ("" for
// none). Margins, Go To and a file type's required fields: through the dialogs (tests/win32/shell).
#include "shell/dialog_rules.h"
#include "shell/settings_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace scrivlet {

namespace {

std::string Text(const char *message)
{
    return message != nullptr ? message : "";
}

TEST(DialogRules, NumbersAreUnsignedDecimalsWithBlanksAndOptionsKeepsThemInBounds)
{
    const struct {
        const char *text;
        uint32_t value; // 12345: not a number
    } numbers[] = {{"\t007 ", 7}, {"4294967295", 4294967295u}, {"4294967296", 12345}, {"   ", 12345}, {"+1", 12345}};
    for (const auto &c : numbers) {
        uint32_t value = 12345;
        EXPECT_EQ(ReadUnsignedNumber(c.text, &value), c.value != 12345) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value == 12345 ? 0 : c.value) << '"' << c.text << '"';
    }
    const char kMinutes[] = "Minute value must be between 1 and 1440 !";
    const char kUndo[] = "Illegal value for number of undo levels !";
    // The period is stored even when refused; undo levels of 77 were left untouched.
    const struct {
        const char *text, *periodMessage;
        uint32_t period;
        const char *undoMessage;
        int32_t levels;
    } cases[] = {
        {"0", kMinutes, 0, "", 0}, {"1", "", 1, "", 1}, {" 1440 ", "", 1440, "", 1440},
        {"1441", kMinutes, 1441, "", 1441},
        {"2147483647", kMinutes, 2147483647u, "", 2147483647}, {"2147483648", kMinutes, 2147483648u, kUndo, 77},
    };
    for (const auto &c : cases) {
        uint32_t period = 99;
        int32_t levels = 77;
        std::string message = Text(ReadAutoSavePeriod(c.text, &period)) + "|";
        EXPECT_EQ(message + std::to_string(period), c.periodMessage + ("|" + std::to_string(c.period)));
        message = Text(ReadUndoLevels(c.text, &levels)) + "|";
        EXPECT_EQ(message + std::to_string(levels), c.undoMessage + ("|" + std::to_string(c.levels)));
    }
    EXPECT_EQ(AutoIndentOf(true, false, 1) * 100 + AutoIndentOf(false, true, 0) * 10 + AutoIndentOf(false, false, 7),
              17u) << "None 0, Default 1, neither checked: the record's";
    EXPECT_EQ(std::string(StoredCodeStyle("None")) + "|" + StoredCodeStyle("none"), "|none");
}

TEST(DialogRules, TemplatesAndExtensionListsReadBackAsShown)
{
    FileType type = {}, again = {}, empty = {}, full = {};
    ASSERT_NE(CreateFileType(&type, "C", "c;h,,cpp", 1, "4, 8", "a.c;b.c;c.c", ""), nullptr);
    CreateFileType(&again, "C", JoinExtensions(type).c_str(), 1, JoinTabWidths(type).c_str(),
                   JoinTemplates(type).c_str(), "");
    for (const FileType *shown : {&type, &again})
        EXPECT_EQ(JoinExtensions(*shown) + "|" + JoinTabWidths(*shown) + "|" + JoinTemplates(*shown),
                  "c,h,cpp|4,8|a.c;b.c;c.c;");
    EXPECT_EQ(JoinExtensions(empty) + "|" + JoinTabWidths(empty) + "|" + JoinTemplates(empty), "||");
    std::string ten = "t0";
    for (int i = 1; i < 10; ++i)
        ten += ";t" + std::to_string(i);
    CreateFileType(&full, "T", "t", 0, "", ten.c_str(), "");
    EXPECT_EQ(JoinTemplates(full), ten) << "ten templates leave no trailing separator";
    for (auto [text, piece] : {std::pair<const char *, bool>{"c", true}, {";;,x", true}, {" ", true}, {"", false},
                               {";;", false}, {",;,", false}})
        EXPECT_EQ(HasListPiece(text), piece) << '"' << text << '"';
    // Appends "b.c", then to a field with room for ";ab" and no more "abc" and "ab".
    std::string templates = "a.c", room(kTemplatesTextSize - 4, 'x'), messages;
    for (const char *path : {"abc", "ab"})
        messages += Text(AppendTemplateWithRoom(room, path)) + "|";
    EXPECT_EQ(Text(AppendTemplateWithRoom(templates, "b.c")) + messages + std::to_string(room.size()),
              "Maximum number of template files reached !||" + std::to_string(kTemplatesTextSize - 1));
    EXPECT_EQ(templates, "a.c;b.c");
}

TEST(DialogRules, StyleDialogsNeedTheirTextsAndMapColoursAndCase)
{
    std::set<std::string> required; // a message of its own for each missing text; a blank is a text
    for (StyleText kind : {kNewStyleName, kClassName, kRangeStart, kSymbolText})
        required.insert(Text(CheckStyleText(kind, "")) + Text(CheckStyleText(kind, " ")));
    EXPECT_EQ(required.size(), 4u);
    EXPECT_EQ(required.count(""), 0u);
    const uint32_t kCustom = 0x123456;
    const uint32_t colours[][2] = {{2, 0x0000FF}, {15, 0xFFFFFF}, {16, kCustom}, {17, 0x000000}};
    for (const auto &colour : colours)
        EXPECT_EQ(ColourOfEntry(colour[0], kCustom), colour[1]) << "entry " << colour[0];
    for (int i = 0; i < kNamedColourCount; ++i)
        EXPECT_EQ(EntryOfColour(kNamedColours[i].value), i) << kNamedColours[i].name;
    EXPECT_EQ(EntryOfColour(0x7F7F7E), kCustomColourEntry);
    EXPECT_EQ(AutocaseOf(true, true) * 100 + AutocaseOf(false, true) * 10 + AutocaseOf(false, false), 210);
    EXPECT_EQ(StyleErrorMessage("E:[%s]", "engine", false, "refused") + StyleErrorMessage("E:[%s]", "engine", true,
              "refused") + StyleErrorMessage(nullptr, "engine", true, nullptr), "E:[engine]E:[refused]engine");
    for (auto [start, end, entry] :
         {std::tuple<std::string, const char *, std::string>{"/*", "*/", "[/*] - [*/]"}, {"//", "", "[//] - [EOL]"},
          {std::string(90, 's'), "e", "[" + std::string(79, 's') + "] - [e]"}})
        EXPECT_EQ(RangeEntryText(start.c_str(), end), entry);
}

} // namespace

} // namespace scrivlet
