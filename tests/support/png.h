// Pictures the tests leave for a person to look at.
#pragma once
#include <cstdint>
#include <string>

// Writes width x height pixels, rows `rowBytes` apart, each 4 bytes in memory
// order blue, green, red, reserved; `bottomUp` flips the rows (DIB order).
bool WritePngBgrx(const std::string& path, const std::uint8_t* pixels, int width, int height, int rowBytes, bool bottomUp);
// $TD_ARTIFACTS/fileName, else artifacts/fileName; under Wine a Unix path goes through drive Z:.
std::string ArtifactPath(const std::string& fileName);
