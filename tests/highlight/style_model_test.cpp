// The style set's own rules; the messages' part is pinned by the style protocol test.
#include "highlight/style_model.h"

#include "core/allocation.h"
#include "core/control_error.h"
#include "highlight/style_messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

struct StyleModel : testing::Test {
    void SetUp() override { ClearStyles(), SetLastControlError(AEE_NOERROR); }
    void TearDown() override { ClearStyles(); }
};

std::string Items(uint32_t styleId) // "range ids | symbol texts"
{
    std::string items;
    for (uint32_t i = 0; i < FindStyle(styleId)->rangeCount; ++i)
        items += std::to_string(FindStyle(styleId)->ranges[i].id) + " ";
    items += "|";
    ForEachSymbol(FindStyle(styleId), [](const StyleSymbol *s, void *out) {
        *static_cast<std::string *>(out) += " " + std::string(s->text);
    }, &items);
    return items;
}

TEST_F(StyleModel, IdentifiersFollowTheLargestInTheSetAndNamesAreFoundWithTheirCase)
{
    EXPECT_EQ(CreateStyle("a", nullptr) * 10 + CreateStyle("b", ""), 12u);
    DeleteStyle(2);
    EXPECT_EQ(CreateStyle("Pascal", nullptr), 2u) << "the newest one's identifier comes back";
    EXPECT_EQ(FindStyleByName("Pascal"), CreateStyle("Pascal", nullptr)) << "the newest of two";
    EXPECT_EQ(FindStyleByName("PASCAL"), 0u);
    CreateStyle("long", std::string(100, '-').c_str());
    AESTYLEINFO info;
    std::memset(&info, 'x', sizeof info);
    ASSERT_EQ(StyleMessage(AEM_GETSTYLES, 1, LParam(&info)), 1);
    EXPECT_EQ(std::string(info.additionalSymbolChars), std::string(79, '-')) << "cut to the field, ended";

    // Items take the identifier after the last one's; past the largest there is none.
    AddClass(1, "K", 0, 0, 0);
    FindStyle(1)->classes[0].id = 0xFFFFFFFFu;
    EXPECT_EQ(AddClass(1, "L", 0, 0, 0), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELIMIT));
    EXPECT_EQ(FindStyle(1)->classCount, 1u);
}

TEST_F(StyleModel, DeletingAClassTakesItsItemsAndReplacingARangeMovesItToTheEnd)
{
    uint32_t s = CreateStyle("s", nullptr);
    uint32_t keep = AddClass(s, "keep", 0, 0, 1), gone = AddClass(s, "gone", 0, 0, 2);
    for (const char *start : {"/*", "//", "\"", "'"})
        AddRange(s, start, uint32_t(strlen(start)), "x", 1, 0, 0, start[0] == '"' ? keep : gone);
    for (const char *symbol : {"if", "int", "is"})
        AddSymbol(s, symbol, uint32_t(strlen(symbol)), symbol[1] == 'n' ? keep : gone);
    DeleteClass(s, gone);
    EXPECT_EQ(Items(s), "3 | int");
    for (const char *start : {"a", "b"})
        AddRange(s, start, 1, "z", 1, 0, 0, keep);
    EXPECT_EQ(ReplaceRange(s, 3, "A", 1, "Z", 1, 0, 0, keep), 6u);
    EXPECT_EQ(ReplaceRange(s, 6, "B", 1, "", 0, 0, 0, keep), 6u) << "the last one keeps its identifier";
    EXPECT_EQ(Items(s), "4 5 6 | int");
    EXPECT_EQ(RangeOfState(FindStyle(s), 99)->id, 6u) << "an unknown range stands for the last";
    AESTYLEREF oldest = {s, 4, AESK_RANGE};
    EXPECT_EQ(StyleMessage(AEM_DELETESTYLEITEM, WParam(&oldest), 0), 0);
    EXPECT_EQ(Items(s), "5 6 | int") << "the first range is deleted too";
}

// Symbol characters only; an unknown class resolves to the last; the newer symbol is met first.
TEST_F(StyleModel, SymbolsAndClassesFollowTheirRules)
{
    uint32_t s = CreateStyle("s", "-");
    AddClass(s, "one", 0, 0, 1);
    uint32_t anyCase = AddClass(s, "two", 0, 2, 2);
    EXPECT_EQ(AddSymbol(s, "foo-bar_9", 9, anyCase) * 10 + AddSymbol(s, "\xE9t\xE9", 3, anyCase), 10u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_SYMBOLCHARS)) << "high bytes only as additional characters";
    const Style *style = FindStyle(s);
    EXPECT_EQ(ResolveClass(style, 1)->colour * 10 + ResolveClass(style, 9)->colour, 12u);
    EXPECT_EQ(ChangeClass(s, 5, "x", 0, 0, 0), 0);
    AddSymbol(s, "begin", 5, anyCase);
    AddSymbol(s, "Begin", 5, anyCase);
    char line[] = "BEGIN beginx";
    const StyleSymbol *found = FindSymbolAt(style, line, 12);
    EXPECT_STREQ(found != nullptr ? found->text : "", "Begin");
}

// Nothing is added when memory runs out; a refused replacement keeps the old item.
TEST_F(StyleModel, OutOfMemoryLeavesTheStyleUnchanged)
{
    FailNthAllocation(1);
    EXPECT_EQ(CreateStyle("s", nullptr) + CountStyles(), 0u);
    uint32_t s = CreateStyle("s", "$");
    FailNthAllocation(1);
    EXPECT_EQ(AddClass(s, "c", 0, 0, 0), 0u);
    FailNthAllocation(2);
    EXPECT_EQ(AddSymbol(s, "if", 2, 1), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MEMORY));
    uint32_t id = AddSymbol(s, "while", 5, 1);
    AddRange(s, "a", 1, "z", 1, 0, 0, 1);
    for (unsigned long failing = 1; failing <= 5; ++failing) {
        FailNthAllocation(failing <= 3 ? failing : failing - 3);
        EXPECT_EQ(failing <= 3 ? ReplaceSymbol(s, id, "do", 2, 1) : ReplaceRange(s, 1, "B", 1, "Z", 1, 0, 0, 1), 0u)
            << "allocation " << failing;
    }
    FailNthAllocation(0);
    EXPECT_EQ(Items(s), "1 | while");
    EXPECT_EQ(FindStyle(s)->classCount, 0u);
}

} // namespace

} // namespace scrivlet
