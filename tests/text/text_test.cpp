// The platform-free text code on text in memory: the index of two lines, words
// and spans over every byte value, the line helpers, files read from disk,
// executable directories and string helpers. Indexes of other texts (line ends
// that do not pair up included), every query out of range, command-line tails,
// hexadecimal numbers and StringLength at every alignment: the text_index and
// strings fuzz targets, whose seeds the native build replays.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/alloc.h"
#include "text/document.h"
#include "text/files.h"
#include "text/string_utils.h"
// The index of any text is checked against a plain scan by the text_index fuzz target, on its seeds; here
// the two-line example by hand.
TEST(Document, IndexOfTwoLines) {
    char* text = static_cast<char*>(AllocZeroed(16));
    TextDocument* d = IndexTextDocument(std::strcpy(text, "ab;cd\r\nx y\r\n"), 12);
    ASSERT_NE(d, nullptr);
    const WordSpan *whole = GetWordSpan(d, 1, 1), *none = GetWordSpan(d, 1, 2), *y = GetWordSpan(d, 2, 2);
    EXPECT_TRUE(GetLineCount(d) == 4 && GetLine(1, d).length == 5 && GetLine(2, d).start == text + 7 && GetLine(2, d).length == 3 && GetWordCount(d, 1) == 2 && GetWordCount(d, 3) == 0 && LineLength(d, 0) == 0);
    EXPECT_TRUE(whole->start == text && whole->length == 5 && whole->remaining == 2 && none->start == reinterpret_cast<const char*>(1) && none->length == 0 && none->remaining == 1 && y->start == text + 9);
    FreeWordTables(d);   // then again inside FreeTextDocument: each block is freed once
    EXPECT_TRUE(d->wordTables == nullptr && d->wordCounts == nullptr);
    FreeTextDocument(d);
}

TEST(Document, WordsAndSpansOverEveryByteValue) {   // a byte between two z's: one word or two, one span or two
    for (int b = 0; b < 256; ++b) {
        const char text[3] = {'z', char(b), 'z'};
        const bool letter = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'), printable = (b >= 0x21 && b <= 0x7A) || b >= 0x80;
        EXPECT_TRUE(CountWords(text, 3) == (letter ? 1u : 2u) && FindWord(1, text, 3).length == (printable ? 3u : 1u) &&
                    FindWord(3, text, 3).start == reinterpret_cast<const char*>(printable ? 1 : 2) && FindWord(2, text, 3).start == (printable ? reinterpret_cast<const char*>(1) : text + 2)) << b;
    }
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
    std::int32_t offsets[3] = {-1, -1, -1};   // a table not zeroed: line 1's entry is written too
    EXPECT_TRUE(BuildLineOffsets("a\nbc\nd\n", offsets, 7, 3) == 3 && offsets[0] == 0 && offsets[1] == 2 && offsets[2] == 5 && CountLines("\r\r", 1) == 3);
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

TEST(Strings, DirectoriesAppendAndFill) {   // command-line tails and hex numbers: the strings fuzz target, on its seeds
    const struct { std::string path; std::uint32_t length, size; const char* directory; } paths[] = {
        {"C:\\Apps\\player.exe", 18, 128, "C:\\Apps\\"}, {"C:\\d\\a.e", 8, 128, "C:\\"}, {"a.exe", 5, 128, ""},
        {"", 0, 128, ""}, {"abcdef.exe", 10, 128, ""}, {"C:\\Apps\\player.exe", 18, 18, ""}, {"ab", 2, 1, ""}, {"\\abcde", 6, 7, "\\"}, {"ab", 2, 0, "ab"}};  // cut to their buffers; a buffer of no bytes is left alone
    auto cut = [](std::string path, std::uint32_t n, std::uint32_t size) { CutToDirectory(path.data(), n, size); return path; };
    for (const auto& c : paths) EXPECT_STREQ(cut(c.path, c.length, c.size).c_str(), c.directory) << c.path;
    char path[16] = "C:\\Apps\\", empty[4] = "", bytes[6] = "#####";
    AppendString(path, "a.txt"), AppendString(empty, "ab"), FillBytes(bytes, 4, 0x1AB);
    EXPECT_TRUE(!std::strcmp(path, "C:\\Apps\\a.txt") && !std::strcmp(empty, "ab") && !std::strcmp(bytes, "\xAB\xAB\xAB\xAB#"));
}
