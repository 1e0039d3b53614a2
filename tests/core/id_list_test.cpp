#include "core/id_list.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace scrivlet {

namespace {

// Values are small numbers behind pointers into one array; the predicates
// compare the numbers.
int numbers[16];

int Number(void *value) { return int(static_cast<int *>(value) - numbers); }
int PrecedesOrEquals(void *existing, void *newValue) { return Number(existing) <= Number(newValue); }
int Equals(void *value, void *key) { return Number(value) == Number(key); }

using Model = std::vector<std::pair<uint32_t, int>>; // (id, number) front to back

// The list front to back; every back link must mirror its forward link.
Model Walk(const IdList *list)
{
    Model nodes;
    const IdListNode *previous = nullptr;
    for (const IdListNode *node = list->first; node != nullptr; previous = node, node = node->next) {
        EXPECT_EQ(node->prev, previous) << "back link of id " << node->id;
        nodes.push_back({node->id, Number(node->value)});
    }
    return nodes;
}

// Pushes, sorted insertions (equal numbers after) and removals anywhere
// against a model: new ids follow the largest id present.
TEST(IdList, RandomOperationsAgreeWithAModel)
{
    IdList *list = CreateIdList();
    ASSERT_NE(list, nullptr);
    Model model;
    std::mt19937 random(3);
    for (int step = 0; step < 3000; ++step) {
        const int number = int(random() % 16);
        uint32_t next = 1;
        for (const auto &node : model)
            next = std::max(next, node.first + 1);
        switch (random() % 4) {
        case 0:
            ASSERT_EQ(PushFront(list, &numbers[number]), next);
            model.insert(model.begin(), {next, number});
            break;
        case 1: {
            ASSERT_EQ(InsertSorted(list, &numbers[number], PrecedesOrEquals), next);
            auto at = model.begin();
            while (at != model.end() && at->second <= number)
                ++at;
            model.insert(at, {next, number});
            break;
        }
        default: {
            const bool absent = model.empty() || random() % 5 == 0;
            uint32_t id = absent ? next + random() % 2 : model[random() % model.size()].first;
            RemoveId(list, id);
            model.erase(std::remove_if(model.begin(), model.end(), [id](auto &n) { return n.first == id; }),
                        model.end());
        }
        }
        ASSERT_EQ(Walk(list), model) << "step " << step;
        ASSERT_EQ(CountIds(list), model.size());
        uint32_t found = 99, expectedId = 0;
        for (auto it = model.rbegin(); it != model.rend(); ++it)
            expectedId = it->second == number ? it->first : expectedId;
        void *value = FindValue(list, &numbers[number], Equals, &found);
        ASSERT_EQ(found, expectedId) << "the first match from the front, 0 for none";
        ASSERT_EQ(value, expectedId != 0 ? &numbers[number] : nullptr);
        ASSERT_EQ(ValueOfId(list, expectedId), value);
        if (model.size() > 12)
            ClearIdList(list), model.clear();
    }
    DestroyIdList(&list);
    EXPECT_EQ(list, nullptr);
}

TEST(IdList, IterationSurvivesRemovalsAndIdsRunOut)
{
    IdList *list = CreateIdList();
    for (int number : {3, 2, 1, 0})
        PushFront(list, &numbers[number]); // 0=4, 1=3, 2=2, 3=1
    EXPECT_EQ(IterateValues(list), &numbers[0]);
    RemoveId(list, 4); // the node under the cursor: its successor comes next
    EXPECT_EQ(IterateValues(nullptr), &numbers[1]);
    RemoveId(list, 3);
    RemoveId(list, 2); // the successor the cursor was waiting on
    EXPECT_EQ(IterateValues(nullptr), &numbers[3]);
    for (int call = 0; call < 2; ++call)
        EXPECT_EQ(IterateValues(nullptr), nullptr) << "past the end stays at the end";
    EXPECT_EQ(IterateValues(list), &numbers[3]);
    ClearIdList(list);
    EXPECT_EQ(IterateValues(nullptr), nullptr) << "clearing ends the iteration";

    PushFront(list, &numbers[0]);
    list->first->id = UINT32_MAX;
    EXPECT_EQ(PushFront(list, &numbers[1]), 0u) << "ids are exhausted";
    EXPECT_EQ(InsertSorted(list, &numbers[1], PrecedesOrEquals), 0u);
    ClearIdList(list);
    FailNthAllocation(1);
    EXPECT_EQ(InsertSorted(list, &numbers[1], PrecedesOrEquals), 0u) << "into an empty list";
    PushFront(list, &numbers[5]);
    for (int call = 0; call < 2; ++call) {
        FailNthAllocation(1);
        EXPECT_EQ(call == 0 ? PushFront(list, &numbers[2]) : InsertSorted(list, &numbers[2], PrecedesOrEquals), 0u);
    }
    EXPECT_EQ(InsertSorted(list, &numbers[1], nullptr), 0u) << "without a predicate";
    EXPECT_EQ(PushFront(nullptr, &numbers[1]), 0u) << "without a list";
    EXPECT_EQ(Walk(list), (Model{{1, 5}}));
    DestroyIdList(&list);
    FailNthAllocation(1);
    EXPECT_EQ(CreateIdList(), nullptr);
}

} // namespace

} // namespace scrivlet
