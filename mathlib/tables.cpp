// Lookup tables: builds, reads and releases the trigonometric, row-offset,
// square-root and number tables, and the integer square root resting on them.
// Depends on: common/alloc.h for the blocks, <cmath> while building only.
// Limits: the accessors do not check their index; nothing may read a table
// before BuildLookupTables or after FreeLookupTables has released it.
#include "mathlib/tables.h"

#include <cmath>

#include "common/alloc.h"

LookupTablesRecord LookupTables = {};

namespace {

constexpr long double Pi = 3.14159265358979323846264338327950288L;
constexpr std::uint32_t TableBytes = TableEntries * 4;   // 14,400
constexpr std::uint32_t FixedBlockBytes = TableBytes * 3; // 43,200
constexpr std::uint32_t SqrtBlockBytes = 1024;            // only the first 256 bytes are used

// Nearest integer, ties to even (the default rounding mode).
long double RoundEven(long double v) { return std::nearbyint(v); }

// True when v, already integral, is representable as a signed 32-bit value.
bool FitsInt32(long double v) { return v >= -2147483648.0L && v <= 2147483647.0L; }

// Extended precision puts 90 and 270 degrees nearer the true poles than double
// does (whose tan at 270 is only 5.4e15): tan there is finite and above 1e16.
float* BuildFloatTable(long double (*function)(long double)) {
    auto* table = static_cast<float*>(AllocZeroed(TableBytes));
    for (std::int32_t i = 0; i < TableEntries; ++i) table[i] = float(function(AngleToRadians(i)));
    return table;
}

}  // namespace

long double AngleToRadians(AngleIndex i) { return (i / 10.0L) * (Pi / 180.0L); }

std::int32_t RadiansToAngle(double r) {
    long double angle = RoundEven(r * (1800.0L / Pi));
    // A NaN or a value beyond 32 bits would make the conversion undefined.
    if (!FitsInt32(angle)) return INT32_MIN;
    return std::int32_t(angle);
}

float* BuildFloatSinTable() { return BuildFloatTable([](long double a) { return std::sin(a); }); }
float* BuildFloatCosTable() { return BuildFloatTable([](long double a) { return std::cos(a); }); }
float* BuildFloatTanTable() { return BuildFloatTable([](long double a) { return std::tan(a); }); }

void BuildLookupTables() {
    LookupTables.FloatSinTable = BuildFloatSinTable();
    LookupTables.FloatCosTable = BuildFloatCosTable();
    LookupTables.FloatTanTable = BuildFloatTanTable();

    auto* fixed = static_cast<std::int32_t*>(AllocZeroed(FixedBlockBytes));
    LookupTables.FixedCosTable = fixed;
    LookupTables.FixedSinTable = fixed + TableEntries;
    LookupTables.FixedTanTable = fixed + 2 * TableEntries;
    for (std::int32_t i = 0; i < TableEntries; ++i) {
        long double a = AngleToRadians(i);
        LookupTables.FixedCosTable[i] = std::int32_t(RoundEven(std::cos(a) * 1000.0L));
        LookupTables.FixedSinTable[i] = std::int32_t(RoundEven(std::sin(a) * 1000.0L));
        long double tangent = RoundEven(std::tan(a) * 1000.0L);
        LookupTables.FixedTanTable[i] = FitsInt32(tangent) ? std::int32_t(tangent) : FixedTanOverflow;
    }

    LookupTables.RowOffsetTable = static_cast<std::int32_t*>(AllocZeroed(RowOffsetEntries * 4));
    for (std::int32_t y = 0; y < RowOffsetEntries; ++y) LookupTables.RowOffsetTable[y] = y * 1024;

    LookupTables.SqrtTable = static_cast<std::uint8_t*>(AllocZeroed(SqrtBlockBytes));
    for (std::int32_t i = 0; i < 256; ++i)
        LookupTables.SqrtTable[i] = std::uint8_t(RoundEven(std::sqrt(i / 256.0L) * 256.0L));

    LookupTables.NumberTable = static_cast<float*>(AllocZeroed(TableBytes));
    for (std::int32_t i = 0; i < TableEntries; ++i) LookupTables.NumberTable[i] = float(i);
}

void FreeLookupTables() {
    // One block holds all three fixed tables; null every pointer into it.
    FreeBlock(LookupTables.FixedCosTable);
    LookupTables.FixedCosTable = nullptr;
    LookupTables.FixedSinTable = nullptr;
    LookupTables.FixedTanTable = nullptr;
    FreeBlock(LookupTables.SqrtTable);
    LookupTables.SqrtTable = nullptr;
    FreeBlock(LookupTables.NumberTable);
    LookupTables.NumberTable = nullptr;
}

std::int32_t FixedCos(AngleIndex i) { return LookupTables.FixedCosTable[i]; }
std::int32_t FixedSin(AngleIndex i) { return LookupTables.FixedSinTable[i]; }
std::int32_t FixedTan(AngleIndex i) { return LookupTables.FixedTanTable[i]; }
float FloatSin(AngleIndex i) { return LookupTables.FloatSinTable[i]; }
float FloatCos(AngleIndex i) { return LookupTables.FloatCosTable[i]; }
float FloatTan(AngleIndex i) { return LookupTables.FloatTanTable[i]; }

std::uint32_t IntSqrt(std::uint32_t n) {
    // SqrtTable[i] is 16 × sqrt(i); each power-of-four range scales n into
    // 64..255 (or picks 0, 64, 128, 192 below 4) and rescales the entry.
    // The ladder halves the remaining ranges at every comparison.
    const std::uint8_t* t = LookupTables.SqrtTable;
    if (n < 65536u) {
        if (n < 256u) {
            if (n < 16u) {
                if (n < 4u) return std::uint32_t(t[n << 6]) >> 7;
                return std::uint32_t(t[n << 4]) >> 6;
            }
            if (n < 64u) return std::uint32_t(t[n << 2]) >> 5;
            return std::uint32_t(t[n]) >> 4;
        }
        if (n < 4096u) {
            if (n < 1024u) return std::uint32_t(t[n >> 2]) >> 3;
            return std::uint32_t(t[n >> 4]) >> 2;
        }
        if (n < 16384u) return std::uint32_t(t[n >> 6]) >> 1;
        return t[n >> 8];
    }
    if (n < 16777216u) {
        if (n < 1048576u) {
            if (n < 262144u) return std::uint32_t(t[n >> 10]) << 1;
            return std::uint32_t(t[n >> 12]) << 2;
        }
        if (n < 4194304u) return std::uint32_t(t[n >> 14]) << 3;
        return std::uint32_t(t[n >> 16]) << 4;
    }
    if (n < 268435456u) {
        if (n < 67108864u) return std::uint32_t(t[n >> 18]) << 5;
        return std::uint32_t(t[n >> 20]) << 6;
    }
    if (n < 1073741824u) return std::uint32_t(t[n >> 22]) << 7;
    return std::uint32_t(t[n >> 24]) << 8;
}

float NumberAt(std::int32_t i) { return LookupTables.NumberTable[i]; }
void NumberAtDouble(double& out, std::int32_t i) { out = LookupTables.NumberTable[i]; }

void HundredthsFloat(float& out, std::int32_t i) {
    out = float(double(LookupTables.NumberTable[i]) / double(LookupTables.NumberTable[100]));
}
void HundredthsDouble(double& out, std::int32_t i) {
    out = double(LookupTables.NumberTable[i]) / double(LookupTables.NumberTable[100]);
}

float AddNumber(float x, std::int32_t i) { return float(double(x) + double(LookupTables.NumberTable[i])); }
float SubNumber(float x, std::int32_t i) { return float(double(x) - double(LookupTables.NumberTable[i])); }
float MulNumber(float x, std::int32_t i) { return float(double(x) * double(LookupTables.NumberTable[i])); }
float DivNumber(float x, std::int32_t i) { return float(double(x) / double(LookupTables.NumberTable[i])); }

void AddNumberInPlace(double& value, std::int32_t i) { value += double(LookupTables.NumberTable[i]); }
void SubNumberInPlace(double& value, std::int32_t i) { value -= double(LookupTables.NumberTable[i]); }
void MulNumberInPlace(double& value, std::int32_t i) { value *= double(LookupTables.NumberTable[i]); }
void DivNumberInPlace(double& value, std::int32_t i) { value /= double(LookupTables.NumberTable[i]); }
