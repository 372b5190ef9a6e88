// Row copies, the flipping whole-frame copies between the PixelBuffer and the
// surfaces' bits, fills and clears. Depends on: surfaces/surface_state.h for
// the frame addresses, read afresh at every call.
// The three copy widths and the 8-byte clears move exactly the bytes the unit
// loops would. Row copies use memmove, safe if a caller makes rows overlap.
// The fill and the clears use x86's string-store instruction where the compiler
// can emit it: as fast as memset natively, faster than the Windows runtime's.
// A frame whose address is null (never created) is left alone.
#include "raster/frames.h"

#include <cstdint>
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

// Writes `count` copies of a 32-bit word. On x86 the string-fill instruction
// runs as fast as memset (a 16-byte store loop reaches only half of that).
void FillWords(std::uint8_t* to, std::uint32_t word, std::uint32_t count) {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    std::size_t n = count;
    asm volatile("rep stosl" : "+D"(to), "+c"(n) : "a"(word) : "memory");
#else
    for (std::uint32_t i = 0; i < count; ++i) std::memcpy(to + std::size_t(i) * 4, &word, 4);
#endif
}

// Copies one row between rows that do not overlap. The Windows C runtime's
// memcpy is slower than the string-move instruction (measured under Wine);
// elsewhere the C library's is as fast as anything.
void CopySeparateRow(std::uint8_t* to, const std::uint8_t* from) {
#if defined(_WIN32) && defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    std::size_t n = FrameRowBytes / 4;
    asm volatile("rep movsl" : "+D"(to), "+S"(from), "+c"(n) : : "memory");
#else
    std::memcpy(to, from, FrameRowBytes);
#endif
}

bool FramesOverlap(const std::uint8_t* a, const std::uint8_t* b) {
    auto x = std::uintptr_t(a), y = std::uintptr_t(b);
    return x < y + FrameBytes && y < x + FrameBytes;
}

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
    bool overlap = FramesOverlap(buffer, screen);
    for (std::int32_t y = 0; y < FrameHeight; ++y) {
        if (overlap)
            StoreRow(RowStart(screen, FrameHeight - 1 - y), RowStart(buffer, y), RowCopyWords);
        else
            CopySeparateRow(RowStart(screen, FrameHeight - 1 - y), RowStart(buffer, y));
    }
}

void WorkSurfaceToPixelBuffer() {
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    std::uint8_t* work = SurfaceState.workBits;
    if (buffer == nullptr || work == nullptr) return;
    // Separate frames: walk the surface's rows upwards in memory, since
    // reading forwards keeps the copy as fast as a plain memcpy, and the rows
    // end up the same in any order. A target laid over the PixelBuffer reads
    // rows the copy has already written, so there the order decides the
    // result: keep the defined one, y from 0 to 767.
    if (FramesOverlap(work, buffer)) {
        for (std::int32_t y = 0; y < FrameHeight; ++y)
            LoadRow(RowStart(work, FrameHeight - 1 - y), RowStart(buffer, y), RowCopyUnaligned16);
        return;
    }
    for (std::int32_t y = FrameHeight - 1; y >= 0; --y)
        CopySeparateRow(RowStart(buffer, y), RowStart(work, FrameHeight - 1 - y));
}

void FillPixelBuffer(ColourRef colour) {
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    if (buffer == nullptr) return;
    // Bytes blue, green, red, 0 read as one little-endian word.
    std::uint32_t word = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
    FillWords(buffer, word, FramePixels);
}

void ClearWorkSurface() {
    if (SurfaceState.workBits != nullptr) FillWords(SurfaceState.workBits, 0, FramePixels);
}

void ClearPixelBuffer() {
    std::uint8_t* buffer = GetPixelBuffer();
    if (buffer != nullptr) FillWords(buffer, 0, FramePixels);
}
