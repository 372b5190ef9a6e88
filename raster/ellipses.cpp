// Ellipse outlines: 3600 points, one per tenth of a degree, placed by the
// fixed-point tables: x = cx + rx × cos / 1000, y = cy + ry × sin / 1000, each
// truncated toward zero, as PolarOffset gives them. Depends on:
// mathlib/tables.h (FixedCosTable, FixedSinTable), raster/pixel_store.h.
// Every point has the same colour, so only the set of points matters. The
// tables mirror between the four quadrants, and truncation toward zero
// mirrors with them, so the points of angles 0 to 900 give all four quadrants.
// Within that quarter x only falls and y only rises; for small radii many
// angles share a point, and the next angle that moves x or y is looked up
// (first angle whose cosine drops below, or sine reaches, a threshold) rather
// than stepped to. The mirror and the order are checked on the tables once;
// tables without them take the plain walk over the 3600 angles.
// Radii up to 2,147,483 keep the products in 32 bits (no 64-bit division on a
// 32-bit processor); larger ones take 64-bit products with the same results.
// Limits: points are not joined, so above radii of about 573 the outline has gaps.
// What was found on the tables is kept for their block's address: tables
// rewritten in place (rather than rebuilt by BuildLookupTables) are not looked
// at again. Tables not built yet draw nothing.
#include <cstdint>

#include "mathlib/tables.h"
#include "raster/pixel_store.h"
#include "raster/primitives.h"

namespace {

constexpr std::int32_t NarrowRadius = 2147483;  // × 1000 still fits in 32 bits
constexpr std::int32_t Quarter = 900, Half = 1800;
constexpr std::int32_t NoAngle = Quarter + 1;
// Below this (rx + ry) the look-ups visit fewer angles than the plain walk.
constexpr std::int32_t LookupRadii = 700;

// What the quarter walk needs from the tables, found once for each table block.
struct QuarterTablesRecord {
    const std::int32_t* cosine;  // the block this was found for, or null
    bool mirrored;               // the four quadrants mirror and the quarter is monotone
    std::uint16_t firstCosBelow[1002];   // [v]: first angle 0..900 with cos < v, else NoAngle
    std::uint16_t firstSinAtLeast[1002]; // [v]: first angle 0..900 with sin >= v, else NoAngle
};

QuarterTablesRecord QuarterTables;

bool CheckQuarter(const std::int32_t* cosine, const std::int32_t* sine) {
    if (cosine[0] != FixedOne || sine[0] != 0 || cosine[Quarter] != 0 || sine[Quarter] != FixedOne) return false;
    for (std::int32_t a = 0; a <= Quarter; ++a) {
        std::int32_t back = (FullTurn - a) % FullTurn;
        if (cosine[Half - a] != -cosine[a] || sine[Half - a] != sine[a] || cosine[Half + a] != -cosine[a] ||
            sine[Half + a] != -sine[a] || cosine[back] != cosine[a] || sine[back] != -sine[a])
            return false;
        if (a > 0 && (cosine[a] > cosine[a - 1] || sine[a] < sine[a - 1])) return false;
    }
    return true;
}

const QuarterTablesRecord* QuarterTablesFor(const std::int32_t* cosine, const std::int32_t* sine) {
    QuarterTablesRecord& q = QuarterTables;
    if (q.cosine == cosine) return q.mirrored ? &q : nullptr;
    q.cosine = cosine;
    q.mirrored = CheckQuarter(cosine, sine);
    std::int32_t c = Quarter + 1, s = 0;
    for (std::int32_t v = 0; v <= 1001; ++v) {  // both first angles move monotonically with v
        while (c > 0 && cosine[c - 1] < v) --c;
        q.firstCosBelow[v] = std::uint16_t(c);
        while (s <= Quarter && sine[s] < v) ++s;
        q.firstSinAtLeast[v] = std::uint16_t(s);
    }
    return q.mirrored ? &q : nullptr;
}

void PutIfInside(std::uint8_t* frame, std::uint32_t x, std::uint32_t y, PixelInk ink) {
    std::int32_t index = WorkIndex(std::int32_t(x), std::int32_t(y));
    if (index >= 0) PutInk(frame + std::uint32_t(index) * 4u, ink);
}

// The quarter point (x, y) and its three mirrors; coordinates wrap as the plain walk's do.
void PutMirrored(std::uint8_t* frame, std::int32_t cx, std::int32_t cy, std::uint32_t x, std::uint32_t y, PixelInk ink) {
    PutIfInside(frame, std::uint32_t(cx) + x, std::uint32_t(cy) + y, ink);
    PutIfInside(frame, std::uint32_t(cx) - x, std::uint32_t(cy) + y, ink);
    PutIfInside(frame, std::uint32_t(cx) + x, std::uint32_t(cy) - y, ink);
    PutIfInside(frame, std::uint32_t(cx) - x, std::uint32_t(cy) - y, ink);
}

// Radii 0..NarrowRadius: every distinct point of angles 0..900, mirrored.
void PlotQuarters(std::uint8_t* frame, const QuarterTablesRecord& q, const std::int32_t* cosine, const std::int32_t* sine,
                  std::int32_t cx, std::int32_t cy, std::uint32_t rx, std::uint32_t ry, PixelInk ink) {
    if (rx + ry < std::uint32_t(LookupRadii)) {
        for (std::int32_t a = 0; a <= Quarter;) {
            std::uint32_t x = rx * std::uint32_t(cosine[a]) / 1000, y = ry * std::uint32_t(sine[a]) / 1000;
            PutMirrored(frame, cx, cy, x, y, ink);
            // x drops at the first angle with rx × cos < 1000 x, that is cos < ceil(1000 x / rx);
            // y rises at the first with ry × sin >= 1000 (y + 1).
            std::int32_t nextX = x == 0 ? NoAngle : q.firstCosBelow[(1000 * x + rx - 1) / rx];
            std::int32_t nextY = y >= ry ? NoAngle : q.firstSinAtLeast[(1000 * (y + 1) + ry - 1) / ry];
            a = nextX < nextY ? nextX : nextY;
        }
        return;
    }
    std::uint32_t lastX = ~0u, lastY = ~0u;
    for (std::int32_t a = 0; a <= Quarter; ++a) {
        std::uint32_t x = rx * std::uint32_t(cosine[a]) / 1000, y = ry * std::uint32_t(sine[a]) / 1000;
        if (x == lastX && y == lastY) continue;
        PutMirrored(frame, cx, cy, x, y, ink);
        lastX = x;
        lastY = y;
    }
}

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
    const std::int32_t* cosine = LookupTables.FixedCosTable;
    const std::int32_t* sine = LookupTables.FixedSinTable;
    if (frame == nullptr || cosine == nullptr || sine == nullptr) return;
    if (!Narrow(rx) || !Narrow(ry)) return PlotOutline<std::int64_t>(frame, cx, cy, rx, ry, colour);
    // A negative radius mirrors each point, which leaves the mirrored set as it is.
    const QuarterTablesRecord* quarter = QuarterTablesFor(cosine, sine);
    if (quarter != nullptr)
        PlotQuarters(frame, *quarter, cosine, sine, cx, cy, rx < 0 ? 0u - std::uint32_t(rx) : std::uint32_t(rx),
                     ry < 0 ? 0u - std::uint32_t(ry) : std::uint32_t(ry), InkOf(colour));
    else
        PlotOutline<std::int32_t>(frame, cx, cy, rx, ry, colour);
}
