// Edit primitives that no message reaches on their own: overwriting, the
// one-insertion paste, the top line kept across edits, and the kept answer
// about a column, which every edit must renew.
#include "control/control_engine.h"
#include "control/edit_operations.h"
#include "control/replace_all.h"
#include "support/silent_platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    const struct { const char *text; DWORD offset; char typed; const char *expected; DWORD lines; } cases[] = {
        {"ab\ncd", 1, 'x', "ax\ncd", 2},  // replaces
        {"ab\ncd", 2, 'x', "abx\ncd", 2}, // at a line end: inserts before it
        {"ab", 2, 'x', "abx", 1},         // at the end of the text: appends
        {"ab", 2, '\n', "ab\n", 2},
        {"ab\ncd", 2, '\n', "ab\ncd", 2}, // a line end over a line end: no new line
        {"ab\ncd", 1, '\n', "ab\ncd", 2},  // nor a line end over a character
    };
    for (const auto &c : cases) {
        Control control(c.text);
        UndoGroup *group = BeginGroup(&control.record->undo);
        EXPECT_EQ(InsertText(control.record, c.offset, &c.typed, 1, true, group), kInsertDone);
        CommitGroup(&control.record->undo);
        EXPECT_EQ(control.Text(), c.expected) << c.text << " @" << c.offset;
        EXPECT_EQ(control.record->lineCount, c.lines) << c.text << " @" << c.offset;
        control.Send(AEM_UNDO);
        EXPECT_EQ(control.Text(), c.text) << "undo of " << c.expected;
    }
}

// Outside text with CR line ends goes in as one insertion where only the
// text limit can refuse a piece; the result must be the piece-by-piece one,
// to the widest line that a piece made for a moment with the rest of its line.
TEST(InsertNormalized, InOneInsertionLeavesWhatPieceByPieceLeaves)
{
    const struct { const char *text; DWORD offset; const char *pasted; DWORD limit, tabWidth; } cases[] = {
        {"", 0, "a\r\nbb\r\nccc", 0, 0},
        {"rest of a long line", 0, "a\r\nbb\r\n", 0, 0},  // each piece briefly before the rest
        {"ab\tcd\tef", 3, "x\ty\r\n\tz\rw\r\n", 0, 3},    // tabs before and after
        {"one\ntwo", 4, "\r\r\n\r\n\r", 0, 0},           // only line breaks
        {"x", 1, "lf\ninside\r\nand cr\rend", 0, 0},
        {"0123456789", 5, "ab\r\ncd\r\nef", 16, 0},      // the limit cuts after a line break
        {"0123456789", 5, "ab\r\ncd\r\nef", 14, 0},      // and after a piece, before its line break
        {"0123456789", 5, "\r\n", 10, 0},                // no room at all
        {"wide line here\nx", 16, "a\r\nb", 17, 0},
    };
    for (const auto &c : cases) {
        std::string results[2];
        for (int way = 0; way < 2; ++way) {
            Control control(c.text);
            if (c.tabWidth != 0)
                control.Send(AEM_SETTABSTOPS, 1, LParam(&c.tabWidth));
            if (c.limit != 0)
                control.Send(AEM_SETLIMITTEXT, 0, c.limit);
            UndoGroup *group = BeginGroup(&control.record->undo);
            uint32_t inserted = 0, count = uint32_t(std::strlen(c.pasted));
            int status = way == 0 ? InsertNormalized(control.record, c.offset, c.pasted, count, group, &inserted)
                                  : InsertPieceByPiece(control.record, c.offset, c.pasted, count, group, &inserted);
            CommitGroup(&control.record->undo);
            results[way] = control.Text() + " | status " + std::to_string(status) + ", inserted " +
                           std::to_string(inserted) + ", lines " + std::to_string(control.record->lineCount) +
                           ", widest " + std::to_string(control.record->widestLine);
            control.Send(AEM_UNDO);
            EXPECT_EQ(control.Text(), c.text);
        }
        EXPECT_EQ(results[0], results[1]) << c.text << " + " << c.pasted;
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
        {40, 3, "\n", 21, 4},     // an edit after its start
        {24, 0, "q\n", 21, 4},    // text typed after its start
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

// The column kept for the last offset asked about must be renewed by every
// change of the bytes, whichever text-store edit makes it, and by new tab
// stops. (The control's edits ask about other offsets themselves, so the
// changes here go to the text store directly.)
TEST(ColumnMemo, EveryChangeOfTheBytesOrTabStopsRenewsIt)
{
    static const uint32_t threeWide = 3, ab[] = {1, 4};
    void (*const changes[])(Control *) = {
        [](Control *c) { InsertBytes(&c->record->text, 0, "\t", 1); },
        [](Control *c) { OverwriteByte(&c->record->text, 0, 'x'); },
        [](Control *c) { DeleteBytes(&c->record->text, 1, 1); },
        [](Control *c) { ReplaceAtOffsets(&c->record->text, ab, 2, 2, "\t", 1); },
        [](Control *c) {
            ReserveForLength(&c->record->text, 12);
            ReplaceAtOffsets(&c->record->text, ab, 2, 1, "\t\t", 2);
        },
        [](Control *c) { c->Send(AEM_SETTABSTOPS, 1, LParam(&threeWide)); },
    };
    for (auto change : changes) {
        Control control("\tab\tabab");
        uint32_t lineStart;
        ColumnAt(control.record, 4, &lineStart); // kept: column 8
        change(&control);                        // each gives offset 4 another column
        EXPECT_EQ(ColumnAt(control.record, 4, &lineStart),
                  ColumnOfOffset(TabStopsOf(control.record), control.record->text.bytes, 4)) << &change - changes;
    }
}

} // namespace

} // namespace scrivlet
