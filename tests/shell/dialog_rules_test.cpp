// The dialogs' rules as tables: the fields a user types, what a dialog
// stores, and the message it shows for what it refuses ("" for none).
#include "shell/dialog_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

std::string Text(const char *message)
{
    return message != nullptr ? message : "";
}

TEST(DialogRules, OptionsTakesAPeriodAndUndoLevelsInTheirBounds)
{
    const char kMinutes[] = "Minute value must be between 1 and 1440 !";
    const char kUndo[] = "Illegal value for number of undo levels !";
    struct Case {
        const char *text;
        const char *periodMessage;
        uint32_t period; // stored even when refused
        const char *undoMessage;
        int32_t levels; // 77: untouched
    } const cases[] = {
        {"0", kMinutes, 0, "", 0},      {"1", "", 1, "", 1},         {" 1440 ", "", 1440, "", 1440},
        {"1441", kMinutes, 1441, "", 1441}, {"", kMinutes, 0, kUndo, 77}, {"-5", kMinutes, 0, kUndo, 77},
        {"2147483647", kMinutes, 2147483647u, "", 2147483647},
        {"2147483648", kMinutes, 2147483648u, kUndo, 77},
    };
    for (const Case &c : cases) {
        uint32_t period = 99;
        int32_t levels = 77;
        std::string message = Text(ReadAutoSavePeriod(c.text, &period)) + "|";
        EXPECT_EQ(message + std::to_string(period), c.periodMessage + ("|" + std::to_string(c.period)));
        message = Text(ReadUndoLevels(c.text, &levels)) + "|";
        EXPECT_EQ(message + std::to_string(levels), c.undoMessage + ("|" + std::to_string(c.levels)));
    }
    EXPECT_EQ(AutoIndentOf(true, false, 1) * 100 + AutoIndentOf(false, true, 0) * 10 + AutoIndentOf(false, false, 7),
              17u)
        << "None 0, Default 1, neither checked: the record's";
}

TEST(DialogRules, PageSetupTakesFourMarginsFromZeroToFiveInches)
{
    struct Case {
        const char *texts[4]; bool legal; double read[4];
    } const cases[] = {
        {{"0", "5", "0.00", "5.00"}, true, {0, 5, 0, 5}}, {{"1.25", "x", "", "2"}, true, {1.25, 0, 0, 2}},
        {{"5.01", "1", "1", "1"}, false, {5.01, 1, 1, 1}}, {{"1", "1", "1", "-0.01"}, false, {1, 1, 1, -0.01}},
    };
    for (const Case &c : cases) {
        double margins[4] = {};
        EXPECT_EQ(Text(ReadMargins(c.texts, margins)), c.legal ? "" : "One or more margin settings are illegal !");
        for (int i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(margins[i], c.read[i]) << c.texts[i];
    }
}

TEST(DialogRules, GoToTakesLinesFromOneAndOffsetsFromZeroUpToTheLimit)
{
    const char kLines[] = "Line number must be between 1 and 3 !";
    const char kOffsets[] = "Offset must be between 0 and 14 !";
    struct Case {
        bool line, isNumber; uint32_t number, limit;
        bool legal; uint32_t target; const char *message;
    } const cases[] = {
        {true, true, 1, 3, true, 0, ""},          {true, true, 3, 3, true, 2, ""},
        {true, true, 0, 3, false, 0, kLines},     {true, true, 4, 3, false, 0, kLines},
        {true, false, 2, 3, false, 0, kLines},    {false, true, 0, 14, true, 0, ""},
        {false, true, 14, 14, true, 14, ""},      {false, true, 15, 14, false, 0, kOffsets},
        {false, false, 3, 14, false, 0, kOffsets},
    };
    for (const Case &c : cases) {
        GoToVerdict verdict = CheckGoTo(c.line, c.isNumber, c.number, c.limit);
        EXPECT_EQ(std::to_string(verdict.legal) + std::to_string(verdict.legal ? verdict.target : 0) + verdict.message,
                  std::to_string(c.legal) + std::to_string(c.target) + c.message);
    }
}

TEST(DialogRules, EditFileTypeNeedsANameAndAnExtensionAndRoomForTemplates)
{
    const char kName[] = "File type name is required !";
    const char kExtension[] = "At least one file extension must be given !";
    struct Case {
        const char *name, *extensions; int field; const char *message;
    } const cases[] = {
        {"C", "c", 0, ""},     {"C", " ;,h", 0, ""},  {"", "c", kFileTypeNameField, kName},
        {"", "", kFileTypeNameField, kName},          {"C", ",;", kFileTypeExtensionsField, kExtension},
        {"C", "", kFileTypeExtensionsField, kExtension},
    };
    for (const Case &c : cases) {
        FieldVerdict verdict = CheckFileTypeFields(c.name, c.extensions);
        EXPECT_EQ(Text(verdict.message) + "|" + std::to_string(verdict.field),
                  c.message + ("|" + std::to_string(c.field)));
    }
    EXPECT_EQ(std::string(StoredCodeStyle("None")) + "|" + StoredCodeStyle("none"), "|none");

    // Appends "b.c", then to a field with room for ";ab" and no more "abc" and "ab".
    std::string templates = "a.c", full(kTemplatesTextSize - 4, 'x'), messages;
    for (const char *path : {"abc", "ab"})
        messages += Text(AppendTemplateWithRoom(full, path)) + "|";
    EXPECT_EQ(Text(AppendTemplateWithRoom(templates, "b.c")) + messages + std::to_string(full.size()),
              "Maximum number of template files reached !||" + std::to_string(kTemplatesTextSize - 1));
    EXPECT_EQ(templates, "a.c;b.c");
}

TEST(DialogRules, StyleDialogsNeedTheirTextsAndMapColoursAndCase)
{
    const std::pair<StyleText, const char *> required[] = {
        {kNewStyleName, "You must specify a name for the new style !"},
        {kClassName, "You must specify a valid class name !"},
        {kRangeStart, "You must specify the start text of a range !"},
        {kSymbolText, "You must specify a symbol name !"},
    };
    for (const auto &r : required) // a blank is a text
        EXPECT_EQ(Text(CheckStyleText(r.first, "")) + Text(CheckStyleText(r.first, " ")), r.second);
    const uint32_t kCustom = 0x123456;
    const uint32_t colours[][2] = {{0, 0x000000}, {2, 0x0000FF}, {15, 0xFFFFFF}, {16, kCustom}, {17, 0x000000}};
    for (const auto &colour : colours)
        EXPECT_EQ(ColourOfEntry(colour[0], kCustom), colour[1]) << "entry " << colour[0];
    for (int i = 0; i < kNamedColourCount; ++i)
        EXPECT_EQ(EntryOfColour(kNamedColours[i].value), i) << kNamedColours[i].name;
    EXPECT_EQ(EntryOfColour(0x7F7F7E), kCustomColourEntry);
    EXPECT_EQ(AutocaseOf(true, true) * 100 + AutocaseOf(false, true) * 10 + AutocaseOf(false, false), 210);

    EXPECT_EQ(StyleErrorMessage("E:[%s]", "engine", false, "refused"), "E:[engine]");
    EXPECT_EQ(StyleErrorMessage("E:[%s]", "engine", true, "refused"), "E:[refused]");
    EXPECT_EQ(StyleErrorMessage(nullptr, "engine", true, nullptr), "engine") << "no explanation: the engine's";
    EXPECT_EQ(RangeEntryText("/*", "*/"), "[/*] - [*/]");
    EXPECT_EQ(RangeEntryText("//", ""), "[//] - [EOL]");
    EXPECT_EQ(RangeEntryText(std::string(90, 's').c_str(), "e"), "[" + std::string(79, 's') + "] - [e]");
}

} // namespace

} // namespace scrivlet
