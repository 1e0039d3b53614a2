#include "core/id_list.h"

#include "core/allocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace scrivlet {

namespace {

// Values are small numbers behind pointers into one array; the predicates
// compare the numbers.
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

// Pushes, sorted insertions (equal numbers after) and removals anywhere
// against a model: new ids follow the largest id present; a value is found
// by key and by id.
TEST(IdList, RandomOperationsAgreeWithAModel)
{
    IdList *list = CreateIdList();
    std::vector<std::pair<uint32_t, int>> model; // (id, number) front to back
    std::mt19937 random(3);
    for (int step = 0; step < 3000; ++step) {
        const int number = int(random() % 16);
        uint32_t next = 1, found = 99, expectedId = 0;
        for (const auto &node : model)
            next = std::max(next, node.first + 1);
        if (random() % 2 == 0) {
            const bool sorted = random() % 2;
            auto at = model.begin();
            while (sorted && at != model.end() && at->second <= number)
                ++at;
            ASSERT_EQ(sorted ? InsertSorted(list, &numbers[number], PrecedesOrEquals)
                             : PushFront(list, &numbers[number]), next);
            model.insert(at, {next, number});
        } else {
            uint32_t id = model.empty() || random() % 5 == 0 ? next + random() % 2 : model[random() % model.size()].first;
            RemoveId(list, id);
            model.erase(std::remove_if(model.begin(), model.end(), [id](auto &n) { return n.first == id; }),
                        model.end());
        }
        std::string expected;
        for (auto it = model.rbegin(); it != model.rend(); ++it)
            expectedId = it->second == number ? it->first : expectedId;
        for (const auto &node : model)
            expected += std::to_string(node.first) + ":" + std::to_string(node.second) + " ";
        ASSERT_EQ(Walk(list), expected) << "step " << step;
        ASSERT_EQ(CountIds(list), model.size());
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
