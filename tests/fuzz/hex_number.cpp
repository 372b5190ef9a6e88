// Fuzz: ParseHexNumber on any zero-terminated text fails (with -1) exactly
// when a byte below '0' comes before the first zero or CR.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/string_utils.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const char* s = text.c_str();
    bool bad = std::any_of(s, s + std::strcspn(s, "\r"), [](char c) { return static_cast<unsigned char>(c) < '0'; });
    HexNumber parsed = ParseHexNumber(s);
    if (parsed.ok == bad || (!parsed.ok && parsed.value != 0xFFFFFFFFu)) std::abort();
    return 0;
}
