#include "core/allocation.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

TEST(ArrayAllocation, FitsOnlyWhatTheSizeTypeCanCount)
{
    const uint64_t k32 = UINT32_MAX, k64 = UINT64_MAX;
    const struct { uint64_t count, itemSize, largest; bool fits; } cases[] = {
        {0x1FFFFFFF, 8, k32, true}, {0x20000000, 8, k32, false}, // 2^32 wraps to 0
        {0x3FFFFFFF, 4, k32, true}, {0x40000001, 4, k32, false}, {0xFFFFFFFF, 1, k32, true},
        {k32 + 1, 1, k32, false},   {0x20000000, 16, k64, true}, {(uint64_t(1) << 61) - 1, 8, k64, true},
        {uint64_t(1) << 61, 8, k64, false}, {k64, 0, k32, true}, {0, k64, k32, true},
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
    EXPECT_EQ(std::string(block, 15), std::string(15, '\0')) << "3 x 5 zeroed bytes";
    block = static_cast<char *>(EngineReallocateArray(block, 4, 5));
    ASSERT_NE(block, nullptr);
    block[19] = 'x';
    EXPECT_EQ(block[14], 0) << "growing keeps the contents";
    EngineFree(block);
}

} // namespace

} // namespace scrivlet
