#include "core/id_list.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

// Values are pointers into one array; the predicates compare their indexes.
int numbers[16];

int Number(void *value) { return int(static_cast<int *>(value) - numbers); }
int PrecedesOrEquals(void *existing, void *newValue) { return Number(existing) <= Number(newValue); }
int Equals(void *value, void *key) { return Number(value) == Number(key); }

// "id:number " front to back; every back link must mirror its forward link.
std::string Walk(const IdList *list)
{
    std::string nodes;
    const IdListNode *previous = nullptr;
    for (const IdListNode *node = list->first; node != nullptr; previous = node, node = node->next) {
        EXPECT_EQ(node->prev, previous) << "back link of id " << node->id;
        nodes += std::to_string(node->id) + ":" + std::to_string(Number(node->value)) + " ";
    }
    return nodes;
}

// New ids follow the largest present; sorted insertions go after equal values.
TEST(IdList, InsertionsRemovalsAndLookups)
{
    IdList *list = CreateIdList();
    const struct { char operation; int number; const char *walk; } steps[] = {
        {'p', 5, "1:5 "},      {'s', 7, "1:5 2:7 "},      {'s', 5, "1:5 3:5 2:7 "}, {'p', 9, "4:9 1:5 3:5 2:7 "},
        {'r', 4, "1:5 3:5 2:7 "}, {'r', 1, "3:5 2:7 "},   {'r', 8, "3:5 2:7 "},     {'s', 1, "4:1 3:5 2:7 "},
        {'r', 3, "4:1 2:7 "},  {'p', 6, "5:6 4:1 2:7 "}, {'s', 9, "5:6 4:1 2:7 6:9 "},
    };
    for (const auto &c : steps) {
        if (c.operation == 'r')
            RemoveId(list, uint32_t(c.number));
        else
            EXPECT_NE(c.operation == 'p' ? PushFront(list, &numbers[c.number])
                                         : InsertSorted(list, &numbers[c.number], PrecedesOrEquals), 0u);
        EXPECT_EQ(Walk(list), c.walk) << c.operation << c.number;
    }
    uint32_t found = 99;
    EXPECT_EQ(FindValue(list, &numbers[3], Equals, &found), nullptr);
    EXPECT_EQ(found * 10 + CountIds(list), 4u);
    EXPECT_EQ(ValueOfId(list, 6), &numbers[9]);
    EXPECT_EQ(ValueOfId(list, 3), nullptr);
    DestroyIdList(&list);
    EXPECT_EQ(list, nullptr);
}

TEST(IdList, IterationSurvivesRemovalsAndIdsRunOut)
{
    IdList *list = CreateIdList();
    for (int number : {2, 1, 0})
        PushFront(list, &numbers[number]); // 0=3, 1=2, 2=1
    EXPECT_EQ(IterateValues(list), &numbers[0]);
    RemoveId(list, 3); // the node under the cursor: its successor comes next
    RemoveId(list, 2); // the successor the cursor was waiting on
    EXPECT_EQ(IterateValues(nullptr), &numbers[2]);
    EXPECT_EQ(IterateValues(nullptr), nullptr);
    EXPECT_EQ(IterateValues(list), &numbers[2]);
    ClearIdList(list);
    EXPECT_EQ(IterateValues(nullptr), nullptr) << "clearing ends the iteration";

    FailNthAllocation(1);
    EXPECT_EQ(PushFront(list, &numbers[2]), 0u);
    PushFront(list, &numbers[5]);
    list->first->id = UINT32_MAX;
    EXPECT_EQ(PushFront(list, &numbers[1]) + InsertSorted(list, &numbers[1], PrecedesOrEquals), 0u) << "no ids left";
    EXPECT_EQ(PushFront(nullptr, &numbers[1]), 0u) << "without a list";
    EXPECT_EQ(Walk(list), "4294967295:5 ");
    DestroyIdList(&list);
}

} // namespace

} // namespace scrivlet
