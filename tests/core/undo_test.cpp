#include "core/allocation.h"
#include "core/undo.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

// An undo store freed at the end of the test.
struct Store {
    UndoStack undo{};
    explicit Store(int32_t levels) { EXPECT_EQ(InitUndo(&undo, levels), 1); }
    ~Store() { FreeUndo(&undo); }
};

// Commits one group holding a single insertion at `offset`; the offset
// names the group in the tests below.
void CommitInsertion(UndoStack *undo, uint32_t offset)
{
    UndoGroup *group = BeginGroup(undo);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, offset, "x", 1), 1);
    CommitGroup(undo);
}

uint32_t NameOf(const UndoGroup *group)
{
    return group == nullptr ? 0 : group->records[0].offset;
}

std::string BytesOf(const UndoRecord &record)
{
    return std::string(record.bytes, record.length);
}

TEST(UndoStore, LevelsSetTheRing)
{
    const struct {
        int32_t levels;
        int32_t slotCount;
        int32_t reported;
    } cases[] = {{100, 101, 100}, {1, 2, 1}, {0, 0, 0}, {-5, 0, 0}};
    for (const auto &c : cases) {
        Store store(c.levels);
        EXPECT_EQ(store.undo.slotCount, c.slotCount) << "levels " << c.levels;
        EXPECT_EQ(UndoLevels(&store.undo), c.reported) << "levels " << c.levels;
        EXPECT_EQ(store.undo.oldest | store.undo.current | store.undo.newest, 0);
    }
    Store off(0);
    UndoGroup *none = BeginGroup(&off.undo);
    EXPECT_EQ(none, nullptr) << "undo off begins no group";
    EXPECT_EQ(AppendUndo(none, kUndoInsertion, 0, "abc", 3), 1) << "no group is not a failure";
    CommitGroup(&off.undo);
    EXPECT_EQ(CanUndo(&off.undo), 0);

    UndoStack undo{};
    EXPECT_EQ(InitUndo(&undo, INT32_MAX), 0) << "levels + 1 slots cannot be counted";
    EXPECT_EQ(UndoLevels(&undo), 0);
    FailNthAllocation(1);
    EXPECT_EQ(InitUndo(&undo, 10), 0) << "slot allocation fails";
    EXPECT_EQ(undo.slotCount, 0) << "undo is off after a failure";
    EXPECT_EQ(BeginGroup(&undo), nullptr);
}

TEST(UndoStore, OldestGroupDropsOutOfAFullRing)
{
    Store store(2);
    CommitInsertion(&store.undo, 1);
    CommitInsertion(&store.undo, 2);
    CommitInsertion(&store.undo, 3);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 3u);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 2u);
    EXPECT_EQ(StepBack(&store.undo), nullptr) << "two levels keep two groups";
    EXPECT_EQ(CanUndo(&store.undo), 0);
    EXPECT_EQ(NameOf(StepForward(&store.undo)), 2u);
    EXPECT_EQ(NameOf(StepForward(&store.undo)), 3u);
    EXPECT_EQ(StepForward(&store.undo), nullptr);
}

TEST(UndoStore, UndoAndRedoWalkTheRingInOrderAfterWrapping)
{
    Store store(3);
    for (uint32_t name = 1; name <= 10; ++name)
        CommitInsertion(&store.undo, name);
    for (uint32_t name : {10u, 9u, 8u})
        EXPECT_EQ(NameOf(StepBack(&store.undo)), name);
    EXPECT_EQ(StepBack(&store.undo), nullptr);
    EXPECT_EQ(CanRedo(&store.undo), 1);
    for (uint32_t name : {8u, 9u, 10u})
        EXPECT_EQ(NameOf(StepForward(&store.undo)), name);
    EXPECT_EQ(CanRedo(&store.undo), 0);
}

TEST(UndoStore, NewEditAbandonsRedo)
{
    Store store(10);
    CommitInsertion(&store.undo, 1);
    CommitInsertion(&store.undo, 2);
    StepBack(&store.undo);
    ASSERT_EQ(CanRedo(&store.undo), 1);
    CommitInsertion(&store.undo, 3);
    EXPECT_EQ(CanRedo(&store.undo), 0);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 3u);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 1u);
}

TEST(UndoStore, EmptyGroupIsNotCommittedButStillEndsRedo)
{
    Store store(10);
    CommitInsertion(&store.undo, 1);
    BeginGroup(&store.undo);
    CommitGroup(&store.undo);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 1u) << "an empty group is no undo step";
    EXPECT_EQ(StepBack(&store.undo), nullptr);

    // Two redo groups; an edit that records nothing (Backspace at 0) empties
    // the slot of the first. Redo must not jump to the second one.
    CommitInsertion(&store.undo, 2);
    CommitInsertion(&store.undo, 3);
    StepBack(&store.undo);
    StepBack(&store.undo);
    ASSERT_EQ(CanRedo(&store.undo), 1);
    BeginGroup(&store.undo);
    CommitGroup(&store.undo);
    EXPECT_EQ(CanRedo(&store.undo), 0);
    EXPECT_EQ(StepForward(&store.undo), nullptr);
}

TEST(UndoStore, ContinuingChangesExtendTheLastRecord)
{
    Store store(5);
    UndoGroup *group = BeginGroup(&store.undo);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 10, "ab", 2), 1);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 12, "c", 1), 1);  // typing on
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 10, "z", 1), 1);  // elsewhere: new record
    ASSERT_EQ(AppendUndo(group, kUndoDeletion, 4, "d", 1), 1);
    ASSERT_EQ(AppendUndo(group, kUndoDeletion, 4, "e", 1), 1);    // Delete key: same offset
    ASSERT_EQ(AppendUndo(group, kUndoDeletion, 3, "f", 1), 1);    // Backspace: new record
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 3, "", 0), 1);    // nothing to record
    ASSERT_EQ(group->count, 4u);
    EXPECT_EQ(BytesOf(group->records[0]), "abc");
    EXPECT_EQ(group->records[0].offset, 10u);
    EXPECT_EQ(BytesOf(group->records[1]), "z");
    EXPECT_EQ(BytesOf(group->records[2]), "de");
    EXPECT_EQ(group->records[2].kind, kUndoDeletion);
    EXPECT_EQ(BytesOf(group->records[3]), "f");

}

TEST(UndoStore, PastedPiecesFormOneRecord)
{
    Store store(5);
    UndoGroup *group = BeginGroup(&store.undo);
    std::string expected;
    for (uint32_t piece = 0; piece < 5000; ++piece) {
        std::string bytes = std::to_string(piece) + "\n";
        ASSERT_EQ(AppendUndo(group, kUndoInsertion, 10 + uint32_t(expected.size()), bytes.data(),
                             uint32_t(bytes.size())),
                  1);
        expected += bytes;
    }
    ASSERT_EQ(group->count, 1u);
    EXPECT_EQ(group->records[0].offset, 10u);
    EXPECT_TRUE(BytesOf(group->records[0]) == expected) << "the pieces joined in order";
}

TEST(UndoStore, OutOfMemoryKeepsTheGroupAsItWas)
{
    Store store(5);
    UndoGroup *group = BeginGroup(&store.undo);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 0, "a", 1), 1);

    FailNthAllocation(1); // the byte copy of a new record
    EXPECT_EQ(AppendUndo(group, kUndoDeletion, 7, "xyz", 3), 0);
    FailNthAllocation(2); // the grown record array
    EXPECT_EQ(AppendUndo(group, kUndoDeletion, 7, "xyz", 3), 0);
    EXPECT_EQ(group->count, 1u);

    FailNthAllocation(1); // extending the record's copy from 1 to 2 bytes
    EXPECT_EQ(AppendUndo(group, kUndoInsertion, 1, "b", 1), 0);
    EXPECT_EQ(BytesOf(group->records[0]), "a");
    EXPECT_EQ(AppendUndo(group, kUndoInsertion, 1, "b", 1), 1);
    EXPECT_EQ(BytesOf(group->records[0]), "ab");
}

TEST(UndoStore, EmptyKeepsTheLevelsAndFreeTurnsUndoOff)
{
    Store store(4);
    CommitInsertion(&store.undo, 1);
    CommitInsertion(&store.undo, 2);
    StepBack(&store.undo);
    EmptyUndo(&store.undo);
    EXPECT_EQ(CanUndo(&store.undo) + CanRedo(&store.undo), 0);
    EXPECT_EQ(UndoLevels(&store.undo), 4);
    CommitInsertion(&store.undo, 3);
    EXPECT_EQ(NameOf(StepBack(&store.undo)), 3u);
    FreeUndo(&store.undo);
    EXPECT_EQ(UndoLevels(&store.undo), 0);
    EXPECT_EQ(BeginGroup(&store.undo), nullptr);
}

} // namespace

} // namespace scrivlet
