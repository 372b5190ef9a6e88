// Lines by proportional stepping: n = round(length) points, point k at the
// start plus the difference scaled by k / n (truncated toward zero), k from n
// down to 1. Depends on: mathlib/geometry.h (VectorDiff, VectorLength),
// raster/pixel_store.h (the drawing target's row rule and byte stores).
// Horizontal and vertical lines step by exactly one pixel, so they are written
// as clipped spans; every other line steps without a division per point. Both
// give the pixels ScaleVector's division would.
// Limits: the start point is drawn only when a step truncates onto it; a long
// slanted line costs a step per point even off the frame.
#include <cstdint>

#include "mathlib/geometry.h"
#include "raster/pixel_store.h"
#include "raster/primitives.h"

namespace {

// floor(a × k / n) for k = n, n - 1, ... 1 without a division per point: keep
// a × k = q × n + r with 0 <= r < n and subtract a = qa × n + ra at each step.
// Branch-free, since whether r borrows follows the slope, not a pattern the
// processor could predict. Int is 32 bits whenever n fits in 31.
template <typename Int>
struct StepCounter {
    Int q, r, qa, ra, n;
};

template <typename Int>
StepCounter<Int> StartSteps(Int a, Int n) { return {a, 0, Int(a / n), Int(a % n), n}; }

template <typename Int>
void NextStep(StepCounter<Int>& s) {
    s.q -= s.qa;
    s.r -= s.ra;
    Int borrow = s.r < 0 ? Int(-1) : Int(0);
    s.r += s.n & borrow;
    s.q += borrow;
}

template <typename Int>
Int Magnitude(std::int32_t v) { return Int(v < 0 ? -std::int64_t(v) : std::int64_t(v)); }

// Truncation toward zero of a negative quotient is minus the floor of its magnitude.
template <typename Int>
std::int32_t Offset(std::int32_t base, std::int32_t sign, const StepCounter<Int>& s) {
    auto step = std::uint32_t(sign < 0 ? -s.q : s.q);
    return std::int32_t(std::uint32_t(base) + step);  // wraps rather than overflows
}

template <typename Int>
void DrawSteps(std::uint8_t* frame, std::int32_t x1, std::int32_t y1, CoordPair d, std::uint32_t n, ColourRef colour) {
    StepCounter<Int> sx = StartSteps<Int>(Magnitude<Int>(d.x), Int(n));
    StepCounter<Int> sy = StartSteps<Int>(Magnitude<Int>(d.y), Int(n));
    for (std::uint32_t k = n; k >= 1; --k) {
        std::int32_t index = WorkIndex(Offset(x1, d.x, sx), Offset(y1, d.y, sy));
        if (index >= 0) StoreColour(frame, index, colour);
        NextStep(sx);
        NextStep(sy);
    }
}

// A line along one axis covers every value from `from` ± 1 to `to`, leaving
// `from` out; clipped to lo..hi, empty when first > last.
void SpanAfterStart(std::int64_t from, std::int64_t to, std::int64_t lo, std::int64_t hi, std::int64_t& first,
                    std::int64_t& last) {
    std::int64_t a = to > from ? from + 1 : to;
    std::int64_t b = to > from ? to : from - 1;
    first = a < lo ? lo : a;
    last = b > hi ? hi : b;
}

void DrawRowSpan(std::uint8_t* frame, std::int32_t x1, std::int32_t x2, std::int32_t y, ColourRef colour) {
    std::int32_t rowStart = WorkIndex(0, y);
    if (rowStart < 0) return;
    std::int64_t first, last;
    SpanAfterStart(x1, x2, 0, FrameWidth - 1, first, last);
    for (std::int64_t x = first; x <= last; ++x) StoreColour(frame, rowStart + std::int32_t(x), colour);
}

void DrawColumnSpan(std::uint8_t* frame, std::int32_t x, std::int32_t y1, std::int32_t y2, ColourRef colour) {
    if (std::uint32_t(x) >= std::uint32_t(FrameWidth)) return;
    std::int64_t first, last;
    SpanAfterStart(y1, y2, 1, FrameHeight, first, last);
    for (std::int64_t y = first; y <= last; ++y) StoreColour(frame, WorkIndex(x, std::int32_t(y)), colour);
}

}  // namespace

void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, ColourRef colour) {
    std::uint8_t* frame = SurfaceState.workBits;
    if (frame == nullptr) return;
    CoordPair d = VectorDiff(x1, y1, x2, y2);
    std::uint32_t n = VectorLength(d.x, d.y);
    if (n == 0) return;
    // A difference that wrapped round 32 bits takes the general path, which wraps alike.
    bool exact = std::int64_t(x1) + d.x == x2 && std::int64_t(y1) + d.y == y2;
    if (exact && d.y == 0) return DrawRowSpan(frame, x1, x2, y1, colour);
    if (exact && d.x == 0) return DrawColumnSpan(frame, x1, y1, y2, colour);
    // n is at least |dx| and |dy|: below 2^31 every term fits in 32 bits.
    if (n <= std::uint32_t(INT32_MAX))
        DrawSteps<std::int32_t>(frame, x1, y1, d, n, colour);
    else
        DrawSteps<std::int64_t>(frame, x1, y1, d, n, colour);
}
