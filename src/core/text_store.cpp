#include "core/text_store.h"

#include "core/allocation.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// Sixteen bytes looked at at once. GCC and Clang turn these operations into
// SSE2 instructions on x86-64 and into plain word operations on targets
// without a vector unit; the results are the same either way.
typedef unsigned char ByteBlock __attribute__((vector_size(16)));
typedef uint64_t WordPair __attribute__((vector_size(16)));
constexpr uint32_t kBlockBytes = 16;
constexpr uint32_t kStrideBytes = 4 * kBlockBytes; // a step of the long scans

// Vectors travel by reference only: passing them by value changes the
// calling convention on targets without a vector unit.
void Broadcast(ByteBlock *block, char byte)
{
    *block = ByteBlock{} + static_cast<unsigned char>(byte);
}

// Index of the first non-zero byte of a block of 0x00/0xFF comparison
// results that has one.
uint32_t FirstSetLane(const ByteBlock &hits)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    WordPair words = (WordPair)hits;
    return words[0] != 0 ? uint32_t(__builtin_ctzll(words[0])) / 8
                         : 8 + uint32_t(__builtin_ctzll(words[1])) / 8;
#else
    uint32_t k = 0;
    while (hits[k] == 0)
        ++k;
    return k;
#endif
}

bool AnyLaneSet(const ByteBlock &hits)
{
    WordPair words = (WordPair)hits;
    return (words[0] | words[1]) != 0;
}

// Whether the 64 bytes at `bytes` hold either wanted byte. Written out
// block by block: compilers that do not unroll a loop here (at -O2) would
// otherwise copy the blocks through memory.
bool StrideHolds(const char *bytes, const ByteBlock &wantA, const ByteBlock &wantB)
{
    ByteBlock b0, b1, b2, b3;
    std::memcpy(&b0, bytes, kBlockBytes);
    std::memcpy(&b1, bytes + kBlockBytes, kBlockBytes);
    std::memcpy(&b2, bytes + 2 * kBlockBytes, kBlockBytes);
    std::memcpy(&b3, bytes + 3 * kBlockBytes, kBlockBytes);
    ByteBlock hits = (ByteBlock)((b0 == wantA) | (b0 == wantB) | (b1 == wantA) | (b1 == wantB) |
                                 (b2 == wantA) | (b2 == wantB) | (b3 == wantA) | (b3 == wantB));
    return AnyLaneSet(hits);
}

// Index of the last non-zero byte of a block of comparison results that has one.
uint32_t LastSetLane(const ByteBlock &hits)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    WordPair words = (WordPair)hits;
    return words[1] != 0 ? 8 + uint32_t(63 - __builtin_clzll(words[1])) / 8
                         : uint32_t(63 - __builtin_clzll(words[0])) / 8;
#else
    uint32_t k = 15;
    while (hits[k] == 0)
        --k;
    return k;
#endif
}

// Number of non-zero bytes in a block of comparison results: each 0xFF
// lane leaves a 1 in its byte, and one multiplication adds up the bytes of
// a word (no population-count instruction needed).
uint32_t SetLanes(const ByteBlock &hits)
{
    WordPair ones = (WordPair)hits >> 7 & 0x0101010101010101u;
    ones *= 0x0101010101010101u;
    return uint32_t(ones[0] >> 56) + uint32_t(ones[1] >> 56);
}

// Start of the line holding `offset`: just past the last '\n' before it, or 0.
uint32_t ScanBackToLineStart(const char *text, uint32_t offset)
{
    ByteBlock lineFeed;
    Broadcast(&lineFeed, '\n');
    uint32_t at = offset;
    for (; at >= kStrideBytes; at -= kStrideBytes) {
        if (StrideHolds(text + at - kStrideBytes, lineFeed, lineFeed))
            break;
    }
    for (; at >= kBlockBytes; at -= kBlockBytes) {
        ByteBlock block;
        std::memcpy(&block, text + at - kBlockBytes, kBlockBytes);
        ByteBlock hits = (ByteBlock)(block == lineFeed);
        if (AnyLaneSet(hits))
            return at - kBlockBytes + LastSetLane(hits) + 1;
    }
    while (at > 0 && text[at - 1] != '\n')
        --at;
    return at;
}

// Looks for either of two bytes (the same one twice for one byte).
struct ByteFinder {
    ByteBlock wantA, wantB;
    char a, b;
};

void StartFinder(ByteFinder *finder, char a, char b)
{
    Broadcast(&finder->wantA, a);
    Broadcast(&finder->wantB, b);
    finder->a = a;
    finder->b = b;
}

// Index of the first of `count` bytes that the finder looks for, or `count`.
uint32_t FindEither(const ByteFinder &finder, const char *bytes, uint32_t count)
{
    uint32_t i = 0;
    // Four blocks per step while no byte is found: one branch per 64 bytes.
    for (; count - i >= kStrideBytes; i += kStrideBytes) {
        if (StrideHolds(bytes + i, finder.wantA, finder.wantB))
            break;
    }
    for (; count - i >= kBlockBytes; i += kBlockBytes) {
        ByteBlock block;
        std::memcpy(&block, bytes + i, kBlockBytes);
        ByteBlock hits = (ByteBlock)((block == finder.wantA) | (block == finder.wantB));
        if (AnyLaneSet(hits))
            return i + FirstSetLane(hits);
    }
    while (i < count && bytes[i] != finder.a && bytes[i] != finder.b)
        ++i;
    return i;
}

uint32_t RoundUpToBlock(uint64_t bytes)
{
    uint64_t rounded = (bytes + kTextBlockSize - 1) / kTextBlockSize * kTextBlockSize;
    return static_cast<uint32_t>(std::min<uint64_t>(rounded, kMaxTextCapacity));
}

// Smallest multiple of 65,536 greater than `length`: the capacity a text of
// that length has once every step of growth or shrinking is done.
uint64_t CapacityForLength(uint64_t length)
{
    return (length / kTextBlockSize + 1) * kTextBlockSize;
}

// Makes at least `needed` bytes addressable. The allocation grows by half
// its size at a time, so a text built by many appends is copied a handful of
// times rather than once per 65,536-byte step; when that much memory cannot
// be had, exactly `needed` is tried. Nothing changes on failure.
bool ReserveBytes(TextDocument *doc, uint32_t needed)
{
    if (needed <= doc->reserved)
        return true;
    uint32_t generous = RoundUpToBlock(uint64_t(doc->reserved) + doc->reserved / 2);
    uint32_t size = std::max(generous, needed);
    void *block = ReallocateTextBuffer(doc->bytes, doc->reserved, size);
    if (block == nullptr && size > needed) {
        size = needed;
        block = ReallocateTextBuffer(doc->bytes, doc->reserved, size);
    }
    if (block == nullptr)
        return false;
    doc->bytes = static_cast<char *>(block);
    doc->reserved = size;
    return true;
}

// Gives spare room back once the text uses a quarter of it or less, keeping
// twice the capacity so that typing after a large deletion does not
// reallocate at once. A failed shrink keeps the larger block.
void ReleaseSpareBytes(TextDocument *doc)
{
    if (doc->reserved / 4 < doc->capacity)
        return;
    uint32_t size = RoundUpToBlock(uint64_t(doc->capacity) * 2);
    void *block = ReallocateTextBuffer(doc->bytes, doc->reserved, size);
    if (block != nullptr) {
        doc->bytes = static_cast<char *>(block);
        doc->reserved = size;
    }
}

// Grows the capacity to `target` (a multiple of 65,536) in one go, zeroing
// the bytes the text gains from `zeroFrom` on; the caller writes those
// before it. Equivalent to repeated growth steps, but all or nothing.
bool GrowCapacityTo(TextDocument *doc, uint64_t target, uint32_t zeroFrom)
{
    if (target > kMaxTextCapacity)
        return false;
    uint32_t newCapacity = static_cast<uint32_t>(target);
    if (!ReserveBytes(doc, newCapacity))
        return false;
    zeroFrom = std::max(zeroFrom, doc->capacity);
    std::memset(doc->bytes + zeroFrom, 0, newCapacity - zeroFrom);
    doc->capacity = newCapacity;
    return true;
}

// Walks the line of `offset` from its start while `keepGoing` allows,
// returning the walk and, through *walked, the number of bytes crossed.
template <typename KeepGoing>
ColumnWalk WalkLine(TabStops tabs, const char *text, uint32_t offset, uint32_t *walked,
                    KeepGoing keepGoing)
{
    uint32_t start;
    uint32_t length = LineStart(text, offset, &start);
    ColumnWalk walk = StartColumnWalk(tabs);
    uint32_t index = 0;
    while (index < length && keepGoing(start + index, walk)) {
        AdvanceColumn(&walk, text[start + index]);
        ++index;
    }
    *walked = index;
    return walk;
}

// A plain loop: lines are short, and the C library's general set search
// costs more per call than it saves (much more in some runtimes).
uint32_t LengthToLineEnd(const char *text, uint32_t offset)
{
    const char *start = text + offset;
    const char *p = start;
    while (*p != '\n' && *p != '\0')
        ++p;
    return static_cast<uint32_t>(p - start);
}

} // namespace

ColumnWalk StartColumnWalk(TabStops tabs)
{
    return ColumnWalk{tabs, 0, 0, TabWidth(tabs, 0)};
}

void AdvanceColumn(ColumnWalk *walk, char byte)
{
    if (byte == '\t')
        walk->column = walk->stop;
    else
        ++walk->column;
    if (walk->column == walk->stop) {
        ++walk->stopIndex;
        walk->stop += TabWidth(walk->tabs, walk->stopIndex);
    }
}

// Advances the walk over `count` bytes that are neither '\t' nor '\n': the
// column moves by the count, and every stop reached on the way is passed,
// as byte-by-byte advancing would. Where all further stops are equally wide
// they are passed in one step.
void AdvanceColumnOver(ColumnWalk *walk, uint32_t count)
{
    walk->column += count;
    const TabStops &tabs = walk->tabs;
    while (walk->stop <= walk->column) {
        uint32_t next = walk->stopIndex + 1;
        uint32_t width = TabWidth(tabs, next);
        if (tabs.widths == nullptr || tabs.count == 0 || next >= tabs.count - 1) {
            uint32_t steps = (walk->column - walk->stop) / width + 1;
            walk->stopIndex += steps;
            walk->stop += steps * width;
            return;
        }
        walk->stopIndex = next;
        walk->stop += width;
    }
}

namespace {

// Walks `count` bytes that hold no '\n' from the start of a line: runs
// without a tab move the column in one step, as MeasureText does.
ColumnWalk WalkWithinLine(TabStops tabs, const char *bytes, uint32_t count)
{
    ColumnWalk walk = StartColumnWalk(tabs);
    ByteFinder tab;
    StartFinder(&tab, '\t', '\t');
    for (uint32_t i = 0; i < count;) {
        if (bytes[i] == '\t') {
            AdvanceColumn(&walk, '\t');
            ++i;
            continue;
        }
        uint32_t run = FindEither(tab, bytes + i, count - i);
        AdvanceColumnOver(&walk, run);
        i += run;
    }
    return walk;
}

} // namespace

uint32_t NextCapacity(uint32_t capacity, bool grow)
{
    if (grow) {
        uint64_t next = std::min<uint64_t>(uint64_t(capacity) + kTextBlockSize, 4294967294u);
        return int32_t(next) > int32_t(capacity) ? uint32_t(next) : capacity;
    }
    int64_t next = int64_t(capacity) - kTextBlockSize;
    return next > 0 ? uint32_t(next) : capacity;
}

ResizeResult ResizeBuffer(TextDocument *doc, bool grow)
{
    uint32_t next = NextCapacity(doc->capacity, grow);
    if (next == doc->capacity)
        return kNotResized;
    if (grow)
        return GrowCapacityTo(doc, next, doc->capacity) ? kResized : kResizeFailed;
    doc->capacity = next;
    ReleaseSpareBytes(doc);
    return kResized;
}

int CreateTextDocument(TextDocument *doc)
{
    *doc = TextDocument{};
    return ResizeBuffer(doc, true) == kResized ? 1 : 0;
}

void FreeTextDocument(TextDocument *doc)
{
    FreeTextBuffer(doc->bytes);
    *doc = TextDocument{};
}

uint32_t TextLength(const char *text, uint32_t from)
{
    return from + static_cast<uint32_t>(std::strlen(text + from));
}

int InsertBytes(TextDocument *doc, uint32_t offset, const char *source, uint32_t count)
{
    if (count == 0)
        return 1;
    offset = std::min(offset, doc->length);
    // A source inside the text is kept as an offset: growing may move the
    // block, and the tail move below shifts what lies after the offset.
    bool inside = doc->bytes != nullptr && source >= doc->bytes &&
                  source < doc->bytes + doc->reserved;
    size_t sourceOffset = inside ? size_t(source - doc->bytes) : 0;
    uint64_t newLength = uint64_t(doc->length) + count;
    // Every byte up to the new NUL is written below, so growth zeroes only
    // what lies beyond it.
    if (newLength >= doc->capacity &&
        !GrowCapacityTo(doc, CapacityForLength(newLength), static_cast<uint32_t>(newLength) + 1))
        return 0;
    char *at = doc->bytes + offset;
    std::memmove(at + count, at, doc->length - offset + 1);
    if (!inside) {
        std::memcpy(at, source, count);
    } else if (sourceOffset + count <= offset) {
        std::memmove(at, doc->bytes + sourceOffset, count);
    } else if (sourceOffset >= offset) {
        std::memmove(at, doc->bytes + sourceOffset + count, count);
    } else {
        // The source straddles the offset: its head stayed, its tail moved on.
        size_t head = offset - sourceOffset;
        std::memmove(at, doc->bytes + sourceOffset, head);
        std::memmove(at + head, at + count, count - head);
    }
    doc->length = static_cast<uint32_t>(newLength);
    ++doc->revision;
    return 1;
}

namespace {

// Shrinks the capacity step by step down to what the length needs.
void ShrinkToLength(TextDocument *doc)
{
    uint32_t steps = (doc->capacity - doc->length - 1) / kTextBlockSize;
    while (steps-- > 0 && ResizeBuffer(doc, false) == kResized) {
    }
}

} // namespace

void DeleteBytes(TextDocument *doc, uint32_t offset, uint32_t count)
{
    offset = std::min(offset, doc->length);
    count = std::min(count, doc->length - offset);
    char *at = doc->bytes + offset;
    std::memmove(at, at + count, doc->length - offset - count + 1);
    doc->length -= count;
    ++doc->revision;
    ShrinkToLength(doc);
}

int ReserveForLength(TextDocument *doc, uint64_t length)
{
    if (length < doc->capacity)
        return 1;
    return GrowCapacityTo(doc, CapacityForLength(length), uint32_t(length) + 1) ? 1 : 0;
}

void ReplaceAtOffsets(TextDocument *doc, const uint32_t *offsets, uint32_t count, uint32_t patternLength,
                      const char *replacement, uint32_t replacementLength)
{
    if (count == 0)
        return;
    char *bytes = doc->bytes;
    const uint32_t end = doc->length + 1; // the NUL moves with the last piece
    if (replacementLength <= patternLength) {
        // Front to back: the write position never passes the read position.
        uint32_t to = offsets[0];
        for (uint32_t i = 0; i < count; ++i) {
            std::memcpy(bytes + to, replacement, replacementLength);
            to += replacementLength;
            uint32_t from = offsets[i] + patternLength;
            uint32_t piece = (i + 1 < count ? offsets[i + 1] : end) - from;
            if (to != from)
                std::memmove(bytes + to, bytes + from, piece);
            to += piece;
        }
        doc->length = to - 1;
        ++doc->revision;
        ShrinkToLength(doc);
        return;
    }
    // Back to front into room already reserved: the write position stays
    // ahead of the read position.
    uint32_t to = end + count * (replacementLength - patternLength);
    uint32_t readEnd = end;
    for (uint32_t i = count; i-- > 0;) {
        uint32_t from = offsets[i] + patternLength;
        to -= readEnd - from;
        std::memmove(bytes + to, bytes + from, readEnd - from);
        to -= replacementLength;
        std::memcpy(bytes + to, replacement, replacementLength);
        readEnd = offsets[i];
    }
    doc->length = end - 1 + count * (replacementLength - patternLength);
    ++doc->revision;
}

int OverwriteByte(TextDocument *doc, uint32_t offset, char byte)
{
    char current = doc->bytes[offset];
    if ((current == '\n' && byte != '\n') || current == '\0')
        return InsertBytes(doc, offset, &byte, 1);
    if (byte == '\n' || byte == '\t')
        return 1;
    doc->bytes[offset] = byte;
    ++doc->revision;
    return 1;
}

uint32_t LineStart(const char *text, uint32_t offset, uint32_t *start)
{
    *start = ScanBackToLineStart(text, offset);
    return LengthToLineEnd(text, *start);
}

uint32_t LineStartOf(const char *text, uint32_t offset)
{
    return ScanBackToLineStart(text, offset);
}

uint32_t NextLine(const char *text, uint32_t offset, uint32_t *next)
{
    uint32_t end = offset + LengthToLineEnd(text, offset);
    if (text[end] == '\0') {
        *next = 0;
        return 0;
    }
    *next = end + 1;
    return LengthToLineEnd(text, end + 1);
}

void PrevLine(const char *text, uint32_t offset, uint32_t *previous)
{
    *previous = kNoOffset;
    uint32_t at = ScanBackToLineStart(text, offset);
    if (at == 0)
        return;
    // text[at - 1] ends the previous line; find where that line starts.
    *previous = ScanBackToLineStart(text, at - 1);
}

uint32_t CountLines(const char *bytes, uint32_t count)
{
    // Each lane of `perLane` counts the line feeds it saw (a match compares
    // as 0xFF, that is -1), for at most 255 blocks before it could wrap.
    ByteBlock lineFeed;
    Broadcast(&lineFeed, '\n');
    uint32_t lines = 1;
    uint32_t i = 0;
    while (count - i >= kBlockBytes) {
        ByteBlock perLane = {};
        uint32_t blocks = std::min<uint32_t>((count - i) / kBlockBytes, 255);
        for (uint32_t b = 0; b < blocks; ++b, i += kBlockBytes) {
            ByteBlock block;
            std::memcpy(&block, bytes + i, kBlockBytes);
            perLane -= (ByteBlock)(block == lineFeed);
        }
        for (uint32_t k = 0; k < kBlockBytes; ++k)
            lines += perLane[k];
    }
    for (; i < count; ++i)
        lines += bytes[i] == '\n';
    return lines;
}

uint32_t SkipLineFeeds(const char *bytes, uint32_t count, uint32_t lines, uint32_t *passed)
{
    ByteBlock lineFeed;
    Broadcast(&lineFeed, '\n');
    uint32_t seen = 0, after = 0, i = 0;
    // Whole blocks while they hold fewer line feeds than are still wanted.
    for (; count - i >= kBlockBytes; i += kBlockBytes) {
        ByteBlock block;
        std::memcpy(&block, bytes + i, kBlockBytes);
        ByteBlock hits = (ByteBlock)(block == lineFeed);
        uint32_t inBlock = SetLanes(hits);
        if (seen + inBlock >= lines)
            break;
        if (inBlock > 0) {
            seen += inBlock;
            after = i + LastSetLane(hits) + 1;
        }
    }
    for (; i < count && seen < lines; ++i) {
        if (bytes[i] == '\n') {
            ++seen;
            after = i + 1;
        }
    }
    *passed = seen;
    return after;
}

uint32_t SkipBlanks(const char *text, uint32_t offset)
{
    while (text[offset] == ' ' || text[offset] == '\t')
        ++offset;
    return offset;
}

uint32_t OffsetOfLine(const char *text, uint32_t from, uint32_t lines, uint32_t column,
                      uint32_t *found)
{
    uint32_t at = from;
    uint32_t crossed = 0;
    while (crossed < lines) {
        at += LengthToLineEnd(text, at);
        if (text[at] == '\0')
            break;
        ++at;
        ++crossed;
    }
    *found = crossed == lines ? 1 : 0;
    uint32_t start;
    uint32_t length = LineStart(text, at, &start);
    return start + (*found ? std::min(column, length) : length);
}

uint32_t TabWidth(TabStops tabs, uint32_t index)
{
    if (tabs.widths == nullptr || tabs.count == 0)
        return 4;
    uint32_t width = tabs.widths[std::min(index, tabs.count - 1)];
    return width == 0 ? 1 : width;
}

uint32_t ColumnOfOffset(TabStops tabs, const char *text, uint32_t offset)
{
    uint32_t start = ScanBackToLineStart(text, offset);
    return WalkWithinLine(tabs, text + start, offset - start).column;
}

uint32_t ColumnAfterLineStart(TabStops tabs, const char *text, uint32_t lineStart, uint32_t offset)
{
    return WalkWithinLine(tabs, text + lineStart, offset - lineStart).column;
}

uint32_t DistanceToNextTab(TabStops tabs, const char *text, uint32_t offset)
{
    uint32_t start = ScanBackToLineStart(text, offset);
    ColumnWalk walk = WalkWithinLine(tabs, text + start, offset - start);
    return walk.stop - walk.column;
}

uint32_t OffsetOfColumn(TabStops tabs, const char *text, uint32_t offset, uint32_t column)
{
    uint32_t walked;
    WalkLine(tabs, text, offset, &walked,
             [column](uint32_t, const ColumnWalk &walk) { return walk.column < column; });
    return walked;
}

void MeasureText(TabStops tabs, const char *bytes, uint32_t count, uint32_t *widest,
                 uint32_t *lines)
{
    uint32_t widestSoFar = 0;
    uint32_t lineCount = 0;
    ColumnWalk walk = StartColumnWalk(tabs);
    ByteFinder lineEndOrTab;
    StartFinder(&lineEndOrTab, '\n', '\t');
    for (uint32_t i = 0; i < count;) {
        if (bytes[i] == '\n') {
            widestSoFar = std::max(widestSoFar, walk.column);
            ++lineCount;
            walk = StartColumnWalk(tabs);
            ++i;
        } else if (bytes[i] == '\t') {
            AdvanceColumn(&walk, '\t');
            ++i;
        } else {
            uint32_t run = FindEither(lineEndOrTab, bytes + i, count - i);
            AdvanceColumnOver(&walk, run);
            i += run;
        }
    }
    *widest = std::max(widestSoFar, walk.column);
    *lines = lineCount + 1;
}

void ConvertLineEnds(char *destination, uint32_t *destinationLength, const char *source,
                     uint32_t count, LineEndDirection direction)
{
    char *out = destination;
    if (direction == kFromStore) {
        for (uint32_t i = 0; i < count; ++i) {
            if (source[i] == '\n')
                *out++ = '\r';
            *out++ = source[i];
        }
    } else {
        // Runs without CR are copied whole.
        uint32_t i = 0;
        while (i < count) {
            uint32_t run = FindByte(source + i, count - i, '\r');
            std::memmove(out, source + i, run);
            out += run;
            i += run;
            if (i == count)
                break;
            *out++ = '\n';
            ++i;
            if (i < count && source[i] == '\n')
                ++i;
        }
    }
    *destinationLength = static_cast<uint32_t>(out - destination);
}

uint32_t FindByte(const char *bytes, uint32_t count, char byte)
{
    ByteFinder finder;
    StartFinder(&finder, byte, byte);
    return FindEither(finder, bytes, count);
}

} // namespace scrivlet
