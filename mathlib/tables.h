/// @file
/// Lookup tables: trigonometry, pixel-row offsets, square roots and small float
/// constants, built once at start-up and read by table look-up afterwards.
/// Platform-free.
#pragma once
#include <cstdint>

#include "../common/shared.h"

/// @addtogroup mathlib
/// @{

/// Entries of every trigonometric table and of NumberTable (one per AngleIndex).
constexpr std::int32_t TableEntries = 3600;
/// RowOffsetTable entries: rows 0 to 768 of a 1024-wide grid.
constexpr std::int32_t RowOffsetEntries = 769;
/// FixedTanTable's marker for a tangent that does not fit in 32 bits (900 and 2700).
constexpr std::int32_t FixedTanOverflow = INT32_MIN;

/// One pointer per table; null before BuildLookupTables and after a table is freed.
struct LookupTablesRecord {
    std::int32_t* FixedCosTable;   ///< round(cos × 1000); start of the 43,200-byte fixed block
    std::int32_t* FixedSinTable;   ///< round(sin × 1000); 14,400 bytes into the fixed block
    std::int32_t* FixedTanTable;   ///< round(tan × 1000); 28,800 bytes into the fixed block
    float* FloatSinTable;          ///< sin, single precision
    float* FloatCosTable;          ///< cos, single precision
    float* FloatTanTable;          ///< tan, single precision
    std::int32_t* RowOffsetTable;  ///< i × 1024 for i = 0 to 768
    std::uint8_t* SqrtTable;       ///< round(16 × sqrt(i)) for i = 0 to 255 (1,024-byte block)
    float* NumberTable;            ///< the float value i
};

extern LookupTablesRecord LookupTables;   ///< the tables, once built

/// @name Building and releasing
/// @{
void BuildLookupTables();           ///< allocates and fills every table; a second call replaces the pointers
void FreeLookupTables();            ///< frees the fixed block, SqrtTable and NumberTable and nulls their pointers
float* BuildFloatSinTable();        ///< new 14,400-byte block of sin(angle i)
float* BuildFloatCosTable();        ///< new 14,400-byte block of cos(angle i)
float* BuildFloatTanTable();        ///< new 14,400-byte block of tan(angle i)
/// @}

/// @name Angle conversions
/// @{
long double AngleToRadians(AngleIndex i);  ///< (i / 10) × (pi / 180) in extended precision where there is one
std::int32_t RadiansToAngle(double r); ///< round(r × 1800 / pi), the inverse of AngleToRadians; INT32_MIN when not representable
/// @}

/// @name Table accessors: the index must be 0 to 3599 and is not checked
/// @{
std::int32_t FixedCos(AngleIndex i);   ///< FixedCosTable[i]
std::int32_t FixedSin(AngleIndex i);   ///< FixedSinTable[i]
std::int32_t FixedTan(AngleIndex i);   ///< FixedTanTable[i]; FixedTanOverflow at 900 and 2700
float FloatSin(AngleIndex i);          ///< FloatSinTable[i]
float FloatCos(AngleIndex i);          ///< FloatCosTable[i]
float FloatTan(AngleIndex i);          ///< FloatTanTable[i]; finite (about 1.6e16) even at 900
/// @}

/// Integer square root from SqrtTable: about eight significant bits
std::uint32_t IntSqrt(std::uint32_t n);

/// @name NumberTable accessors: N[i] for i = 0 to 3599, double arithmetic rounded once
/// @{
float NumberAt(std::int32_t i);                          ///< N[i]
void NumberAtDouble(double& out, std::int32_t i);        ///< out = N[i]
void HundredthsFloat(float& out, std::int32_t i);        ///< out = N[i] / N[100] as a float
void HundredthsDouble(double& out, std::int32_t i);      ///< out = N[i] / N[100]
float AddNumber(float x, std::int32_t i);                ///< x + N[i]
float SubNumber(float x, std::int32_t i);                ///< x - N[i]
float MulNumber(float x, std::int32_t i);                ///< x × N[i]
float DivNumber(float x, std::int32_t i);                ///< x / N[i]; i = 0 gives an infinity or NaN
void AddNumberInPlace(double& value, std::int32_t i);    ///< value += N[i]
void SubNumberInPlace(double& value, std::int32_t i);    ///< value -= N[i]
void MulNumberInPlace(double& value, std::int32_t i);    ///< value *= N[i]
void DivNumberInPlace(double& value, std::int32_t i);    ///< value /= N[i]
/// @}

/// @}
