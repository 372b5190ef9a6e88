/// @file
/// Text documents: an 8-bit CR LF text of at most 1,000,000 bytes held in
/// memory with an index of its lines and of the words of each line, built once
/// when the document is made and read-only afterwards.
/// Line and word numbers count from 1. The line procedures (BuildLineOffsets to
/// FindWord) work on any text and line offset table.
///
/// Lines are recorded at their line feeds; the table holds lineCount entries
/// (carriage returns + 2) and is never written beyond them: line feeds past
/// that are not recorded. A line's length runs to its line feed, less the
/// carriage return just before it when there is one (for CR LF text: the
/// distance to the next line less 2). Lines whose start was never recorded
/// (fewer line feeds than carriage returns) have offset 0 and length 0.
///
/// A file with the read-only attribute reads 0 bytes (the read asks for write
/// access too), so LoadTextDocument gives null for it, as for an empty file.
#pragma once
#include <cstdint>

/// @addtogroup text
/// @{

constexpr std::uint32_t TextDocumentSize = 1000000;     ///< bytes of the text block, the most read from a file
constexpr std::uint32_t TextDocumentTag = 0x54585431;   ///< "1TXT" in memory order
constexpr std::uint32_t WordSpanTag = 0x46464646;       ///< "FFFF"
constexpr std::uint32_t NoWordsTag = 0x4E414E4F;        ///< "ONAN": line 1's entries while it has no words

/// One word of a line. When length is 0, start holds (as an address value) the
/// number of words FindWord found in the line: the line has more words by
/// CountWords (letters and digits) than FindWord's runs of printable bytes.
struct WordSpan {
    std::uint32_t tag;        ///< WordSpanTag
    const char* start;        ///< first character inside the document's text
    std::uint32_t length;     ///< bytes of the word
    std::uint32_t remaining;  ///< words of the line from this one to the last, this one included
};

/// A text and its index of lines and words; made by LoadTextDocument or IndexTextDocument.
struct TextDocument {
    std::uint32_t tag;          ///< TextDocumentTag
    char* text;                 ///< owned, TextDocumentSize bytes (zero after the content)
    std::int32_t* lineOffsets;  ///< lineCount entries; entry n is where line n starts
    std::uint32_t textLength;   ///< bytes of content
    std::uint32_t lineCount;    ///< carriage returns + 2; the lines are 1 to lineCount - 1
    WordSpan*** wordTables;     ///< lineCount entries: line n's spans, none for a line without words
    std::uint32_t* wordCounts;  ///< lineCount entries (entry 1 holds NoWordsTag while line 1 has no words)
};

/// A line's first character and length, or a word's start and length.
struct TextPiece {
    const char* start;       ///< first byte
    std::uint32_t length;    ///< bytes
};

/// @name Documents
/// @{
TextDocument* LoadTextDocument(const char* fileName);             ///< null when missing, unreadable or without a line feed
TextDocument* IndexTextDocument(char* text, std::uint32_t length);  ///< takes the zero-filled block (>= max(length, 1) bytes) and indexes it; null (block freed) without a line feed
void FreeTextDocument(TextDocument* document);                    ///< releases everything; null is ignored
std::uint32_t GetLineCount(const TextDocument* document);         ///< lineCount
TextPiece GetLine(std::uint32_t n, const TextDocument* document); ///< line n's start and length; start null for a line that does not exist
std::uint32_t LineLength(const TextDocument* document, std::uint32_t n);       ///< length without CR LF; 0 outside 1 to lineCount - 2
std::uint32_t GetWordCount(const TextDocument* document, std::uint32_t n);     ///< words of line n (letters and digits); 0 when none or out of range
WordSpan* GetWordSpan(const TextDocument* document, std::uint32_t n, std::uint32_t m);  ///< word m of line n, or the failure value -1
bool WordSpanFailed(const WordSpan* span);                        ///< true for GetWordSpan's failure value
/// @}

/// @name Line procedures on any text and table
/// Counts are signed: the first byte is examined even when the count is 0 or
/// less.
/// @{
std::uint32_t BuildLineOffsets(const char* text, std::int32_t* table, std::int32_t count,
                               std::uint32_t tableEntries);       ///< line feeds found; records at most tableEntries line starts
std::uint32_t CountLines(const char* text, std::int32_t count);   ///< carriage returns + 2
std::int32_t LineOffset(std::int32_t n, const std::int32_t* table, std::uint32_t count);  ///< table entry n when 1 <= n < count, else -1
std::int32_t CopyLineField(std::int32_t n, const std::int32_t* table, std::uint32_t count, char* destination,
                           const char* source);                   ///< source up to ';', CR or zero -> destination + line n's offset, zero-ended; bytes stored or -1 (also for a line after the first whose start was never recorded; unbounded)
std::int32_t FindLineEnd(const char* text, std::int32_t count);   ///< index + 1 of the first CR or zero byte, or -1
std::uint32_t CountWords(const char* text, std::uint32_t length); ///< runs of '0'-'9', 'A'-'Z', 'a'-'z'
TextPiece FindWord(std::uint32_t m, const char* text, std::uint32_t length);  ///< m-th run of bytes 0x21-0x7A, 0x80-0xFF; length 0 and the count found when fewer
void BuildWordTables(TextDocument* document);                     ///< word counts, tables and spans of every line
void FreeWordTables(TextDocument* document);                      ///< releases the spans, tables and both arrays; null is ignored
/// @}

/// @}
