#include "core/allocation.h"
#include "core/text_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

// A text store filled with `text`, freed at the end of the test.
struct Store {
    TextDocument doc{};
    explicit Store(const std::string &text = "")
    {
        EXPECT_EQ(CreateTextDocument(&doc), 1);
        EXPECT_EQ(InsertBytes(&doc, 0, text.data(), uint32_t(text.size())), 1);
    }
    ~Store() { FreeTextDocument(&doc); }
    std::string Text() const { return std::string(doc.bytes, doc.length); }
    long Zeros(uint32_t from, uint32_t to) const { return std::count(doc.bytes + from, doc.bytes + to, '\0'); }
};

// Growth is zeroed, and spare room of a large deletion is given back.
TEST(TextStore, CapacityMovesInWholeBlocksAndGrowthIsZeroed)
{
    Store store;
    EXPECT_EQ(store.Zeros(0, 65536), 65536) << "a new store is one empty line";
    ASSERT_EQ(InsertBytes(&store.doc, 0, std::string(65535, 'x').data(), 65535), 1);
    EXPECT_EQ(store.doc.capacity, 65536u) << "65,535 bytes and the NUL fit one block";
    ASSERT_EQ(InsertBytes(&store.doc, 100, "y", 1), 1);
    EXPECT_EQ(store.Zeros(65536, store.doc.capacity), 65536);
    DeleteBytes(&store.doc, 0, 1);
    EXPECT_EQ(store.doc.capacity, 65536u) << "back to 65,535 bytes shrinks to one block";
    DeleteBytes(&store.doc, 0, 65535);
    ASSERT_EQ(InsertBytes(&store.doc, 0, std::string(65536, 'z').data(), 65536), 1);
    EXPECT_EQ(store.Zeros(65536, store.doc.capacity), 65536) << "old text beyond a shrunk buffer is zeroed on growth";

    Store large(std::string(8 * 1024 * 1024, 'x'));
    DeleteBytes(&large.doc, 10, large.doc.length - 20);
    EXPECT_EQ(large.doc.capacity, 65536u);
    EXPECT_LE(large.doc.reserved, 4 * large.doc.capacity) << "spare room of a deleted text is released";
    EXPECT_EQ(large.Text(), std::string(20, 'x'));
}

// On 64-bit Windows a text read block by block grows in place, in address
// space reserved ahead; everywhere the bytes arrive whole.
TEST(TextStore, TextReadInBlocksGrowsInPlaceWhereTheSystemAllows)
{
    Store store;
    const char *first = store.doc.bytes;
    std::string block(65536, 'b');
    for (int i = 0; i < 512; ++i) {
        block[i % 65536] = char('a' + i % 26);
        ASSERT_EQ(InsertBytes(&store.doc, store.doc.length, block.data(), uint32_t(block.size())), 1);
    }
    EXPECT_EQ(store.doc.bytes[511 * 65536 + 511], char('a' + 511 % 26));
#if defined(_WIN32) && UINTPTR_MAX > 0xFFFFFFFFu
    EXPECT_EQ(store.doc.bytes, first) << "the buffer moved";
#endif
    (void)first;
}

// Random edits and one-pass replacements against a std::string model: text,
// cached and scanned length and whole-block capacity agree after every step,
// and every change of the bytes gives a revision never seen before. Inserted
// bytes come now and then from the text itself, before, after or across the
// place they go to.
TEST(TextStore, RandomEditsKeepTextLengthCapacityAndRevisionExact)
{
    std::mt19937 random(7);
    Store store;
    std::string model;
    std::set<uint32_t> revisions = {store.doc.revision};
    for (int step = 0; step < 500; ++step) {
        const std::string before = model;
        uint32_t offset = uint32_t(random() % (model.size() + 1));
        switch (model.empty() ? 0 : random() % 6) {
        case 0: case 1: {
            uint32_t count = random() % 4 == 0 ? random() % 100000 : random() % 50;
            std::string bytes(count, char('a' + step % 26));
            if (count > 0)
                bytes[count / 2] = '\n';
            ASSERT_EQ(InsertBytes(&store.doc, offset, bytes.data(), count), 1);
            model.insert(offset, bytes);
            break;
        }
        case 2: {
            uint32_t from = uint32_t(random() % model.size()), count = uint32_t(random() % (model.size() - from));
            ASSERT_EQ(InsertBytes(&store.doc, offset, store.doc.bytes + from, count), 1);
            model.insert(offset, before.substr(from, count));
            break;
        }
        case 3: {
            uint32_t count = uint32_t(random() % (model.size() - offset + 1));
            DeleteBytes(&store.doc, offset, count);
            model.erase(offset, count);
            break;
        }
        case 4: {
            char byte = "x\n\ty"[random() % 4];
            ASSERT_EQ(OverwriteByte(&store.doc, offset, byte), 1);
            if (offset == model.size() || (model[offset] == '\n' && byte != '\n'))
                model.insert(offset, 1, byte);
            else if (byte != '\n' && byte != '\t')
                model[offset] = byte;
            break;
        }
        default: {
            const uint32_t patternLength = 1 + random() % 3;
            const std::string replacement(random() % 6, char('A' + step % 26));
            std::vector<uint32_t> offsets;
            for (uint32_t at = offset; at + patternLength <= model.size(); at += patternLength + random() % 40)
                offsets.push_back(at);
            model.resize(offset);
            for (size_t i = 0; i < offsets.size(); ++i) {
                uint32_t next = i + 1 < offsets.size() ? offsets[i + 1] : uint32_t(before.size());
                model += replacement + before.substr(offsets[i] + patternLength, next - offsets[i] - patternLength);
            }
            ASSERT_EQ(ReserveForLength(&store.doc, model.size()), 1);
            ReplaceAtOffsets(&store.doc, offsets.data(), uint32_t(offsets.size()), patternLength, replacement.data(),
                             uint32_t(replacement.size()));
        }
        }
        ASSERT_EQ(store.Text(), model) << "step " << step;
        ASSERT_EQ(store.doc.length, TextLength(store.doc.bytes, 0));
        ASSERT_EQ(store.doc.length, TextLength(store.doc.bytes, offset > model.size() ? 0 : offset));
        ASSERT_EQ(store.doc.capacity, (store.doc.length / kTextBlockSize + 1) * kTextBlockSize) << step;
        ASSERT_GE(store.doc.reserved, store.doc.capacity);
        ASSERT_TRUE(model == before || revisions.insert(store.doc.revision).second) << "step " << step;
    }
}

// Growth stops below 2^31; a growth that cannot be had changes nothing.
TEST(TextStore, LimitsAndMemoryFailuresLeaveTheTextAlone)
{
    const struct { uint32_t capacity; bool grow; uint32_t next; } steps[] = {
        {0, true, 65536}, {65536, true, 131072}, {0x7FFE0000, true, 0x7FFF0000}, {0x7FFF0000, true, 0x7FFF0000},
        {131072, false, 65536}, {65536, false, 65536}};
    for (const auto &c : steps)
        EXPECT_EQ(NextCapacity(c.capacity, c.grow), c.next) << c.capacity << " " << c.grow;

    Store store(std::string(65535, 'x'));
    char *block = store.doc.bytes;
    char source[4] = "xyz";
    unsigned long before = AllocationAttempts();
    EXPECT_EQ(InsertBytes(&store.doc, 1, source, 0x7FFF0000u - 65535), 0) << "no room for the NUL";
    EXPECT_EQ(InsertBytes(&store.doc, 1, source, 0xFFFFFFFFu), 0) << "the length must not wrap";
    EXPECT_EQ(AllocationAttempts(), before) << "refused before touching memory";
    FailNthAllocation(1);
    EXPECT_EQ(InsertBytes(&store.doc, 0, "y", 1), 0);
    FailNthAllocation(1);
    EXPECT_EQ(OverwriteByte(&store.doc, 65535, 'y'), 0) << "an append that cannot grow fails";
    FailNthAllocation(1);
    EXPECT_EQ(ReserveForLength(&store.doc, 70000), 0);
    EXPECT_EQ(ReserveForLength(&store.doc, 65535), 1) << "room enough already";
    EXPECT_TRUE(store.doc.bytes == block && store.doc.capacity == 65536u);
    EXPECT_EQ(store.Text(), std::string(65535, 'x'));
    EXPECT_EQ(ResizeBuffer(&store.doc, true), kResized) << "the failure was one allocation only";

    TextDocument fresh{};
    FailNthAllocation(1);
    EXPECT_EQ(CreateTextDocument(&fresh), 0);
    EXPECT_EQ(fresh.bytes, nullptr);
    EXPECT_EQ(ResizeBuffer(&fresh, false), kNotResized);
}

TEST(TextStore, LinesBlanksLineEndsAndColumnsOfFixedTexts)
{
    uint32_t start, found = 99;
    EXPECT_EQ(LineStart("ab\n", 3, &start), 0u) << "after a final '\\n' is an empty line";
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(CountLines(std::string(5000, '\n').data(), 5000), 5001u) << "more line feeds than a byte counts";
    EXPECT_EQ(SkipBlanks(" \t x", 0) * 100 + SkipBlanks("  \n x", 1) * 10 + SkipBlanks("  ", 0), 322u)
        << "blanks end at a line end and at the NUL";
    char out[16];
    uint32_t length = 99;
    ConvertLineEnds(out, &length, "a\nb\n\n", 5, kFromStore);
    EXPECT_EQ(std::string(out, length), "a\r\nb\r\n\r\n");

    const char *text = "abc\nde\nfghi"; // line starts 0, 4, 7
    const struct { uint32_t from, lines, column, offset, found; } lines[] = {
        {0, 0, 2, 2, 1},  {0, 1, 1, 5, 1}, {0, 1, 9, 6, 1}, // column clipped to "de"
        {5, 1, 3, 10, 1}, {0, 2, 0, 7, 1}, {0, 3, 1, 11, 0}, {7, 5, 0, 11, 0}, // beyond: end of last line
    };
    for (const auto &c : lines) {
        uint32_t offset = OffsetOfLine(text, c.from, c.lines, c.column, &found);
        EXPECT_EQ(offset * 10 + found, c.offset * 10 + c.found) << c.from << " " << c.lines;
    }

    const uint32_t twoThenEight[] = {2, 8};
    EXPECT_EQ(TabWidth(TabStops{2, twoThenEight}, 7), 8u) << "the last width repeats";
    const uint32_t offsetOfColumn[] = {0, 1, 2, 3, 3, 4, 5, 5, 5}; // "ab\tcd": a b tab(2..4) c(4) d(5)
    for (uint32_t column = 0; column < 9; ++column)
        EXPECT_EQ(OffsetOfColumn(TabStops{0, nullptr}, "xx\nab\tcd\n", 4, column), offsetOfColumn[column]) << column;
}

// The scans that look at sixteen bytes at a time give what a walk over single
// bytes gives, at any alignment, reading nothing outside the bytes.
TEST(TextStore, BlockwiseScansAgreeWithByteByByteWalks)
{
    const uint32_t w84[] = {8, 4}, w1[] = {1}, w315[] = {3, 1, 5}, w0[] = {0};
    const TabStops stopSets[] = {{0, nullptr}, {2, w84}, {1, w1}, {3, w315}, {1, w0}};
    std::mt19937 random(6);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        while (text.size() < random() % 300)
            text.append(random() % 4 == 0 ? random() % 40 : 1, "ab \t\n\r"[random() % 6]); // long runs now and then
        const uint32_t n = uint32_t(text.size());
        std::unique_ptr<char[]> exact(new char[n]);
        std::copy(text.begin(), text.end(), exact.get());
        const char *bytes = exact.get();

        ASSERT_EQ(CountLines(bytes, n), 1 + std::count(text.begin(), text.end(), '\n')) << text;
        for (char c : {'\r', '\t', 'a'})
            ASSERT_EQ(FindByte(bytes, n, c), std::min<size_t>(text.find(c), n)) << text;
        for (uint32_t wanted : {0u, 1u, uint32_t(random() % 12), 100000u}) {
            uint32_t passed = 0, after = 0, actual;
            for (uint32_t i = 0; i < n && passed < wanted; ++i)
                if (text[i] == '\n')
                    after = i + 1, ++passed;
            ASSERT_EQ(SkipLineFeeds(bytes, n, wanted, &actual), after) << text << " / " << wanted;
            ASSERT_EQ(actual, passed);
        }
        for (const TabStops &tabs : stopSets) {
            uint32_t widest, lines, expectedWidest = 0, expectedLines = 1;
            ColumnWalk walk = StartColumnWalk(tabs);
            for (char c : text + '\n') {
                expectedWidest = std::max(expectedWidest, walk.column);
                c == '\n' ? void(walk = StartColumnWalk(tabs)) : AdvanceColumn(&walk, c);
                expectedLines += c == '\n';
            }
            MeasureText(tabs, bytes, n, &widest, &lines);
            ASSERT_EQ(widest * 1000 + lines, expectedWidest * 1000 + expectedLines - 1) << text;
        }
        const char *terminated = text.c_str();
        for (uint32_t offset = 0; offset <= n; offset += 1 + random() % 9) {
            uint32_t start = offset;
            while (start > 0 && text[start - 1] != '\n')
                --start;
            ASSERT_EQ(LineStartOf(terminated, offset), start) << text << " @" << offset;
            // The line holding the offset ('\n' and NUL included), the next and the previous.
            const uint32_t end = uint32_t(std::min(text.find('\n', offset), text.size()));
            const uint32_t nextEnd = end < n ? uint32_t(std::min(text.find('\n', end + 1), text.size())) : 0;
            uint32_t lineStart, next, previous;
            ASSERT_EQ(LineStart(terminated, offset, &lineStart), end - start);
            ASSERT_EQ(lineStart, start);
            const uint32_t nextLength = NextLine(terminated, offset, &next);
            ASSERT_EQ(next, end < n ? end + 1 : 0);
            ASSERT_EQ(end < n ? nextLength : 0, nextEnd - (end < n ? end + 1 : 0));
            PrevLine(terminated, offset, &previous);
            ASSERT_EQ(previous, start == 0 ? kNoOffset : LineStartOf(terminated, start - 1));
            for (const TabStops &tabs : stopSets) {
                ColumnWalk walk = StartColumnWalk(tabs);
                for (uint32_t i = start; i < offset; ++i)
                    AdvanceColumn(&walk, text[i]);
                ASSERT_EQ(ColumnOfOffset(tabs, terminated, offset), walk.column) << text << " @" << offset;
                ASSERT_EQ(DistanceToNextTab(tabs, terminated, offset), walk.stop - walk.column);
            }
        }
        std::string expected; // CR LF and a lone CR become '\n'
        for (uint32_t i = 0; i < n; ++i)
            expected += text[i] == '\r' ? (i + 1 < n && text[i + 1] == '\n' ? "" : "\n") : std::string(1, text[i]);
        std::vector<char> out(n + 1);
        uint32_t length;
        ConvertLineEnds(out.data(), &length, bytes, n, kToStore);
        ASSERT_EQ(std::string(out.data(), length), expected) << text;
    }
}

} // namespace

} // namespace scrivlet
