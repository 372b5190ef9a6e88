// Fuzz: on any zero-terminated text, StringLength at every alignment of its
// start, the command-line tail, and ParseHexNumber, which must fail (with -1)
// exactly when a byte below '0' comes before the first zero or CR.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/string_utils.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    char* line = static_cast<char*>(AllocZeroed(std::uint32_t(size) + 1));  // exact: overreads show
    std::memcpy(line, data, size);
    std::uint32_t n = std::uint32_t(std::strlen(line));
    for (std::uint32_t k = 0; k < 4 && k <= n; ++k) if (StringLength(line + k) != n - k) std::abort();
    CommandLineText tail = CommandLineTailOf(line);
    if (!(tail.length == 0 && tail.text == line) && !(tail.text > line + 1 && tail.text[-1] == ' ' && tail.text + tail.length == line + n)) std::abort();
    bool bad = std::any_of(line, line + std::strcspn(line, "\r"), [](char c) { return static_cast<unsigned char>(c) < '0'; });
    HexNumber number = ParseHexNumber(line);
    if (number.ok == bad || (!number.ok && number.value != 0xFFFFFFFFu)) std::abort();
    FreeBlock(line);
    return 0;
}
