/// @file
/// Raster primitives drawn pixel by pixel into the drawing target through the
/// flipped pixel writers: x 0..1023, y 1 (top) to 768 (bottom). Points off the
/// frame are skipped one by one. Integer arithmetic only. Platform-free.
#pragma once
#include <cstdint>

#include "../common/shared.h"

/// @addtogroup raster
/// @{

void DrawEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, ColourRef colour);  ///< 3600 unjoined outline points
void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, ColourRef colour);     ///< round(length) points from (x2, y2) back towards (x1, y1)
void DrawDiscFromHalf(std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour);   ///< concentric circles, half intensity at the rim
void DrawDiscFromBlack(std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour);  ///< concentric circles, black at the rim
void DrawGradientRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColourRef colour);  ///< h lines from full to about half intensity

/// @}
