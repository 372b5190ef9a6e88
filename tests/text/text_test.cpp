// The platform-free text code on text in memory: the index of small texts
// record by record (texts whose line ends do not pair up included), the line
// helpers, files read from disk, command-line tails, hexadecimal numbers and
// executable directories. Queries out of range on every line and StringLength
// at every alignment: the text_index and strings fuzz targets, whose seeds the
// native build replays.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/alloc.h"
#include "text/document.h"
#include "text/files.h"
#include "text/string_utils.h"
// The index of a text: "lines <count>", then per line " | offset,length" and
// its words as start:length/remaining (start as an offset into the text when
// the length is not 0, else the number it holds).
static std::string Index(const std::string& bytes) {
    char* text = static_cast<char*>(AllocZeroed(TextDocumentSize));
    std::memcpy(text, bytes.data(), bytes.size());
    TextDocument* d = IndexTextDocument(text, std::uint32_t(bytes.size()));
    if (d == nullptr) return "null";
    std::string out = "lines " + std::to_string(d->lineCount);
    for (std::uint32_t n = 1; n < d->lineCount; ++n) {
        out += " | " + std::to_string(LineOffset(n, d->lineOffsets, d->lineCount)) + "," + std::to_string(LineLength(d, n));
        for (std::uint32_t m = 1; m <= GetWordCount(d, n); ++m) {
            const WordSpan* w = GetWordSpan(d, n, m);
            std::uintptr_t start = std::uintptr_t(w->start) - (w->length > 0 ? std::uintptr_t(d->text) : 0);
            out += " " + std::to_string(start) + ":" + std::to_string(w->length) + "/" + std::to_string(w->remaining);
        }
    }
    FreeTextDocument(d);
    return out;
}

TEST(Document, IndexOfSmallTexts) {
    const struct { const char* bytes; const char* index; } cases[] = {
        {"ab;cd\r\nx y\r\n", "lines 4 | 0,5 0:5/2 1:0/1 | 7,3 7:1/2 9:1/1 | 12,0"},
        {"ab;cd\r\nx y", "lines 3 | 0,5 0:5/2 1:0/1 | 7,0"},
        {"x=1;y=2 {a|b}~c\x80\r\n", "lines 3 | 0,16 0:7/7 9:1/6 11:1/5 14:2/4 4:0/3 4:0/2 4:0/1 | 18,0"},
        {"\r\n;;\r\na\nb\n\n\rc\r\n", "lines 6 | 0,0 | 2,2 | 6,1 6:1/1 | 8,1 8:1/1 | 10,0"},  // LF alone ends a line too
        {"a\rb\rc\r\n", "lines 5 | 0,5 0:1/3 2:1/2 4:1/1 | 7,0 | 0,0 | 0,0"},  // lone CRs: lines never started
        {"..\r\n7\r\n", "lines 4 | 0,2 | 4,1 4:1/1 | 7,0"},  // line 1 without words counts 0 words, not its tag
        {"a\nb\nc\nd\n", "lines 2 | 0,0"},  // more line feeds than entries
        {"", "null"}, {"no line feed\r", "null"},
    };
    for (const auto& c : cases) EXPECT_EQ(Index(c.bytes), c.index) << c.bytes;
}

TEST(Document, LineHelpers) {
    const std::int32_t table[] = {0, 4, 9, 0};
    char fields[16] = "##############";   // guards around the field
    EXPECT_EQ(CopyLineField(2, table, 4, fields, "name;rest"), 5);
    EXPECT_EQ(CopyLineField(0, table, 4, fields, "x"), -1);
    // Line 3's start was never recorded (no line after the first starts at 0): nothing is stored.
    const std::int32_t unrecorded[] = {0, 4, 0, 0};   // line 1 does start at 0
    EXPECT_TRUE(CopyLineField(3, unrecorded, 4, fields, "over") == -1 && CopyLineField(1, unrecorded, 4, fields, "ab") == 3);
    EXPECT_EQ(std::string(fields, 10), std::string("ab\0#name\0#", 10));
    const struct { const char* text; std::int32_t count, end; } ends[] = {{"\rab", 0, 1}, {"ab\0c", 9, 3}, {"abc\r", 3, -1}, {"abc\r", 4, 4}};
    for (const auto& c : ends) EXPECT_EQ(FindLineEnd(c.text, c.count), c.end) << c.text;
}

TEST(Document, FilesFromDisk) {
    std::string big;
    while (big.size() <= TextDocumentSize) big += std::string(97, 'w') + " \r\n";
    ASSERT_EQ(WriteWholeFile(big.data(), "td_big.txt", std::uint32_t(big.size())), big.size());
    TextDocument* d = LoadTextDocument("td_big.txt");  // indexed on its first 1,000,000 bytes
    EXPECT_TRUE(d && d->textLength == TextDocumentSize && GetLineCount(d) == TextDocumentSize / 100 + 2);
    FreeTextDocument(d);
    EXPECT_TRUE(LoadTextDocument("td_missing.txt") == nullptr && FileExists("td_missing.txt") == 0);  // not created
    // A file that cannot be opened (its folder is missing): 0 bytes, result 0.
    std::uint32_t read = 9, written = 9, result = ReadFileBytes(&big[0], "td_no_folder/a", &read, 4) + WriteFileBytes("ab", "td_no_folder/a", &written, 2);
    EXPECT_TRUE(result == 0 && read == 0 && written == 0);
}

TEST(Strings, CommandLineTailsHexNumbersAndDirectories) {
    const struct { const char* line; const char* tail; } tails[] = {
        {"player.exe", ""}, {"player.exe song.mid", "song.mid"}, {"player.exe  x", " x"}, {"", ""}, {"p.exe ", ""},
        {"\"C:\\My Music\\p.exe\" x y", "x y"}, {"\"C:\\My Music\\p.exe\"", ""}, {"\"C:\\My Music\\p.exe\"  x", " x"},
        {"C:\\My Music\\p.exe x", "Music\\p.exe x"}, {"\"C:\\no end x", ""}};
    for (const auto& c : tails) EXPECT_EQ(std::string(CommandLineTailOf(c.line).text, CommandLineTailOf(c.line).length), c.tail) << c.line;
    const struct { const char* text; std::uint32_t value; } numbers[] = {   // failures: the strings fuzz target
        {"", 0}, {"fF09", 0xFF09}, {"1a\r2", 0x1A}, {"123456789", 0x23456789}, {"g", 16}, {":", 10}};
    for (const auto& c : numbers) EXPECT_TRUE(ParseHexNumber(c.text).ok && ParseHexNumber(c.text).value == c.value) << c.text;
    const struct { std::string path; std::uint32_t length, size; const char* directory; } paths[] = {
        {"C:\\Apps\\player.exe", 18, 128, "C:\\Apps\\"}, {"C:\\d\\a.e", 8, 128, "C:\\"}, {"a.exe", 5, 128, ""},
        {"", 0, 128, ""}, {"abcdef.exe", 10, 128, ""}, {"C:\\Apps\\player.exe", 18, 18, ""}};  // the last: cut to its buffer
    auto cut = [](std::string path, std::uint32_t n, std::uint32_t size) { CutToDirectory(path.data(), n, size); return path; };
    for (const auto& c : paths) EXPECT_STREQ(cut(c.path, c.length, c.size).c_str(), c.directory) << c.path;
}
