// Fuzz: the command-line tail and StringLength of any zero-terminated text,
// at every alignment of its start.
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/string_utils.h"

#define REQUIRE(condition) do { if (!(condition)) std::abort(); } while (0)

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size > 4096) return 0;
    char* line = static_cast<char*>(AllocZeroed(std::uint32_t(size) + 1));  // exact: overreads show
    std::memcpy(line, data, size);
    std::uint32_t n = std::uint32_t(std::strlen(line));
    for (std::uint32_t k = 0; k < 4 && k <= n; ++k) REQUIRE(StringLength(line + k) == n - k);
    CommandLineText tail = CommandLineTailOf(line);
    if (tail.length == 0) REQUIRE(tail.text == line);
    else REQUIRE(tail.text > line + 1 && tail.text[-1] == ' ' && tail.text + tail.length == line + n);
    FreeBlock(line);
    return 0;
}
