#include "highlight/style_model.h"

#include "core/control_error.h"
#include "core/allocation.h"
#include "highlight/style_messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

struct StyleModel : testing::Test {
    void SetUp() override { ClearStyles(); }
    void TearDown() override { ClearStyles(); }
};

std::vector<uint32_t> RangeIds(uint32_t styleId)
{
    std::vector<uint32_t> ids;
    for (uint32_t i = 0; i < FindStyle(styleId)->rangeCount; ++i)
        ids.push_back(FindStyle(styleId)->ranges[i].id);
    return ids;
}

std::vector<std::string> SymbolTexts(uint32_t styleId)
{
    std::vector<std::string> texts;
    ForEachSymbol(FindStyle(styleId), [](const StyleSymbol *s, void *out) {
        static_cast<std::vector<std::string> *>(out)->push_back(s->text);
    }, &texts);
    return texts;
}

TEST_F(StyleModel, StyleIdentifiersFollowTheLargestInTheSet)
{
    EXPECT_EQ(CreateStyle("a", nullptr), 1u);
    EXPECT_EQ(CreateStyle("b", ""), 2u);
    EXPECT_EQ(FindStyle(2)->extraSymbolChars, nullptr) << "an empty string is stored as none";
    DeleteStyle(1);
    EXPECT_EQ(CreateStyle("c", nullptr), 3u);
    DeleteStyle(3);
    EXPECT_EQ(CreateStyle("d", nullptr), 3u) << "the newest one's identifier comes back";
    EXPECT_EQ(FirstStyle()->id, 3u) << "newest first";
    EXPECT_EQ(LastStyle()->id, 2u);
    ClearStyles();
    EXPECT_EQ(CountStyles(), 0u);
    EXPECT_EQ(CreateStyle("e", nullptr), 1u);

    // Items take the identifier after the last one's; past the largest there is none.
    AddClass(1, "K", 0, 0, 0);
    FindStyle(1)->classes[0].id = 0xFFFFFFFFu;
    SetLastControlError(AEE_NOERROR);
    EXPECT_EQ(AddClass(1, "L", 0, 0, 0), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELIMIT));
    EXPECT_EQ(FindStyle(1)->classCount, 1u);
}

TEST_F(StyleModel, NamesAreCutAndFoundWithTheirCase)
{
    uint32_t id = CreateStyle(std::string(100, 'n').c_str(), std::string(100, '-').c_str());
    EXPECT_EQ(std::string(FindStyle(id)->name), std::string(79, 'n'));
    AESTYLEINFO info;
    std::memset(&info, 'x', sizeof info);
    ASSERT_EQ(StyleMessage(AEM_GETSTYLES, 1, LParam(&info)), 1);
    EXPECT_EQ(std::string(info.additionalSymbolChars), std::string(79, '-')) << "cut to the field, ended";
    CreateStyle("Pascal", nullptr);
    EXPECT_EQ(FindStyleByName("Pascal"), CreateStyle("Pascal", nullptr)) << "the newest of two";
    EXPECT_EQ(FindStyleByName("PASCAL"), 0u);
    CreateStyle("", nullptr);
    EXPECT_EQ(FindStyleByName(""), 0u);
}

TEST_F(StyleModel, SymbolsHoldSymbolCharactersOnly)
{
    uint32_t plain = CreateStyle("plain", nullptr), hyphen = CreateStyle("hyphen", "-");
    uint32_t cls = AddClass(plain, "K", 1, 0, 0);
    SetLastControlError(0);
    EXPECT_EQ(AddSymbol(plain, "foo-bar", 7, cls), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_SYMBOLCHARS));
    EXPECT_EQ(CountSymbols(plain), 0u);
    EXPECT_EQ(AddSymbol(hyphen, "foo-bar", 7, cls), 1u);
    EXPECT_EQ(AddSymbol(hyphen, "\xE9t\xE9", 3, cls), 0u) << "high bytes only as additional characters";
    EXPECT_EQ(AddSymbol(99, "x", 1, cls), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLENOTFOUND));
}

TEST_F(StyleModel, DeletingAClassTakesItsRangesAndSymbols)
{
    uint32_t s = CreateStyle("s", nullptr);
    uint32_t keep = AddClass(s, "keep", 0, 0, 1), gone = AddClass(s, "gone", 0, 0, 2);
    AddRange(s, "/*", 2, "*/", 2, 0, 0, gone);
    AddRange(s, "//", 2, nullptr, 0, 0, 0, gone);
    AddRange(s, "\"", 1, "\"", 1, kRangeBackslash, 0, keep);
    AddRange(s, "'", 1, "'", 1, 0, 0, gone);
    for (const char *symbol : {"if", "int", "is"})
        AddSymbol(s, symbol, uint32_t(strlen(symbol)), symbol[1] == 'n' ? keep : gone);
    DeleteClass(s, 77);
    EXPECT_EQ(FindStyle(s)->rangeCount, 4u) << "an unknown class deletes nothing";
    DeleteClass(s, gone);
    EXPECT_EQ(RangeIds(s), (std::vector<uint32_t>{3}));
    EXPECT_EQ(SymbolTexts(s), (std::vector<std::string>{"int"}));
    EXPECT_EQ(FindStyle(s)->classCount, 1u);
    EXPECT_EQ(AddClass(s, "next", 0, 0, 0), 2u) << "the last class's identifier + 1";
}

TEST_F(StyleModel, ReplacingARangeMovesItToTheEnd)
{
    uint32_t s = CreateStyle("s", nullptr);
    for (const char *start : {"a", "b", "c"})
        AddRange(s, start, 1, "z", 1, 0, 0, 1);
    EXPECT_EQ(ReplaceRange(s, 1, "A", 1, "Z", 1, 0, 0, 1), 4u);
    EXPECT_EQ(RangeIds(s), (std::vector<uint32_t>{2, 3, 4}));
    EXPECT_EQ(ReplaceRange(s, 4, "B", 1, "", 0, 0, 0, 1), 4u) << "the last one keeps its identifier";
    EXPECT_EQ(std::string(FindRange(FindStyle(s), 4)->endText), "");
    SetLastControlError(0);
    EXPECT_EQ(AddRange(s, "", 0, "x", 1, 0, 0, 1), 0u) << "an empty start text is refused";
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLEVALUES));
    EXPECT_EQ(RangeOfState(FindStyle(s), 99)->id, 4u) << "an unknown range stands for the last";
    AESTYLEREF oldest = {s, 2, AESK_RANGE}, unknown = {s, 9, AESK_RANGE};
    EXPECT_EQ(StyleMessage(AEM_DELETESTYLEITEM, WParam(&unknown), 0), 0);
    EXPECT_EQ(StyleMessage(AEM_DELETESTYLEITEM, WParam(&oldest), 0), 0);
    EXPECT_EQ(RangeIds(s), (std::vector<uint32_t>{3, 4})) << "the first range is deleted too";
}

TEST_F(StyleModel, ARefusedReplacementKeepsTheOldItem)
{
    uint32_t s = CreateStyle("s", nullptr);
    uint32_t id = AddSymbol(s, "while", 5, 1), other = AddSymbol(s, "for", 3, 1);
    for (const char *start : {"a", "b"})
        AddRange(s, start, 1, "z", 1, 0, 0, 1);
    EXPECT_EQ(ReplaceSymbol(s, id, "do!", 3, 1), 0u);
    EXPECT_EQ(ReplaceRange(s, 1, "", 0, "y", 1, 0, 0, 1), 0u);
    for (unsigned long failing = 1; failing <= 5; ++failing) {
        FailNthAllocation(failing <= 3 ? failing : failing - 3);
        EXPECT_EQ(failing <= 3 ? ReplaceSymbol(s, id, "do", 2, 1) : ReplaceRange(s, 2, "B", 1, "Z", 1, 0, 0, 1), 0u)
            << "allocation " << failing;
    }
    FailNthAllocation(0);
    EXPECT_EQ(SymbolTexts(s), (std::vector<std::string>{"for", "while"}));
    EXPECT_EQ(RangeIds(s), (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(ReplaceSymbol(s, other, "do", 2, 1), 3u) << "identifiers are not reused; a refused text took none";
}

TEST_F(StyleModel, ClassResolutionFallsBackToTheLastClass)
{
    uint32_t s = CreateStyle("s", nullptr);
    const Style *style = FindStyle(s);
    EXPECT_EQ(ResolveClass(style, 1), nullptr) << "no class at all";
    EXPECT_EQ(RangeOfState(style, 1), nullptr) << "no range at all";
    AddClass(s, "one", 0, 0, 1);
    AddClass(s, "two", 0, 0, 2);
    EXPECT_EQ(ResolveClass(style, 1)->colour, 1u);
    EXPECT_EQ(ResolveClass(style, 9)->colour, 2u);
    EXPECT_EQ(ChangeClass(s, 1, "uno", 1, 2, 7), 1);
    EXPECT_EQ(std::string(ResolveClass(style, 1)->name), "uno");
    EXPECT_EQ(ChangeClass(s, 5, "x", 0, 0, 0), 0);
}

TEST_F(StyleModel, WholeWordLookupFollowsTheClassRules)
{
    uint32_t s = CreateStyle("s", nullptr), anyCase = AddClass(s, "K", 0, 2, 1);
    AddSymbol(s, "begin", 5, anyCase);
    AddSymbol(s, "Begin", 5, anyCase);
    const Style *style = FindStyle(s);
    char line[] = "BEGIN beginx";
    const StyleSymbol *found = FindSymbolAt(style, line, 12);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->text, "Begin") << "the newer symbol of the bucket is met first";
    EXPECT_EQ(FindSymbolAt(style, line + 6, 6), nullptr) << "beginx is no whole word";
    char lower[] = "begin;";
    FindSymbolAt(style, lower, 6);
    EXPECT_STREQ(lower, "BEGIN;") << "autocase upper rewrites a match";
}

TEST_F(StyleModel, OutOfMemoryLeavesTheStyleUnchanged)
{
    for (unsigned long failing = 1; failing <= 3; ++failing) {
        FailNthAllocation(failing);
        EXPECT_EQ(CreateStyle("s", nullptr), 0u) << "allocation " << failing;
        EXPECT_EQ(CountStyles(), 0u);
    }
    uint32_t s = CreateStyle("s", "$");
    FailNthAllocation(1);
    EXPECT_EQ(AddClass(s, "c", 0, 0, 0), 0u);
    FailNthAllocation(2);
    EXPECT_EQ(AddRange(s, "(", 1, ")", 1, 0, 0, 1), 0u);
    FailNthAllocation(2);
    EXPECT_EQ(AddSymbol(s, "if", 2, 1), 0u);
    FailNthAllocation(0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MEMORY));
    const Style *style = FindStyle(s);
    EXPECT_EQ(style->classCount + style->rangeCount + CountSymbols(s), 0u);
}

} // namespace

} // namespace scrivlet
