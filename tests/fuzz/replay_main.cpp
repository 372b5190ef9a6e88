// Runs a fuzz target once on every file named, so that the ordinary
// (non-clang) test build replays each target's seed files.
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // An exact copy on the heap (a string keeps spare room), so that a read past the input shows.
        std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size()]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    return argc > 1 ? 0 : 1;
}
