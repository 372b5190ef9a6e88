/// @file
/// Display mode: switches the screen to a resolution and colour depth for the
/// running program. The library has no procedure to switch back; the platform
/// undoes a temporary change when the program ends (ChangeDisplaySettingsA(NULL,
/// 0) restores it earlier).
#pragma once
#include <cstdint>

/// @addtogroup system
/// @{

std::int32_t SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);   ///< 1 when switched, 0 otherwise

/// @}
