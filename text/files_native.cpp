// The file procedures on POSIX calls, for the native build (tests and the
// textindex tool). Same contract as the Win32 build: opens create a missing
// file and never truncate, and ReadFileBytes asks for write access too.
// FileExists takes names literally (no wildcards).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "text/files.h"

namespace {

// Reads or writes until count bytes have moved or the file says no more.
template <typename Call, typename Buffer>
std::uint32_t MoveAll(int file, Buffer buffer, std::uint32_t count, Call call) {
    std::uint32_t moved = 0;
    while (moved < count) {
        ssize_t step = call(file, buffer + moved, count - moved);
        if (step <= 0) break;
        moved += static_cast<std::uint32_t>(step);
    }
    return moved;
}

std::uint32_t ReadAll(int file, void* destination, std::uint32_t count) {
    return MoveAll(file, static_cast<char*>(destination), count, ::read);
}

std::uint32_t WriteAll(int file, const void* source, std::uint32_t count) {
    return MoveAll(file, static_cast<const char*>(source), count, ::write);
}

}  // namespace

std::uint32_t ReadFileBytes(void* destination, const char* fileName, std::uint32_t* bytesRead,
                            std::uint32_t count) {
    int file = open(fileName, O_RDWR | O_CREAT, 0666);
    *bytesRead = file < 0 ? 0 : ReadAll(file, destination, count);
    return file >= 0 && close(file) == 0;
}

std::uint32_t WriteFileBytes(const void* source, const char* fileName, std::uint32_t* bytesWritten,
                             std::uint32_t count) {
    int file = open(fileName, O_WRONLY | O_CREAT, 0666);
    *bytesWritten = file < 0 ? 0 : WriteAll(file, source, count);
    return file >= 0 && close(file) == 0;
}

std::uint32_t WriteWholeFile(const void* source, const char* fileName, std::uint32_t count) {
    std::uint32_t written = 0;
    WriteFileBytes(source, fileName, &written, count);
    return written;
}

void* ReadWholeFile(const char* fileName, std::uint32_t* bytesRead) {
    int file = open(fileName, O_RDONLY);
    if (file < 0) return nullptr;
    struct stat info;
    void* block = nullptr;
    if (fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        std::uint32_t size = static_cast<std::uint32_t>(info.st_size);
        block = std::calloc(std::size_t(size) + 1, 1);  // FreeBlock releases it
        if (block != nullptr) *bytesRead = ReadAll(file, block, size);
    }
    close(file);
    return block;
}

int FileExists(const char* fileName) {
    struct stat info;
    return stat(fileName, &info) == 0 ? 1 : 0;
}
