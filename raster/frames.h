/// @file
/// Whole rows and whole frames: row copies, the flipping copies between the
/// PixelBuffer and the surfaces' bits, fills and clears. Platform-free; the
/// frame addresses are read from SurfaceState at every call.
#pragma once
#include <cstdint>

#include "../common/shared.h"

/// @addtogroup raster
/// @{

/// @name Row copy widths: the bytes moved are the same whichever is chosen
/// @{
constexpr std::int32_t RowCopyWords = 0;       ///< 4-byte units
constexpr std::int32_t RowCopyQuads = 1;       ///< 8-byte units
constexpr std::int32_t RowCopyUnaligned16 = 2; ///< 16-byte units, no alignment needed
/// @}

/// @name Row copies of 4096 bytes: -1 for an unknown mode (nothing copied), mode 0 gives the last 4-byte value copied, modes 1 and 2 the mode itself
/// @{
std::int32_t StoreRow(std::uint8_t* bitmapRow, const std::uint8_t* bufferRow, std::int32_t mode);  ///< buffer row -> bitmap row
std::int32_t LoadRow(const std::uint8_t* bitmapRow, std::uint8_t* bufferRow, std::int32_t mode);   ///< bitmap row -> buffer row
/// @}

/// @name Whole-frame copies (768 rows, bitmap row 767 - y pairs with buffer row y)
/// @{
void PixelBufferToScreen();        ///< PixelBuffer -> ScreenSurface bits, upright on screen
void WorkSurfaceToPixelBuffer();   ///< drawing target -> PixelBuffer
/// @}

/// @name Fill and clear
/// @{
void FillPixelBuffer(ColourRef colour);  ///< every frame pixel = blue, green, red, 0
void ClearWorkSurface();                 ///< zeroes the drawing target's 3,145,728 bytes
void ClearPixelBuffer();                 ///< zeroes the PixelBuffer frame; the spare half is left alone
/// @}

/// @}
