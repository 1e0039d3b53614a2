// Queries, setters, search, the memory watch, records missing, streaming in and out.
#include "support/control_fixture.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Query = ControlTest;

TEST_F(Query, LinesByIndexAndByOffset)
{
    SetText("ab\n\ncdef\ng");
    Run({{AEM_GETLINECOUNT, 0, 0, 4}, {AEM_GETTEXTLENGTH, 0, 0, 10}, {AEM_LINEFROMCHAR, 2, 0, 0},
         {AEM_LINELENGTH, 2, 0, 2}, {AEM_LINEFROMCHAR, 3, 0, 1}, {AEM_LINELENGTH, 3, 0, 0},
         {AEM_LINEFROMCHAR, 999, 0, 3}, {AEM_LINELENGTH, 999, 0, 1}, {AEM_LINEINDEX, 1, 0, 3},
         {AEM_LINEINDEX, 3, 0, 9}, {AEM_LINEINDEX, 4, 0, -1}});
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_LINENOTFOUND));
    Select(6, 6); // -1 means the caret
    Run({{AEM_LINEFROMCHAR, 0xFFFFFFFF, 0, 2}, {AEM_LINEINDEX, 0xFFFFFFFF, 0, 4}, {AEM_LINELENGTH, 0xFFFFFFFF, 0, 4},
         {AEM_GETFIRSTVISIBLELINE, 0, 0, 0}, {AEM_RECALCLINES, 0, 0, 0}, {AEM_GETLINECOUNT, 0, 0, 4}});
}

TEST_F(Query, GetLineAndGetSelTextWriteExactlyTheirText)
{
    SetText("first\n\nlast");
    const struct { unsigned message; DWORD line, from, to; intptr_t result; const char *written; } cases[] = {
        {AEM_GETLINE, 2, 0, 0, 4, "last##"},       // no NUL, nothing beyond the line
        {AEM_GETLINE, 3, 0, 0, -1, "######"},
        {AEM_GETSELTEXT, 0, 2, 2, 0, "######"},    // no selection: nothing written
        {AEM_GETSELTEXT, 0, 7, 11, 4, "last\0#"},
    };
    for (const auto &c : cases) {
        Select(c.from, c.to);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(Send(c.message, c.line, Param(buffer)), c.result) << c.message << " line " << c.line;
        EXPECT_EQ(std::string(buffer, 6), std::string(c.written, 6)) << c.message << " line " << c.line;
    }
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_LINENOTFOUND)) << "success leaves the last error";
}

TEST_F(Query, SettersAnswerAndGettersGiveBack)
{
    SetText("a\tb\tc");
    AERANGE end = {5, 5};
    Send(AEM_SETSEL, 0, Param(&end));
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 9) << "stops every 4 columns";
    const DWORD widths[] = {2, 8};
    const struct { unsigned message; uintptr_t wParam; intptr_t lParam, result; unsigned get; intptr_t got; } cases[] = {
        {AEM_SETTABSTOPS, (1u << 16) | 2, Param(widths), 1, AEM_GETCARETCOLUMN, 11}, // stops at 2, 10, 18
        {AEM_SETLIMITTEXT, 0, 0, 1, AEM_GETLIMITTEXT, 65536},
        {AEM_SETLIMITTEXT, 0, intptr_t(0xFFFFFFFFu), 1, AEM_GETLIMITTEXT, intptr_t(4294967294u)},
        {AEM_SETSTYLE, 0, 77, 1, AEM_GETSTYLE, 77},
        {kWmGetDlgCode, 0, 0, 12, AEM_CANREDO, 0}, // DLGC_WANTALLKEYS + DLGC_HASSETSEL
        {kWmUser, 7, 9, 0, AEM_GETTEXTLENGTH, 5},   // just outside the control's range
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Send(c.message, c.wParam, c.lParam), c.result) << "message " << c.message;
        EXPECT_EQ(Send(c.get), c.got) << "after message " << c.message;
    }
    EXPECT_EQ(GetLastControlError(), 0u);
}

TEST_F(Query, FindTextReportsTheMatchInTheRange)
{
    SetText("xab ab AB");
    const struct { DWORD from, to; const char *pattern; DWORD flags; intptr_t result; DWORD start, end; } cases[] = {
        {0, 0xFFFFFFFF, "ab", AEFT_WHOLEWORD, 4, 4, 6},
        {9, 2, "AB", AEFT_MATCHCASE, 5, 7, 9},     // ends the wrong way round: from 2; found 5 further
        {1, 500, "ab", AEFT_WHOLEWORD, 0, 1, 3},   // the range starts at the 'a' of "xab"
        {0, 0xFFFFFFFF, "zz", 0, -1, 77, 77},      // a miss leaves the result fields alone
    };
    for (const auto &c : cases) {
        AEFINDTEXT find = {c.from, c.to, c.pattern, 77, 77};
        EXPECT_EQ(Send(AEM_FINDTEXT, c.flags, Param(&find)), c.result) << c.from << " " << c.flags;
        EXPECT_EQ(std::to_string(find.foundStart) + "-" + std::to_string(find.foundEnd),
                  std::to_string(c.start) + "-" + std::to_string(c.end)) << c.from << " " << c.flags;
    }
}

TEST_F(Query, MemoryWatchRunsOnceAndReportsMemoryErrors)
{
    Run({{AEM_SETMEMORYWATCH, 1, 60000, 1}, {AEM_SETMEMORYWATCH, 1, 10, 0}, // a second start changes nothing
         {AEM_SETUNDOLEVELS, 0x7FFFFFFF, 0, 0}, {kWmTimer, 2, 0, kAnyResult}}); // a memory error, reported by the watch
    EXPECT_EQ(Notifications(), (Sequence{{AEN_LOWMEMORY, 0, 0}}));
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    Send(kWmTimer, 2);
    EXPECT_EQ(Notifications().size(), 1u) << "reported once";
    Run({{AEM_SETMEMORYWATCH, 0, 0, 1}, {AEM_SETMEMORYWATCH, 0, 0, 0}}); // the second: not running
}

TEST_F(Query, MissingParametersAndMissingRecordsFail)
{
    SetText("text");
    // Each parameter the control would otherwise read through.
    const struct { unsigned message; intptr_t result; } missing[] = {
        {AEM_FINDTEXT, -1}, {AEM_GETLINE, -1}, {AEM_SETSEL, 0}};
    for (const auto &c : missing)
        EXPECT_EQ(Send(c.message, 0, 0), c.result) << "message " << c.message;
    AESTREAM noCallback = {0, 0, nullptr};
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&noCallback)), 0);
    EXPECT_EQ(Text(), "text");

    // One per answer and handler group: queries, edits, styles, undo, streams, window messages.
    const struct { unsigned message; intptr_t result; } cases[] = {
        {AEM_GETLINECOUNT, 0}, {AEM_GETTEXTLENGTH, -1}, {AEM_REPLACESEL, 0}, {AEM_GETSTYLE, -1},
        {AEM_SETUNDOLEVELS, 0}, {AEM_CANUNDO, 0}, {AEM_STREAMOUT, 0}, {kWmClear, 0},
    };
    for (const auto &c : cases) {
        Send(AEM_GETLINE, 99, 0); // error 9, so that each case must set error 1 itself
        EXPECT_EQ(SendWithoutRecord(c.message), c.result) << "message " << c.message;
        EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD)) << "message " << c.message;
    }
    EXPECT_EQ(Text(), "text") << "a message without record changes nothing";
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 4) << "the control itself still finds its record";
}

using Stream = ControlTest;

// Delivers `blocks` one per call, then nothing.
struct Reader {
    std::vector<std::string> blocks;
    size_t next = 0;
};

DWORD CALLBACK ReadBlocks(DWORD_PTR cookie, LPBYTE buffer, DWORD, DWORD *done)
{
    auto *reader = reinterpret_cast<Reader *>(cookie);
    *done = 0;
    for (char c : reader->next < reader->blocks.size() ? reader->blocks[reader->next++] : "")
        buffer[(*done)++] = BYTE(c);
    return 0;
}

// Records every block it is handed; fails on call number `failOn` (from 1).
struct Writer {
    std::vector<std::string> calls;
    size_t failOn = 0;
};

DWORD CALLBACK WriteBlocks(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *writer = reinterpret_cast<Writer *>(cookie);
    writer->calls.emplace_back(reinterpret_cast<const char *>(buffer), count);
    *done = count;
    return writer->calls.size() == writer->failOn ? 1 : 0;
}

TEST_F(Stream, StreamInReplacesOrInsertsAndStopsAtFailures)
{
    // selection 1: insert at the selection; calls: of the callback; undoable: only an insertion is recorded.
    const struct { std::vector<std::string> blocks; DWORD limit; uintptr_t selection; intptr_t read;
                   const char *expected; DWORD error, lastError; size_t calls, changes; bool undoable; } cases[] = {
        {{"a\r\nb\rc", "\nd\r", "\ne"}, 0, 0, 11, "a\nb\nc\nd\ne", 0, 0, 3, 3, false}, // a split CR LF counts once
        {{"x\r\n", "y"}, 0, 1, 4, "ox\nyd", 0, 0, 2, 2, true},
        {{"good", std::string("li\0ne", 5), "never"}, 0, 0, 9, "goodli", AEE_CALLBACK, AEE_CALLBACK, 2, 2, false},
        // A block the limit refused cuts the transfer; no memory shortage: the last error stays 0.
        {{"12345678", "abcd", "never"}, 10, 0, 12, "12345678", AEE_MEMORY, 0, 2, 1, false},
    };
    for (const auto &c : cases) {
        Recreate(ControlShape{});
        SetText("old");
        Send(AEM_SETLIMITTEXT, 0, c.limit);
        Select(1, 2);
        Reader reader = {c.blocks};
        AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&reader), 0xDEAD, ReadBlocks};
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Send(AEM_STREAMIN, c.selection, Param(&stream)), c.read);
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(stream.error * 100 + GetLastControlError(), c.error * 100 + c.lastError) << "stream, last error";
        EXPECT_EQ(reader.next, c.calls);
        Sequence notes = Notifications();
        EXPECT_EQ(size_t(std::count(notes.begin(), notes.end(), Change())), c.changes);
        EXPECT_EQ(Sel().start, c.selection ? 4u : 0u);
        EXPECT_EQ(Send(AEM_CANUNDO), c.undoable ? 1 : 0);
    }
}

TEST_F(Stream, StreamOutHandsOverBlocksWithCrLf)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    const struct { std::string text; size_t failOn; intptr_t written; std::vector<size_t> calls; DWORD error; }
    cases[] = {
        {std::string(65536, 'z'), 0, 65536, {65536, 0}, 0}, // a whole last block is followed by an empty call
        {std::string(70000, '\n'), 1, 131072, {131072}, AEE_CALLBACK},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Writer writer = {{}, c.failOn};
        AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&writer), 0xDEAD, WriteBlocks};
        EXPECT_EQ(Send(AEM_STREAMOUT, 0, Param(&stream)), c.written);
        EXPECT_EQ(stream.error, c.error);
        std::vector<size_t> sizes;
        for (const std::string &call : writer.calls)
            sizes.push_back(call.size());
        EXPECT_EQ(sizes, c.calls) << c.written;
    }
}

} // namespace

} // namespace scrivlet
