// Geometry helpers: hit-test edges, vector rounding and wrap-around, polar
// offsets with angle wrapping and truncation, projection and 64-bit products.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "common/alloc.h"
#include "mathlib/geometry.h"
#include "mathlib/tables.h"

namespace {

class GeometryTest : public ::testing::Test {
protected:
    // The tables live for the whole test program, as they do in the player.
    static void SetUpTestSuite() {
        if (LookupTables.FixedCosTable == nullptr) BuildLookupTables();
    }
    void SetUp() override { savedProjection_ = Projection; }
    void TearDown() override { Projection = savedProjection_; }
    ProjectionRecord savedProjection_{};
};

::testing::AssertionResult SamePair(CoordPair actual, CoordPair expected) {
    if (actual.x == expected.x && actual.y == expected.y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual.x << ", " << actual.y << "), expected ("
                                         << expected.x << ", " << expected.y << ")";
}

TEST_F(GeometryTest, PointInRectCountsAllFourEdges) {
    const struct { std::int32_t x, y, expected; } cases[] = {
        {115, 85, 1}, {10, 50, 1}, {60, 70, 1}, {116, 85, -1}, {9, 60, -1}, {60, 49, -1}, {60, 86, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(PointInRect(c.x, c.y, 10, 50, 105, 35), c.expected);
    }
    // A far edge beyond the 32-bit range must not wrap round to a small value.
    EXPECT_EQ(PointInRect(INT32_MAX, 0, INT32_MAX - 5, 0, 10, 10), 1);
    EXPECT_EQ(PointInRect(0, 0, INT32_MAX - 5, 0, 10, 10), -1);
}

TEST_F(GeometryTest, PointInCircleUsesTheApproximateLength) {
    const struct { std::int32_t x, y, expected; } cases[] = {
        {185, 95, 1}, {220, 95, 1}, {221, 95, 0}, {210, 120, 0}, {150, 95, 1}, {185, 60, 1}, {185, 59, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(PointInCircle(c.x, c.y, 185, 95, 35), c.expected);
    }
    EXPECT_EQ(PointInCircle(185, 95, 185, 95, 0), 0);  // nothing is below a zero radius
}

TEST_F(GeometryTest, VectorDiffAndLengths) {
    EXPECT_TRUE(SamePair(VectorDiff(10, 20, 13, 24), {3, 4}));
    EXPECT_TRUE(SamePair(VectorDiff(INT32_MIN, 0, INT32_MAX, 0), {-1, 0}));  // wraps
    const struct { std::int32_t dx, dy; std::uint32_t length; } cases[] = {
        {3, 4, 5}, {1, 1, 1}, {0, 0, 0}, {-3, -4, 5}, {100, 100, 141}, {1, 2, 2},
        {32767, 32767, 46340}, {46341, 0, 46341},
        // Sums of squares of 2^31 and more: formed in 64 bits.
        {65536, 65536, 92682}, {INT32_MIN, 0, 2147483648u}, {INT32_MIN, INT32_MIN, 3037000500u},
        {INT32_MAX, INT32_MAX, 3037000499u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.dx << ", " << c.dy << ")");
        EXPECT_EQ(VectorLength(c.dx, c.dy), c.length);
    }
    EXPECT_EQ(IntVectorLength(3, 4), 5u);
    EXPECT_EQ(IntVectorLength(-35, 0), 34u);
}

// Nearest integer to sqrt(sum) by integer arithmetic alone.
std::uint64_t NearestRoot(std::uint64_t sum) {
    std::uint64_t lo = 0, hi = 4294967296ull;  // floor root lies in [lo, hi)
    while (hi - lo > 1) {
        std::uint64_t mid = (lo + hi) / 2;
        (mid * mid <= sum ? lo : hi) = mid;
    }
    return sum - lo * lo > lo ? lo + 1 : lo;  // above lo² + lo means nearer lo + 1
}

TEST_F(GeometryTest, VectorLengthRoundsToTheNearestIntegerAtLargeSums) {
    // m⁴ + m² = k² + k with k = m² lies just below (k + 0.5)², where a double
    // square root alone rounds up.
    EXPECT_EQ(VectorLength(2147395600, 46340), 2147395600u);
    EXPECT_EQ(VectorLength(2147395600, 46341), 2147395601u);
    std::uint32_t seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        auto dx = std::int32_t(seed);
        seed = seed * 1664525u + 1013904223u;
        auto dy = std::int32_t(seed >> (i % 32));
        std::uint64_t ax = std::uint64_t(std::llabs(dx)), ay = std::uint64_t(std::llabs(dy));
        SCOPED_TRACE(::testing::Message() << "(" << dx << ", " << dy << ")");
        ASSERT_EQ(VectorLength(dx, dy), NearestRoot(ax * ax + ay * ay));
    }
}

TEST_F(GeometryTest, ScaleVectorTruncatesTowardZero) {
    const struct { std::int32_t x, y, d, m; CoordPair expected; } cases[] = {
        {10, -10, 4, 3, {7, -7}},
        {100, 100, 141, 1, {0, 0}},
        {100, 100, 141, 141, {100, 100}},
        {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, {INT32_MAX, INT32_MIN}},  // 64-bit products
        {5, 5, 0, 3, {0, 0}},  // a zero divisor gives the empty step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y << ", " << c.d << ", " << c.m);
        EXPECT_TRUE(SamePair(ScaleVector(c.x, c.y, c.d, c.m), c.expected));
    }
}

TEST_F(GeometryTest, VectorAngles) {
    EXPECT_DOUBLE_EQ(VectorAngleRadians(1, 0), 3.14159265358979323846 / 2);
    const struct { std::int32_t y, x, angle; } cases[] = {
        {0, 1, 0}, {1, 0, 900}, {0, -1, 1800}, {-1, 0, -900}, {1, 1, 450}, {-1, -1, -1350},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.y << ", " << c.x << ")");
        EXPECT_EQ(VectorAngle(c.y, c.x), c.angle);
    }
}

TEST_F(GeometryTest, PolarOffsetWrapsAndTruncates) {
    const struct { std::int32_t r; AngleIndex a; CoordPair expected; } cases[] = {
        {100, 0, {100, 0}},     {100, 3600, {100, 0}}, {100, 900, {0, 100}},
        {100, -900, {0, -100}}, {100, 7650, {70, 70}}, {-7, 450, {-4, -4}},
        {100, -3600, {100, 0}}, {1000, 10799, {1000, -2}},
        // Outside -3600..10799 the angle is still reduced, not read past the table.
        {100, 10800, {100, 0}}, {100, -4500, {0, -100}}, {100, INT32_MIN, PolarOffset(100, INT32_MIN % 3600 + 3600)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "r " << c.r << " a " << c.a);
        EXPECT_TRUE(SamePair(PolarOffset(c.r, c.a), c.expected));
    }
    FloatPair f = PolarOffsetFloat(2.0f, 600);
    EXPECT_EQ(f.x, float(2.0 * double(FloatCos(600))));
    EXPECT_EQ(f.y, float(2.0 * double(FloatSin(600))));
}

TEST_F(GeometryTest, PolarOffset3DChainsTruncatedOffsets) {
    // x = trunc(trunc(r cos a3) sin a2), y = trunc(trunc(r sin a3) cos a1), z = trunc(trunc(r sin a1) cos a2)
    const struct { std::int32_t r; AngleIndex a1, a2, a3; CoordTriple expected; } cases[] = {
        {100, 0, 900, 0, {100, 0, 0}},
        {100, 900, 0, 900, {0, 0, 100}},
        {1000, 450, 450, 450, {499, 499, 499}},
        {-7, 450, 450, 450, {-2, -2, -2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.r << ", " << c.a1 << ", " << c.a2 << ", " << c.a3);
        CoordTriple t = PolarOffset3D(c.r, c.a1, c.a2, c.a3);
        EXPECT_EQ(t.x, c.expected.x);
        EXPECT_EQ(t.y, c.expected.y);
        EXPECT_EQ(t.z, c.expected.z);
    }
}

TEST_F(GeometryTest, DivideByTanDividesByTheTangent) {
    const struct { std::int32_t v; AngleIndex a; std::int32_t expected; } cases[] = {
        {1000, 450, 1000}, {1000, 600, 577}, {1000, 300, 1732}, {-1000, 1350, 1000},
        {1000, 900, 0},
        // tan 0 is 0 and tan 180° nearly 0: no 32-bit quotient.
        {1000, 0, INT32_MIN}, {0, 0, INT32_MIN}, {1000, 1800, INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.v << " / tan " << c.a);
        EXPECT_EQ(DivideByTan(c.v, c.a), c.expected);
    }
}

TEST_F(GeometryTest, ProjectionCentresOnHalfTheSize) {
    EXPECT_TRUE(SamePair(HalfSize(1025, 769), {512, 384}));
    EXPECT_TRUE(SamePair(HalfSize(0xFFFFFFFFu, 1), {INT32_MAX, 0}));

    Projection = {};
    ProjectedPoint p = ProjectPoint(50, -50, 7);
    EXPECT_EQ(p.valid, 1);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);

    SetProjectionScale(256);
    SetProjectionSize(1024, 768);
    const struct { std::int32_t x, y, z; ProjectedPoint expected; } cases[] = {
        {0, 0, 1, {512, 384, 1}},
        {100, -100, 256, {612, 284, 1}},
        {-10, 10, 3, {512 - 853, 384 + 853, 1}},  // truncated toward zero
        {INT32_MAX, 0, 1, {std::int32_t(std::uint32_t(INT32_MAX) * 256u + 512u), 384, 1}},
        {100, 100, 0, {0, 0, 0}},
        {100, 100, -5, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y << ", " << c.z);
        ProjectedPoint q = ProjectPoint(c.x, c.y, c.z);
        EXPECT_EQ(q.valid, c.expected.valid);
        EXPECT_EQ(q.x, c.expected.x);
        EXPECT_EQ(q.y, c.expected.y);
    }
}

TEST_F(GeometryTest, WideProductsAndQuadrants) {
    EXPECT_EQ(MulWide(0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFE00000001ull);
    const struct { std::uint32_t a, d, m, expected; } cases[] = {
        {3000000000u, 4000000000u, 4, 3}, {1, 2, 127, 63}, {199, 200, 127, 126}, {7, 0, 7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " * " << c.m << " / " << c.d);
        EXPECT_EQ(MulDivUnsigned(c.a, c.d, c.m), c.expected);
    }
    const struct { std::int32_t code; CoordPair expected; } quadrants[] = {
        {0, {5, 7}}, {1, {-5, 7}}, {2, {-5, -7}}, {3, {5, -7}}, {4, {5, 7}}, {9, {5, 7}}, {-1, {5, 7}},
    };
    for (const auto& c : quadrants) {
        SCOPED_TRACE(c.code);
        EXPECT_TRUE(SamePair(ReflectToQuadrant(5, 7, c.code), c.expected));
    }
    EXPECT_TRUE(SamePair(ReflectToQuadrant(INT32_MIN, INT32_MIN, 2), {INT32_MIN, INT32_MIN}));  // wraps
}

}  // namespace
