// Text documents: line offsets, word counts and word spans of a text in
// memory (platform-free; document_load.cpp reads the file).
// Indexing is linear in the text's size: each line is scanned once to count
// its words and once more to cut its spans, instead of one scan from the
// line's start per word.
#include "text/document.h"

#include <cstdint>

#include "common/alloc.h"

namespace {

// Byte classes: a word for CountWords is a run of letters and digits; a word
// for FindWord is a run of printable bytes (0x21-0x7A, 0x80-0xFF).
constexpr unsigned char Alphanumeric = 1;
constexpr unsigned char Printable = 2;

struct ByteClasses {
    unsigned char of[256];
};

constexpr ByteClasses MakeByteClasses() {
    ByteClasses classes{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) classes.of[c] |= Alphanumeric;
        if ((c >= 0x21 && c <= 0x7A) || c >= 0x80) classes.of[c] |= Printable;
    }
    return classes;
}

constexpr ByteClasses Classes = MakeByteClasses();

unsigned char ClassOf(char c) {
    return Classes.of[static_cast<unsigned char>(c)];
}

// The next run of printable bytes at or after i (length 0: none left); i moves past it.
TextPiece NextRun(const char* text, std::uint32_t length, std::uint32_t& i) {
    while (i < length && !(ClassOf(text[i]) & Printable)) ++i;
    std::uint32_t start = i;
    while (i < length && (ClassOf(text[i]) & Printable)) ++i;
    return {text + start, i - start};
}

// How FindWord reports the number of words it found in place of a start.
const char* CountAsStart(std::uint32_t count) {
    return reinterpret_cast<const char*>(std::uintptr_t(count));
}

WordSpan* MakeWordSpan(const char* start, std::uint32_t length, std::uint32_t remaining) {
    WordSpan* span = static_cast<WordSpan*>(AllocZeroed(sizeof(WordSpan)));
    span->tag = WordSpanTag;
    span->start = start;
    span->length = length;
    span->remaining = remaining;
    return span;
}

// Fills a line's table of w spans: FindWord's j-th run for each j up to w,
// then spans of length 0 holding the number of runs found.
void CutWordSpans(WordSpan** table, std::uint32_t w, const char* line, std::uint32_t length) {
    std::uint32_t j = 0;
    std::uint32_t i = 0;
    for (TextPiece run; j < w && (run = NextRun(line, length, i)).length != 0; ++j)
        table[j] = MakeWordSpan(run.start, run.length, w - j);
    const char* found = CountAsStart(j);
    for (std::uint32_t k = j; k < w; ++k) table[k] = MakeWordSpan(found, 0, w - k);
}

bool HoldsWords(std::uint32_t count) {
    return count != 0 && count != NoWordsTag;
}

}  // namespace

TextDocument* IndexTextDocument(char* text, std::uint32_t length) {
    TextDocument* document = static_cast<TextDocument*>(AllocZeroed(sizeof(TextDocument)));
    document->tag = TextDocumentTag;
    document->text = text;
    std::int32_t count = static_cast<std::int32_t>(length);
    std::uint32_t lineCount = CountLines(text, count);
    document->lineOffsets = static_cast<std::int32_t*>(AllocZeroed(lineCount * sizeof(std::int32_t)));
    if (BuildLineOffsets(text, document->lineOffsets, count, lineCount) == 0) {
        FreeBlock(text);
        FreeBlock(document->lineOffsets);
        FreeBlock(document);
        return nullptr;
    }
    document->textLength = length;
    document->lineCount = lineCount;
    BuildWordTables(document);
    return document;
}

void FreeTextDocument(TextDocument* document) {
    if (document == nullptr) return;
    FreeBlock(document->text);
    FreeBlock(document->lineOffsets);
    FreeWordTables(document);
    FreeBlock(document);
}

std::uint32_t GetLineCount(const TextDocument* document) {
    return document->lineCount;
}

TextPiece GetLine(std::uint32_t n, const TextDocument* document) {
    std::int32_t offset = LineOffset(static_cast<std::int32_t>(n), document->lineOffsets, document->lineCount);
    if (offset < 0) return {nullptr, 0};
    return {document->text + offset, LineLength(document, n)};
}

std::uint32_t LineLength(const TextDocument* document, std::uint32_t n) {
    if (n < 1 || n >= document->lineCount - 1) return 0;
    std::int32_t start = document->lineOffsets[n - 1];
    std::int32_t next = document->lineOffsets[n];
    if (next <= start) return 0;  // the next line's start was never recorded
    std::int32_t end = next - 1;  // the line feed
    if (end > start && document->text[end - 1] == '\r') --end;
    return static_cast<std::uint32_t>(end - start);
}

std::uint32_t GetWordCount(const TextDocument* document, std::uint32_t n) {
    if (n < 1 || n > document->lineCount) return 0;
    std::uint32_t count = document->wordCounts[n - 1];
    return HoldsWords(count) ? count : 0;
}

WordSpan* GetWordSpan(const TextDocument* document, std::uint32_t n, std::uint32_t m) {
    if (m >= 1 && m <= GetWordCount(document, n)) return document->wordTables[n - 1][m - 1];
    return reinterpret_cast<WordSpan*>(~std::uintptr_t(0));
}

bool WordSpanFailed(const WordSpan* span) {
    return reinterpret_cast<std::uintptr_t>(span) == ~std::uintptr_t(0);
}

std::uint32_t BuildLineOffsets(const char* text, std::int32_t* table, std::int32_t count,
                               std::uint32_t tableEntries) {
    if (tableEntries > 0) table[0] = 0;
    std::uint32_t found = 0;
    std::int32_t i = 0;
    do {
        if (text[i] == '\n') {
            ++found;
            if (found < tableEntries) table[found] = i + 1;
        }
    } while (++i < count);
    return found;
}

std::uint32_t CountLines(const char* text, std::int32_t count) {
    std::uint32_t lines = 2;
    std::int32_t i = 0;
    do {
        if (text[i] == '\r') ++lines;
    } while (++i < count);
    return lines;
}

std::int32_t LineOffset(std::int32_t n, const std::int32_t* table, std::uint32_t count) {
    if (n >= 1 && static_cast<std::uint32_t>(n) < count) return table[n - 1];
    return -1;
}

std::int32_t CopyLineField(std::int32_t n, const std::int32_t* table, std::uint32_t count, char* destination,
                           const char* source) {
    std::int32_t offset = LineOffset(n, table, count);
    if (offset == -1) return -1;
    // Only line 1 starts at 0: a later line at 0 was never recorded, and its
    // field would land on line 1's.
    if (n >= 2 && offset == 0) return -1;
    char* field = destination + offset;
    std::int32_t stored = 0;
    char c;
    do {
        c = source[stored];
        field[stored++] = c;
    } while (c != 0 && c != ';' && c != '\r');
    field[stored - 1] = 0;
    return stored;
}

std::int32_t FindLineEnd(const char* text, std::int32_t count) {
    std::int32_t i = 0;
    do {
        if (text[i] == '\r' || text[i] == 0) return i + 1;
    } while (++i < count);
    return -1;
}

std::uint32_t CountWords(const char* text, std::uint32_t length) {
    std::uint32_t words = 0;
    bool inWord = false;
    for (std::uint32_t i = 0; i < length; ++i) {
        bool letter = ClassOf(text[i]) & Alphanumeric;
        words += letter && !inWord;
        inWord = letter;
    }
    return words;
}

TextPiece FindWord(std::uint32_t m, const char* text, std::uint32_t length) {
    std::uint32_t found = 0;
    std::uint32_t i = 0;
    for (TextPiece run; (run = NextRun(text, length, i)).length != 0;)
        if (++found == m) return run;
    return {CountAsStart(found), 0};
}

void BuildWordTables(TextDocument* document) {
    std::uint32_t lineCount = document->lineCount;
    document->wordTables = static_cast<WordSpan***>(AllocZeroed(lineCount * sizeof(WordSpan**)));
    document->wordCounts = static_cast<std::uint32_t*>(AllocZeroed(lineCount * sizeof(std::uint32_t)));
    document->wordTables[0] = reinterpret_cast<WordSpan**>(std::uintptr_t(NoWordsTag));
    document->wordCounts[0] = NoWordsTag;
    for (std::uint32_t n = 1; n <= lineCount; ++n) {
        TextPiece line = GetLine(n, document);
        std::uint32_t w = CountWords(line.start, line.length);
        if (w == 0) continue;
        WordSpan** table = static_cast<WordSpan**>(AllocZeroed(w * sizeof(WordSpan*)));
        document->wordCounts[n - 1] = w;
        document->wordTables[n - 1] = table;
        CutWordSpans(table, w, line.start, line.length);
    }
}

void FreeWordTables(TextDocument* document) {
    if (document == nullptr || document->wordCounts == nullptr) return;
    for (std::uint32_t i = 0; i < document->lineCount; ++i) {
        std::uint32_t count = document->wordCounts[i];
        if (!HoldsWords(count)) continue;
        WordSpan** table = document->wordTables[i];
        for (std::uint32_t j = 0; j < count; ++j) FreeBlock(table[j]);
        FreeBlock(table);
    }
    FreeBlock(document->wordTables);
    FreeBlock(document->wordCounts);
    document->wordTables = nullptr;
    document->wordCounts = nullptr;
}
