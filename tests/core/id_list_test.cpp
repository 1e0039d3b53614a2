#include "core/id_list.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

// Values in these tests are C strings owned by the test.
char *Text(const char *text)
{
    return const_cast<char *>(text);
}

int NamePrecedesOrEquals(void *existing, void *newValue)
{
    return std::strcmp(static_cast<const char *>(existing), static_cast<const char *>(newValue)) <= 0;
}

int NameEquals(void *value, void *key)
{
    return std::strcmp(static_cast<const char *>(value), static_cast<const char *>(key)) == 0;
}

// The values front to back, checking that every back link mirrors its forward link.
std::vector<std::string> Walk(const IdList *list)
{
    std::vector<std::string> values;
    const IdListNode *previous = nullptr;
    for (const IdListNode *node = list->first; node != nullptr; previous = node, node = node->next) {
        EXPECT_EQ(node->prev, previous) << "back link of id " << node->id;
        values.push_back(static_cast<const char *>(node->value));
    }
    return values;
}

const char *Str(void *value)
{
    return static_cast<const char *>(value);
}

struct IdListTest : testing::Test {
    IdList *list = CreateIdList();
    void SetUp() override { ASSERT_NE(list, nullptr); }
    ~IdListTest() override { DestroyIdList(&list); }
};

TEST_F(IdListTest, IdsFollowTheLargestIdPresentAndListIteratesNewestFirst)
{
    EXPECT_EQ(PushFront(list, Text("one")), 1u);
    EXPECT_EQ(PushFront(list, Text("two")), 2u);
    EXPECT_EQ(PushFront(list, Text("three")), 3u);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"three", "two", "one"}));
    EXPECT_EQ(CountIds(list), 3u);
    EXPECT_STREQ(Str(ValueOfId(list, 2)), "two");
    EXPECT_STREQ(Str(IterateValues(list)), "three");
    EXPECT_STREQ(Str(IterateValues(nullptr)), "two");
    EXPECT_STREQ(Str(IterateValues(nullptr)), "one");
    for (int call = 0; call < 2; ++call)
        EXPECT_EQ(IterateValues(nullptr), nullptr) << "past the end stays at the end";
    RemoveId(list, 3);
    EXPECT_EQ(PushFront(list, Text("d")), 3u) << "the largest id comes back";
    RemoveId(list, 1);
    EXPECT_EQ(PushFront(list, Text("e")), 4u) << "a smaller free id does not";
    list->first->id = UINT32_MAX;
    EXPECT_EQ(PushFront(list, Text("f")), 0u) << "ids are exhausted";
    EXPECT_STREQ(Str(IterateValues(list)), "e");
    ClearIdList(list);
    EXPECT_EQ(IterateValues(nullptr), nullptr) << "clearing ends the iteration";
    EXPECT_EQ(PushFront(list, Text("g")), 1u);
}

TEST_F(IdListTest, RemoveUnlinksFirstMiddleAndLastNodes)
{
    const struct { uint32_t removed; std::vector<std::string> left; } cases[] = {
        {4, {"b", "c", "d"}}, {3, {"a", "c", "d"}}, {1, {"a", "b", "c"}}, {9, {"a", "b", "c", "d"}}};
    for (const auto &test : cases) {
        ClearIdList(list);
        for (const char *value : {"d", "c", "b", "a"})
            PushFront(list, Text(value));  // a=4, b=3, c=2, d=1
        RemoveId(list, test.removed);
        EXPECT_EQ(Walk(list), test.left) << "removing id " << test.removed;
        EXPECT_EQ(ValueOfId(list, test.removed), nullptr);
    }
}

TEST_F(IdListTest, InsertSortedKeepsAscendingOrderAndEqualValuesInInsertionOrder)
{
    for (const char *name : {"b", "a", "c"})
        InsertSorted(list, Text(name), NamePrecedesOrEquals);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"a", "b", "c"}));
    char secondB[] = "b";
    EXPECT_EQ(InsertSorted(list, secondB, NamePrecedesOrEquals), 4u);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"a", "b", "b", "c"}));
    EXPECT_EQ(list->first->next->next->value, secondB) << "an equal value goes after the existing one";
}

TEST_F(IdListTest, FindValueGivesTheFirstMatchFromTheFrontAndItsId)
{
    char older[] = "same";
    char newer[] = "same";
    PushFront(list, older);
    PushFront(list, newer);
    uint32_t foundId = 99;
    EXPECT_EQ(FindValue(list, Text("same"), NameEquals, &foundId), newer);
    EXPECT_EQ(foundId, 2u);
    EXPECT_EQ(FindValue(list, Text("missing"), NameEquals, &foundId), nullptr);
    EXPECT_EQ(foundId, 0u) << "a miss reports id 0";
}

TEST_F(IdListTest, RemovingTheNodeUnderTheCursorContinuesWithItsSuccessor)
{
    for (const char *value : {"d", "c", "b", "a"})
        PushFront(list, Text(value));  // a=4, b=3, c=2, d=1
    EXPECT_STREQ(Str(IterateValues(list)), "a");
    RemoveId(list, 4);
    EXPECT_STREQ(Str(IterateValues(nullptr)), "b");
    RemoveId(list, 3);
    RemoveId(list, 2);  // the successor the cursor was waiting on
    EXPECT_STREQ(Str(IterateValues(nullptr)), "d");
    RemoveId(list, 1);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
}

TEST_F(IdListTest, FailedOrRefusedInsertionsReturnZeroAndLeaveTheListUnchanged)
{
    FailNthAllocation(1);
    EXPECT_EQ(CreateIdList(), nullptr);
    FailNthAllocation(1);
    EXPECT_EQ(InsertSorted(list, Text("b"), NamePrecedesOrEquals), 0u) << "into an empty list";
    EXPECT_EQ(InsertSorted(list, Text("b"), nullptr), 0u) << "without a predicate";
    EXPECT_EQ(PushFront(nullptr, Text("b")), 0u) << "without a list";
    EXPECT_EQ(list->first, nullptr);
    InsertSorted(list, Text("b"), NamePrecedesOrEquals);
    InsertSorted(list, Text("d"), NamePrecedesOrEquals);
    FailNthAllocation(1);
    EXPECT_EQ(PushFront(list, Text("a")), 0u);
    FailNthAllocation(1);
    EXPECT_EQ(InsertSorted(list, Text("c"), NamePrecedesOrEquals), 0u);
    FailNthAllocation(0);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(PushFront(list, Text("a")), 3u);
}

} // namespace

} // namespace scrivlet
