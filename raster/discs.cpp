// Shaded discs: r concentric circles from the rim inwards, each a shade
// nearer the full colour. Depends on: mathlib/geometry.h (MulDivUnsigned),
// raster/primitives.h (DrawEllipse).
// Limits: a disc of radius r costs 3600 × r pixel writes.
#include <cstdint>

#include "mathlib/geometry.h"
#include "raster/primitives.h"

namespace {

// Channel i of circle `step` of `count`: base + value × step / count, rounded down.
ColourRef ShadeColour(const std::uint32_t base[3], const std::uint32_t value[3], std::uint32_t step,
                      std::uint32_t count) {
    ColourRef shaded = 0;
    for (int c = 0; c < 3; ++c) shaded |= (base[c] + MulDivUnsigned(step, count, value[c])) << (8 * c);
    return shaded;
}

// halve: the rim starts from half intensity, else from black.
void DrawDisc(std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour, bool halve) {
    if (r < 1) return;
    std::uint32_t value[3], base[3];
    for (int c = 0; c < 3; ++c) {
        std::uint32_t channel = (colour >> (8 * c)) & 0xFFu;
        value[c] = halve ? channel / 2 : channel;
        base[c] = halve ? channel / 2 : 0;
    }
    for (std::int32_t i = 0; i < r; ++i) {
        std::int32_t radius = r - i;
        DrawEllipse(cx, cy, radius, radius, ShadeColour(base, value, std::uint32_t(i), std::uint32_t(r)));
    }
}

}  // namespace

void DrawDiscFromHalf(std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour) {
    DrawDisc(cx, cy, r, colour, true);
}

void DrawDiscFromBlack(std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour) {
    DrawDisc(cx, cy, r, colour, false);
}
