// Fuzz: ParseHexNumber on any zero-terminated text; a failure is always the
// value -1 and happens only at a byte below '0' other than zero and CR.
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/string_utils.h"

#define REQUIRE(condition) do { if (!(condition)) std::abort(); } while (0)

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size > 4096) return 0;
    char* text = static_cast<char*>(AllocZeroed(std::uint32_t(size) + 1));
    std::memcpy(text, data, size);
    std::size_t end = std::strcspn(text, "\r");
    bool bad = false;
    for (std::size_t i = 0; i < end && !bad; ++i) bad = static_cast<unsigned char>(text[i]) < '0';
    HexNumber number = ParseHexNumber(text);
    REQUIRE(number.ok == !bad && (number.ok || number.value == 0xFFFFFFFFu));
    FreeBlock(text);
    return 0;
}
