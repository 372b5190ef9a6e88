/// @file
/// Geometry and fixed-point helpers: hit tests, vectors, polar offsets,
/// perspective projection and 32-by-32-bit multiply-and-divide.
/// Platform-free. The table-based procedures need BuildLookupTables first.
#pragma once
#include <cstdint>

#include "../common/shared.h"

/// @addtogroup mathlib
/// @{

/// A projected point; `valid` is 0 when the point lies at or behind the eye
/// (z <= 0), and then x and y are 0 and must not be used.
struct ProjectedPoint {
    std::int32_t x;       ///< across, from the left
    std::int32_t y;       ///< down, from the top
    std::int32_t valid;   ///< 1 for a point in front of the eye
};

/// The projection settings, all 0 at start; read only by ProjectPoint.
struct ProjectionRecord {
    std::int32_t ProjectionScale;     ///< distance of the screen from the eye, in pixels
    std::uint32_t ProjectionWidth;    ///< screen width; its half is the centre
    std::uint32_t ProjectionHeight;   ///< screen height; its half is the centre
};

extern ProjectionRecord Projection;   ///< the settings ProjectPoint reads

/// @name Hit tests
/// @{
std::int32_t PointInRect(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top,
                         std::int32_t width, std::int32_t height);   ///< 1 inside or on an edge, else -1
std::int32_t PointInCircle(std::int32_t x, std::int32_t y, std::int32_t centreX, std::int32_t centreY,
                           std::uint32_t radius);                    ///< 1 when IntVectorLength < radius, else 0
/// @}

/// @name Vectors
/// @{
CoordPair VectorDiff(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);  ///< (x2 - x1, y2 - y1), wrapping
std::uint32_t VectorLength(std::int32_t dx, std::int32_t dy);     ///< round(sqrt(dx² + dy²)), exact for every pair
std::uint32_t IntVectorLength(std::int32_t dx, std::int32_t dy);  ///< IntSqrt of the 32-bit (wrapping) dx² + dy²
CoordPair ScaleVector(std::int32_t x, std::int32_t y, std::int32_t divisor, std::int32_t multiplier);  ///< (x × m / d, y × m / d); (0, 0) when d is 0
double VectorAngleRadians(std::int32_t y, std::int32_t x);        ///< atan2(y, x)
std::int32_t VectorAngle(std::int32_t y, std::int32_t x);         ///< RadiansToAngle(atan2(y, x))
/// @}

/// @name Polar offsets
/// @{
CoordPair PolarOffset(std::int32_t r, AngleIndex a);              ///< (r × cos a / 1000, r × sin a / 1000); any a, 3600 counts as 0
FloatPair PolarOffsetFloat(float r, AngleIndex a);                ///< (r × FloatCos(a), r × FloatSin(a)); a in 0 to 3599
CoordTriple PolarOffset3D(std::int32_t r, AngleIndex a1, AngleIndex a2, AngleIndex a3);  ///< six chained PolarOffsets
std::int32_t DivideByTan(std::int32_t v, AngleIndex a);           ///< round(v / FloatTan(a)); INT32_MIN when it does not fit
/// @}

/// @name Perspective projection
/// @{
void SetProjectionScale(std::int32_t scale);                      ///< ProjectionScale = scale
void SetProjectionSize(std::uint32_t width, std::uint32_t height); ///< ProjectionWidth and ProjectionHeight
CoordPair HalfSize(std::uint32_t width, std::uint32_t height);    ///< (width / 2, height / 2), unsigned halving
ProjectedPoint ProjectPoint(std::int32_t x, std::int32_t y, std::int32_t z);  ///< (x × s / z + w / 2, y × s / z + h / 2); invalid for z <= 0
/// @}

/// @name Integer arithmetic
/// @{
std::uint64_t MulWide(std::uint32_t a, std::uint32_t b);          ///< full 64-bit product
std::uint32_t MulDivUnsigned(std::uint32_t a, std::uint32_t divisor, std::uint32_t multiplier);  ///< a × m / d truncated; 0 when d is 0
CoordPair ReflectToQuadrant(std::int32_t x, std::int32_t y, std::int32_t code);  ///< 1: (-x, y), 2: (-x, -y), 3: (x, -y), else unchanged
/// @}

/// @}
