// The key table: reads and writes stay inside its 512 bytes, whatever the code.
#include <gtest/gtest.h>

#include "common/alloc.h"
#include "surfaces/surface_state.h"

TEST(KeyStateTable, ReadsAndWritesOnlyInsideTheTable) {
    SetKeyState(65, 1);   // before the table exists: writes nothing, reads 0
    EXPECT_EQ(QueryKeyState(65), 0u);
    std::uint8_t* table = CreateKeyStateTable();
    ASSERT_NE(table, nullptr);
    const struct { std::uint32_t code, flag, expected; } cases[] = {
        {0, 1, 1}, {65, 1, 1}, {65, 0, 0}, {255, 0x101, 1}, {511, 7, 7}, {512, 1, 0}, {0xFFFFFFFFu, 1, 0}, {1u << 31, 1, 0},
    };
    for (const auto& c : cases) {
        SetKeyState(c.code, c.flag);
        EXPECT_EQ(QueryKeyState(c.code), c.expected) << c.code;
    }
    FreeBlock(table);
    SurfaceState.keyStateTable = nullptr;
}
