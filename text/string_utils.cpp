// String, command-line and number helpers on text in memory (platform-free).
#include "text/string_utils.h"

#include <bit>
#include <cstring>

namespace {

using AliasedWord = std::uint32_t __attribute__((may_alias));

// Bits 7, 15, 23, 31 flag the bytes of w that may be zero; the lowest flag is
// always a real zero byte (false flags appear only above a real one).
constexpr std::uint32_t ZeroByteFlags(std::uint32_t w) {
    return (w - 0x01010101u) & ~w & 0x80808080u;
}

}  // namespace

// Reads whole aligned words: never past the word holding the zero, so never
// across a page or block granule the string does not touch. The address
// checker would still flag the bytes of that last word beyond the block.
__attribute__((no_sanitize("address")))
std::uint32_t StringLength(const char* text) {
    const char* p = text;
    while (reinterpret_cast<std::uintptr_t>(p) % 4 != 0) {
        if (*p == 0) return std::uint32_t(p - text);
        ++p;
    }
    for (;; p += 4) {
        std::uint32_t flags = ZeroByteFlags(*reinterpret_cast<const AliasedWord*>(p));
        if (flags != 0) return std::uint32_t(p - text) + std::countr_zero(flags) / 8;
    }
}

void AppendString(char* destination, const char* source) {
    char* end = destination + StringLength(destination);
    do {
        *end++ = *source;
    } while (*source++ != 0);
}

void FillBytes(void* destination, std::uint32_t count, std::uint32_t value) {
    unsigned char* p = static_cast<unsigned char*>(destination);
    for (std::uint32_t i = 0; i < count; ++i) p[i] = static_cast<unsigned char>(value);
}

CommandLineText CommandLineTailOf(const char* line) {
    std::uint32_t n = StringLength(line);
    std::uint32_t from = 1;
    if (line[0] == '"') {  // (an empty line's first byte is its zero)
        const void* close = std::memchr(line + 1, '"', n - 1);
        from = close == nullptr ? n : std::uint32_t(static_cast<const char*>(close) - line) + 1;  // no closing quote: all of it is the name
    }
    for (std::uint32_t i = from; i < n; ++i) {
        if (line[i] == ' ') {
            std::uint32_t start = i + 1;
            if (start == n) break;
            return {n - start, line + start};
        }
    }
    return {0, line};
}

HexNumber ParseHexNumber(const char* text) {
    std::uint32_t value = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text);; ++p) {
        unsigned c = *p;
        unsigned digit;
        if (c >= 'a') {
            digit = c - 'a' + 10;
        } else if (c >= 'A') {
            digit = c - 'A' + 10;
        } else if (c >= '0') {
            digit = c & 0x0F;
        } else if (c == 0 || c == '\r') {
            return {value, true};
        } else {
            return {0xFFFFFFFFu, false};
        }
        value = value * 16 + digit;
    }
}

void CutToDirectory(char* path, std::uint32_t length, std::uint32_t size) {
    if (length < size && length >= 6) {
        for (std::uint32_t i = length - 6;; --i) {
            if (path[i] == '\\') {
                path[i + 1] = 0;
                return;
            }
            if (i == 0) break;
        }
    }
    if (size > 0) path[0] = 0;
}
