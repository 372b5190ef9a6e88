/// @file
/// Pixel addressing and single-pixel access on the 1024 by 768 frames: the
/// PixelBuffer (top row first) and the drawing target (bottom row first, so the
/// caller's y maps to memory row 768 - y). Platform-free.
/// Colours go in as COLORREF (0x00BBGGRR); raw reads return the pixel's bytes
/// blue, green, red, reserved as one little-endian word (0xXXRRGGBB).
#pragma once
#include <cstdint>

#include "../common/shared.h"

/// @addtogroup raster
/// @{

/// @name Index computation: pixels from the frame start, or -1 outside
/// @{
std::int32_t PixelOffset(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);  ///< y × 1024 + x when x < width and y < height (unsigned)
std::int32_t TablePixelOffset(std::int32_t x, std::int32_t y);  ///< RowOffsetTable[y] + x for x 0..1023, y 0..768 (one row past the frame)
/// @}

/// @name Drawing target (memory row 768 - y, so y runs 1..768); writers keep byte 3
/// @{
std::int32_t SetWorkPixel(std::int32_t x, std::int32_t y, ColourRef colour);         ///< index written, or -1
std::int32_t SetWorkPixelByTable(std::int32_t x, std::int32_t y, ColourRef colour);  ///< same through RowOffsetTable
std::int32_t GetWorkPixel(std::int32_t x, std::int32_t y);                            ///< raw word, or -1
std::int32_t GetWorkPixelByTable(std::int32_t x, std::int32_t y);                     ///< raw word through RowOffsetTable, or -1
/// @}

/// @name PixelBuffer (memory row y); the table-indexed ones also reach row 768 in the spare half
/// @{
std::int32_t SetBufferPixel(std::int32_t x, std::int32_t y, ColourRef colour);         ///< index written, or -1
std::int32_t SetBufferPixelByTable(std::int32_t x, std::int32_t y, ColourRef colour);  ///< index written, or -1; y up to 768
std::int32_t GetBufferColour(std::int32_t x, std::int32_t y);                          ///< COLORREF, or -1
std::int32_t GetBufferPixelByTable(std::int32_t x, std::int32_t y);                    ///< raw word, or -1; y up to 768
/// @}

/// @}
