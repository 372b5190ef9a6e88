// PNG files through stb_image_write; platform-free.
#include "support/png.h"

#include <cstdlib>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

bool WritePngBgrx(const std::string& path, const std::uint8_t* pixels, int width, int height, int rowBytes, bool bottomUp) {
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + std::size_t(bottomUp ? height - 1 - y : y) * rowBytes;
        for (int x = 0; x < width * 3; ++x) rgb[std::size_t(y) * width * 3 + x] = row[x / 3 * 4 + 2 - x % 3];
    }
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

std::string ArtifactPath(const std::string& fileName) {
    const char* dir = std::getenv("TD_ARTIFACTS");
    std::string base = dir != nullptr && *dir != '\0' ? dir : "artifacts";
#ifdef _WIN32
    if (base[0] == '/') base = "Z:" + base;
#endif
    return base + "/" + fileName;
}
