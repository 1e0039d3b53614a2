#include "core/allocation.h"
#include "core/random_text.h"
#include "core/text_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

struct Store { // filled with `text`, freed at the end of the test
    TextDocument doc{};
    explicit Store(const std::string &text = "")
    {
        EXPECT_EQ(CreateTextDocument(&doc), 1);
        EXPECT_EQ(InsertBytes(&doc, 0, text.data(), uint32_t(text.size())), 1);
    }
    ~Store() { FreeTextDocument(&doc); }
    std::string Text() const { return std::string(doc.bytes, doc.length); }
};

// Read in blocks, a text grows in place where the system allows; a large deletion gives room back.
TEST(TextStore, ReadInBlocksGrowsInPlaceAndDeletionGivesRoomBack)
{
    Store store;
    const char *first = store.doc.bytes;
    std::string block(65536, 'b');
    for (int i = 0; i < 512; ++i) {
        block[i] = char('a' + i % 26);
        ASSERT_EQ(InsertBytes(&store.doc, store.doc.length, block.data(), 65536), 1);
    }
    EXPECT_EQ(store.doc.bytes[511 * 65536 + 511], char('a' + 511 % 26));
#if defined(_WIN32) && UINTPTR_MAX > 0xFFFFFFFFu
    EXPECT_EQ(store.doc.bytes, first) << "the buffer moved";
#endif
    (void)first;
    DeleteBytes(&store.doc, 10, store.doc.length - 20);
    EXPECT_EQ(store.doc.capacity, 65536u);
    EXPECT_LE(store.doc.reserved, 4 * store.doc.capacity) << "spare room of a deleted text is released";
}

// Random edits, some inserting the text's own bytes, against a model; each change a new revision.
TEST(TextStore, RandomEditsKeepTextLengthCapacityAndRevisionExact)
{
    std::mt19937 random(7);
    Store store;
    std::string model;
    std::set<uint32_t> revisions = {store.doc.revision};
    for (int step = 0; step < 500; ++step) {
        const std::string before = model;
        uint32_t offset = uint32_t(random() % (model.size() + 1));
        switch (model.empty() ? 0 : random() % 5) {
        case 0: case 1: {
            std::string bytes(random() % 4 == 0 ? random() % 100000 : random() % 50, char('a' + step % 26));
            bytes.insert(bytes.size() / 2, "\n");
            ASSERT_EQ(InsertBytes(&store.doc, offset, bytes.data(), uint32_t(bytes.size())), 1);
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
        default: { // a line end is never overwritten, tab and line end go in
            char byte = "x\n\ty"[random() % 4];
            ASSERT_EQ(OverwriteByte(&store.doc, offset, byte), 1);
            if (offset == model.size() || (model[offset] == '\n' && byte != '\n'))
                model.insert(offset, 1, byte);
            else if (byte != '\n' && byte != '\t')
                model[offset] = byte;
            break;
        }
        }
        ASSERT_EQ(store.Text(), model) << "step " << step;
        ASSERT_EQ(store.doc.length, TextLength(store.doc.bytes, offset > model.size() ? 0 : offset));
        ASSERT_EQ(store.doc.capacity, (store.doc.length / kTextBlockSize + 1) * kTextBlockSize) << step;
        ASSERT_TRUE(model == before || revisions.insert(store.doc.revision).second) << "step " << step;
    }
}

// A length past 2^31 or a growth that cannot be had changes nothing.
TEST(TextStore, LimitsAndMemoryFailuresLeaveTheTextAlone)
{
    Store store(std::string(65535, 'x'));
    char *block = store.doc.bytes;
    char source[4] = "xyz";
    unsigned long before = AllocationAttempts();
    EXPECT_EQ(InsertBytes(&store.doc, 1, source, 0x7FFF0000u - 65535), 0) << "no room for the NUL";
    EXPECT_EQ(InsertBytes(&store.doc, 1, source, 0xFFFFFFFFu), 0) << "the length must not wrap";
    EXPECT_EQ(AllocationAttempts(), before) << "refused before touching memory";
    FailNthAllocation(1);
    EXPECT_EQ(InsertBytes(&store.doc, 0, "y", 1), 0);
    EXPECT_TRUE(store.doc.bytes == block && store.doc.capacity == 65536u);
    EXPECT_EQ(store.Text(), std::string(65535, 'x'));
}

// The scans of sixteen bytes at a time give what walks over single bytes give.
TEST(TextStore, BlockwiseScansAgreeWithByteByByteWalks)
{
    const uint32_t w84[] = {8, 4}, w1[] = {1}, w315[] = {3, 1, 5}, w0[] = {0};
    const TabStops stopSets[] = {{0, nullptr}, {2, w84}, {1, w1}, {3, w315}, {1, w0}};
    std::mt19937 random(6);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(random, "ab \t\n\r", 300);
        const uint32_t n = uint32_t(text.size());
        const ExactBytes exact(text);
        const char *bytes = exact.data(), *terminated = text.c_str();

        ASSERT_EQ(CountLines(bytes, n), 1 + std::count(text.begin(), text.end(), '\n')) << text;
        if (round == 0) { // more line feeds than a byte counts
            ASSERT_EQ(CountLines(std::string(5000, '\n').data(), 5000), 5001u);
        }
        for (char c : {'\r', '\t', 'a'})
            ASSERT_EQ(FindByte(bytes, n, c), std::min<size_t>(text.find(c), n)) << text;
        for (uint32_t wanted : {0u, 1u, uint32_t(random() % 12), 100000u}) {
            uint32_t passed = 0, after = 0, actual;
            for (uint32_t i = 0; i < n && passed < wanted; ++i)
                if (text[i] == '\n')
                    after = i + 1, ++passed;
            ASSERT_EQ(SkipLineFeeds(bytes, n, wanted, &actual) * 1000 + actual, after * 1000 + passed) << text;
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
        for (uint32_t offset = 0; offset <= n; offset += 1 + random() % 9) {
            const uint32_t start = uint32_t(offset == 0 ? 0 : text.rfind('\n', offset - 1) + 1);
            // The line holding the offset ('\n' and NUL included), the next and the previous.
            const uint32_t end = uint32_t(std::min(text.find('\n', offset), text.size()));
            const uint32_t nextEnd = end < n ? uint32_t(std::min(text.find('\n', end + 1), text.size())) : 0;
            uint32_t lineStart, next, previous;
            ASSERT_EQ(LineStartOf(terminated, offset), start) << text << " @" << offset;
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
