// Row copies, the flipping whole-frame copies between the PixelBuffer and the
// surfaces' bits, fills and clears. Depends on: surfaces/surface_state.h for
// the frame addresses, read afresh at every call.
// The three copy widths and the 8-byte clears move exactly the bytes the unit
// loops would; they are realised with memmove and memset, which are as fast as
// the machine allows and, unlike a unit loop, safe if a caller makes rows overlap.
// A frame whose address is null (never created) is left alone.
#include "raster/frames.h"

#include <cstring>

#include "surfaces/surface_state.h"

namespace {

std::int32_t CopyRow(std::uint8_t* to, const std::uint8_t* from, std::int32_t mode) {
    if (mode != RowCopyWords && mode != RowCopyQuads && mode != RowCopyUnaligned16) return -1;
    std::memmove(to, from, FrameRowBytes);
    if (mode != RowCopyWords) return mode;
    std::uint32_t last;
    std::memcpy(&last, to + FrameRowBytes - 4, 4);
    return std::int32_t(last);
}

std::uint8_t* RowStart(std::uint8_t* frame, std::int32_t row) { return frame + std::size_t(row) * FrameRowBytes; }

}  // namespace

std::int32_t StoreRow(std::uint8_t* bitmapRow, const std::uint8_t* bufferRow, std::int32_t mode) {
    return CopyRow(bitmapRow, bufferRow, mode);
}

std::int32_t LoadRow(const std::uint8_t* bitmapRow, std::uint8_t* bufferRow, std::int32_t mode) {
    return CopyRow(bufferRow, bitmapRow, mode);
}

void PixelBufferToScreen() {
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    std::uint8_t* screen = SurfaceState.screenBits;
    if (buffer == nullptr || screen == nullptr) return;
    for (std::int32_t y = 0; y < FrameHeight; ++y)
        StoreRow(RowStart(screen, FrameHeight - 1 - y), RowStart(buffer, y), RowCopyWords);
}

void WorkSurfaceToPixelBuffer() {
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    std::uint8_t* work = SurfaceState.workBits;
    if (buffer == nullptr || work == nullptr) return;
    for (std::int32_t y = 0; y < FrameHeight; ++y)
        LoadRow(RowStart(work, FrameHeight - 1 - y), RowStart(buffer, y), RowCopyUnaligned16);
}

void FillPixelBuffer(ColourRef colour) {
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    if (buffer == nullptr) return;
    const auto blue = std::uint8_t(colour >> 16), green = std::uint8_t(colour >> 8), red = std::uint8_t(colour);
    if (blue == green && green == red && red == 0) {
        std::memset(buffer, 0, FrameBytes);
        return;
    }
    // Four pixels per 16-byte store; memcpy keeps it free of alignment demands.
    std::uint8_t pattern[16];
    for (int i = 0; i < 16; i += 4) {
        pattern[i] = blue;
        pattern[i + 1] = green;
        pattern[i + 2] = red;
        pattern[i + 3] = 0;
    }
    for (std::uint32_t offset = 0; offset < FrameBytes; offset += 16) std::memcpy(buffer + offset, pattern, 16);
}

void ClearWorkSurface() {
    if (SurfaceState.workBits != nullptr) std::memset(SurfaceState.workBits, 0, FrameBytes);
}

void ClearPixelBuffer() {
    std::uint8_t* buffer = GetPixelBuffer();
    if (buffer != nullptr) std::memset(buffer, 0, FrameBytes);
}
