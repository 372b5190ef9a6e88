// Writes pictures as PNG files for a person to look at (tests and benchmarks only).
// Platform-free; uses stored (uncompressed) deflate blocks, so no library is needed.
#pragma once
#include <cstdint>
#include <string>

// Writes width x height pixels whose rows are `rowBytes` apart, each pixel 4 bytes
// in memory order blue, green, red, reserved. `bottomUp` flips the rows (DIB order).
bool WritePngBgrx(const std::string& path, const std::uint8_t* pixels, int width, int height,
                  int rowBytes, bool bottomUp);

// FNV-1a hash of the same pixels' blue, green and red bytes (the reserved byte is left out).
std::uint64_t HashPixelsBgr(const std::uint8_t* pixels, int width, int height, int rowBytes);

// The folder for pictures the tests leave behind: $TD_ARTIFACTS, else "artifacts".
// Under Wine a Unix path is reached through drive Z:.
std::string ArtifactPath(const std::string& fileName);
