// The query and setting messages, search, the memory watch, and messages to
// a window without record.
#include "support/control_fixture.h"

#include <cstring>
#include <string>

namespace scrivlet {

namespace {

using Query = ControlTest;

TEST_F(Query, LinesByIndexAndByOffset)
{
    SetText("ab\n\ncdef\ng");
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 4);
    const struct {
        DWORD offset;
        intptr_t line, length;
    } byOffset[] = {{0, 0, 2}, {2, 0, 2}, {3, 1, 0}, {4, 2, 4}, {9, 3, 1}, {10, 3, 1}, {999, 3, 1}};
    for (const auto &c : byOffset) {
        EXPECT_EQ(Send(AEM_LINEFROMCHAR, c.offset), c.line) << "offset " << c.offset;
        EXPECT_EQ(Send(AEM_LINELENGTH, c.offset), c.length) << "offset " << c.offset;
    }
    const intptr_t starts[] = {0, 3, 4, 9};
    for (DWORD line = 0; line < 4; ++line)
        EXPECT_EQ(Send(AEM_LINEINDEX, line), starts[line]);
    EXPECT_EQ(Send(AEM_LINEINDEX, 4), -1);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_LINENOTFOUND));

    AERANGE caret = {6, 6};
    Send(AEM_SETSEL, 0, Param(&caret));
    EXPECT_EQ(Send(AEM_LINEFROMCHAR, 0xFFFFFFFF), 2) << "-1 means the caret";
    EXPECT_EQ(Send(AEM_LINEINDEX, 0xFFFFFFFF), 4);
    EXPECT_EQ(Send(AEM_LINELENGTH, 0xFFFFFFFF), 4);
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 10);
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 0);
}

TEST_F(Query, GetLineWritesExactlyTheLine)
{
    SetText("first\n\nlast");
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(AEM_GETLINE, 2, Param(buffer)), 4);
    EXPECT_EQ(std::string(buffer, 6), "last##") << "no NUL, nothing beyond the line";
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(AEM_GETLINE, 1, Param(buffer)), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(Send(AEM_GETLINE, 3, Param(buffer)), -1);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_LINENOTFOUND));
    EXPECT_EQ(Send(AEM_GETLINE, 0, Param(buffer)), 5);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_LINENOTFOUND)) << "success leaves the last error";
}

TEST_F(Query, GetSelTextAddsANulOnlyToASelection)
{
    SetText("hello world");
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(AEM_GETSELTEXT, 0, Param(buffer)), 0);
    EXPECT_EQ(buffer[0], '#') << "no selection: buffer untouched";
    AERANGE range = {6, 11};
    Send(AEM_SETSEL, 0, Param(&range));
    EXPECT_EQ(Send(AEM_GETSELTEXT, 0, Param(buffer)), 5);
    EXPECT_EQ(std::string(buffer, 7), std::string("world\0#", 7));
}

TEST_F(Query, TabStopsAndSettings)
{
    SetText("a\tb\tc");
    AERANGE end = {5, 5};
    Send(AEM_SETSEL, 0, Param(&end));
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 9) << "stops every 4 columns";
    const DWORD widths[] = {2, 8};
    EXPECT_EQ(Send(AEM_SETTABSTOPS, (1u << 16) | 2, Param(widths)), 1);
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 11) << "stops at 2, 10, 18";
    EXPECT_EQ(Send(AEM_SETTABSTOPS, 0), 1);
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 9);

    EXPECT_EQ(Send(AEM_SETAUTOINDENT, 1), 1);
    EXPECT_EQ(Send(AEM_GETAUTOINDENT), 1);
    EXPECT_EQ(Send(AEM_SETOPTIONS, 0, 5), 5);
    EXPECT_EQ(Send(AEM_GETOPTIONS), 5);
    EXPECT_EQ(Send(kWmGetDlgCode), 12);
}

TEST_F(Query, FindTextReportsTheMatchInTheRange)
{
    SetText("xab ab AB");
    AEFINDTEXT find = {0, 0xFFFFFFFF, "ab", 77, 77};
    EXPECT_EQ(Send(AEM_FINDTEXT, AEFT_WHOLEWORD, Param(&find)), 4);
    EXPECT_EQ(find.foundStart, 4u);
    EXPECT_EQ(find.foundEnd, 6u);

    find = {9, 2, "AB", 77, 77}; // ends the wrong way round: searched from 2
    EXPECT_EQ(Send(AEM_FINDTEXT, AEFT_MATCHCASE, Param(&find)), 5);
    EXPECT_EQ(find.foundStart, 7u);

    find = {1, 500, "ab", 77, 77}; // the range starts at the 'a' of "xab"
    EXPECT_EQ(Send(AEM_FINDTEXT, AEFT_WHOLEWORD, Param(&find)), 0);

    find = {0, 0xFFFFFFFF, "zz", 77, 77};
    EXPECT_EQ(Send(AEM_FINDTEXT, 0, Param(&find)), -1);
    EXPECT_EQ(find.foundStart, 77u) << "a miss leaves the result fields alone";
    find.pattern = nullptr;
    EXPECT_EQ(Send(AEM_FINDTEXT, 0, Param(&find)), -1);
}

TEST_F(Query, MemoryWatchRunsOnceAndReportsMemoryErrors)
{
    EXPECT_EQ(Send(AEM_SETMEMORYWATCH, 1, 60000), 1);
    EXPECT_EQ(Send(AEM_SETMEMORYWATCH, 1, 10), 0) << "a second start changes nothing";
    ClearNotifications();
    Send(AEM_SETUNDOLEVELS, 0x7FFFFFFF); // fails with the memory error
    Send(kWmTimer, 2);
    EXPECT_EQ(Notifications(), (std::vector<Notification>{LowMemory()}));
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    Send(kWmTimer, 2);
    EXPECT_EQ(Notifications().size(), 1u) << "reported once";
    EXPECT_EQ(Send(AEM_SETMEMORYWATCH, 0), 1);
    EXPECT_EQ(Send(AEM_SETMEMORYWATCH, 0), 0) << "not running";
}

TEST_F(Query, MissingParameterRecordsFailInsteadOfCrashing)
{
    SetText("text");
    const struct {
        unsigned message;
        intptr_t result;
    } cases[] = {{AEM_FINDTEXT, -1}, {AEM_GETLINE, -1}, {AEM_GETSEL, 0}, {AEM_GETSELTEXT, 0},
                 {AEM_SETSEL, 0},    {AEM_STREAMIN, 0}, {AEM_STREAMOUT, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(Send(c.message, 0, 0), c.result) << "message " << c.message;
    AESTREAM noCallback = {0, 0, nullptr};
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&noCallback)), 0);
    EXPECT_EQ(Text(), "text");
}

TEST_F(Query, MessagesWithoutRecordFailWithErrorOne)
{
    const struct {
        unsigned message;
        intptr_t result;
    } cases[] = {
        {AEM_CANREDO, 0},       {AEM_CANUNDO, 0},          {AEM_FINDTEXT, -1},        {AEM_GETSTYLE, -1},
        {AEM_GETCARETCOLUMN, -1}, {AEM_GETFIRSTVISIBLELINE, -1}, {AEM_GETAUTOINDENT, -1}, {AEM_GETLIMITTEXT, -1},
        {AEM_GETLINE, -1},      {AEM_GETLINECOUNT, 0},     {AEM_GETOPTIONS, 0},       {AEM_GETSELTEXT, 0},
        {AEM_GETTEXTLENGTH, -1}, {AEM_GETUNDOLEVELS, -1},  {AEM_SETLIMITTEXT, 0},     {AEM_LINEFROMCHAR, -1},
        {AEM_LINEINDEX, -1},    {AEM_LINELENGTH, -1},      {AEM_INDENTSEL, 0},        {AEM_REPLACESEL, 0},
        {AEM_SETSEL, 0},        {AEM_SETTABSTOPS, 0},      {AEM_SETUNDOLEVELS, 0},    {AEM_STREAMIN, 0},
        {AEM_STREAMOUT, 0},     {AEM_UNDO, 0},             {kWmUndo, 0},              {kWmClear, 0},
    };
    for (const auto &c : cases) {
        Send(AEM_GETLINE, 99, 0); // error 9, so that each case must set error 1 itself
        EXPECT_EQ(SendWithoutRecord(c.message), c.result) << "message " << c.message;
        EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD)) << "message " << c.message;
    }
}

} // namespace

} // namespace scrivlet
