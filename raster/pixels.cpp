// Pixel addressing and single-pixel access on the PixelBuffer and the drawing
// target. Depends on: surfaces/surface_state.h for the frame addresses (read
// afresh at every call), mathlib/tables.h for RowOffsetTable, raster/pixel_store.h
// for the row rule and byte stores shared with the primitives.
// Limits: a raw read of -1 cannot be told from a pixel of four 0xFF bytes.
#include "raster/pixels.h"

#include "mathlib/tables.h"
#include "raster/pixel_store.h"
#include "surfaces/surface_state.h"

namespace {

std::int32_t LoadRaw(const std::uint8_t* frame, std::int32_t index) {
    const std::uint8_t* p = frame + std::uint32_t(index) * 4u;
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

// A missing frame (a surface the platform failed to create) counts as outside.
std::int32_t WriteAt(std::uint8_t* frame, std::int32_t index, ColourRef colour) {
    if (index < 0 || frame == nullptr) return -1;
    StoreColour(frame, index, colour);
    return index;
}

std::int32_t ReadAt(const std::uint8_t* frame, std::int32_t index) {
    if (index < 0 || frame == nullptr) return -1;
    return LoadRaw(frame, index);
}

// The drawing target has 768 rows: the table's extra row 768 (y = 0) is refused.
std::int32_t WorkTableOffset(std::int32_t x, std::int32_t y) {
    std::int32_t row = FlipRow(y);
    if (std::uint32_t(row) >= std::uint32_t(FrameHeight)) return -1;
    return TablePixelOffset(x, row);
}

}  // namespace

std::int32_t PixelOffset(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (std::uint32_t(x) >= std::uint32_t(width) || std::uint32_t(y) >= std::uint32_t(height)) return -1;
    // Rows are 1024 pixels whatever width says; unsigned so a large y wraps, not overflows.
    return std::int32_t(std::uint32_t(y) * 1024u + std::uint32_t(x));
}

std::int32_t TablePixelOffset(std::int32_t x, std::int32_t y) {
    const std::int32_t* rows = LookupTables.RowOffsetTable;
    if (std::uint32_t(x) >= std::uint32_t(FrameWidth) || std::uint32_t(y) > std::uint32_t(FrameHeight) ||
        rows == nullptr)
        return -1;
    return rows[y] + x;
}

std::int32_t SetWorkPixel(std::int32_t x, std::int32_t y, ColourRef colour) {
    return WriteAt(SurfaceState.workBits, PixelOffset(x, FlipRow(y), FrameWidth, FrameHeight), colour);
}

std::int32_t SetWorkPixelByTable(std::int32_t x, std::int32_t y, ColourRef colour) {
    return WriteAt(SurfaceState.workBits, WorkTableOffset(x, y), colour);
}

std::int32_t GetWorkPixel(std::int32_t x, std::int32_t y) {
    return ReadAt(SurfaceState.workBits, PixelOffset(x, FlipRow(y), FrameWidth, FrameHeight));
}

std::int32_t GetWorkPixelByTable(std::int32_t x, std::int32_t y) {
    return ReadAt(SurfaceState.workBits, WorkTableOffset(x, y));
}

std::int32_t SetBufferPixel(std::int32_t x, std::int32_t y, ColourRef colour) {
    return WriteAt(SurfaceState.pixelBuffer, PixelOffset(x, y, FrameWidth, FrameHeight), colour);
}

std::int32_t SetBufferPixelByTable(std::int32_t x, std::int32_t y, ColourRef colour) {
    return WriteAt(SurfaceState.pixelBuffer, TablePixelOffset(x, y), colour);
}

std::int32_t GetBufferColour(std::int32_t x, std::int32_t y) {
    const std::uint8_t* frame = SurfaceState.pixelBuffer;
    std::int32_t index = PixelOffset(x, y, FrameWidth, FrameHeight);
    if (index < 0 || frame == nullptr) return -1;
    auto word = std::uint32_t(LoadRaw(frame, index));
    // Red back to bits 0-7, blue to bits 16-23, byte 3 dropped.
    return std::int32_t(((word >> 16) & 0xFFu) | (word & 0xFF00u) | ((word & 0xFFu) << 16));
}

std::int32_t GetBufferPixelByTable(std::int32_t x, std::int32_t y) {
    return ReadAt(SurfaceState.pixelBuffer, TablePixelOffset(x, y));
}
