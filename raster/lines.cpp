// Lines by proportional stepping: n = round(length) points, point k at the
// start plus the difference scaled by k / n (truncated toward zero), k from n
// down to 1. Depends on: mathlib/geometry.h (VectorDiff, VectorLength),
// raster/pixels.h (SetWorkPixel).
// Limits: the start point is drawn only when a step truncates onto it; every
// point costs a pixel write even off the frame, so very long lines are slow.
#include <cstdint>

#include "mathlib/geometry.h"
#include "raster/pixels.h"
#include "raster/primitives.h"

namespace {

// floor(a × k / n) for k = n, n - 1, ... 1 without a division per point: keep
// a × k = q × n + r with 0 <= r < n and subtract a = qa × n + ra at each step.
// Gives exactly what ScaleVector's truncating division gives.
struct StepCounter {
    std::int64_t q, r, qa, ra, n;
};

StepCounter StartSteps(std::int64_t a, std::int64_t n) { return {a, 0, a / n, a % n, n}; }

void NextStep(StepCounter& s) {
    s.q -= s.qa;
    s.r -= s.ra;
    if (s.r < 0) {
        s.r += s.n;
        s.q -= 1;
    }
}

std::int64_t Magnitude(std::int32_t v) { return v < 0 ? -std::int64_t(v) : std::int64_t(v); }

// Truncation toward zero of a negative quotient is minus the floor of its magnitude.
std::int32_t Offset(std::int32_t base, std::int32_t sign, const StepCounter& s) {
    auto step = std::uint32_t(sign < 0 ? -s.q : s.q);
    return std::int32_t(std::uint32_t(base) + step);  // wraps rather than overflows
}

}  // namespace

void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, ColourRef colour) {
    CoordPair d = VectorDiff(x1, y1, x2, y2);
    std::uint32_t n = VectorLength(d.x, d.y);
    if (n == 0) return;
    StepCounter sx = StartSteps(Magnitude(d.x), n);
    StepCounter sy = StartSteps(Magnitude(d.y), n);
    for (std::uint32_t k = n; k >= 1; --k) {
        SetWorkPixel(Offset(x1, d.x, sx), Offset(y1, d.y, sy), colour);
        NextStep(sx);
        NextStep(sy);
    }
}
