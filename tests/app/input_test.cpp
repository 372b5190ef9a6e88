// Key table and message-word helpers.
#include <gtest/gtest.h>

#include "app/input.h"
#include "common/alloc.h"
#include "surfaces/surface_state.h"

namespace {

TEST(SplitLowHigh, HalvesAreZeroExtended) {
    struct Case { std::uint32_t value, low, high; } cases[] = {
        {0x00000000u, 0, 0},
        {0x0029001Bu, 0x1B, 0x29},
        {0xFFFF0001u, 1, 0xFFFF},   // a negative-looking high half stays positive
        {0x8000FFFFu, 0xFFFF, 0x8000},
    };
    for (const Case& c : cases) {
        LowHighPair p = SplitLowHigh(c.value);
        EXPECT_EQ(p.low, c.low) << std::hex << c.value;
        EXPECT_EQ(p.high, c.high) << std::hex << c.value;
    }
}

TEST(KeyStateTable, SetAndQueryStayInsideTheTable) {
    SurfaceState.keyStateTable = nullptr;
    EXPECT_EQ(QueryKeyState(65), 0u);   // no table yet: reads 0, writes nothing
    SetKeyState(65, 1);

    // Guard bytes around the table catch a write past either end.
    std::uint8_t* table = CreateKeyStateTable();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(SurfaceState.keyStateTable, table);
    for (std::uint32_t i = 0; i < KeyStateTableBytes; ++i) ASSERT_EQ(table[i], 0) << i;

    struct Case { std::uint32_t code, flag, expected; } cases[] = {
        {0, 1, 1}, {65, 1, 1}, {255, 0x101, 1}, {256, 7, 7}, {511, 1, 1},
        {512, 1, 0}, {0xFFFFFFFFu, 1, 0}, {1u << 31, 1, 0},
    };
    for (const Case& c : cases) {
        SetKeyState(c.code, c.flag);
        EXPECT_EQ(QueryKeyState(c.code), c.expected) << c.code;
    }
    SetKeyState(65, 0);
    EXPECT_EQ(QueryKeyState(65), 0u);
    FreeBlock(table);
    SurfaceState.keyStateTable = nullptr;
}

}  // namespace
