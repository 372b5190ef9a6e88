// Pictures the tests leave for a person to look at, and a hash to compare them.
#pragma once
#include <cstdint>
#include <string>

// Writes width x height pixels, rows `rowBytes` apart, each 4 bytes in memory
// order blue, green, red, reserved; `bottomUp` flips the rows (DIB order).
bool WritePngBgrx(const std::string& path, const std::uint8_t* pixels, int width, int height, int rowBytes, bool bottomUp);
// FNV-1a hash of the same pixels' blue, green and red bytes (the reserved byte left out).
std::uint64_t HashPixelsBgr(const std::uint8_t* pixels, int width, int height, int rowBytes);
// $TD_ARTIFACTS/fileName, else artifacts/fileName; under Wine a Unix path goes through drive Z:.
std::string ArtifactPath(const std::string& fileName);
