// Geometry helpers: vectors at the ends of the 32-bit range, polar offsets of
// any angle, projection and divisions by zero.
#include <gtest/gtest.h>

#include "mathlib/geometry.h"
#include "mathlib/tables.h"

namespace {

const bool Built = (BuildLookupTables(), true);   // for the whole program, as in the player

bool Is(CoordPair p, std::int32_t x, std::int32_t y) { return p.x == x && p.y == y; }

// The hit tests' edges are seen end to end, in the prompts of player_test.cpp.
TEST(Geometry, HandleTheEndsOfTheRangeAndDivisionsByZero) {
    EXPECT_EQ(PointInRect(INT32_MAX, 0, INT32_MAX - 5, 0, 10, 10), 1);   // the far edge must not wrap
    const struct { std::int32_t dx, dy; std::uint32_t length; } lengths[] = {
        {3, 4, 5}, {0, 0, 0}, {-3, -4, 5}, {32767, 32767, 46340}, {65536, 65536, 92682},
        // m⁴ + m² (m = 46340) lies just below a midpoint, where a double square root alone rounds up.
        {2147395600, 46340, 2147395600u}, {2147395600, 46341, 2147395601u},
        {INT32_MIN, INT32_MIN, 3037000500u}, {INT32_MAX, INT32_MAX, 3037000499u},
    };
    for (const auto& c : lengths) EXPECT_EQ(VectorLength(c.dx, c.dy), c.length) << c.dx << ", " << c.dy;
    EXPECT_TRUE(Is(VectorDiff(INT32_MIN, 0, INT32_MAX, 0), -1, 0));   // wraps
    EXPECT_EQ(VectorAngle(-1, -1), -1350);

    const struct { std::int32_t r; AngleIndex a; std::int32_t x, y; } polar[] = {
        {100, 900, 0, 100}, {100, 7650, 70, 70}, {-7, 450, -4, -4}, {1000, 10799, 1000, -2},
        {100, -3600, 100, 0}, {100, -4500, 0, -100},   // any angle is reduced, none reads past the table
    };
    for (const auto& c : polar) EXPECT_TRUE(Is(PolarOffset(c.r, c.a), c.x, c.y)) << c.r << " at " << c.a;
    EXPECT_EQ(PolarOffset3D(1000, 450, 450, 450).z, 499);   // truncated three times
    const struct { std::int32_t v; AngleIndex a; std::int32_t q; } tans[] = {
        {1000, 600, 577}, {-1000, 1350, 1000}, {1000, 900, 0}, {1000, 0, INT32_MIN}, {0, 0, INT32_MIN},
    };
    for (const auto& c : tans) EXPECT_EQ(DivideByTan(c.v, c.a), c.q) << c.v << " / tan " << c.a;

    SetProjectionScale(256);
    SetProjectionSize(1024, 768);
    const ProjectedPoint in = ProjectPoint(-10, 10, 3), behind = ProjectPoint(1, 1, 0);
    EXPECT_TRUE(in.x == -341 && in.y == 1237 && in.valid == 1 && behind.x == 0 && behind.y == 0 && behind.valid == 0);

    EXPECT_EQ(MulDivUnsigned(3000000000u, 4000000000u, 4), 3u);   // 64-bit product
    EXPECT_EQ(MulDivUnsigned(7, 0, 7), 0u);                       // divisor 0: no trap
    EXPECT_TRUE(Is(ScaleVector(5, 5, 0, 3), 0, 0));
    EXPECT_TRUE(Is(ScaleVector(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX, INT32_MIN));
    EXPECT_TRUE(Is(ReflectToQuadrant(INT32_MIN, 1, 1), INT32_MIN, 1));   // wraps, no overflow
}

}  // namespace
