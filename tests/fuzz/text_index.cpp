// Fuzz: index any text in memory, then ask every query of every line. Each
// answer is checked against a plain scan of the bytes written here: lines start
// at 0 and after each line feed (as many as the table holds), words are runs of
// letters and digits, spans runs of the bytes 0x21-0x7A and 0x80-0xFF.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "common/alloc.h"
#include "text/document.h"

static void Require(bool ok) { if (!ok) std::abort(); }
static bool Letter(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
static bool Printable(unsigned char c) { return (c >= 0x21 && c <= 0x7A) || c >= 0x80; }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    char* text = static_cast<char*>(AllocZeroed(size > 0 ? std::uint32_t(size) : 1));  // exact: overreads show
    std::memcpy(text, data, size);
    TextDocument* d = IndexTextDocument(text, std::uint32_t(size));
    Require((d == nullptr) == (std::memchr(data, '\n', size) == nullptr));
    if (d == nullptr) return 0;
    std::uint32_t lines = 2 + std::uint32_t(std::count(data, data + size, '\r'));
    std::vector<std::size_t> starts = {0};
    for (std::size_t i = 0; i < size; ++i) if (data[i] == '\n' && starts.size() < lines) starts.push_back(i + 1);
    Require(GetLineCount(d) == lines && GetLine(0, d).start == nullptr && GetLine(lines, d).start == nullptr && GetWordCount(d, 0) == 0 && GetWordCount(d, lines + 1) == 0 &&
            (GetWordCount(d, 1) != 0 || (d->wordCounts[0] == NoWordsTag && d->wordTables[0] == reinterpret_cast<WordSpan**>(std::uintptr_t(NoWordsTag)))));
    for (std::uint32_t n = 1; n < lines; ++n) {
        // The line runs to the next recorded start, less its LF and a CR before it; the last line is empty.
        const std::size_t start = starts.size() >= n ? starts[n - 1] : 0, next = n + 1 < lines && starts.size() > n ? starts[n] : 0;
        const std::size_t length = next > start ? next - 1 - start - (next - 1 > start && data[next - 2] == '\r') : 0;
        std::uint32_t words = 0;
        std::vector<std::pair<std::size_t, std::size_t>> runs;   // printable runs: start, length
        for (std::size_t i = start; i < start + length; ++i) {
            words += Letter(data[i]) && (i == start || !Letter(data[i - 1]));
            if (Printable(data[i])) { if (i == start || !Printable(data[i - 1])) runs.push_back({i, 0}); ++runs.back().second; }
        }
        Require(GetLine(n, d).start == d->text + start && GetLine(n, d).length == length && GetWordCount(d, n) == words && WordSpanFailed(GetWordSpan(d, n, 0)) && WordSpanFailed(GetWordSpan(d, n, words + 1)));
        for (std::uint32_t m = 1; m <= words; ++m) {   // past the runs: length 0 and the number of runs in place of a start
            const WordSpan* span = GetWordSpan(d, n, m);
            const bool found = m <= runs.size();
            Require(!WordSpanFailed(span) && span->tag == WordSpanTag && span->remaining == words - m + 1 &&
                    span->start == (found ? d->text + runs[m - 1].first : reinterpret_cast<const char*>(runs.size())) && span->length == (found ? runs[m - 1].second : 0));
        }
    }
    FreeTextDocument(d);
    return 0;
}
