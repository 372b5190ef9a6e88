// String helpers, command-line tails, hexadecimal numbers and executable
// directories, on text in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/alloc.h"
#include "text/string_utils.h"

namespace {

TEST(Strings, LengthAtEveryAlignmentOnExactBlocks) {
    for (std::uint32_t length = 0; length < 12; ++length)
        for (std::uint32_t skew = 0; skew < 4; ++skew) {  // blocks hold exactly the string: overreads show
            char* block = static_cast<char*>(AllocZeroed(skew + length + 1));
            std::memset(block, 0x80 + int(length), skew + length);  // bytes that look like zeros to a weak test
            EXPECT_EQ(StringLength(block + skew), length) << length << " at +" << skew;
            FreeBlock(block);
        }
    char path[32] = "C:\\Apps\\";
    AppendString(path, "a.txt");
    EXPECT_STREQ(path, "C:\\Apps\\a.txt");
}

TEST(Strings, CommandLineTails) {
    const struct { const char* line; const char* tail; } cases[] = {
        {"player.exe", ""}, {"player.exe song.mid", "song.mid"}, {"player.exe  x", " x"}, {"", ""},
        {"player.exe ", ""}, {"\"C:\\My Music\\p.exe\" x y", "x y"}, {"\"C:\\My Music\\p.exe\"", ""},
        {"\"C:\\My Music\\p.exe\"  x", " x"}, {"C:\\My Music\\p.exe x", "Music\\p.exe x"}, {"\"C:\\no end x", ""},
    };
    for (const auto& c : cases) {
        CommandLineText tail = CommandLineTailOf(c.line);
        EXPECT_EQ(std::string(tail.text, tail.length), c.tail) << c.line;
        EXPECT_TRUE(tail.length > 0 || tail.text == c.line) << c.line;  // no tail: the line itself
    }
}

TEST(Strings, HexNumbersAndDirectories) {
    const struct { const char* text; std::uint32_t value; bool ok; } numbers[] = {
        {"", 0, true}, {"fF09", 0xFF09, true}, {"1a\r2", 0x1A, true}, {"12 4", 0xFFFFFFFF, false},
        {"123456789", 0x23456789, true}, {"g", 16, true}, {":", 10, true}, {"-1", 0xFFFFFFFF, false},
    };
    for (const auto& c : numbers) {
        HexNumber n = ParseHexNumber(c.text);
        EXPECT_TRUE(n.value == c.value && n.ok == c.ok) << c.text << " gave " << n.value;
    }
    const struct { const char* path; std::uint32_t length, size; const char* directory; } paths[] = {
        {"C:\\Apps\\player.exe", 18, 128, "C:\\Apps\\"}, {"C:\\d\\a.e", 8, 128, "C:\\"},
        {"a.exe", 5, 128, ""}, {"", 0, 128, ""}, {"abcdef.exe", 10, 128, ""}, {"C:\\Apps\\player.exe", 18, 18, ""},
    };
    for (const auto& c : paths) {
        char buffer[128] = {};
        std::strcpy(buffer, c.path);
        CutToDirectory(buffer, c.length, c.size);
        EXPECT_STREQ(buffer, c.directory) << c.path;
    }
}

}  // namespace
