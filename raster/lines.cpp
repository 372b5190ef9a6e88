// Lines by proportional stepping: n = round(length) points, point k at the
// start plus the difference scaled by k / n (truncated toward zero), k from n
// down to 1. Depends on: mathlib/geometry.h (VectorDiff, VectorLength),
// raster/pixel_store.h (the drawing target's row rule and byte stores).
// Horizontal and vertical lines step by exactly one pixel, so they are written
// as clipped spans (rows four pixels at a time with SSE2). Every other line is
// clipped to the k whose points fall on the frame, then stepped without a
// division or a bounds test per point; an exact diagonal visits each of its
// pixels once instead. All give the pixels ScaleVector's division would.
// Limits: the start point is drawn only when a step truncates onto it; a line
// whose difference wraps round 32 bits is stepped point by point, off the
// frame too.
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "mathlib/geometry.h"
#include "raster/pixel_store.h"
#include "raster/primitives.h"

namespace {

// The bytes from one memory row to the next, and from one pixel to the next.
constexpr std::int32_t RowStep = FrameRowBytes, PixelStep = 4;

std::uint32_t Magnitude(std::int32_t v) { return v < 0 ? 0u - std::uint32_t(v) : std::uint32_t(v); }

// One axis of a slanted line: its offset from the start is sign × q with
// q = floor(a × k / n), and n >= a (n is the rounded length). Its fraction is
// kept in 32 fixed-point bits, f = ceil(2^32 × (a × k mod n) / n), and
// stepping k down by one subtracts floor(2^32 × a / n): q drops by one on
// every borrow (and on every step when a = n). Subtracting the rounded-down
// step lets f drift up by under 1 a step from the exact value; after s steps
// it stays below the next integer while (s + 1) × n <= 2^32, so runs are cut
// to that length and restarted from an exact division.
struct AxisStep {
    std::uint32_t fraction;  // fixed-point fraction of a × k / n at the current k
    std::uint32_t step;      // floor(2^32 × a / n) mod 2^32 (0 when a = n: q drops every step)
};

AxisStep StartAxis(std::uint64_t a, std::uint64_t n, std::uint64_t k, std::int64_t& q) {
    q = std::int64_t(k == n ? a : a * k / n);  // k = n, the usual start, needs no division
    std::uint64_t r = k == n ? 0 : a * k % n;
    return {std::uint32_t(r == 0 ? 0 : ((r << 32) + n - 1) / n), std::uint32_t((a << 32) / n)};
}

// Steps both fractions and returns which borrowed: 2 for x, 1 for y, 3 for
// both. On x86 each borrow is the carry flag, shifted straight into the result.
inline std::uintptr_t StepFractions(std::uint32_t& fx, std::uint32_t sx, std::uint32_t& fy, std::uint32_t sy) {
    std::uintptr_t moved;
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    asm("xor %0, %0\n\tsub %3, %1\n\tadc %0, %0\n\tsub %4, %2\n\tadc %0, %0"
        : "=&r"(moved), "+r"(fx), "+r"(fy)
        : "g"(sx), "g"(sy)
        : "cc");
#else
    std::uint32_t x = fx - sx, y = fy - sy;
    moved = std::uintptr_t(x > fx) << 1 | std::uintptr_t(y > fy);
    fx = x;
    fy = y;
#endif
    return moved;
}

// Asks for the cache line of a pixel about to be written. A line that changes
// row at every point misses the cache at every point, and stores wait for
// their lines one after the other; asked for ahead, the lines come together.
// A hint only: an address off the frame is never read.
inline void RowPrefetch(std::uintptr_t address) {
#if defined(__GNUC__)
    __builtin_prefetch(reinterpret_cast<const void*>(address), 1);
#else
    (void)address;
#endif
}

// Kept out of line so that its loop gets the registers to itself (a 32-bit
// processor has few). `moves` holds the address move by which axes borrowed.
// NewRows: the line changes row (and cache line) at most points; each next
// point's line is asked for ahead (see RowPrefetch). Otherwise two points at a
// time, their 16-bit stores before their bytes, an order in which the stores
// drain faster.
template <bool NewRows>
[[gnu::noinline]] void DrawSteps(std::uintptr_t address, AxisStep x, AxisStep y, const std::uintptr_t* moves,
                                 std::uint32_t count, ColourRef colour) {
    std::uint32_t fx = x.fraction, fy = y.fraction;
    const std::uint32_t sx = x.step, sy = y.step;
    const PixelInk ink = InkOf(colour);
    if constexpr (NewRows) {
        for (; count != 0; --count) {
            auto* pixel = reinterpret_cast<std::uint8_t*>(address);
            address += moves[StepFractions(fx, sx, fy, sy)];
            RowPrefetch(address);
            PutInk(pixel, ink);
        }
    } else {
        for (; count >= 2; count -= 2) {
            auto* first = reinterpret_cast<std::uint8_t*>(address);
            address += moves[StepFractions(fx, sx, fy, sy)];
            auto* second = reinterpret_cast<std::uint8_t*>(address);
            address += moves[StepFractions(fx, sx, fy, sy)];
            std::memcpy(first, &ink.blueGreen, 2);
            std::memcpy(second, &ink.blueGreen, 2);
            first[2] = ink.red;
            second[2] = ink.red;
        }
        if (count != 0) PutInk(reinterpret_cast<std::uint8_t*>(address), ink);
    }
}

// The k in [lo, hi] whose floor(a × k / n) lies in [qlo, qhi]; an empty range
// leaves lo > hi. Products stay below 2^63: q <= a <= 2^31, n < 2^32.
void ClipAxis(std::uint64_t a, std::uint64_t n, std::int64_t qlo, std::int64_t qhi, std::uint64_t& lo, std::uint64_t& hi) {
    if (qlo < 0) qlo = 0;
    if (qhi > std::int64_t(a)) qhi = std::int64_t(a);
    if (qlo > qhi) {
        hi = 0;  // below lo, which is at least 1
        return;
    }
    if (a == 0) return;  // q stays 0, inside the range
    lo = std::max(lo, (std::uint64_t(qlo) * n + a - 1) / a);
    hi = std::min(hi, ((std::uint64_t(qhi) + 1) * n - 1) / a);
}

// The range of q for which start + sign × q lies in [low, high].
void AxisWindow(std::int32_t start, std::int32_t d, std::int32_t low, std::int32_t high, std::int64_t& qlo,
                std::int64_t& qhi) {
    qlo = d >= 0 ? std::int64_t(low) - start : std::int64_t(start) - high;
    qhi = d >= 0 ? std::int64_t(high) - start : std::int64_t(start) - low;
}

// An exact diagonal (|dx| = |dy| = a): both axes share q = floor(a × k / n),
// and as a <= n, q drops by 0 or 1 per step of k, so the points of k in
// [lo, hi] are every q from q(lo) to q(hi), each once: `count` pixels from
// q = `top` down, one row and one column apart. Fewer stores than stepping k
// (a + 1 against about 1.41 × a), and the same bytes: one colour, byte 3 kept.
void DrawDiagonal(std::uint8_t* frame, std::int32_t x1, std::int32_t y1, CoordPair d, std::uint64_t count,
                  std::uint64_t top, ColourRef colour) {
    const auto q = std::int64_t(top);
    const std::int64_t x = d.x < 0 ? x1 - q : x1 + q, y = d.y < 0 ? y1 - q : y1 + q;
    // An address as an integer: the step after the last point may leave the frame.
    auto address = std::uintptr_t(frame) + std::uintptr_t(((FrameHeight - y) * FrameWidth + x) * PixelStep);
    const auto step = std::uintptr_t((d.x < 0 ? PixelStep : -PixelStep) + (d.y < 0 ? -RowStep : RowStep));
    const PixelInk ink = InkOf(colour);
    for (; count >= 2; count -= 2, address += 2 * step) {
        auto* first = reinterpret_cast<std::uint8_t*>(address);
        auto* second = reinterpret_cast<std::uint8_t*>(address + step);
        std::memcpy(first, &ink.blueGreen, 2);
        std::memcpy(second, &ink.blueGreen, 2);
        first[2] = ink.red;
        second[2] = ink.red;
    }
    if (count != 0) PutInk(reinterpret_cast<std::uint8_t*>(address), ink);
}

// A slanted line whose difference did not wrap: every point lies between the
// end points, so the frame cuts one range of k out of 1..n, walked from its
// top (the point nearest (x2, y2)) down.
void DrawSlanted(std::uint8_t* frame, std::int32_t x1, std::int32_t y1, CoordPair d, std::uint32_t n, ColourRef colour) {
    std::uint64_t ax = Magnitude(d.x), ay = Magnitude(d.y), lo = 1, hi = n;
    if (WorkIndex(x1, y1) < 0 || WorkIndex(x1 + d.x, y1 + d.y) < 0) {
        std::int64_t qlo, qhi;
        AxisWindow(x1, d.x, 0, FrameWidth - 1, qlo, qhi);
        ClipAxis(ax, n, qlo, qhi, lo, hi);
        AxisWindow(y1, d.y, 1, FrameHeight, qlo, qhi);
        ClipAxis(ay, n, qlo, qhi, lo, hi);
        if (lo > hi) return;
    }
    if (ax == ay) return DrawDiagonal(frame, x1, y1, d, ax * hi / n - ax * lo / n + 1, ax * hi / n, colour);
    const std::uint64_t run = n <= 65536 ? n : (std::uint64_t(1) << 32) / n;  // the longest exact run
    // Addresses as integers: the step after the last point may leave the frame.
    const std::intptr_t xBytes = d.x < 0 ? PixelStep : -PixelStep, yBytes = d.y < 0 ? -RowStep : RowStep;
    const std::intptr_t always = (ax == n ? xBytes : 0) + (ay == n ? yBytes : 0);
    const std::uintptr_t moves[4] = {std::uintptr_t(always), std::uintptr_t(always + yBytes), std::uintptr_t(always + xBytes),
                                     std::uintptr_t(always + xBytes + yBytes)};
    const bool newRows = 2 * ay >= n;
    for (std::uint64_t k = hi; k >= lo;) {
        std::int64_t qx, qy;
        AxisStep sx = StartAxis(ax, n, k, qx), sy = StartAxis(ay, n, k, qy);
        std::int64_t x = d.x < 0 ? x1 - qx : x1 + qx, y = d.y < 0 ? y1 - qy : y1 + qy;
        std::uint64_t count = k - lo + 1 < run ? k - lo + 1 : run;
        const auto address = std::uintptr_t(frame) + std::uintptr_t(((FrameHeight - y) * FrameWidth + x) * PixelStep);
        if (newRows)
            DrawSteps<true>(address, sx, sy, moves, std::uint32_t(count), colour);
        else
            DrawSteps<false>(address, sx, sy, moves, std::uint32_t(count), colour);
        k -= count;
    }
}

// A line whose difference wrapped round 32 bits: its points wrap alike, so
// each is placed and tested on its own (the divisions kept as remainders).
void DrawWrapped(std::uint8_t* frame, std::int32_t x1, std::int32_t y1, CoordPair d, std::uint32_t n, ColourRef colour) {
    std::int64_t ax = Magnitude(d.x), ay = Magnitude(d.y), qx = ax, qy = ay, rx = 0, ry = 0;
    for (std::uint32_t k = n; k >= 1; --k) {
        auto x = std::int32_t(std::uint32_t(x1) + std::uint32_t(d.x < 0 ? -qx : qx));
        auto y = std::int32_t(std::uint32_t(y1) + std::uint32_t(d.y < 0 ? -qy : qy));
        std::int32_t index = WorkIndex(x, y);
        if (index >= 0) StoreColour(frame, index, colour);
        rx -= ax;
        if (rx < 0) rx += n, --qx;
        ry -= ay;
        if (ry < 0) ry += n, --qy;
    }
}

// Writes `count` pixels from `pixel` on, keeping each one's byte 3.
void FillRowKeepingByte3(std::uint8_t* pixel, std::uint32_t count, ColourRef colour) {
    const std::uint32_t word = (colour >> 16 & 0xFFu) | (colour & 0xFF00u) | (colour & 0xFFu) << 16;
    auto one = [word](std::uint8_t* p) {
        std::uint32_t old;
        std::memcpy(&old, p, 4);
        old = (old & 0xFF000000u) | word;
        std::memcpy(p, &old, 4);
    };
#if defined(__SSE2__)
    // Single pixels up to a 16-byte boundary, then aligned groups of four (a
    // frame not 4-byte aligned never reaches one and is written pixel by pixel).
    for (; count != 0 && (std::uintptr_t(pixel) & 15) != 0; --count, pixel += 4) one(pixel);
    const __m128i keep = _mm_set1_epi32(std::int32_t(0xFF000000u)), ink = _mm_set1_epi32(std::int32_t(word));
    for (; count >= 4; count -= 4, pixel += 16) {
        auto* group = reinterpret_cast<__m128i*>(pixel);
        _mm_store_si128(group, _mm_or_si128(_mm_and_si128(_mm_load_si128(group), keep), ink));
    }
#endif
    for (; count != 0; --count, pixel += 4) one(pixel);
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
    if (first <= last)
        FillRowKeepingByte3(frame + std::size_t(rowStart + first) * 4, std::uint32_t(last - first + 1), colour);
}

void DrawColumnSpan(std::uint8_t* frame, std::int32_t x, std::int32_t y1, std::int32_t y2, ColourRef colour) {
    if (std::uint32_t(x) >= std::uint32_t(FrameWidth)) return;
    std::int64_t first, last;
    SpanAfterStart(y1, y2, 1, FrameHeight, first, last);
    if (first > last) return;
    // Bottom-most point first: its memory row is the lowest. Every point is
    // on a row of its own: rows a few points on are asked for ahead.
    auto address = std::uintptr_t(frame) + std::uintptr_t(WorkIndex(x, std::int32_t(last))) * 4;
    const PixelInk ink = InkOf(colour);
    for (auto count = std::uint32_t(last - first + 1); count != 0; --count, address += RowStep) {
        RowPrefetch(address + 8 * RowStep);
        PutInk(reinterpret_cast<std::uint8_t*>(address), ink);
    }
}

}  // namespace

void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, ColourRef colour) {
    std::uint8_t* frame = SurfaceState.workBits;
    if (frame == nullptr) return;
    CoordPair d = VectorDiff(x1, y1, x2, y2);
    std::uint32_t n = VectorLength(d.x, d.y);
    if (n == 0) return;
    bool exact = std::int64_t(x1) + d.x == x2 && std::int64_t(y1) + d.y == y2;
    if (!exact) return DrawWrapped(frame, x1, y1, d, n, colour);
    if (d.y == 0) return DrawRowSpan(frame, x1, x2, y1, colour);
    if (d.x == 0) return DrawColumnSpan(frame, x1, y1, y2, colour);
    DrawSlanted(frame, x1, y1, d, n, colour);
}
