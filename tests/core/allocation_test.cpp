#include "core/allocation.h"

#include <gtest/gtest.h>

namespace scrivlet {

namespace {

TEST(ArrayAllocation, FitsOnlyWhatTheSizeTypeCanCount)
{
    const uint64_t k32 = UINT32_MAX, k64 = UINT64_MAX;
    const struct {
        uint64_t count, itemSize, largest;
        bool fits;
    } cases[] = {
        {0x1FFFFFFF, 8, k32, true},          // 0xFFFFFFF8 bytes
        {0x20000000, 8, k32, false},         // undo slots of 0x1FFFFFFF levels: 2^32 wraps to 0
        {0x3FFFFFFF, 4, k32, true},
        {0x40000001, 4, k32, false},         // wraps to 4
        {0xFFFFFFFF, 1, k32, true},
        {uint64_t(0xFFFFFFFF) + 1, 1, k32, false}, // a 32-bit length + 1
        {0x20000000, 16, k64, true},         // the same slots on a 64-bit build
        {(uint64_t(1) << 61) - 1, 8, k64, true},
        {uint64_t(1) << 61, 8, k64, false},  // 2^64 wraps to 0
        {k64, 0, k32, true},
        {0, k64, k32, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ArrayFits(c.count, c.itemSize, c.largest), c.fits)
            << c.count << " x " << c.itemSize << " within " << c.largest;
}

TEST(ArrayAllocation, RefusesACountThatWouldWrapAndSizesTheRest)
{
    const uint64_t wraps = (uint64_t(1) << 61) + 1; // 8-byte items: 2^64 + 8 bytes, 8 once wrapped
    unsigned long before = AllocationAttempts();
    EXPECT_EQ(EngineAllocateArray(wraps, 8), nullptr);
    auto *block = static_cast<char *>(EngineAllocateArray(3, 5));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(EngineReallocateArray(block, wraps, 8), nullptr) << "the block stays as it was";
    EXPECT_EQ(AllocationAttempts(), before + 1) << "a refused count is not an attempt";
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(block[i], 0) << "3 x 5 zeroed bytes, byte " << i;
    block = static_cast<char *>(EngineReallocateArray(block, 4, 5));
    ASSERT_NE(block, nullptr);
    block[19] = 'x';
    EXPECT_EQ(block[14], 0) << "growing keeps the contents";
    EngineFree(block);
}

} // namespace

} // namespace scrivlet
