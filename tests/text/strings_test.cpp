// Command-line tails, hexadecimal numbers and executable directories, on text
// in memory. (StringLength at every alignment: the strings fuzz target,
// whose seeds the native build replays.)
#include <gtest/gtest.h>

#include <string>

#include "text/string_utils.h"

TEST(Strings, CommandLineTailsHexNumbersAndDirectories) {
    const struct { const char* line; const char* tail; } tails[] = {
        {"player.exe", ""}, {"player.exe song.mid", "song.mid"}, {"player.exe  x", " x"}, {"", ""}, {"p.exe ", ""},
        {"\"C:\\My Music\\p.exe\" x y", "x y"}, {"\"C:\\My Music\\p.exe\"", ""}, {"\"C:\\My Music\\p.exe\"  x", " x"},
        {"C:\\My Music\\p.exe x", "Music\\p.exe x"}, {"\"C:\\no end x", ""}};
    for (const auto& c : tails) EXPECT_EQ(std::string(CommandLineTailOf(c.line).text, CommandLineTailOf(c.line).length), c.tail) << c.line;
    const struct { const char* text; std::uint32_t value; bool ok; } numbers[] = {
        {"", 0, true}, {"fF09", 0xFF09, true}, {"1a\r2", 0x1A, true}, {"12 4", 0xFFFFFFFF, false},
        {"123456789", 0x23456789, true}, {"g", 16, true}, {":", 10, true}, {"-1", 0xFFFFFFFF, false}};
    for (const auto& c : numbers) EXPECT_TRUE(ParseHexNumber(c.text).value == c.value && ParseHexNumber(c.text).ok == c.ok) << c.text;
    const struct { std::string path; std::uint32_t length, size; const char* directory; } paths[] = {
        {"C:\\Apps\\player.exe", 18, 128, "C:\\Apps\\"}, {"C:\\d\\a.e", 8, 128, "C:\\"}, {"a.exe", 5, 128, ""},
        {"", 0, 128, ""}, {"abcdef.exe", 10, 128, ""}, {"C:\\Apps\\player.exe", 18, 18, ""}};  // the last: cut to its buffer
    auto cut = [](std::string path, std::uint32_t n, std::uint32_t size) { CutToDirectory(path.data(), n, size); return path; };
    for (const auto& c : paths) EXPECT_STREQ(cut(c.path, c.length, c.size).c_str(), c.directory) << c.path;
}
