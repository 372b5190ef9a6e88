// Lookup tables: sample entries, the integer square root's ladder, the
// NumberTable arithmetic and what survives FreeLookupTables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "common/alloc.h"
#include "mathlib/tables.h"

namespace {

// Releases every table, those the program keeps for its whole life included,
// so the tests can rebuild without leaking.
void ReleaseAllTables() {
    FreeLookupTables();
    FreeBlock(LookupTables.FloatSinTable);
    FreeBlock(LookupTables.FloatCosTable);
    FreeBlock(LookupTables.FloatTanTable);
    FreeBlock(LookupTables.RowOffsetTable);
    LookupTables = {};
}

class LookupTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LookupTables;
        LookupTables = {};
        BuildLookupTables();
    }
    void TearDown() override {
        ReleaseAllTables();
        LookupTables = saved_;
    }
    LookupTablesRecord saved_{};
};

struct TableCase {
    const char* table;
    std::int32_t (*read)(AngleIndex);
    AngleIndex index;
    std::int32_t expected;
};

TEST_F(LookupTablesTest, FixedTablesHoldTheSampleValues) {
    const TableCase cases[] = {
        {"cos", FixedCos, 0, 1000},     {"cos", FixedCos, 1, 1000},    {"cos", FixedCos, 300, 866},
        {"cos", FixedCos, 450, 707},    {"cos", FixedCos, 600, 500},   {"cos", FixedCos, 900, 0},
        {"cos", FixedCos, 1800, -1000}, {"cos", FixedCos, 3599, 1000}, {"sin", FixedSin, 1, 2},
        {"sin", FixedSin, 900, 1000},   {"sin", FixedSin, 1800, 0},    {"sin", FixedSin, 2700, -1000},
        {"sin", FixedSin, 3599, -2},    {"tan", FixedTan, 1, 2},       {"tan", FixedTan, 300, 577},
        {"tan", FixedTan, 450, 1000},   {"tan", FixedTan, 600, 1732},  {"tan", FixedTan, 899, 572957},
        {"tan", FixedTan, 901, -572957}, {"tan", FixedTan, 1800, 0},
        {"tan", FixedTan, 900, INT32_MIN}, {"tan", FixedTan, 2700, INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.table << "[" << c.index << "]");
        EXPECT_EQ(c.read(c.index), c.expected);
    }
}

TEST_F(LookupTablesTest, FixedTablesShareOneBlockInOrder) {
    EXPECT_EQ(LookupTables.FixedSinTable, LookupTables.FixedCosTable + 3600);
    EXPECT_EQ(LookupTables.FixedTanTable, LookupTables.FixedCosTable + 7200);
}

TEST_F(LookupTablesTest, FloatTablesAreSinglePrecisionTrig) {
    for (AngleIndex i : {0, 1, 450, 899, 1234, 1800, 3599}) {
        SCOPED_TRACE(i);
        double a = (i / 10.0) * (3.14159265358979323846 / 180.0);
        EXPECT_EQ(FloatSin(i), float(std::sin(a)));
        EXPECT_EQ(FloatCos(i), float(std::cos(a)));
        EXPECT_EQ(FloatTan(i), float(std::tan(a)));
    }
    for (AngleIndex i : {900, 2700}) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(std::isfinite(FloatTan(i)));
        EXPECT_GT(std::fabs(FloatTan(i)), 1e15f);
    }
}

TEST_F(LookupTablesTest, RowOffsetAndSqrtTables) {
    EXPECT_EQ(LookupTables.RowOffsetTable[0], 0);
    EXPECT_EQ(LookupTables.RowOffsetTable[767], 767 * 1024);
    EXPECT_EQ(LookupTables.RowOffsetTable[768], 786432);
    const std::uint8_t start[] = {0, 16, 23, 28, 32, 36, 39, 42};
    EXPECT_EQ(0, std::memcmp(LookupTables.SqrtTable, start, sizeof start));
    EXPECT_EQ(LookupTables.SqrtTable[64], 128);
    EXPECT_EQ(LookupTables.SqrtTable[255], 255);
}

TEST_F(LookupTablesTest, IntSqrtFollowsTheTableLadder) {
    const struct { std::uint32_t n, root; } cases[] = {
        {0, 0},         {1, 1},          {2, 1},          {3, 1},          {4, 2},
        {15, 3},        {16, 4},         {63, 7},         {64, 8},         {255, 15},
        {256, 16},      {288, 17},       {1023, 31},      {1024, 32},      {4096, 64},
        {16383, 127},   {16384, 128},    {50000, 223},    {65535, 255},    {65536, 256},
        {262144, 512},  {1000000, 1000}, {1048576, 1024}, {4194304, 2048}, {16777216, 4096},
        {67108864, 8192}, {268435456, 16384}, {1073741824, 32768},
        {2147483648u, 46336}, {4294967295u, 65280},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(IntSqrt(c.n), c.root);
    }
}

TEST_F(LookupTablesTest, IntSqrtStaysNearTheTrueRoot) {
    // About eight significant bits: within 1/64 of the root plus one.
    for (std::uint64_t n = 1; n <= 0xFFFFFFFFu; n = n * 3 + 1) {
        double exact = std::sqrt(double(n));
        SCOPED_TRACE(n);
        EXPECT_NEAR(double(IntSqrt(std::uint32_t(n))), exact, exact / 64 + 1);
    }
}

TEST_F(LookupTablesTest, AngleConversions) {
    EXPECT_DOUBLE_EQ(AngleToRadians(1800), 3.14159265358979323846);
    EXPECT_DOUBLE_EQ(AngleToRadians(-900), -3.14159265358979323846 / 2);
    const struct { double radians; std::int32_t angle; } cases[] = {
        {0.0, 0}, {3.14159265358979323846, 1800}, {-3.14159265358979323846 / 2, -900},
        {AngleToRadians(1234), 1234}, {1e300, INT32_MIN}, {std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radians);
        EXPECT_EQ(RadiansToAngle(c.radians), c.angle);
    }
}

TEST_F(LookupTablesTest, NumberTableArithmetic) {
    const struct { std::int32_t i; double hundredths; } cases[] = {{40, 0.4}, {100, 1.0}, {0, 0.0}, {10, 0.1}, {3599, 35.99}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.i);
        double d = -1;
        HundredthsDouble(d, c.i);
        EXPECT_EQ(d, c.hundredths);
        float f = -1;
        HundredthsFloat(f, c.i);
        EXPECT_EQ(f, float(c.hundredths));
        NumberAtDouble(d, c.i);
        EXPECT_EQ(d, double(c.i));
        EXPECT_EQ(NumberAt(c.i), float(c.i));
    }
    EXPECT_EQ(AddNumber(0.5f, 3), 3.5f);
    EXPECT_EQ(SubNumber(0.5f, 3), -2.5f);
    EXPECT_EQ(MulNumber(0.5f, 3), 1.5f);
    EXPECT_EQ(DivNumber(1.0f, 3), float(1.0 / 3.0));
    EXPECT_TRUE(std::isinf(DivNumber(1.0f, 0)));
    EXPECT_TRUE(std::isnan(DivNumber(0.0f, 0)));

    double v = 10;
    AddNumberInPlace(v, 5);
    EXPECT_EQ(v, 15);
    SubNumberInPlace(v, 20);
    EXPECT_EQ(v, -5);
    MulNumberInPlace(v, 3);
    EXPECT_EQ(v, -15);
    DivNumberInPlace(v, 4);
    EXPECT_EQ(v, -3.75);
}

TEST_F(LookupTablesTest, FreeLookupTablesKeepsFloatAndRowTables) {
    const float sin450 = FloatSin(450), cos300 = FloatCos(300), tan600 = FloatTan(600);
    FreeLookupTables();
    EXPECT_EQ(LookupTables.FixedCosTable, nullptr);
    EXPECT_EQ(LookupTables.FixedSinTable, nullptr);
    EXPECT_EQ(LookupTables.FixedTanTable, nullptr);
    EXPECT_EQ(LookupTables.SqrtTable, nullptr);
    EXPECT_EQ(LookupTables.NumberTable, nullptr);
    EXPECT_EQ(FloatSin(450), sin450);
    EXPECT_EQ(FloatCos(300), cos300);
    EXPECT_EQ(FloatTan(600), tan600);
    EXPECT_EQ(LookupTables.RowOffsetTable[768], 786432);
    FreeLookupTables();  // a second release finds only null pointers
}

}  // namespace
