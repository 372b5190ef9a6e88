// Loads a file as an indexed text document and prints its lines and words.
//
// textindex FILE prints the index, one record a line, in decimal:
//   lines <lineCount>
//   line <n> <offset> <length> <wordCount>          for n = 1 to lineCount - 1
//   word <n> <m> <start> <length> <remaining>       for m = 1 to wordCount
// start is the byte offset into the text, or for a span of length 0 the number
// it holds. "null" when the document cannot be made. Exit code 0, or 2 with a
// usage line when no file is named.
#include <cstdint>
#include <cstdio>

#include <tunedeck/text/document.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: textindex FILE\n", stderr);
        return 2;
    }
    TextDocument* document = LoadTextDocument(argv[1]);
    if (document == nullptr) {
        std::puts("null");
        return 0;
    }
    std::uint32_t lineCount = GetLineCount(document);
    std::printf("lines %u\n", unsigned(lineCount));
    for (std::uint32_t n = 1; n < lineCount; ++n) {
        std::uint32_t words = GetWordCount(document, n);
        std::printf("line %u %d %u %u\n", unsigned(n), int(LineOffset(std::int32_t(n), document->lineOffsets, lineCount)),
                    unsigned(LineLength(document, n)), unsigned(words));
        for (std::uint32_t m = 1; m <= words; ++m) {
            const WordSpan* span = GetWordSpan(document, n, m);
            std::uintptr_t start = reinterpret_cast<std::uintptr_t>(span->start);
            if (span->length > 0) start -= reinterpret_cast<std::uintptr_t>(document->text);
            std::printf("word %u %u %lu %u %u\n", unsigned(n), unsigned(m), static_cast<unsigned long>(start),
                        unsigned(span->length), unsigned(span->remaining));
        }
    }
    FreeTextDocument(document);
    return 0;
}
