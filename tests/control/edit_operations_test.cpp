// Edit primitives that no message reaches on its own yet: overwriting.
#include "control/control_engine.h"
#include "support/silent_platform.h"
#include "control/edit_operations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Overwrite, ReplacesBytesButNeverLineEnds)
{
    const struct {
        const char *text;
        DWORD offset;
        char typed;
        const char *expected;
        DWORD lines;
    } cases[] = {
        {"ab\ncd", 1, 'x', "ax\ncd", 2},  // replaces
        {"ab\ncd", 2, 'x', "abx\ncd", 2}, // at a line end: inserts before it
        {"ab", 2, 'x', "abx", 1},         // at the end of the text: appends
        {"ab", 2, '\n', "ab\n", 2},
        {"ab\ncd", 2, '\n', "ab\ncd", 2}, // a line end over a line end: no new line
    };
    ControlPlatform platform = SilentPlatform();
    for (const auto &c : cases) {
        ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
        ASSERT_NE(record, nullptr);
        ASSERT_EQ(InsertText(record, 0, c.text, DWORD(std::string(c.text).size()), false, nullptr), kInsertDone);
        UndoGroup *group = BeginGroup(&record->undo);
        EXPECT_EQ(InsertText(record, c.offset, &c.typed, 1, true, group), kInsertDone);
        CommitGroup(&record->undo);
        EXPECT_EQ(std::string(record->text.bytes, record->text.length), c.expected) << c.text << " @" << c.offset;
        EXPECT_EQ(record->lineCount, c.lines) << c.text << " @" << c.offset;
        ControlMessage(record, platform, AEM_UNDO, 0, 0);
        EXPECT_EQ(std::string(record->text.bytes, record->text.length), c.text) << "undo of " << c.expected;
        DestroyControl(record, platform);
    }
}

} // namespace
