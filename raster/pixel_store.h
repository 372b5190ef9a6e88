// Shared by the pixel routines and the primitives (not a public interface):
// the drawing target's row rule, its bounds test and the colour byte stores,
// inline so that a primitive pays for no call per pixel.
#pragma once
#include <cstdint>
#include <cstring>

#include "common/shared.h"
#include "surfaces/surface_state.h"

// The drawing target keeps its bottom row first: caller's y to memory row.
// Unsigned, so no y can overflow; the bounds test rejects what wraps.
inline std::int32_t FlipRow(std::int32_t y) { return std::int32_t(std::uint32_t(FrameHeight) - std::uint32_t(y)); }

// Index of (x, y) on the drawing target, or -1: x 0..1023, y 1..768.
inline std::int32_t WorkIndex(std::int32_t x, std::int32_t y) {
    std::uint32_t row = std::uint32_t(FrameHeight) - std::uint32_t(y);
    if (std::uint32_t(x) >= std::uint32_t(FrameWidth) || row >= std::uint32_t(FrameHeight)) return -1;
    return std::int32_t(row * std::uint32_t(FrameWidth) + std::uint32_t(x));
}

// Byte 0 blue, 1 green, 2 red; byte 3 is not touched.
inline void StoreColour(std::uint8_t* frame, std::int32_t index, ColourRef colour) {
    std::uint8_t* p = frame + std::uint32_t(index) * 4u;
    p[0] = std::uint8_t(colour >> 16);
    p[1] = std::uint8_t(colour >> 8);
    p[2] = std::uint8_t(colour);
}

// A colour split once per shape into the bytes a pixel store writes: blue and
// green as one 16-bit store, red as one byte (two stores, byte 3 untouched).
struct PixelInk {
    std::uint16_t blueGreen;
    std::uint8_t red;
};

inline PixelInk InkOf(ColourRef colour) {
    return {std::uint16_t((colour >> 16 & 0xFFu) | (colour & 0xFF00u)), std::uint8_t(colour)};
}

inline void PutInk(std::uint8_t* pixel, PixelInk ink) {
    std::memcpy(pixel, &ink.blueGreen, 2);
    pixel[2] = ink.red;
}
