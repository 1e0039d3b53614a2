// The query and setting messages, search, the memory watch, which messages
// the window procedure keeps, and what a window without record answers.
#include "support/control_fixture.h"

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

using Query = ControlTest;

TEST_F(Query, LinesByIndexAndByOffset)
{
    SetText("ab\n\ncdef\ng");
    Run({{AEM_GETLINECOUNT, 0, 0, 4}, {AEM_GETTEXTLENGTH, 0, 0, 10}, {AEM_LINEFROMCHAR, 2, 0, 0},
         {AEM_LINELENGTH, 2, 0, 2}, {AEM_LINEFROMCHAR, 3, 0, 1}, {AEM_LINELENGTH, 3, 0, 0}, {AEM_LINEFROMCHAR, 999, 0, 3},
         {AEM_LINELENGTH, 999, 0, 1}, {AEM_LINEINDEX, 1, 0, 3}, {AEM_LINEINDEX, 3, 0, 9}, {AEM_LINEINDEX, 4, 0, -1}});
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
        {AEM_SETOPTIONS, 0, 5, 5, AEM_GETOPTIONS, 5},
        {AEM_SETLIMITTEXT, 0, 0, 1, AEM_GETLIMITTEXT, 65536},
        {AEM_SETLIMITTEXT, 0, intptr_t(0xFFFFFFFFu), 1, AEM_GETLIMITTEXT, intptr_t(4294967294u)},
        {AEM_SETUNDOLEVELS, 3, 0, 1, AEM_GETUNDOLEVELS, 3},
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
    const struct { unsigned message; intptr_t result; } missing[] = {
        {AEM_FINDTEXT, -1}, {AEM_GETLINE, -1}, {AEM_GETSEL, 0}, {AEM_GETSELTEXT, 0},
        {AEM_SETSEL, 0}, {AEM_STREAMIN, 0}, {AEM_STREAMOUT, 0}, {AEM_REPLACEALL, 0}};
    for (const auto &c : missing)
        EXPECT_EQ(Send(c.message, 0, 0), c.result) << "message " << c.message;
    AESTREAM noCallback = {0, 0, nullptr};
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&noCallback)), 0);
    EXPECT_EQ(Text(), "text");

    const struct { unsigned message; intptr_t result; } cases[] = {
        {AEM_CANREDO, 0}, {AEM_CANUNDO, 0}, {AEM_FINDTEXT, -1}, {AEM_GETSTYLE, -1}, {AEM_SETSTYLE, 0},
        {AEM_GETCARETCOLUMN, -1}, {AEM_GETFIRSTVISIBLELINE, -1}, {AEM_GETAUTOINDENT, -1}, {AEM_GETLIMITTEXT, -1},
        {AEM_GETLINE, -1}, {AEM_GETLINECOUNT, 0}, {AEM_GETOPTIONS, 0}, {AEM_GETSELTEXT, 0},
        {AEM_GETTEXTLENGTH, -1}, {AEM_GETUNDOLEVELS, -1}, {AEM_SETLIMITTEXT, 0}, {AEM_LINEFROMCHAR, -1},
        {AEM_LINEINDEX, -1}, {AEM_LINELENGTH, -1}, {AEM_INDENTSEL, 0}, {AEM_REPLACESEL, 0},
        {AEM_SETSEL, 0}, {AEM_SETTABSTOPS, 0}, {AEM_SETUNDOLEVELS, 0}, {AEM_STREAMIN, 0},
        {AEM_STREAMOUT, 0}, {AEM_UNDO, 0}, {kWmUndo, 0}, {kWmClear, 0},
    };
    for (const auto &c : cases) {
        Send(AEM_GETLINE, 99, 0); // error 9, so that each case must set error 1 itself
        EXPECT_EQ(SendWithoutRecord(c.message), c.result) << "message " << c.message;
        EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD)) << "message " << c.message;
    }
    EXPECT_EQ(Text(), "text") << "a message without record changes nothing";
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 4) << "the control itself still finds its record";
}

} // namespace

} // namespace scrivlet
