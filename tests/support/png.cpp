// Minimal PNG writer: 8-bit RGB, filter 0 on every row, stored deflate blocks.
#include "support/png.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v >> 24));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& body) {
    PutBE32(out, std::uint32_t(body.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBE32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

bool WritePngBgrx(const std::string& path, const std::uint8_t* pixels, int width, int height,
                  int rowBytes, bool bottomUp) {
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + std::size_t(bottomUp ? height - 1 - y : y) * rowBytes;
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            raw.push_back(row[x * 4 + 2]);
            raw.push_back(row[x * 4 + 1]);
            raw.push_back(row[x * 4 + 0]);
        }
    }
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t c : raw) { a = (a + c) % 65521; b = (b + a) % 65521; }
    for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        bool last = pos + n >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(std::uint8_t(n)); z.push_back(std::uint8_t(n >> 8));
        z.push_back(std::uint8_t(~n)); z.push_back(std::uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
        if (last) break;
    }
    PutBE32(z, (b << 16) | a);

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> ihdr;
    PutBE32(ihdr, std::uint32_t(width));
    PutBE32(ihdr, std::uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    PutChunk(file, "IHDR", ihdr);
    PutChunk(file, "IDAT", z);
    PutChunk(file, "IEND", {});

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}

std::uint64_t HashPixelsBgr(const std::uint8_t* pixels, int width, int height, int rowBytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + std::size_t(y) * rowBytes;
        for (int x = 0; x < width * 4; ++x) {
            if ((x & 3) == 3) continue;
            h = (h ^ row[x]) * 1099511628211ull;
        }
    }
    return h;
}

std::string ArtifactPath(const std::string& fileName) {
    const char* dir = std::getenv("TD_ARTIFACTS");
    std::string base = dir != nullptr && *dir != '\0' ? dir : "artifacts";
#ifdef _WIN32
    if (!base.empty() && base[0] == '/') base = "Z:" + base;
#endif
    return base + "/" + fileName;
}
