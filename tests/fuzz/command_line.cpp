// Fuzz: the command-line tail and StringLength (at every alignment of the
// start) of any zero-terminated text.
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
    FreeBlock(line);
    return 0;
}
