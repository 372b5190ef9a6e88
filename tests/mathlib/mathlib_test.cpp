// Lookup tables against the C library's trigonometry and square roots; the
// integer square root against its ranges worked out apart from SqrtTable; hit
// tests on every edge; angle conversions and the geometry helpers at the ends
// of the 32-bit range, with any angle and divisions by zero.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include "common/alloc.h"
#include "mathlib/geometry.h"
#include "mathlib/tables.h"

const bool Built = (BuildLookupTables(), true);   // for the whole program, as in the player

TEST(LookupTables, MatchTheMathLibrary) {
    for (AngleIndex i = 0; i < TableEntries; ++i) {   // at the poles tan has no 32-bit fixed value, and a finite huge float
        const double a = i * (std::numbers::pi / 1800), tan = std::tan(a), pole = i % 1800 == 900;
        EXPECT_TRUE(FixedCos(i) == std::nearbyint(std::cos(a) * 1000) && FixedSin(i) == std::nearbyint(std::sin(a) * 1000) && std::fabs(FloatCos(i) - std::cos(a)) < 1e-6 && std::fabs(FloatSin(i) - std::sin(a)) < 1e-6) << i;
        EXPECT_TRUE(pole ? FixedTan(i) == INT32_MIN && std::isfinite(FloatTan(i)) && std::fabs(FloatTan(i)) > 1e16f : FixedTan(i) == std::nearbyint(tan * 1000) && std::fabs(FloatTan(i) - tan) < 1e-6 * std::fmax(1, std::fabs(tan))) << i;
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(LookupTables.SqrtTable[i], std::nearbyint(16 * std::sqrt(i))) << i;
    for (int i = 0; i < RowOffsetEntries; ++i) EXPECT_EQ(LookupTables.RowOffsetTable[i], i * 1024) << i;
}

TEST(LookupTables, NumberTableAccessorsAndFree) {
    double number = 0, h40 = 0, v[4] = {10, 10, 10, 10};
    float hf = 0;
    NumberAtDouble(number, 3599), HundredthsFloat(hf, 40), HundredthsDouble(h40, 40), AddNumberInPlace(v[0], 5), SubNumberInPlace(v[1], 5), MulNumberInPlace(v[2], 5), DivNumberInPlace(v[3], 4);
    EXPECT_EQ((std::vector<double>{NumberAt(7), number, hf, h40, AddNumber(0.5f, 2), SubNumber(0.5f, 2), MulNumber(1.5f, 3), DivNumber(3, 2), v[0], v[1], v[2], v[3]}),
              (std::vector<double>{7, 3599, 0.4f, 0.4, 2.5, -1.5, 4.5, 1.5, 15, 5, 50, 2.5}));
    const LookupTablesRecord before = LookupTables;
    FreeLookupTables();   // the float tables and row offsets stay
    EXPECT_TRUE(!LookupTables.FixedCosTable && !LookupTables.FixedSinTable && !LookupTables.FixedTanTable && !LookupTables.SqrtTable && !LookupTables.NumberTable && FloatCos(0) == 1);
    BuildLookupTables();  // new blocks; the old ones are the caller's to free
    for (void* block : {(void*)before.FloatSinTable, (void*)before.FloatCosTable, (void*)before.FloatTanTable, (void*)before.RowOffsetTable}) FreeBlock(block);
}

// IntSqrt as its ranges describe it: n in [4^k, 4^(k+1)) scaled to a table index, 16 × sqrt(index) rescaled.
static std::uint32_t PlainIntSqrt(std::uint32_t n) {
    int k = 0;
    while (k < 15 && n >> (2 * k + 2) != 0) ++k;
    const auto entry = std::uint32_t(std::nearbyint(16 * std::sqrt(double(k <= 3 ? n << (6 - 2 * k) : n >> (2 * k - 6)))));
    return k <= 7 ? entry >> (7 - k) : entry << (k - 7);
}

TEST(Geometry, IntSqrtAndHitTestsOnEveryEdge) {   // IntSqrt on both sides of every power of 4; the hit tests on every edge and one step past
    std::vector<std::uint32_t> ns(70000);
    std::iota(ns.begin(), ns.end(), 0u);
    for (std::uint32_t k = 9; k < 16; ++k) ns.insert(ns.end(), {(1u << 2 * k) - 1, 1u << 2 * k, (1u << 2 * k) + 1, 0xFFFFFFFFu >> (30 - 2 * k)});
    for (std::uint32_t n : ns) ASSERT_TRUE(IntSqrt(n) == PlainIntSqrt(n) && std::fabs(IntSqrt(n) - std::sqrt(double(n))) <= std::sqrt(double(n)) / 64 + 1) << n << ": " << IntSqrt(n);
    for (std::int32_t x : {9, 10, 11, 114, 115, 116}) for (std::int32_t y : {49, 50, 51, 84, 85, 86})   // left 10, top 50, right 115, bottom 85
        EXPECT_EQ(PointInRect(x, y, 10, 50, 105, 35), x >= 10 && x <= 115 && y >= 50 && y <= 85 ? 1 : -1) << x << ", " << y;
    for (std::int32_t r : {0, 1, 2, 35}) for (std::int32_t dx = -r - 1; dx <= r + 1; ++dx) for (std::int32_t dy = -r - 1; dy <= r + 1; ++dy)
        EXPECT_EQ(PointInCircle(185 + dx, 95 + dy, 185, 95, r), PlainIntSqrt(dx * dx + dy * dy) < std::uint32_t(r) ? 1 : 0) << dx << ", " << dy << ", r " << r;
}

// PolarOffset's component from the C library's cosine or sine, rounded as the tables are, truncated as PolarOffset does.
static std::int64_t Polar(double (*f)(double), std::int64_t r, AngleIndex a) { return r * std::int64_t(std::nearbyint(f(a * std::numbers::pi / 1800) * 1000)) / 1000; }

// A result as a pair, so that one table holds numbers and coordinate pairs.
using Pair = std::array<std::int64_t, 2>;
static Pair Both(std::int64_t value) { return {value, 0}; }
static Pair Both(CoordPair p) { return {p.x, p.y}; }
static Pair Both(ProjectedPoint p) { return {p.x, p.y}; }
#define CASE(call, ...) {#call, Both(call), {__VA_ARGS__}}

TEST(Geometry, EndsOfTheRangeAnyAngleAndDivisionsByZero) {
    SetProjectionScale(256);
    SetProjectionSize(1025, 769);   // odd: the centre rounds down
    const struct { const char* call; Pair result, expected; } cases[] = {
        CASE(IntSqrt(288), 17), CASE(IntSqrt(50000), 223), CASE(IntSqrt(1000000), 1000), CASE(IntSqrt(2147483648u), 46336), CASE(IntSqrt(4294967295u), 65280),
        CASE(RadiansToAngle(AngleToRadians(1234)), 1234), CASE(VectorAngle(-1, -1), -1350), CASE(RadiansToAngle(NAN), INT32_MIN), CASE(RadiansToAngle(1e12), INT32_MIN),   // no 32-bit answer: a marker
        CASE(PointInRect(INT32_MAX, 0, INT32_MAX - 5, 0, 10, 10), 1),   // the far edge must not wrap
        CASE(VectorLength(3, 4), 5), CASE(VectorLength(-3, -4), 5), CASE(VectorLength(0, 0), 0), CASE(VectorLength(65536, 65536), 92682),
        // m⁴ + m² (m = 46340) lies just below a midpoint, where a double square root alone rounds up,
        CASE(VectorLength(2147395600, 46340), 2147395600u), CASE(VectorLength(2147395600, 46341), 2147395601u),
        CASE(VectorLength(2147462326, 103621), 2147462329u),   // and one whose double square root rounds down
        CASE(VectorLength(INT32_MIN, INT32_MIN), 3037000500u), CASE(VectorLength(INT32_MAX, INT32_MAX), 3037000499u), CASE(VectorDiff(INT32_MIN, 0, INT32_MAX, 0), -1, 0),   // wraps
        CASE(PolarOffset(100, 900), 0, 100), CASE(PolarOffset(100, 7650), 70, 70), CASE(PolarOffset(-7, 450), -4, -4),
        CASE(PolarOffset(1000, 10799), 1000, -2), CASE(PolarOffset(100, -3600), 100, 0), CASE(PolarOffset(100, -4500), 0, -100), CASE(PolarOffset3D(1000, 450, 450, 450).z, 499),   // truncated three times
        CASE(VectorDiff(10, 20, 13, 24), 3, 4), CASE(IntVectorLength(3, 4), 5), CASE(ScaleVector(10, -10, 4, 3), 7, -7), CASE(HalfSize(4294967295u, 769), 2147483647, 384),
        CASE(MulWide(4294967295u, 4294967295u), std::int64_t(0xFFFFFFFE00000001u)), CASE(VectorAngle(0, -1), 1800), CASE(VectorAngle(1, 0), 900),
        CASE(DivideByTan(1000, 600), 577), CASE(DivideByTan(-1000, 1350), 1000), CASE(DivideByTan(1000, 900), 0), CASE(DivideByTan(1000, 0), INT32_MIN), CASE(DivideByTan(0, 0), INT32_MIN),
        CASE(ProjectPoint(-10, 10, 3), -341, 1237), CASE(ProjectPoint(-10, 10, 1), -2048, 2944), CASE(ProjectPoint(-10, 10, 1).valid, 1), CASE(ProjectPoint(1, 1, 0), 0, 0), CASE(ProjectPoint(1, 1, 0).valid, 0),
        CASE(MulDivUnsigned(3000000000u, 4000000000u, 4), 3), CASE(MulDivUnsigned(7, 0, 7), 0),   // a 64-bit product; no trap
        CASE(ScaleVector(5, 5, 0, 3), 0, 0), CASE(ScaleVector(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX, INT32_MIN),
        CASE(ReflectToQuadrant(INT32_MIN, 1, 1), INT32_MIN, 1),   // wraps, no overflow
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.call;
    for (std::int32_t code : {INT32_MIN, -1, 0, 1, 2, 3, 4})   // code 0 leaves the pair as it is, as other unknown codes do
        EXPECT_EQ(Both(ReflectToQuadrant(5, 7, code)), (Pair{code == 1 || code == 2 ? -5 : 5, code == 2 || code == 3 ? -7 : 7})) << code;
    for (const auto& [r, a1, a2, a3] : {std::array{1000, 450, 450, 450}, std::array{12345, 100, 250, 700}, std::array{-777, 3000, 1300, 2200}}) {
        const CoordTriple t = PolarOffset3D(r, a1, a2, a3);
        EXPECT_EQ((std::array<std::int64_t, 3>{t.x, t.y, t.z}), (std::array{Polar(std::sin, Polar(std::cos, r, a3), a2), Polar(std::cos, Polar(std::sin, r, a3), a1), Polar(std::cos, Polar(std::sin, r, a1), a2)})) << r;
    }
    const FloatPair p = PolarOffsetFloat(2.5f, 300);
    EXPECT_TRUE(std::fabs(p.x - 2.5 * std::cos(std::numbers::pi / 6)) < 1e-6 && std::fabs(p.y - 1.25) < 1e-6) << p.x << ", " << p.y;
    EXPECT_TRUE(VectorAngleRadians(1, 0) == std::numbers::pi / 2 && VectorAngleRadians(0, -1) == std::numbers::pi);
}
