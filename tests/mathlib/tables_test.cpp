// Lookup tables: sample entries, the square root's ladder, NumberTable
// arithmetic and what survives FreeLookupTables.
#include <gtest/gtest.h>

#include <cmath>

#include "common/alloc.h"
#include "mathlib/tables.h"

namespace {

class LookupTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LookupTables;
        LookupTables = {};
        BuildLookupTables();
    }
    void TearDown() override {
        // Also the tables the program keeps for life, so rebuilding leaks nothing.
        FreeLookupTables();
        for (void* block : {(void*)LookupTables.FloatSinTable, (void*)LookupTables.FloatCosTable,
                            (void*)LookupTables.FloatTanTable, (void*)LookupTables.RowOffsetTable})
            FreeBlock(block);
        LookupTables = saved_;
    }
    LookupTablesRecord saved_{};
};

TEST_F(LookupTablesTest, SampleEntries) {
    const struct { const char* table; std::int32_t (*read)(AngleIndex); AngleIndex i; std::int32_t value; } cases[] = {
        {"cos", FixedCos, 0, 1000},     {"cos", FixedCos, 1, 1000},     {"cos", FixedCos, 300, 866},
        {"cos", FixedCos, 450, 707},    {"cos", FixedCos, 900, 0},      {"cos", FixedCos, 1800, -1000},
        {"cos", FixedCos, 3599, 1000},  {"sin", FixedSin, 1, 2},        {"sin", FixedSin, 2700, -1000},
        {"sin", FixedSin, 3599, -2},    {"tan", FixedTan, 300, 577},    {"tan", FixedTan, 600, 1732},
        {"tan", FixedTan, 899, 572957}, {"tan", FixedTan, 901, -572957}, {"tan", FixedTan, 1800, 0},
        {"tan", FixedTan, 900, INT32_MIN}, {"tan", FixedTan, 2700, INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(c.read(c.i), c.value) << c.table << "[" << c.i << "]";
    for (AngleIndex i : {900, 2700}) {
        EXPECT_TRUE(std::isfinite(FloatTan(i))) << i;
        EXPECT_GT(std::fabs(FloatTan(i)), 1e16f) << i;
    }
    EXPECT_EQ(LookupTables.RowOffsetTable[768], 786432);
    const std::uint8_t sqrtStart[] = {0, 16, 23, 28, 32, 36, 39, 42};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(LookupTables.SqrtTable[i], sqrtStart[i]) << i;
    EXPECT_EQ(LookupTables.SqrtTable[64], 128);
    EXPECT_EQ(LookupTables.SqrtTable[255], 255);
}

TEST_F(LookupTablesTest, IntSqrtLadder) {
    const struct { std::uint32_t n, root; } cases[] = {
        {0, 0}, {1, 1}, {3, 1}, {4, 2}, {15, 3}, {16, 4}, {255, 15}, {256, 16}, {288, 17}, {50000, 223},
        {65535, 255}, {65536, 256}, {1000000, 1000}, {16777216, 4096}, {1073741824, 32768},
        {2147483648u, 46336}, {4294967295u, 65280},
    };
    for (const auto& c : cases) EXPECT_EQ(IntSqrt(c.n), c.root) << c.n;
}

TEST_F(LookupTablesTest, NumberTableAndAngles) {
    const struct { std::int32_t i; double hundredths; } cases[] = {{40, 0.4}, {100, 1.0}, {0, 0.0}, {3599, 35.99}};
    for (const auto& c : cases) {
        double d = -1;
        HundredthsDouble(d, c.i);
        EXPECT_EQ(d, c.hundredths) << c.i;
    }
    EXPECT_TRUE(std::isinf(DivNumber(1.0f, 0)));
    EXPECT_TRUE(std::isnan(DivNumber(0.0f, 0)));
    EXPECT_EQ(RadiansToAngle(AngleToRadians(1234)), 1234);  // the exact inverse
    EXPECT_EQ(RadiansToAngle(NAN), INT32_MIN);
}

TEST_F(LookupTablesTest, FreeKeepsFloatAndRowTables) {
    const float sin450 = FloatSin(450), tan600 = FloatTan(600);
    FreeLookupTables();
    EXPECT_EQ(LookupTables.FixedCosTable, nullptr);
    EXPECT_EQ(LookupTables.FixedSinTable, nullptr);
    EXPECT_EQ(LookupTables.FixedTanTable, nullptr);
    EXPECT_EQ(LookupTables.SqrtTable, nullptr);
    EXPECT_EQ(LookupTables.NumberTable, nullptr);
    EXPECT_EQ(FloatSin(450), sin450);
    EXPECT_EQ(FloatTan(600), tan600);
    EXPECT_EQ(LookupTables.RowOffsetTable[768], 786432);
}

}  // namespace
