// Streaming text in and out through callbacks.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

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
    const std::string &block = reader->blocks[reader->next++];
    for (char c : block)
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

AESTREAM Request(Reader *reader)
{
    return AESTREAM{reinterpret_cast<DWORD_PTR>(reader), 0xDEAD, ReadBlocks};
}

TEST_F(Stream, StreamInReplacesTheTextAndConvertsLineEnds)
{
    SetText("old text");
    Reader reader;
    reader.blocks = {"a\r\nb\rc", "\nd\r", "\ne"}; // a CR LF pair split between blocks counts once
    AESTREAM stream = Request(&reader);
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&stream)), 11) << "bytes read before conversion";
    EXPECT_EQ(stream.error, 0u);
    EXPECT_EQ(Text(), "a\nb\nc\nd\ne");
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 5);
    EXPECT_EQ(SelStart() + SelEnd(), 0u) << "the caret ends at 0";
    EXPECT_EQ(Send(AEM_CANUNDO), 0) << "replacing the whole text records nothing";
    std::vector<Notification> notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Change()), 3) << "one change per block";
}

TEST_F(Stream, StreamInWithNothingEmptiesTheText)
{
    SetText("something");
    Reader reader;
    AESTREAM stream = Request(&reader);
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&stream)), 0);
    EXPECT_EQ(Text(), "");
}

TEST_F(Stream, StreamInInsertsAtTheSelectionAsOneUndoGroup)
{
    SetText("ab");
    AERANGE one = {1, 1};
    Send(AEM_SETSEL, 0, Param(&one));
    Reader reader;
    reader.blocks = {"x\r\n", "y"};
    AESTREAM stream = Request(&reader);
    EXPECT_EQ(Send(AEM_STREAMIN, 1, Param(&stream)), 4);
    EXPECT_EQ(Text(), "ax\nyb");
    Send(AEM_UNDO);
    EXPECT_EQ(Text(), "ab");
}

TEST_F(Stream, FailuresKeepWhatWasReadAndSetTheError)
{
    Reader failing;
    failing.blocks = {"first"};
    failing.failWith = 7;
    AESTREAM stream = Request(&failing);
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&stream)), 5);
    EXPECT_EQ(stream.error, DWORD(AEE_CALLBACK));
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_CALLBACK));
    EXPECT_EQ(Text(), "first");

    Reader withNul;
    withNul.blocks = {"good", std::string("li\0ne", 5), "never"};
    stream = Request(&withNul);
    EXPECT_EQ(Send(AEM_STREAMIN, 0, Param(&stream)), 9) << "bytes read, NUL block included";
    EXPECT_NE(stream.error, 0u) << "a NUL byte must not cut the text silently";
    EXPECT_EQ(Text(), "goodli");
    EXPECT_EQ(withNul.next, 2u) << "the transfer stops at the NUL";
}

TEST_F(Stream, StreamOutHandsOverBlocksWithCrLf)
{
    SetText("a\nb");
    Writer writer;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&writer), 0xDEAD, WriteBlocks};
    EXPECT_EQ(Send(AEM_STREAMOUT, 0, Param(&stream)), 4);
    EXPECT_EQ(stream.error, 0u);
    EXPECT_EQ(writer.calls, (std::vector<std::string>{"a\r\nb"}));

    SetText(std::string(65536, 'z'));
    writer = Writer{};
    EXPECT_EQ(Send(AEM_STREAMOUT, 0, Param(&stream)), 65536);
    ASSERT_EQ(writer.calls.size(), 2u);
    EXPECT_EQ(writer.calls[1], "") << "a whole last block is followed by an empty call";

    SetText(std::string(70000, '\n'));
    writer = Writer{};
    writer.failOn = 1;
    EXPECT_EQ(Send(AEM_STREAMOUT, 0, Param(&stream)), 131072);
    EXPECT_EQ(stream.error, DWORD(AEE_CALLBACK));
    EXPECT_EQ(writer.calls.size(), 1u);
}

} // namespace
