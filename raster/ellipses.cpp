// Ellipse outlines: 3600 points, one per tenth of a degree, placed by the
// fixed-point tables. Depends on: mathlib/geometry.h (PolarOffset),
// raster/pixels.h (SetWorkPixelByTable).
// Limits: points are not joined, so above radii of about 573 the outline has gaps.
#include <cstdint>

#include "mathlib/geometry.h"
#include "raster/pixels.h"
#include "raster/primitives.h"

void DrawEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, ColourRef colour) {
    // From 3600 (angle 0) down to 1; y grows downwards, so rising angles run clockwise.
    for (AngleIndex a = FullTurn; a >= 1; --a) {
        std::int32_t x = std::int32_t(std::uint32_t(cx) + std::uint32_t(PolarOffset(rx, a).x));
        std::int32_t y = std::int32_t(std::uint32_t(cy) + std::uint32_t(PolarOffset(ry, a).y));
        SetWorkPixelByTable(x, y, colour);
    }
}
