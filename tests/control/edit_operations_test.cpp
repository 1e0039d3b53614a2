// Edit primitives that no message reaches on their own: overwriting and the
// top line kept across edits.
#include "control/control_engine.h"
#include "control/edit_operations.h"
#include "control/replace_all.h"
#include "support/silent_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// A control of its own on the silent platform, holding `text`.
struct Control {
    ControlPlatform platform = SilentPlatform();
    ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
    explicit Control(const std::string &text)
    {
        InsertText(record, 0, text.data(), uint32_t(text.size()), false, nullptr);
    }
    ~Control() { DestroyControl(record, platform); }
    std::string Text() const { return std::string(record->text.bytes, record->text.length); }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, platform, message, wParam, lParam);
    }
};

TEST(Overwrite, ReplacesBytesButNeverLineEnds)
{
    const struct { const char *text; DWORD offset; char typed; const char *expected; } cases[] = {
        {"ab\ncd", 1, 'x', "ax\ncd"},  // replaces
        {"ab\ncd", 2, 'x', "abx\ncd"}, // at a line end: inserts before it
        {"ab", 2, '\n', "ab\n"},
        {"ab\ncd", 2, '\n', "ab\ncd"}, // a line end over a line end: no new line
    };
    for (const auto &c : cases) {
        Control control(c.text);
        UndoGroup *group = BeginGroup(&control.record->undo);
        EXPECT_EQ(InsertText(control.record, c.offset, &c.typed, 1, true, group), kInsertDone);
        CommitGroup(&control.record->undo);
        EXPECT_EQ(control.Text(), c.expected) << c.text << " @" << c.offset;
        const std::string expected = c.expected;
        EXPECT_EQ(control.record->lineCount, DWORD(std::count(expected.begin(), expected.end(), '\n') + 1));
        control.Send(AEM_UNDO);
        EXPECT_EQ(control.Text(), c.text) << "undo of " << c.expected;
    }
}

// The view's top line keeps its number and start across edits before it
// (the view scrolled away from the caret, or too small to scroll): what
// AEM_LINEFROMCHAR and AEM_GETFIRSTVISIBLELINE count from.
TEST(TopLine, EditsBeforeItKeepItsNumberAndStart)
{
    const struct { uint32_t offset, removed; const char *inserted; uint32_t topStart, topLine; } edits[] = {
        {2, 0, "a\nb\n", 25, 6},  // line feeds inserted before
        {0, 12, "", 9, 3},        // lines deleted before
        {3, 20, "", 3, 1},        // a deletion across its start
        {21, 0, "q\n", 21, 4},    // and at it: the new line is the top one
        {14, 7, "", 14, 3},       // the line before it, deleted whole
        {0, 0, nullptr, 12, 7},    // Replace All before and after it
    };
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "line " + std::to_string(i % 10) + "\n"; // 7 bytes a line
    for (const auto &e : edits) {
        Control control(text);
        ControlRecord *record = control.record;
        record->topLineStart = 21; // line 4, as a scroll leaves it
        record->topLine = 4;
        if (e.removed != 0)
            DeleteText(record, e.offset, e.removed, nullptr);
        if (e.inserted != nullptr)
            InsertText(record, e.offset, e.inserted, uint32_t(std::strlen(e.inserted)), false, nullptr);
        else // this view cannot scroll to the first match
            ReplaceAllMatches(record, 0, "ine ", "\n", 1);
        EXPECT_EQ(record->topLineStart, e.topStart) << e.offset << " " << e.removed;
        EXPECT_EQ(record->topLine, e.topLine) << e.offset << " " << e.removed;
        EXPECT_EQ(control.Send(AEM_LINEFROMCHAR, record->text.length), LResult(record->lineCount - 1));
    }
}

} // namespace

} // namespace scrivlet
