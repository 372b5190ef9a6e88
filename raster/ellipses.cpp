// Ellipse outlines: 3600 points, one per tenth of a degree, placed by the
// fixed-point tables: x = cx + rx × cos / 1000, y = cy + ry × sin / 1000, each
// truncated toward zero, as PolarOffset gives them. Depends on:
// mathlib/tables.h (FixedCosTable, FixedSinTable), raster/pixel_store.h.
// Radii up to 2,147,483 keep the products in 32 bits (no 64-bit division on a
// 32-bit processor); larger ones take 64-bit products with the same results.
// Limits: points are not joined, so above radii of about 573 the outline has gaps.
#include <cstdint>

#include "mathlib/tables.h"
#include "raster/pixel_store.h"
#include "raster/primitives.h"

namespace {

constexpr std::int32_t NarrowRadius = 2147483;  // × 1000 still fits in 32 bits

template <typename Product>
void PlotOutline(std::uint8_t* frame, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry,
                 ColourRef colour) {
    const std::int32_t* cosine = LookupTables.FixedCosTable;
    const std::int32_t* sine = LookupTables.FixedSinTable;
    // From 3600 (angle 0) down to 1; y grows downwards, so rising angles run clockwise.
    for (AngleIndex a = FullTurn; a >= 1; --a) {
        AngleIndex i = a == FullTurn ? 0 : a;
        auto dx = std::int32_t(Product(rx) * cosine[i] / 1000);
        auto dy = std::int32_t(Product(ry) * sine[i] / 1000);
        std::int32_t index = WorkIndex(std::int32_t(std::uint32_t(cx) + std::uint32_t(dx)),
                                       std::int32_t(std::uint32_t(cy) + std::uint32_t(dy)));
        if (index >= 0) StoreColour(frame, index, colour);
    }
}

bool Narrow(std::int32_t r) { return r >= -NarrowRadius && r <= NarrowRadius; }

}  // namespace

void DrawEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, ColourRef colour) {
    std::uint8_t* frame = SurfaceState.workBits;
    if (frame == nullptr) return;
    if (Narrow(rx) && Narrow(ry))
        PlotOutline<std::int32_t>(frame, cx, cy, rx, ry, colour);
    else
        PlotOutline<std::int64_t>(frame, cx, cy, rx, ry, colour);
}
