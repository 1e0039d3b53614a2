// Streaming text in and out through callbacks, and the line numbers the
// view keeps across streams and edits.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Stream = ControlTest;

// Delivers `blocks` one per call, then nothing; fails with `failWith` on
// the call after the last block when it is nonzero.
struct Reader {
    std::vector<std::string> blocks;
    DWORD failWith = 0;
    size_t next = 0;
};

DWORD CALLBACK ReadBlocks(DWORD_PTR cookie, LPBYTE buffer, DWORD, DWORD *done)
{
    auto *reader = reinterpret_cast<Reader *>(cookie);
    *done = 0;
    if (reader->next == reader->blocks.size())
        return reader->failWith;
    for (char c : reader->blocks[reader->next++])
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
    const struct {
        std::vector<std::string> blocks;
        DWORD failWith, limit;
        uintptr_t selection; // 1: insert at the selection
        intptr_t read;
        const char *expected;
        DWORD error, lastError;
        size_t calls, changes;
        bool undoable;
    } cases[] = {
        // A CR LF pair split between blocks counts once.
        {{"a\r\nb\rc", "\nd\r", "\ne"}, 0, 0, 0, 11, "a\nb\nc\nd\ne", 0, 0, 3, 3, false},
        {{"x\r\n", "y"}, 0, 0, 1, 4, "ox\nyd", 0, 0, 2, 2, true},
        {{"good", std::string("li\0ne", 5), "never"}, 0, 0, 0, 9, "goodli", AEE_CALLBACK, AEE_CALLBACK, 2, 2, false},
        // A block the limit refused cuts the transfer; no memory shortage: the last error stays 0.
        {{"12345678", "abcd", "never"}, 0, 10, 0, 12, "12345678", AEE_MEMORY, 0, 2, 1, false},
    };
    for (const auto &c : cases) {
        Recreate(ControlShape{});
        SetText("old");
        Send(AEM_SETLIMITTEXT, 0, c.limit);
        Select(1, 2);
        Reader reader = {c.blocks, c.failWith};
        AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&reader), 0xDEAD, ReadBlocks};
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Send(AEM_STREAMIN, c.selection, Param(&stream)), c.read);
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(stream.error * 100 + GetLastControlError(), c.error * 100 + c.lastError) << "stream, last error";
        EXPECT_EQ(reader.next, c.calls);
        Sequence notes = Notifications();
        EXPECT_EQ(size_t(std::count(notes.begin(), notes.end(), Change())), c.changes);
        EXPECT_EQ(Sel().start, c.selection ? 4u : 0u);
        EXPECT_EQ(Send(AEM_CANUNDO), c.undoable ? 1 : 0) << "only an insertion is recorded";
    }
}

TEST_F(Stream, StreamOutHandsOverBlocksWithCrLf)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    const struct { std::string text; size_t failOn; intptr_t written; std::vector<size_t> calls; DWORD error; } cases[] = {
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

// A whole new text ends with the caret at 0 and the view at the top left,
// however far the old view was scrolled; line numbers counted from the
// view's top line then agree with the text.
TEST_F(Stream, LineNumbersAgreeWithCountingFromTheStart)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    std::string text;
    for (int j = 0; j < 400; ++j)
        text += std::string(300, 'w') + "\n";
    SetText(text);
    Select(301 * 400 - 5, 301 * 400 - 5);
    Send(AEM_SCROLLCARET);
    ASSERT_GT(Send(AEM_GETFIRSTVISIBLELINE), 100);
    text.clear();
    for (int j = 0; j < 200; ++j)
        text += std::to_string(j % 10) + std::string(250, 'n') + "\n";
    SetText(text + text + "a\n\nb");
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 0);
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 0);
    EXPECT_EQ(Selection(), "0-0");

    const std::string all = Text();
    for (DWORD offset : std::vector<DWORD>{0, 252, 50000, DWORD(all.size())})
        EXPECT_EQ(Send(AEM_LINEFROMCHAR, offset), std::count(all.begin(), all.begin() + offset, '\n')) << offset;
}

} // namespace

} // namespace scrivlet
