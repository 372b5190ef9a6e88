// Fuzz: on any zero-terminated text, StringLength at every alignment of its
// start (zeros before it included), and the command-line tail and
// ParseHexNumber against plain scans written here: the name ends at its
// closing quote or at the first character,
// the tail follows the next space; a hex number fails (with -1) exactly when a
// byte below '0' comes before the first zero or CR.
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/string_utils.h"

static void Require(bool ok) { if (!ok) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    char* line = static_cast<char*>(AllocZeroed(std::uint32_t(size) + 1));  // exact: overreads show
    std::memcpy(line, data, size);
    const std::uint32_t n = std::uint32_t(std::strlen(line));
    for (std::uint32_t k = 0; k < 4 && k <= size; ++k) Require(StringLength(line + k) == std::strlen(line + k));   // zeros before the start too
    const char* close = n > 0 && line[0] == '"' ? std::strchr(line + 1, '"') : nullptr;
    const char *space = std::strchr(line + (n == 0 ? 0 : line[0] != '"' ? 1 : close ? close - line + 1 : n), ' '), *p = line;
    const CommandLineText tail = CommandLineTailOf(line);
    Require(space && space[1] ? tail.text == space + 1 && tail.length == line + n - space - 1 : tail.text == line && tail.length == 0);
    std::uint32_t value = 0;
    for (unsigned c; (c = static_cast<unsigned char>(*p)) != '\r' && c >= '0'; ++p) value = value * 16 + (c >= 'a' ? c - 'a' + 10 : c >= 'A' ? c - 'A' + 10 : c & 0x0F);
    const HexNumber number = ParseHexNumber(line);
    Require(number.ok == (*p == 0 || *p == '\r') && number.value == (number.ok ? value : 0xFFFFFFFFu));
    FreeBlock(line);
    return 0;
}
