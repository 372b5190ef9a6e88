// Fuzz: index any text in memory, then ask every query of every line; the
// spans must be FindWord's own answers.
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/document.h"

#define REQUIRE(condition) do { if (!(condition)) std::abort(); } while (0)

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size > TextDocumentSize) return 0;
    char* text = static_cast<char*>(AllocZeroed(size > 0 ? std::uint32_t(size) : 1));  // exact: overreads show
    std::memcpy(text, data, size);
    TextDocument* document = IndexTextDocument(text, std::uint32_t(size));
    if (document == nullptr) return 0;
    std::uint32_t lineCount = GetLineCount(document);
    for (std::uint32_t n = 0; n <= lineCount + 1; ++n) {
        TextPiece line = GetLine(n, document);
        std::uint32_t words = GetWordCount(document, n);
        REQUIRE(line.length == 0 || line.start + line.length <= text + size);
        REQUIRE(words == (line.start ? CountWords(line.start, line.length) : 0));
        if (line.length > 0) FindLineEnd(line.start, std::int32_t(line.length));
        for (std::uint32_t m = 0; m <= words + 1; ++m) {
            const WordSpan* span = GetWordSpan(document, n, m);
            REQUIRE(WordSpanFailed(span) == (m < 1 || m > words));
            if (WordSpanFailed(span) || (m > 16 && m < words)) continue;  // keeps the check linear
            TextPiece word = FindWord(m, line.start, line.length);
            REQUIRE(span->start == word.start && span->length == word.length && span->remaining == words - m + 1);
        }
    }
    char* fields = static_cast<char*>(AllocZeroed(std::uint32_t(size) + 4));
    for (std::uint32_t n = 0; n <= lineCount; ++n)
        REQUIRE(CopyLineField(std::int32_t(n), document->lineOffsets, lineCount, fields, "ab;") == (n && n < lineCount ? 3 : -1));
    FreeBlock(fields);
    FreeTextDocument(document);
    return 0;
}
