// Fuzz: index any text in memory, then ask every query of every line; each
// span must be FindWord's own answer.
#include <cstdlib>
#include <cstring>

#include "common/alloc.h"
#include "text/document.h"

static void Require(bool ok) { if (!ok) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    char* text = static_cast<char*>(AllocZeroed(size > 0 ? std::uint32_t(size) : 1));  // exact: overreads show
    std::memcpy(text, data, size);
    TextDocument* d = IndexTextDocument(text, std::uint32_t(size));
    for (std::uint32_t n = 0; d != nullptr && n <= GetLineCount(d) + 1; ++n) {
        TextPiece line = GetLine(n, d);
        std::uint32_t words = GetWordCount(d, n);
        Require(words == (line.start ? CountWords(line.start, line.length) : 0) && (!line.start || line.start + line.length <= text + size));
        for (std::uint32_t m = 0; m <= words + 1; ++m) {
            const WordSpan* span = GetWordSpan(d, n, m);
            Require(WordSpanFailed(span) == (m < 1 || m > words));
            if (WordSpanFailed(span) || (m > 16 && m < words)) continue;  // keeps each input's check near-linear
            TextPiece word = FindWord(m, line.start, line.length);
            Require(span->start == word.start && span->length == word.length && span->remaining == words - m + 1);
        }
    }
    FreeTextDocument(d);
    return 0;
}
