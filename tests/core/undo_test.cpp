#include "core/allocation.h"
#include "core/undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

// A digit commits a group of one insertion at that offset, its name (0: an empty group); '<' undoes,
// '>' redoes, 'E' empties. Gives the groups undo and redo reach (0: none), then CanUndo and CanRedo.
std::string RunScript(int32_t levels, const char *script)
{
    UndoStack undo{};
    EXPECT_EQ(InitUndo(&undo, levels), 1);
    EXPECT_EQ(UndoLevels(&undo), levels > 0 ? levels : 0);
    std::string names;
    for (const char *s = script; *s != '\0'; ++s) {
        if (*s >= '0' && *s <= '9') {
            UndoGroup *group = BeginGroup(&undo);
            if (*s != '0') {
                EXPECT_EQ(AppendUndo(group, kUndoInsertion, uint32_t(*s - '0'), "x", 1), 1);
            }
            CommitGroup(&undo);
        } else if (*s == 'E') {
            EmptyUndo(&undo);
            EXPECT_EQ(UndoLevels(&undo), levels) << "emptying keeps the levels";
        } else {
            UndoGroup *group = *s == '<' ? StepBack(&undo) : StepForward(&undo);
            names += std::to_string(group == nullptr ? 0 : group->records[0].offset) + " ";
        }
    }
    names += std::to_string(CanUndo(&undo)) + std::to_string(CanRedo(&undo));
    FreeUndo(&undo);
    EXPECT_EQ(UndoLevels(&undo) + CanUndo(&undo), 0);
    EXPECT_EQ(BeginGroup(&undo), nullptr) << "freed: undo is off";
    return names;
}

TEST(UndoRing, LevelsBoundTheGroupsAndNewEditsEndRedo)
{
    const struct { int32_t levels; const char *script, *names; } cases[] = {
        {3, "123456789<<<<>>>>", "9 8 7 0 7 8 9 0 10"},
        {10, "10<<", "1 0 01"}, // an empty group is no undo step
        {1, "1<><", "1 1 1 01"},
        {-5, "1<", "0 00"}, // undo is off
        {10, "123<<4><<<", "3 2 0 4 1 0 01"}, // a new edit abandons redo
        {10, "56<<0>", "6 5 0 00"}, // an edit that records nothing (Backspace at 0) ends redo too
        {10, "7E<8<", "0 8 01"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RunScript(c.levels, c.script), c.names) << c.levels << " levels: " << c.script;

    UndoStack undo{};
    EXPECT_EQ(InitUndo(&undo, INT32_MAX), 0) << "levels + 1 slots cannot be counted";
    FailNthAllocation(1);
    EXPECT_EQ(InitUndo(&undo, 10), 0);
    EXPECT_EQ(UndoLevels(&undo), 0) << "undo is off after a failure";
    EXPECT_EQ(BeginGroup(&undo), nullptr);
    EXPECT_EQ(AppendUndo(nullptr, kUndoInsertion, 0, "abc", 3), 1) << "no group is not a failure";
}

// A change that cannot be recorded leaves the group as it was.
TEST(UndoRing, FailuresKeepTheLastRecord)
{
    UndoStack undo{};
    ASSERT_EQ(InitUndo(&undo, 5), 1);
    UndoGroup *group = BeginGroup(&undo);
    ASSERT_EQ(AppendUndo(group, kUndoInsertion, 0, "a", 1), 1);
    FailNthAllocation(2); // the grown record array
    EXPECT_EQ(AppendUndo(group, kUndoDeletion, 7, "xyz", 3), 0);
    FailNthAllocation(1); // extending the record's copy from 1 to 2 bytes
    EXPECT_EQ(AppendUndo(group, kUndoInsertion, 1, "b", 1), 0);
    EXPECT_EQ(std::string(group->records[0].bytes, group->records[0].length) + std::to_string(group->count), "a1");
    FreeUndo(&undo);
}

} // namespace

} // namespace scrivlet
