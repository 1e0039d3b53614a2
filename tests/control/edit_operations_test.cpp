// Edit primitives that no message reaches on their own, and the kept answer
// about a column, which every edit must renew.
#include "control/control_engine.h"
#include "support/silent_platform.h"
#include "control/edit_operations.h"
#include "control/replace_all.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace scrivlet {

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

namespace {

// Outside text with CR line ends goes in as one insertion where only the
// text limit can refuse a piece; the result must be the piece-by-piece one,
// to the widest line that a piece made for a moment with the rest of its line.
TEST(InsertNormalized, InOneInsertionLeavesWhatPieceByPieceLeaves)
{
    const struct {
        const char *text;
        DWORD offset;
        const char *pasted;
        DWORD limit;   // 0: none
        DWORD tabWidth; // 0: the default stops
    } cases[] = {
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
    ControlPlatform platform = SilentPlatform();
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " + " + c.pasted);
        std::string results[2];
        for (int way = 0; way < 2; ++way) {
            ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
            ASSERT_NE(record, nullptr);
            if (c.tabWidth != 0)
                ControlMessage(record, platform, AEM_SETTABSTOPS, 1, LParam(&c.tabWidth));
            ASSERT_EQ(InsertText(record, 0, c.text, DWORD(std::strlen(c.text)), false, nullptr), kInsertDone);
            if (c.limit != 0)
                ControlMessage(record, platform, AEM_SETLIMITTEXT, 0, c.limit);
            UndoGroup *group = BeginGroup(&record->undo);
            uint32_t inserted = 0;
            DWORD count = DWORD(std::strlen(c.pasted));
            int status = way == 0 ? InsertNormalized(record, c.offset, c.pasted, count, group, &inserted)
                                  : InsertPieceByPiece(record, c.offset, c.pasted, count, group, &inserted);
            CommitGroup(&record->undo);
            results[way] = std::string(record->text.bytes, record->text.length) + " | status " +
                           std::to_string(status) + ", inserted " + std::to_string(inserted) + ", lines " +
                           std::to_string(record->lineCount) + ", widest " + std::to_string(record->widestLine);
            ControlMessage(record, platform, AEM_UNDO, 0, 0);
            EXPECT_EQ(std::string(record->text.bytes, record->text.length), c.text);
            DestroyControl(record, platform);
        }
        EXPECT_EQ(results[0], results[1]);
    }
}

// The view's top line keeps its number and start across edits before it
// (the view scrolled away from the caret, or too small to scroll): what
// AEM_LINEFROMCHAR and AEM_GETFIRSTVISIBLELINE count from.
TEST(TopLine, EditsBeforeItKeepItsNumberAndStart)
{
    const struct {
        const char *what;
        uint32_t offset, removed;
        const char *inserted;
    } edits[] = {
        {"line feeds inserted before", 2, 0, "a\nb\n"}, {"lines deleted before", 0, 12, ""},
        {"a deletion across its start", 3, 20, ""},       {"an edit after its start", 40, 3, "\n"},
        {"text typed at its start", 24, 0, "q\n"},       {"Replace All before and after it", 0, 0, nullptr},
    };
    ControlPlatform platform = SilentPlatform();
    for (const auto &e : edits) {
        ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
        ASSERT_NE(record, nullptr);
        std::string text;
        for (int i = 0; i < 12; ++i)
            text += "line " + std::to_string(i % 10) + "\n"; // 7 bytes a line
        InsertText(record, 0, text.data(), uint32_t(text.size()), false, nullptr);
        record->topLineStart = 21; // line 4, as a scroll leaves it
        record->topLine = 4;
        if (e.removed != 0)
            DeleteText(record, e.offset, e.removed, nullptr);
        if (e.inserted != nullptr)
            InsertText(record, e.offset, e.inserted, uint32_t(std::strlen(e.inserted)), false, nullptr);
        else // this view cannot scroll to the first match
            ReplaceAllMatches(record, 0, "ine ", "\n", 1);
        uint32_t start = LineStartOf(record->text.bytes, std::min(record->topLineStart, record->text.length));
        EXPECT_EQ(record->topLine, CountLines(record->text.bytes, start)) << e.what;
        EXPECT_EQ(ControlMessage(record, platform, AEM_LINEFROMCHAR, record->text.length, 0),
                  LResult(record->lineCount - 1)) << e.what;
        DestroyControl(record, platform);
    }
}

// WM_CHAR carries one byte; a larger code types nothing (its low byte
// could be a CR or a NUL, which the text must never hold).
TEST(TypedCharacter, ACodeBeyondAByteTypesNothing)
{
    ControlPlatform platform = SilentPlatform();
    ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
    ASSERT_NE(record, nullptr);
    for (WParam code : {WParam(0x10D), WParam(0x100), WParam(0x141)})
        ControlMessage(record, platform, 258, code, 0);
    ControlMessage(record, platform, 258, 'a', 0);
    EXPECT_EQ(std::string(record->text.bytes, record->text.length), "a");
    DestroyControl(record, platform);
}

// The column kept for the last offset asked about must be renewed by every
// change of the bytes, whichever text-store edit makes it, and by new tab
// stops. (The control's edits ask about other offsets themselves, so the
// changes here go to the text store directly.)
TEST(ColumnMemo, EveryChangeOfTheBytesOrTabStopsRenewsIt)
{
    static const uint32_t threeWide = 3, ab[] = {1, 4};
    const struct {
        const char *what;
        void (*change)(ControlRecord *record, const ControlPlatform &platform);
    } changes[] = {
        {"inserted", [](ControlRecord *r, const ControlPlatform &) { InsertBytes(&r->text, 0, "\t", 1); }},
        {"overwritten", [](ControlRecord *r, const ControlPlatform &) { OverwriteByte(&r->text, 0, 'x'); }},
        {"deleted", [](ControlRecord *r, const ControlPlatform &) { DeleteBytes(&r->text, 1, 1); }},
        {"replaced, shorter", [](ControlRecord *r, const ControlPlatform &) {
             ReplaceAtOffsets(&r->text, ab, 2, 2, "\t", 1);
         }},
        {"replaced, longer", [](ControlRecord *r, const ControlPlatform &) {
             ReserveForLength(&r->text, 12);
             ReplaceAtOffsets(&r->text, ab, 2, 1, "\t\t", 2);
         }},
        {"new tab stops", [](ControlRecord *r, const ControlPlatform &p) {
             ControlMessage(r, p, AEM_SETTABSTOPS, 1, LParam(&threeWide));
         }},
    };
    ControlPlatform platform = SilentPlatform();
    for (const auto &c : changes) {
        ControlRecord *record = CreateControl(9, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
        ASSERT_NE(record, nullptr);
        InsertText(record, 0, "\tab\tabab", 9, false, nullptr);
        uint32_t lineStart;
        ColumnAt(record, 4, &lineStart); // kept: column 8
        c.change(record, platform);      // each gives offset 4 another column
        EXPECT_EQ(ColumnAt(record, 4, &lineStart), ColumnOfOffset(TabStopsOf(record), record->text.bytes, 4))
            << c.what;
        DestroyControl(record, platform);
    }
}

} // namespace

} // namespace scrivlet
