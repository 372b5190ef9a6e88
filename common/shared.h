/// @file
/// Shared definitions of the whole system: colour values, angles, pairs.
/// Platform-free: never includes <windows.h>.
#pragma once
#include <cstdint>

/// @addtogroup common
/// @{

/// A colour as GDI takes it: 0x00BBGGRR (red in bits 0-7, blue in bits 16-23).
using ColourRef = std::uint32_t;

/// An angle in tenths of a degree, 0 to 3599; every trigonometric table is indexed by it.
using AngleIndex = std::int32_t;

/// Fixed-point values are scaled by this (1000 stands for 1.0).
constexpr std::int32_t FixedOne = 1000;

/// Steps to a full turn of an AngleIndex.
constexpr std::int32_t FullTurn = 3600;

/// Builds a COLORREF from its three channels.
constexpr ColourRef MakeColour(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

/// A coordinate pair: x before y (as a 64-bit word, x is the high half).
struct CoordPair {
    std::int32_t x;   ///< across
    std::int32_t y;   ///< down
};

/// A coordinate triple.
struct CoordTriple {
    std::int32_t x;   ///< across
    std::int32_t y;   ///< down
    std::int32_t z;   ///< depth
};

/// A pair of single floats, x before y.
struct FloatPair {
    float x;   ///< first
    float y;   ///< second
};

/// Packs a coordinate pair into one 64-bit word, x in the high half.
constexpr std::uint64_t PackCoordPair(CoordPair p) {
    return (std::uint64_t(std::uint32_t(p.x)) << 32) | std::uint32_t(p.y);
}

/// @}
