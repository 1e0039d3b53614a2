#include "core/id_list.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Values in these tests are C strings owned by the test.
char *Text(const char *text)
{
    return const_cast<char *>(text);
}

// Existing name <= new name, bytes compared as unsigned values.
int NamePrecedesOrEquals(void *existing, void *newValue)
{
    return std::strcmp(static_cast<const char *>(existing), static_cast<const char *>(newValue)) <= 0;
}

int NameEquals(void *value, void *key)
{
    return std::strcmp(static_cast<const char *>(value), static_cast<const char *>(key)) == 0;
}

// The values front to back, checking on the way that every back link mirrors
// its forward link.
std::vector<std::string> Walk(const IdList *list)
{
    std::vector<std::string> values;
    const IdListNode *previous = nullptr;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next) {
        EXPECT_EQ(node->prev, previous) << "back link of id " << node->id;
        values.push_back(static_cast<const char *>(node->value));
        previous = node;
    }
    return values;
}

std::vector<uint32_t> Ids(const IdList *list)
{
    std::vector<uint32_t> ids;
    for (const IdListNode *node = list->first; node != nullptr; node = node->next)
        ids.push_back(node->id);
    return ids;
}

std::vector<std::string> Iterate(const IdList *list)
{
    std::vector<std::string> values;
    for (void *value = IterateValues(list); value != nullptr; value = IterateValues(nullptr))
        values.push_back(static_cast<const char *>(value));
    return values;
}

// A list that is destroyed when the test ends, whatever it asserts.
struct ListFixture : testing::Test {
    IdList *list = CreateIdList();
    void SetUp() override { ASSERT_NE(list, nullptr); }
    ~ListFixture() override { DestroyIdList(&list); }
};

using IdListBasics = ListFixture;
using IdListSorted = ListFixture;
using IdListIteration = ListFixture;
using IdListOutOfMemory = ListFixture;

TEST_F(IdListBasics, NewListIsEmpty)
{
    EXPECT_EQ(list->first, nullptr);
    EXPECT_EQ(CountIds(list), 0u);
    EXPECT_EQ(IterateValues(list), nullptr);
}

TEST_F(IdListBasics, PushedValuesGetRisingIdsAndIterateNewestFirst)
{
    EXPECT_EQ(PushFront(list, Text("one")), 1u);
    EXPECT_EQ(PushFront(list, Text("two")), 2u);
    EXPECT_EQ(PushFront(list, Text("three")), 3u);
    EXPECT_EQ(CountIds(list), 3u);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"three", "two", "one"}));
    EXPECT_EQ(Iterate(list), (std::vector<std::string>{"three", "two", "one"}));
}

TEST_F(IdListBasics, RemovedLargestIdIsReusedButOthersAreNot)
{
    for (const char *value : {"a", "b", "c"})
        PushFront(list, Text(value));
    RemoveId(list, 3);
    EXPECT_EQ(PushFront(list, Text("d")), 3u);
    RemoveId(list, 1);
    EXPECT_EQ(PushFront(list, Text("e")), 4u);
    EXPECT_EQ(Ids(list), (std::vector<uint32_t>{4, 3, 2}));
}

TEST_F(IdListBasics, ClearedListStartsAgainAtIdOne)
{
    PushFront(list, Text("a"));
    PushFront(list, Text("b"));
    ClearIdList(list);
    EXPECT_EQ(list->first, nullptr);
    EXPECT_EQ(CountIds(list), 0u);
    EXPECT_EQ(PushFront(list, Text("c")), 1u);
}

TEST_F(IdListBasics, RemoveUnlinksFirstMiddleAndLastNodes)
{
    const struct {
        uint32_t removed;
        std::vector<std::string> left;
    } cases[] = {
        {4, {"b", "c", "d"}},      // first node
        {3, {"a", "c", "d"}},      // middle node
        {1, {"a", "b", "c"}},      // last node
        {9, {"a", "b", "c", "d"}}, // unknown id
        {0, {"a", "b", "c", "d"}}, // never an id
    };
    for (const auto &test : cases) {
        ClearIdList(list);
        for (const char *value : {"d", "c", "b", "a"})
            PushFront(list, Text(value));  // a=4, b=3, c=2, d=1
        RemoveId(list, test.removed);
        EXPECT_EQ(Walk(list), test.left) << "removing id " << test.removed;
    }
}

TEST_F(IdListBasics, RemovingTheOnlyNodeEmptiesTheList)
{
    uint32_t id = PushFront(list, Text("a"));
    RemoveId(list, id);
    EXPECT_EQ(list->first, nullptr);
    EXPECT_EQ(CountIds(list), 0u);
}

TEST_F(IdListBasics, ValueOfIdFindsOnlyExistingIds)
{
    uint32_t a = PushFront(list, Text("a"));
    uint32_t b = PushFront(list, Text("b"));
    EXPECT_STREQ(static_cast<const char *>(ValueOfId(list, a)), "a");
    EXPECT_STREQ(static_cast<const char *>(ValueOfId(list, b)), "b");
    EXPECT_EQ(ValueOfId(list, 0), nullptr);
    EXPECT_EQ(ValueOfId(list, 3), nullptr);
}

TEST_F(IdListBasics, FindValueGivesTheFirstMatchFromTheFrontAndItsId)
{
    char older[] = "same";
    char newer[] = "same";
    PushFront(list, Text("other"));
    PushFront(list, older);
    uint32_t newerId = PushFront(list, newer);

    uint32_t foundId = 99;
    EXPECT_EQ(FindValue(list, Text("same"), NameEquals, &foundId), newer);
    EXPECT_EQ(foundId, newerId);
    EXPECT_EQ(FindValue(list, Text("other"), NameEquals, nullptr), ValueOfId(list, 1));

    foundId = 99;
    EXPECT_EQ(FindValue(list, Text("missing"), NameEquals, &foundId), nullptr);
    EXPECT_EQ(foundId, 0u) << "a miss must report id 0";
    EXPECT_EQ(CountIds(list), 3u);
}

TEST_F(IdListBasics, NoIdIsHandedOutAfterTheLargestPossible)
{
    PushFront(list, Text("a"));
    list->first->id = UINT32_MAX;
    EXPECT_EQ(PushFront(list, Text("b")), 0u);
    EXPECT_EQ(InsertSorted(list, Text("b"), NamePrecedesOrEquals), 0u);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"a"}));
}

TEST_F(IdListBasics, DestroySetsTheReferenceToNullAndToleratesNull)
{
    PushFront(list, Text("a"));
    PushFront(list, Text("b"));
    DestroyIdList(&list);
    EXPECT_EQ(list, nullptr);
    DestroyIdList(&list);
    EXPECT_EQ(list, nullptr);
}

TEST_F(IdListSorted, InsertSortedKeepsAscendingOrder)
{
    const struct {
        std::vector<const char *> inserted;
        std::vector<std::string> expected;
    } cases[] = {
        {{"b", "a", "c"}, {"a", "b", "c"}},
        {{"c", "b", "a"}, {"a", "b", "c"}},
        {{"a", "b", "c"}, {"a", "b", "c"}},
        {{"m", "z", "a", "n"}, {"a", "m", "n", "z"}},
    };
    for (const auto &test : cases) {
        ClearIdList(list);
        for (const char *name : test.inserted)
            InsertSorted(list, Text(name), NamePrecedesOrEquals);
        EXPECT_EQ(Walk(list), test.expected) << "first inserted: " << test.inserted[0];
    }
}

TEST_F(IdListSorted, EqualValueGoesAfterExistingEqualOnes)
{
    char firstB[] = "b";
    char secondB[] = "b";
    InsertSorted(list, firstB, NamePrecedesOrEquals);
    InsertSorted(list, Text("a"), NamePrecedesOrEquals);
    InsertSorted(list, Text("c"), NamePrecedesOrEquals);
    uint32_t id = InsertSorted(list, secondB, NamePrecedesOrEquals);
    EXPECT_EQ(id, 4u) << "ids follow the largest id, not the position";
    ASSERT_EQ(CountIds(list), 4u);
    EXPECT_EQ(list->first->next->value, firstB);
    EXPECT_EQ(list->first->next->next->value, secondB);
    EXPECT_EQ(Ids(list), (std::vector<uint32_t>{2, 1, 4, 3}));
}

TEST_F(IdListIteration, IterationPastTheEndKeepsReturningNull)
{
    PushFront(list, Text("a"));
    EXPECT_STREQ(static_cast<const char *>(IterateValues(list)), "a");
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(IterateValues(nullptr), nullptr) << "call " << call << " after the end";
}

TEST_F(IdListIteration, StartingAgainReturnsToTheFirstNode)
{
    PushFront(list, Text("b"));
    PushFront(list, Text("a"));
    IterateValues(list);
    IterateValues(nullptr);
    EXPECT_STREQ(static_cast<const char *>(IterateValues(list)), "a");
    EXPECT_STREQ(static_cast<const char *>(IterateValues(nullptr)), "b");
}

TEST_F(IdListIteration, FetchingTheNextValueBeforeRemovingVisitsEveryNode)
{
    for (const char *value : {"c", "b", "a"})
        PushFront(list, Text(value));
    std::vector<std::string> seen;
    void *value = IterateValues(list);
    while (value != nullptr) {
        void *next = IterateValues(nullptr);
        uint32_t id = 0;
        FindValue(list, value, NameEquals, &id);
        RemoveId(list, id);
        seen.push_back(static_cast<const char *>(value));
        value = next;
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(CountIds(list), 0u);
}

TEST_F(IdListIteration, RemovingTheNodeUnderTheCursorContinuesWithItsSuccessor)
{
    for (const char *value : {"d", "c", "b", "a"})
        PushFront(list, Text(value));  // a=4, b=3, c=2, d=1
    EXPECT_STREQ(static_cast<const char *>(IterateValues(list)), "a");
    RemoveId(list, 4);
    EXPECT_STREQ(static_cast<const char *>(IterateValues(nullptr)), "b");
    RemoveId(list, 3);
    RemoveId(list, 2);  // the successor the cursor was waiting on
    EXPECT_STREQ(static_cast<const char *>(IterateValues(nullptr)), "d");
    RemoveId(list, 1);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
}

TEST_F(IdListIteration, ClearingTheListUnderTheCursorEndsTheIteration)
{
    PushFront(list, Text("b"));
    PushFront(list, Text("a"));
    IterateValues(list);
    ClearIdList(list);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
}

TEST_F(IdListIteration, DestroyingTheListUnderTheCursorEndsTheIteration)
{
    PushFront(list, Text("b"));
    PushFront(list, Text("a"));
    IterateValues(list);
    DestroyIdList(&list);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
}

TEST_F(IdListOutOfMemory, CreateGivesNullWhenItsCellCannotBeAllocated)
{
    FailNthAllocation(1);
    EXPECT_EQ(CreateIdList(), nullptr);
    FailNthAllocation(0);
}

TEST_F(IdListOutOfMemory, FailedInsertionsReturnZeroAndLeaveTheListUnchanged)
{
    EXPECT_EQ(InsertSorted(list, Text("b"), NamePrecedesOrEquals), 1u);
    EXPECT_EQ(InsertSorted(list, Text("d"), NamePrecedesOrEquals), 2u);

    FailNthAllocation(1);
    EXPECT_EQ(PushFront(list, Text("a")), 0u);
    FailNthAllocation(1);
    EXPECT_EQ(InsertSorted(list, Text("c"), NamePrecedesOrEquals), 0u);
    FailNthAllocation(0);

    EXPECT_EQ(Walk(list), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(Ids(list), (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(PushFront(list, Text("a")), 3u);
}

TEST_F(IdListOutOfMemory, FailedFirstInsertionLeavesTheListEmpty)
{
    FailNthAllocation(1);
    EXPECT_EQ(InsertSorted(list, Text("a"), NamePrecedesOrEquals), 0u);
    FailNthAllocation(0);
    EXPECT_EQ(list->first, nullptr);
}

} // namespace
