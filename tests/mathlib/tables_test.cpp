// Lookup tables against the C library's trigonometry, the square-root ladder,
// NumberTable and angles. (What FreeLookupTables keeps is seen in window_test.cpp,
// where WM_DESTROY calls it.)
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "mathlib/tables.h"

namespace {

const bool Built = (BuildLookupTables(), true);   // for the whole program, as in the player

TEST(LookupTables, MatchTheMathLibrary) {
    for (AngleIndex i = 0; i < TableEntries; ++i) {
        const double a = i * (std::numbers::pi / 1800);
        EXPECT_EQ(FixedCos(i), std::nearbyint(std::cos(a) * 1000)) << i;
        EXPECT_EQ(FixedSin(i), std::nearbyint(std::sin(a) * 1000)) << i;
        EXPECT_NEAR(FloatCos(i), std::cos(a), 1e-6) << i;
        EXPECT_NEAR(FloatSin(i), std::sin(a), 1e-6) << i;
        if (i % 1800 == 900) {   // the poles: no 32-bit fixed value, a finite huge float
            EXPECT_EQ(FixedTan(i), INT32_MIN);
            EXPECT_TRUE(std::isfinite(FloatTan(i)) && std::fabs(FloatTan(i)) > 1e16f) << FloatTan(i);
        } else {
            EXPECT_EQ(FixedTan(i), std::nearbyint(std::tan(a) * 1000)) << i;
            EXPECT_NEAR(FloatTan(i), std::tan(a), 1e-6 * std::fmax(1, std::fabs(std::tan(a)))) << i;
        }
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(LookupTables.SqrtTable[i], std::nearbyint(16 * std::sqrt(i))) << i;
}

TEST(LookupTables, IntSqrtNumbersAndAngles) {
    const struct { std::uint32_t n, root; } cases[] = {
        {0, 0}, {1, 1}, {3, 1}, {4, 2}, {15, 3}, {16, 4}, {255, 15}, {256, 16}, {288, 17}, {50000, 223},
        {65535, 255}, {65536, 256}, {1000000, 1000}, {16777216, 4096}, {1073741824, 32768},
        {2147483648u, 46336}, {4294967295u, 65280},
    };
    for (const auto& c : cases) EXPECT_EQ(IntSqrt(c.n), c.root) << c.n;
    double hundredths = 0;
    HundredthsDouble(hundredths, 3599);
    EXPECT_EQ(hundredths, 35.99);
    EXPECT_EQ(RadiansToAngle(AngleToRadians(1234)), 1234);
    EXPECT_EQ(RadiansToAngle(NAN), INT32_MIN);    // no 32-bit answer: a marker, not undefined behaviour
    EXPECT_EQ(RadiansToAngle(1e12), INT32_MIN);
}

}  // namespace
