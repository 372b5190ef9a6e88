// Geometry helpers: hit-test edges, rounding and wrap-around of vectors,
// polar offsets, projection and 64-bit products.
#include <gtest/gtest.h>

#include "mathlib/geometry.h"
#include "mathlib/tables.h"

namespace {

class GeometryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (LookupTables.FixedCosTable == nullptr) BuildLookupTables();  // lives as long as the program
    }
};

#define EXPECT_PAIR(actual, ex, ey)   \
    do {                              \
        CoordPair p_ = (actual);      \
        EXPECT_EQ(p_.x, ex) << #actual; \
        EXPECT_EQ(p_.y, ey) << #actual; \
    } while (0)

TEST_F(GeometryTest, HitTests) {
    const struct { std::int32_t x, y, rect, circle; } cases[] = {
        // Rectangle (10, 50, 105, 35): all four edges inside. Circle at (185, 95), radius 35.
        {115, 85, 1, 0}, {10, 50, 1, 0}, {116, 85, -1, 0}, {9, 60, -1, 0},
        {220, 95, -1, 1},  // 35 away, but its approximate length is 34
        {221, 95, -1, 0}, {210, 120, -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PointInRect(c.x, c.y, 10, 50, 105, 35), c.rect) << c.x << ", " << c.y;
        EXPECT_EQ(PointInCircle(c.x, c.y, 185, 95, 35), c.circle) << c.x << ", " << c.y;
    }
    EXPECT_EQ(PointInRect(INT32_MAX, 0, INT32_MAX - 5, 0, 10, 10), 1);  // the far edge must not wrap
}

TEST_F(GeometryTest, Vectors) {
    EXPECT_PAIR(VectorDiff(10, 20, 13, 24), 3, 4);
    EXPECT_PAIR(VectorDiff(INT32_MIN, 0, INT32_MAX, 0), -1, 0);
    EXPECT_EQ(IntVectorLength(3, 4), 5u);
    const struct { std::int32_t dx, dy; std::uint32_t length; } cases[] = {
        {3, 4, 5}, {1, 1, 1}, {0, 0, 0}, {-3, -4, 5}, {32767, 32767, 46340},
        // Sums of squares from 2^31 up: 64-bit. m⁴ + m² (m = 46340) lies just
        // below a midpoint, where a double square root alone rounds up.
        {65536, 65536, 92682}, {2147395600, 46340, 2147395600u}, {2147395600, 46341, 2147395601u},
        {INT32_MIN, INT32_MIN, 3037000500u}, {INT32_MAX, INT32_MAX, 3037000499u},
    };
    for (const auto& c : cases) EXPECT_EQ(VectorLength(c.dx, c.dy), c.length) << c.dx << ", " << c.dy;
    EXPECT_PAIR(ScaleVector(10, -10, 4, 3), 7, -7);
    EXPECT_PAIR(ScaleVector(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX, INT32_MIN);
    EXPECT_PAIR(ScaleVector(5, 5, 0, 3), 0, 0);
    EXPECT_EQ(VectorAngle(1, 1), 450);
    EXPECT_EQ(VectorAngle(-1, -1), -1350);
}

TEST_F(GeometryTest, PolarOffsets) {
    const struct { std::int32_t r; AngleIndex a; std::int32_t x, y; } cases[] = {
        {100, 3600, 100, 0}, {100, 900, 0, 100}, {100, -900, 0, -100}, {100, 7650, 70, 70},
        {-7, 450, -4, -4},  // truncation toward zero
        {1000, 10799, 1000, -2}, {100, -3600, 100, 0},
        {100, 10800, 100, 0}, {100, -4500, 0, -100},  // beyond the documented range: still reduced
    };
    for (const auto& c : cases) EXPECT_PAIR(PolarOffset(c.r, c.a), c.x, c.y);
    CoordTriple t = PolarOffset3D(1000, 450, 450, 450);
    EXPECT_EQ(t.x, 499);  // trunc(trunc(1000 × 0.707) × 0.707), three times
    EXPECT_EQ(t.y, 499);
    EXPECT_EQ(t.z, 499);
    const struct { std::int32_t v; AngleIndex a; std::int32_t q; } tans[] = {
        {1000, 450, 1000}, {1000, 600, 577}, {-1000, 1350, 1000}, {1000, 900, 0},
        {1000, 0, INT32_MIN}, {0, 0, INT32_MIN}, {1000, 1800, INT32_MIN},  // no 32-bit quotient
    };
    for (const auto& c : tans) EXPECT_EQ(DivideByTan(c.v, c.a), c.q) << c.v << " / tan " << c.a;
}

TEST_F(GeometryTest, Projection) {
    ProjectionRecord saved = Projection;
    EXPECT_PAIR(HalfSize(1025, 769), 512, 384);
    Projection = {};
    ProjectedPoint p = ProjectPoint(50, -50, 7);
    EXPECT_TRUE(p.valid == 1 && p.x == 0 && p.y == 0);
    SetProjectionScale(256);
    SetProjectionSize(1024, 768);
    const struct { std::int32_t x, y, z; ProjectedPoint expected; } cases[] = {
        {100, -100, 256, {612, 284, 1}}, {-10, 10, 3, {-341, 1237, 1}}, {1, 1, 0, {0, 0, 0}}, {1, 1, -5, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        ProjectedPoint q = ProjectPoint(c.x, c.y, c.z);
        EXPECT_TRUE(q.valid == c.expected.valid && q.x == c.expected.x && q.y == c.expected.y)
            << c.x << ", " << c.y << ", " << c.z << " gave " << q.x << ", " << q.y << " valid " << q.valid;
    }
    Projection = saved;
}

TEST_F(GeometryTest, WideProductsAndQuadrants) {
    EXPECT_EQ(MulWide(0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFE00000001ull);
    EXPECT_EQ(MulDivUnsigned(3000000000u, 4000000000u, 4), 3u);
    EXPECT_EQ(MulDivUnsigned(7, 0, 7), 0u);
    const struct { std::int32_t code, x, y; } cases[] = {{0, 5, 7}, {1, -5, 7}, {2, -5, -7}, {3, 5, -7}, {9, 5, 7}, {-1, 5, 7}};
    for (const auto& c : cases) EXPECT_PAIR(ReflectToQuadrant(5, 7, c.code), c.x, c.y);
    EXPECT_PAIR(ReflectToQuadrant(INT32_MIN, 1, 1), INT32_MIN, 1);  // wraps, no overflow
}

}  // namespace
