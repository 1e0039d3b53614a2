#include "core/allocation.h"
#include "core/undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

// Commits one group holding a single insertion at `offset`, which names
// the group; an offset of 0 commits an empty group.
void Commit(UndoStack *undo, uint32_t offset)
{
    UndoGroup *group = BeginGroup(undo);
    if (offset != 0) {
        ASSERT_EQ(AppendUndo(group, kUndoInsertion, offset, "x", 1), 1);
    }
    CommitGroup(undo);
}

// Steps ('<' undo, '>' redo) and the names of the groups they reach, 0 for none.
std::string Walk(UndoStack *undo, const char *steps)
{
    std::string names;
    for (const char *s = steps; *s != '\0'; ++s) {
        UndoGroup *group = *s == '<' ? StepBack(undo) : StepForward(undo);
        names += std::to_string(group == nullptr ? 0 : group->records[0].offset) + " ";
    }
    return names + std::to_string(CanUndo(undo)) + std::to_string(CanRedo(undo));
}

TEST(UndoRing, LevelsBoundTheGroupsAndNewEditsEndRedo)
{
    const struct { int32_t levels; std::vector<uint32_t> commits; const char *steps, *names; } cases[] = { // 0: empty
        {2, {1, 2, 3}, "<<<>>>", "3 2 0 2 3 0 10"},
        {3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "<<<<>>>>", "10 9 8 0 8 9 10 0 10"},
        {100, {1, 2, 3, 4}, "<<>", "4 3 3 11"},
        {10, {1, 0}, "<<", "1 0 01"}, // an empty group is no undo step
        {1, {1}, "<><", "1 1 1 01"},
        {0, {1, 2}, "<>", "0 0 00"},  // undo is off
        {-5, {1}, "<", "0 00"},
    };
    for (const auto &c : cases) {
        UndoStack undo{};
        ASSERT_EQ(InitUndo(&undo, c.levels), 1);
        EXPECT_EQ(UndoLevels(&undo), c.levels > 0 ? c.levels : 0);
        for (uint32_t name : c.commits)
            Commit(&undo, name);
        EXPECT_EQ(Walk(&undo, c.steps), c.names) << c.levels << " levels";
        FreeUndo(&undo);
        EXPECT_EQ(UndoLevels(&undo) + CanUndo(&undo), 0);
        EXPECT_EQ(BeginGroup(&undo), nullptr) << "freed: undo is off";
    }

    UndoStack undo{};
    ASSERT_EQ(InitUndo(&undo, 10), 1);
    for (uint32_t name : {1, 2, 3})
        Commit(&undo, name);
    EXPECT_EQ(Walk(&undo, "<<"), "3 2 11");
    Commit(&undo, 4);
    EXPECT_EQ(Walk(&undo, "><<<"), "0 4 1 0 01") << "a new edit abandons redo";
    Commit(&undo, 5);
    Commit(&undo, 6);
    EXPECT_EQ(Walk(&undo, "<<"), "6 5 01");
    Commit(&undo, 0); // an edit that records nothing (Backspace at 0) ends redo too
    EXPECT_EQ(Walk(&undo, ">"), "0 00") << "redo never jumps to a later group";
    Commit(&undo, 7);
    EmptyUndo(&undo);
    EXPECT_EQ(Walk(&undo, "<"), "0 00");
    EXPECT_EQ(UndoLevels(&undo), 10) << "emptying keeps the levels";
    Commit(&undo, 8);
    EXPECT_EQ(Walk(&undo, "<"), "8 01");
    FreeUndo(&undo);

    EXPECT_EQ(InitUndo(&undo, INT32_MAX), 0) << "levels + 1 slots cannot be counted";
    FailNthAllocation(1);
    EXPECT_EQ(InitUndo(&undo, 10), 0);
    EXPECT_EQ(UndoLevels(&undo), 0) << "undo is off after a failure";
    EXPECT_EQ(BeginGroup(&undo), nullptr);
    EXPECT_EQ(AppendUndo(nullptr, kUndoInsertion, 0, "abc", 3), 1) << "no group is not a failure";
}

TEST(UndoRing, ContinuingChangesExtendTheLastRecordAndFailuresKeepIt)
{
    UndoStack undo{};
    ASSERT_EQ(InitUndo(&undo, 5), 1);
    UndoGroup *group = BeginGroup(&undo);
    const struct { UndoKind kind; uint32_t offset; const char *bytes; } changes[] = {
        {kUndoInsertion, 10, "ab"}, {kUndoInsertion, 12, "c"}, // typing on
        {kUndoInsertion, 10, "z"},  {kUndoInsertion, 12, "y"}, // elsewhere: new records
        {kUndoDeletion, 4, "d"},    {kUndoDeletion, 4, "e"},   // the Delete key: the same offset
        {kUndoDeletion, 3, "f"},    {kUndoInsertion, 4, "g"},  // Backspace, then a new kind
        {kUndoInsertion, 3, ""},                               // nothing to record
    };
    for (const auto &c : changes)
        ASSERT_EQ(AppendUndo(group, c.kind, c.offset, c.bytes, uint32_t(std::strlen(c.bytes))), 1);
    std::string records;
    for (uint32_t i = 0; i < group->count; ++i) {
        const UndoRecord &r = group->records[i];
        records += std::to_string(r.kind) + ":" + std::to_string(r.offset) + ":" + std::string(r.bytes, r.length) + " ";
    }
    EXPECT_EQ(records, "1:10:abc 1:10:z 1:12:y 2:4:de 2:3:f 1:4:g ");

    // Pieces of a paste join in order into one record.
    group = BeginGroup(&undo);
    std::string pasted;
    for (uint32_t piece = 0; piece < 3000; ++piece) {
        std::string bytes = std::to_string(piece) + "\n";
        ASSERT_EQ(AppendUndo(group, kUndoInsertion, 7 + uint32_t(pasted.size()), bytes.data(), uint32_t(bytes.size())), 1);
        pasted += bytes;
    }
    ASSERT_EQ(group->count, 1u);
    EXPECT_TRUE(std::string(group->records[0].bytes, group->records[0].length) == pasted);

    group = BeginGroup(&undo);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 0, "a", 1), 1);
    for (unsigned long failing : {1ul, 2ul}) { // the byte copy, the grown record array
        FailNthAllocation(failing);
        EXPECT_EQ(AppendUndo(group, kUndoDeletion, 7, "xyz", 3), 0);
    }
    FailNthAllocation(1); // extending the record's copy from 1 to 2 bytes
    EXPECT_EQ(AppendUndo(group, kUndoInsertion, 1, "b", 1), 0);
    EXPECT_EQ(std::string(group->records[0].bytes, group->records[0].length) + std::to_string(group->count), "a1");
    EXPECT_EQ(AppendUndo(group, kUndoInsertion, 1, "b", 1), 1);
    EXPECT_EQ(std::string(group->records[0].bytes, group->records[0].length), "ab");
    FreeUndo(&undo);
}

} // namespace

} // namespace scrivlet
