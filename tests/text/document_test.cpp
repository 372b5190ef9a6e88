// Text documents: the index of small texts record by record, texts whose line
// ends do not pair up, queries out of range, and files read from disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/alloc.h"
#include "text/document.h"

namespace {

// The index as textindex prints it: lines, then each line and its words.
std::string Dump(const TextDocument* d) {
    if (d == nullptr) return "null";
    std::string out = "lines " + std::to_string(d->lineCount);
    for (std::uint32_t n = 1; n < d->lineCount; ++n) {
        out += " | " + std::to_string(LineOffset(n, d->lineOffsets, d->lineCount)) + "," + std::to_string(LineLength(d, n));
        for (std::uint32_t m = 1; m <= GetWordCount(d, n); ++m) {
            const WordSpan* w = GetWordSpan(d, n, m);
            std::uintptr_t start = std::uintptr_t(w->start) - (w->length ? std::uintptr_t(d->text) : 0);
            out += " " + std::to_string(start) + ":" + std::to_string(w->length) + "/" + std::to_string(w->remaining);
        }
    }
    return out;
}

TextDocument* Index(const std::string& bytes) {
    char* text = static_cast<char*>(AllocZeroed(TextDocumentSize));
    std::memcpy(text, bytes.data(), bytes.size());
    return IndexTextDocument(text, std::uint32_t(bytes.size()));
}

TEST(Document, IndexOfSmallTexts) {
    const struct { const char* bytes; const char* index; } cases[] = {
        {"ab;cd\r\nx y\r\n", "lines 4 | 0,5 0:5/2 1:0/1 | 7,3 7:1/2 9:1/1 | 12,0"},
        {"ab;cd\r\nx y", "lines 3 | 0,5 0:5/2 1:0/1 | 7,0"},
        {"x=1;y=2 {a|b}~c\x80\r\n", "lines 3 | 0,16 0:7/7 9:1/6 11:1/5 14:2/4 4:0/3 4:0/2 4:0/1 | 18,0"},
        {"..\r\n7\r\n", "lines 4 | 0,2 | 4,1 4:1/1 | 7,0"},
        {"\r\n;;\r\na\nb\n\n\rc\r\n", "lines 6 | 0,0 | 2,2 | 6,1 6:1/1 | 8,1 8:1/1 | 10,0"},  // LF alone ends a line too
        {"a\rb\rc\r\n", "lines 5 | 0,5 0:1/3 2:1/2 4:1/1 | 7,0 | 0,0 | 0,0"},  // lone CRs: lines never started
        {"a\nb\nc\nd\n", "lines 2 | 0,0"},  // more line feeds than the table holds
        {"", "null"}, {"no line feed\r", "null"},
    };
    for (const auto& c : cases) {
        TextDocument* d = Index(c.bytes);
        EXPECT_EQ(Dump(d), c.index) << c.bytes;
        FreeTextDocument(d);
    }
}

TEST(Document, QueriesOutOfRangeAndLineHelpers) {
    TextDocument* d = Index("..\r\nx y\r\n");
    EXPECT_EQ(d->wordCounts[0], NoWordsTag);  // kept for line 1 without words, but never counted
    EXPECT_EQ(GetWordCount(d, 1), 0u);
    const std::uint32_t misses[][2] = {{0, 1}, {1, 1}, {2, 0}, {2, 3}, {3, 1}, {4, 1}, {5, 1}, {0xFFFFFFFF, 1}};
    for (const auto& nm : misses) EXPECT_TRUE(WordSpanFailed(GetWordSpan(d, nm[0], nm[1]))) << nm[0] << "," << nm[1];
    EXPECT_EQ(LineLength(d, 0xFFFFFFFF), 0u);
    char fields[16] = "##############";
    EXPECT_EQ(CopyLineField(2, d->lineOffsets, d->lineCount, fields, "name;rest"), 5);
    EXPECT_EQ(std::string(fields, 10), std::string("####name\0#", 10));
    EXPECT_EQ(CopyLineField(0, d->lineOffsets, d->lineCount, fields, "x"), -1);
    const struct { const char* text; std::int32_t count, end; } ends[] = {
        {"\rab", 0, 1}, {"ab\0c", 9, 3}, {"abc\r", 3, -1}, {"abc\r", 4, 4},
    };
    for (const auto& c : ends) EXPECT_EQ(FindLineEnd(c.text, c.count), c.end) << c.text;
    FreeTextDocument(d);
}

TEST(Document, FilesFromDisk) {
    std::string big(TextDocumentSize + 100, 'w');
    for (std::size_t i = 0; i + 2 < big.size(); i += 100) big.replace(i, 3, " \r\n");
    const struct { const char* name; std::string bytes; std::uint32_t length, lines; } files[] = {
        {"td_big.txt", big, TextDocumentSize, TextDocumentSize / 100 + 2}, {"td_empty.txt", "", 0, 0},
    };
    for (const auto& f : files) {
        std::FILE* out = std::fopen(f.name, "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), out);
        std::fclose(out);
        TextDocument* d = LoadTextDocument(f.name);
        EXPECT_EQ(d ? d->textLength : 0, f.length) << f.name;
        EXPECT_EQ(d ? GetLineCount(d) : 0, f.lines) << f.name;
        FreeTextDocument(d);
        std::remove(f.name);
    }
    EXPECT_EQ(LoadTextDocument("td_missing.txt"), nullptr);
    EXPECT_EQ(std::fopen("td_missing.txt", "rb"), nullptr);  // not created by the attempt
}

}  // namespace
