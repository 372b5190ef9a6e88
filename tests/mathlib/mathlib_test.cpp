// Lookup tables against the C library's trigonometry and square roots; the
// integer square root, angle conversions and the geometry helpers at the ends
// of the 32-bit range, with any angle and divisions by zero. (What
// FreeLookupTables frees is seen in window_test.cpp, where WM_DESTROY calls it;
// the hit tests' edges in the prompts of player_test.cpp.)
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "mathlib/geometry.h"
#include "mathlib/tables.h"

const bool Built = (BuildLookupTables(), true);   // for the whole program, as in the player

TEST(LookupTables, MatchTheMathLibrary) {
    for (AngleIndex i = 0; i < TableEntries; ++i) {
        const double a = i * (std::numbers::pi / 1800), tan = std::tan(a);
        EXPECT_EQ(FixedCos(i), std::nearbyint(std::cos(a) * 1000)) << i;
        EXPECT_EQ(FixedSin(i), std::nearbyint(std::sin(a) * 1000)) << i;
        EXPECT_NEAR(FloatCos(i), std::cos(a), 1e-6) << i;
        EXPECT_NEAR(FloatSin(i), std::sin(a), 1e-6) << i;
        if (i % 1800 == 900) {   // the poles: no 32-bit fixed value, a finite huge float
            EXPECT_TRUE(FixedTan(i) == INT32_MIN && std::isfinite(FloatTan(i)) && std::fabs(FloatTan(i)) > 1e16f) << FloatTan(i);
        } else {
            EXPECT_EQ(FixedTan(i), std::nearbyint(tan * 1000)) << i;
            EXPECT_NEAR(FloatTan(i), tan, 1e-6 * std::fmax(1, std::fabs(tan))) << i;
        }
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(LookupTables.SqrtTable[i], std::nearbyint(16 * std::sqrt(i))) << i;
}

// A result as a pair, so that one table holds numbers and coordinate pairs.
using Pair = std::array<std::int64_t, 2>;
static Pair Both(std::int64_t value) { return {value, 0}; }
static Pair Both(CoordPair p) { return {p.x, p.y}; }
static Pair Both(ProjectedPoint p) { return {p.x, p.y}; }
#define CASE(call, ...) {#call, Both(call), {__VA_ARGS__}}

TEST(Geometry, EndsOfTheRangeAnyAngleAndDivisionsByZero) {
    SetProjectionScale(256);
    SetProjectionSize(1024, 768);
    const struct { const char* call; Pair result, expected; } cases[] = {
        CASE(IntSqrt(0), 0), CASE(IntSqrt(3), 1), CASE(IntSqrt(4), 2), CASE(IntSqrt(255), 15), CASE(IntSqrt(256), 16),
        CASE(IntSqrt(288), 17), CASE(IntSqrt(65536), 256), CASE(IntSqrt(2147483648u), 46336), CASE(IntSqrt(4294967295u), 65280),
        CASE(RadiansToAngle(AngleToRadians(1234)), 1234), CASE(VectorAngle(-1, -1), -1350),
        CASE(RadiansToAngle(NAN), INT32_MIN), CASE(RadiansToAngle(1e12), INT32_MIN),   // no 32-bit answer: a marker
        CASE(PointInRect(INT32_MAX, 0, INT32_MAX - 5, 0, 10, 10), 1),   // the far edge must not wrap
        CASE(VectorLength(3, 4), 5), CASE(VectorLength(-3, -4), 5), CASE(VectorLength(0, 0), 0), CASE(VectorLength(65536, 65536), 92682),
        // m⁴ + m² (m = 46340) lies just below a midpoint, where a double square root alone rounds up.
        CASE(VectorLength(2147395600, 46340), 2147395600u), CASE(VectorLength(2147395600, 46341), 2147395601u),
        CASE(VectorLength(INT32_MIN, INT32_MIN), 3037000500u), CASE(VectorLength(INT32_MAX, INT32_MAX), 3037000499u),
        CASE(VectorDiff(INT32_MIN, 0, INT32_MAX, 0), -1, 0),   // wraps
        CASE(PolarOffset(100, 900), 0, 100), CASE(PolarOffset(100, 7650), 70, 70), CASE(PolarOffset(-7, 450), -4, -4),
        CASE(PolarOffset(1000, 10799), 1000, -2), CASE(PolarOffset(100, -3600), 100, 0), CASE(PolarOffset(100, -4500), 0, -100),
        CASE(PolarOffset3D(1000, 450, 450, 450).z, 499),   // truncated three times
        CASE(DivideByTan(1000, 600), 577), CASE(DivideByTan(-1000, 1350), 1000), CASE(DivideByTan(1000, 900), 0),
        CASE(DivideByTan(1000, 0), INT32_MIN), CASE(DivideByTan(0, 0), INT32_MIN),
        CASE(ProjectPoint(-10, 10, 3), -341, 1237), CASE(ProjectPoint(-10, 10, 3).valid, 1), CASE(ProjectPoint(1, 1, 0), 0, 0), CASE(ProjectPoint(1, 1, 0).valid, 0),
        CASE(MulDivUnsigned(3000000000u, 4000000000u, 4), 3), CASE(MulDivUnsigned(7, 0, 7), 0),   // a 64-bit product; no trap
        CASE(ScaleVector(5, 5, 0, 3), 0, 0), CASE(ScaleVector(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX, INT32_MIN),
        CASE(ReflectToQuadrant(INT32_MIN, 1, 1), INT32_MIN, 1),   // wraps, no overflow
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.call;
}
