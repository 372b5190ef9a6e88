// Text benchmark: LoadTextDocument (one read, then the line and word index)
// of a 1,000,000-byte CR LF text and of a 1,000,000-byte single line, against
// `LC_ALL=C wc -lw` on the same files in the same run. wc's time is the whole
// process (start included), as a person would run it.
//   td_bench_text [DIR]                  writes the two files into DIR, times
//                                        them; natively times wc as well
//   td_bench_text --wc FILE FILE         (native) wc's median time per file in
//                                        ns, for the Windows run's baseline
//   td_bench_text DIR WC_NS WC_NS        the Windows run, with those baselines
// Also shown: how much of the load the heap's allocations take (the same
// blocks allocated alone), the time to free a document, and the heap bytes a
// document takes per word.
// Depends on: the text module and common/alloc.h.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/alloc.h"
#include "text/document.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

namespace {

constexpr int Runs = 9;

double NowNs() {
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Pseudo-random words of 1 to 9 letters, now and then with a comma or full
// stop, one space apart; lines of up to 72 characters when lineWidth says so.
std::string MakeText(std::uint32_t lineWidth) {
    std::string text;
    std::string line;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % range; };
    while (text.size() + line.size() < TextDocumentSize - 2) {
        std::string word(1 + next(9), 'a');
        for (char& c : word) c = char('a' + next(26));
        if (next(8) == 0) word += next(2) ? "," : ".";
        if (!line.empty() && line.size() + 1 + word.size() > lineWidth) {
            text += line + "\r\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    text += line;
    text.resize(TextDocumentSize - 2, ' ');
    return text + "\r\n";
}

bool WriteText(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return (f != nullptr && std::fclose(f) == 0) && ok;
}

// Heap bytes in use in small blocks (with the allocator's own words per
// block); the 1,000,000-byte text block is left out.
double HeapInUse() {
#ifdef _WIN32
    double bytes = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && entry.cbData < TextDocumentSize) bytes += entry.cbData + entry.cbOverhead;
    HeapUnlock(heap);
    return bytes;
#else
    return double(mallinfo2().uordblks);  // blocks this large are mapped apart, in hblkhd
#endif
}

#ifndef _WIN32
double WcNs(const std::string& path) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("wc"), const_cast<char*>("-lw"), const_cast<char*>(path.c_str()), nullptr};
        char* envp[] = {const_cast<char*>("LC_ALL=C"), nullptr};
        double start = NowNs();
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, "/usr/bin/wc", &actions, nullptr, argv, envp) != 0) return 0;
        waitpid(child, &status, 0);
        times.push_back(NowNs() - start);
        posix_spawn_file_actions_destroy(&actions);
    }
    return Median(times);
}
#endif

struct LoadFigures {
    double loadNs, freeNs, heapNs, heapBytes;
    std::uint32_t lines, words;
};

// The blocks one document of these lines and words takes, allocated and freed
// alone: the heap's share of a load.
double HeapAloneNs(std::uint32_t lines, const std::vector<std::uint32_t>& wordsPerLine) {
    std::vector<void*> blocks;
    double start = NowNs();
    blocks.push_back(AllocZeroed(sizeof(TextDocument)));
    blocks.push_back(AllocZeroed(TextDocumentSize));
    for (int array = 0; array < 3; ++array) blocks.push_back(AllocZeroed(lines * 4));
    for (std::uint32_t w : wordsPerLine) {
        blocks.push_back(AllocZeroed(w * sizeof(WordSpan*)));
        for (std::uint32_t j = 0; j < w; ++j) blocks.push_back(AllocZeroed(sizeof(WordSpan)));
    }
    double took = NowNs() - start;
    for (void* block : blocks) FreeBlock(block);
    return took;
}

LoadFigures Measure(const std::string& path) {
    LoadFigures f = {};
    std::vector<double> loads, frees, heaps;
    for (int run = 0; run < Runs; ++run) {
        double before = HeapInUse();
        double start = NowNs();
        TextDocument* document = LoadTextDocument(path.c_str());
        loads.push_back(NowNs() - start);
        if (document == nullptr) return f;
        f.heapBytes = HeapInUse() - before;
        std::vector<std::uint32_t> wordsPerLine;
        f.lines = GetLineCount(document);
        f.words = 0;
        for (std::uint32_t n = 1; n <= f.lines; ++n)
            if (GetWordCount(document, n) > 0) wordsPerLine.push_back(GetWordCount(document, n));
        for (std::uint32_t w : wordsPerLine) f.words += w;
        start = NowNs();
        FreeTextDocument(document);
        frees.push_back(NowNs() - start);
        heaps.push_back(HeapAloneNs(f.lines, wordsPerLine));
    }
    f.loadNs = Median(loads);
    f.freeNs = Median(frees);
    f.heapNs = Median(heaps);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    if (argc == 4 && std::string(argv[1]) == "--wc") {
        std::printf("%.0f %.0f\n", WcNs(argv[2]), WcNs(argv[3]));
        return 0;
    }
#endif
    std::string dir = argc > 1 ? argv[1] : ".";
    const std::string names[2] = {dir + "/bench_lines.txt", dir + "/bench_single_line.txt"};
    const char* labels[2] = {"many lines", "single line"};
    if (!WriteText(names[0], MakeText(72)) || !WriteText(names[1], MakeText(TextDocumentSize))) {
        std::fprintf(stderr, "cannot write the texts into %s\n", dir.c_str());
        return 1;
    }
    double wc[2] = {argc > 3 ? std::atof(argv[2]) : 0, argc > 3 ? std::atof(argv[3]) : 0};
#ifndef _WIN32
    for (int i = 0; i < 2; ++i) wc[i] = WcNs(names[i]);
#endif
    LoadFigures figures[2];
    for (int i = 0; i < 2; ++i) figures[i] = Measure(names[i]);
    std::printf("%-12s %8s %8s %10s %10s %9s %9s %8s %9s %10s\n", "text", "lines", "words", "load ms", "wc -lw ms",
                "load/wc", "heap %", "free ms", "B/word", "vs lines");
    for (int i = 0; i < 2; ++i) {
        const LoadFigures& f = figures[i];
        if (f.words == 0) {
            std::printf("%-12s no document\n", labels[i]);
            return 1;
        }
        std::printf("%-12s %8u %8u %10.2f %10.2f %9.2f %9.0f %8.2f %9.1f %10.2f\n", labels[i], unsigned(f.lines),
                    unsigned(f.words), f.loadNs / 1e6, wc[i] / 1e6, wc[i] > 0 ? f.loadNs / wc[i] : 0.0,
                    100 * f.heapNs / f.loadNs, f.freeNs / 1e6, f.heapBytes / f.words, f.loadNs / figures[0].loadNs);
    }
#ifndef _WIN32
    std::printf("targets: many lines load/wc <= 1.5; single line <= 2 x many lines\n");
#endif
    return 0;
}
