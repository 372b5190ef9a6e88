// Geometry and fixed-point helpers: integer hit tests, vector arithmetic,
// polar offsets through the fixed-point tables, and a perspective projection.
// Depends on: mathlib/tables.h (fixed and float tables, IntSqrt, RadiansToAngle).
// Limits: quotients that do not fit in 32 bits wrap; only the projection
// settings are state.
#include "mathlib/geometry.h"

#include <cmath>

#include "mathlib/tables.h"

ProjectionRecord Projection = {};

namespace {

// Two's-complement wrap-around without signed overflow.
std::int32_t WrapSub(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) - std::uint32_t(b)); }
std::int32_t WrapNeg(std::int32_t a) { return std::int32_t(0u - std::uint32_t(a)); }

// Brings any angle into 0..3599 (the callers mostly pass -3600..10799).
AngleIndex WrapAngle(AngleIndex a) {
    a %= TableEntries;
    return a < 0 ? a + TableEntries : a;
}

}  // namespace

std::int32_t PointInRect(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top,
                         std::int32_t width, std::int32_t height) {
    // The far edges in 64 bits, so a rectangle near the 32-bit limit cannot wrap.
    std::int64_t right = std::int64_t(left) + width;
    std::int64_t bottom = std::int64_t(top) + height;
    if (x >= left && x <= right && y >= top && y <= bottom) return 1;
    return -1;
}

std::int32_t PointInCircle(std::int32_t x, std::int32_t y, std::int32_t centreX, std::int32_t centreY,
                           std::uint32_t radius) {
    return IntVectorLength(WrapSub(x, centreX), WrapSub(y, centreY)) < radius ? 1 : 0;
}

CoordPair VectorDiff(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    return {WrapSub(x2, x1), WrapSub(y2, y1)};
}

std::uint32_t VectorLength(std::int32_t dx, std::int32_t dy) {
    std::uint64_t ax = std::uint64_t(dx < 0 ? -std::int64_t(dx) : dx);
    std::uint64_t ay = std::uint64_t(dy < 0 ? -std::int64_t(dy) : dy);
    std::uint64_t sum = ax * ax + ay * ay;  // at most 2^63: fits
    auto root = std::uint64_t(std::llround(std::sqrt(double(sum))));
    // Above 2^53 the double sum is inexact; settle the nearest integer r by
    // r² - r < sum <= r² + r (no sum of integers lies on a tie).
    while (root * root + root < sum) ++root;
    while (root > 0 && root * root - root >= sum) --root;
    return std::uint32_t(root);
}

std::uint32_t IntVectorLength(std::int32_t dx, std::int32_t dy) {
    std::uint32_t ux = std::uint32_t(dx);
    std::uint32_t uy = std::uint32_t(dy);
    return IntSqrt(ux * ux + uy * uy);
}

CoordPair ScaleVector(std::int32_t x, std::int32_t y, std::int32_t divisor, std::int32_t multiplier) {
    // A zero divisor would trap; give the empty step instead.
    if (divisor == 0) return {0, 0};
    return {std::int32_t(std::int64_t(x) * multiplier / divisor),
            std::int32_t(std::int64_t(y) * multiplier / divisor)};
}

double VectorAngleRadians(std::int32_t y, std::int32_t x) { return std::atan2(double(y), double(x)); }

std::int32_t VectorAngle(std::int32_t y, std::int32_t x) { return RadiansToAngle(VectorAngleRadians(y, x)); }

CoordPair PolarOffset(std::int32_t r, AngleIndex a) {
    a = WrapAngle(a);
    return {std::int32_t(std::int64_t(r) * FixedCos(a) / 1000),
            std::int32_t(std::int64_t(r) * FixedSin(a) / 1000)};
}

FloatPair PolarOffsetFloat(float r, AngleIndex a) {
    return {float(double(r) * double(FloatCos(a))), float(double(r) * double(FloatSin(a)))};
}

CoordTriple PolarOffset3D(std::int32_t r, AngleIndex a1, AngleIndex a2, AngleIndex a3) {
    CoordPair p = PolarOffset(r, a3);
    std::int32_t x = PolarOffset(p.x, a2).y;
    std::int32_t y = PolarOffset(p.y, a1).x;
    std::int32_t q = PolarOffset(r, a1).y;
    std::int32_t z = PolarOffset(q, a2).x;
    return {x, y, z};
}

std::int32_t DivideByTan(std::int32_t v, AngleIndex a) {
    double quotient = std::nearbyint(double(v) / double(FloatTan(a)));
    // tan is 0 at 0 and nearly 0 at 1800: a quotient beyond 32 bits (or NaN)
    // gets the same marker FixedTanTable uses.
    if (!(quotient >= -2147483648.0 && quotient <= 2147483647.0)) return INT32_MIN;
    return std::int32_t(quotient);
}

void SetProjectionScale(std::int32_t scale) { Projection.ProjectionScale = scale; }

void SetProjectionSize(std::uint32_t width, std::uint32_t height) {
    Projection.ProjectionWidth = width;
    Projection.ProjectionHeight = height;
}

CoordPair HalfSize(std::uint32_t width, std::uint32_t height) {
    return {std::int32_t(width / 2), std::int32_t(height / 2)};
}

ProjectedPoint ProjectPoint(std::int32_t x, std::int32_t y, std::int32_t z) {
    if (z <= 0) return {0, 0, 0};
    CoordPair centre = HalfSize(Projection.ProjectionWidth, Projection.ProjectionHeight);
    std::int64_t px = std::int64_t(x) * Projection.ProjectionScale / z + centre.x;
    std::int64_t py = std::int64_t(y) * Projection.ProjectionScale / z + centre.y;
    return {std::int32_t(px), std::int32_t(py), 1};
}

std::uint64_t MulWide(std::uint32_t a, std::uint32_t b) { return std::uint64_t(a) * b; }

std::uint32_t MulDivUnsigned(std::uint32_t a, std::uint32_t divisor, std::uint32_t multiplier) {
    if (divisor == 0) return 0;  // would trap
    return std::uint32_t(std::uint64_t(a) * multiplier / divisor);
}

CoordPair ReflectToQuadrant(std::int32_t x, std::int32_t y, std::int32_t code) {
    switch (code) {
        case 1: return {WrapNeg(x), y};
        case 2: return {WrapNeg(x), WrapNeg(y)};
        case 3: return {x, WrapNeg(y)};
        default: return {x, y};
    }
}
