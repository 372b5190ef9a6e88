// Gradient rectangles: h horizontal lines, full intensity (lowest bit of each
// channel cleared) on the top line down to about half on the bottom one.
// Depends on: mathlib/geometry.h (MulDivUnsigned), raster/primitives.h (DrawLine).
// Limits: each line covers x + 1 to x + w, as DrawLine leaves its start out.
#include <cstdint>

#include "mathlib/geometry.h"
#include "raster/primitives.h"

void DrawGradientRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColourRef colour) {
    if (h < 1) return;
    std::uint32_t half[3];
    for (int c = 0; c < 3; ++c) half[c] = ((colour >> (8 * c)) & 0xFFu) / 2;
    const auto right = std::int32_t(std::uint32_t(x) + std::uint32_t(w));
    for (std::int32_t i = 0; i < h; ++i) {
        ColourRef shade = 0;
        for (int c = 0; c < 3; ++c)
            shade |= (half[c] + MulDivUnsigned(std::uint32_t(h - i), std::uint32_t(h), half[c])) << (8 * c);
        const auto row = std::int32_t(std::uint32_t(y) + std::uint32_t(i));
        DrawLine(x, row, right, row, shade);
    }
}
