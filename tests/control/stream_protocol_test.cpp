// Streaming text in and out through callbacks.
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

    Send(AEM_SETLIMITTEXT, 0, 10);
    Reader tooLong;
    tooLong.blocks = {"12345678", "abcd", "never"};
    stream = Request(&tooLong);
    Send(AEM_STREAMIN, 0, Param(&stream));
    EXPECT_EQ(stream.error, DWORD(AEE_MEMORY)) << "a block the limit refused cuts the transfer";
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_CALLBACK)) << "a refusal is no memory shortage: the last error stays";
    EXPECT_EQ(Text(), "12345678");
    EXPECT_EQ(tooLong.next, 2u);
}

TEST_F(Stream, StreamOutHandsOverBlocksWithCrLf)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
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

// A whole new text ends with the caret at 0 and the view at the top left,
// however far the old view was scrolled and however many blocks arrived; the
// notifications are those of one replacement per block.
TEST_F(Stream, AWholeTextStreamedInEndsAtTheTopLeftWithOneChangePerBlock)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    std::string line = std::string(300, 'w') + "\n";
    std::string old;
    for (int i = 0; i < 400; ++i)
        old += line;
    SetText(old);
    AERANGE end = {DWORD(old.size() - 5), DWORD(old.size() - 5)};
    Send(AEM_SETSEL, 1, Param(&end));
    Send(AEM_SCROLLCARET);
    ASSERT_GT(Send(AEM_GETFIRSTVISIBLELINE), 100);

    Reader reader;
    std::string expected;
    for (int i = 0; i < 3; ++i) {
        std::string block;
        for (int j = 0; j < 200; ++j)
            block += std::to_string(i) + std::string(250, 'n') + "\r\n";
        reader.blocks.push_back(block);
        expected += block;
    }
    ClearNotifications();
    AESTREAM stream = Request(&reader);
    Send(AEM_STREAMIN, 0, Param(&stream));
    EXPECT_EQ(stream.error, 0u);
    EXPECT_EQ(Send(AEM_GETFIRSTVISIBLELINE), 0);
    EXPECT_EQ(Send(AEM_LINEFROMCHAR, DWORD(-1)), 0);
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 0);
    EXPECT_EQ(SelStart() + SelEnd(), 0u);
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 601);

    std::vector<Notification> notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Change()), 3);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back(), SelChange(0, 0));
    // The first block replaced the old text: its change comes after the
    // caret moved past it.
    DWORD firstBlock = DWORD(reader.blocks[0].size() - 200); // CR LF became LF
    EXPECT_NE(std::find(notes.begin(), notes.end(), SelChange(firstBlock, firstBlock)), notes.end());

    // The view's top line is where it says it is: line numbers counted from
    // it agree with the text.
    for (DWORD line : {1u, 36u, 150u, 599u}) {
        AERANGE caret = {line * 252, line * 252}; // 251 characters and a line break
        Send(AEM_SETSEL, 0, Param(&caret));
        EXPECT_EQ(Send(AEM_LINEFROMCHAR, DWORD(-1)), intptr_t(line));
    }
    Send(AEM_SETSEL, 0, Param(&end));
    AERANGE start = {0, 0};
    Send(AEM_SETSEL, 0, Param(&start));

    // Typing at the caret works from the view it ended in.
    Send(kWmChar, 'x');
    EXPECT_EQ(Send(AEM_LINELENGTH, 0), 252);
    EXPECT_EQ(Send(AEM_GETCARETCOLUMN), 1);
}

// Line numbers counted from the nearest known line agree with counting from
// the text's start, whatever edits kept the line count.
TEST_F(Stream, LineNumbersAgreeWithCountingFromTheStartAfterEdits)
{
    SetText("alpha\nbeta\n\ngamma delta\nepsilon");
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    const char *pieces[] = {"x", "\n", "two\nlines", "", "\n\n\n", "tail"};
    for (int step = 0; step < 300; ++step) {
        std::string text = Text();
        std::string store;
        for (char c : text)
            if (c != '\r')
                store += c;
        DWORD length = DWORD(store.size());
        DWORD a = next(length + 1), b = next(length + 1);
        AERANGE range = {std::min(a, b), std::max(a, b)};
        Send(AEM_SETSEL, 1, Param(&range));
        switch (next(5)) {
        case 0:
            Send(kWmChar, next(2) ? 'k' : '\r');
            break;
        case 1:
        case 2:
            Send(AEM_REPLACESEL, 1, Param(pieces[next(6)]));
            break;
        case 3:
            Send(AEM_UNDO);
            break;
        default:
            Send(AEM_SCROLLCARET);
            break;
        }
        store.clear();
        for (char c : Text())
            if (c != '\r')
                store += c;
        DWORD lines = DWORD(std::count(store.begin(), store.end(), '\n')) + 1;
        ASSERT_EQ(Send(AEM_GETLINECOUNT), intptr_t(lines)) << "step " << step;
        for (DWORD offset = 0; offset <= store.size(); offset += 1 + next(7)) {
            intptr_t line = std::count(store.begin(), store.begin() + offset, '\n');
            ASSERT_EQ(Send(AEM_LINEFROMCHAR, offset), line) << "step " << step << " offset " << offset;
        }
        DWORD caret = SelStart();
        if (caret == SelEnd()) {
            ASSERT_EQ(Send(AEM_LINEFROMCHAR, DWORD(-1)), std::count(store.begin(), store.begin() + caret, '\n'))
                << "step " << step;
        }
    }
}

} // namespace

} // namespace scrivlet
