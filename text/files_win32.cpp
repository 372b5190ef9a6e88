// Files, the program's directory, the shell and the command line on the
// Windows kernel and shell ("A" calls). The open flags are part of the
// contract: OPEN_ALWAYS creates a missing file and never truncates.
#include "text/files.h"

#include <windows.h>
#include <shellapi.h>

#include "common/alloc.h"
#include "text/string_utils.h"

namespace {

constexpr DWORD ModuleNameSize = 128;
constexpr DWORD ScratchSize = 2048;

HANDLE OpenForWriting(const char* fileName) {
    return CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_ARCHIVE, nullptr);
}

}  // namespace

std::uint32_t ReadFileBytes(void* destination, const char* fileName, std::uint32_t* bytesRead,
                            std::uint32_t count) {
    HANDLE file = CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    *bytesRead = 0;
    // Closing INVALID_HANDLE_VALUE "succeeds" (it is the process's own
    // pseudo-handle), so a failed open must not get that far.
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD got = 0;
    ReadFile(file, destination, count, &got, nullptr);
    *bytesRead = got;
    return CloseHandle(file);
}

std::uint32_t WriteFileBytes(const void* source, const char* fileName, std::uint32_t* bytesWritten,
                             std::uint32_t count) {
    HANDLE file = OpenForWriting(fileName);
    *bytesWritten = 0;
    if (file == INVALID_HANDLE_VALUE) return 0;   // never close what was never opened
    DWORD put = 0;
    WriteFile(file, source, count, &put, nullptr);
    *bytesWritten = put;
    return CloseHandle(file);
}

std::uint32_t WriteWholeFile(const void* source, const char* fileName, std::uint32_t count) {
    HANDLE file = OpenForWriting(fileName);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD put = 0;
    WriteFile(file, source, count, &put, nullptr);
    CloseHandle(file);
    return put;
}

void* ReadWholeFile(const char* fileName, std::uint32_t* bytesRead) {
    HANDLE file = CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD size = GetFileSize(file, nullptr);
    void* block = nullptr;
    if (size != INVALID_FILE_SIZE) block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, SIZE_T(size) + 1);
    if (block != nullptr) {
        DWORD got = 0;
        BOOL ok = ReadFile(file, block, size, &got, nullptr);
        *bytesRead = got;
        if (!ok) {
            GlobalFree(block);
            block = nullptr;
        }
    }
    CloseHandle(file);
    return block;
}

int FileExists(const char* fileName) {
    WIN32_FIND_DATAA scratch;
    HANDLE search = FindFirstFileA(fileName, &scratch);
    if (search == INVALID_HANDLE_VALUE) return 0;
    FindClose(search);
    return 1;
}

void ModuleDirectory(char* buffer) {
    DWORD n = GetModuleFileNameA(nullptr, buffer, ModuleNameSize);
    CutToDirectory(buffer, n, ModuleNameSize);
}

void ShellOpenRelative(HWND__* ownerWindow, const char* relativeName) {
    char* path = static_cast<char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, ScratchSize));
    char* directory = static_cast<char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, ScratchSize));
    if (path != nullptr && directory != nullptr) {
        ModuleDirectory(directory);
        AppendString(path, directory);
        AppendString(path, relativeName);
        ShellExecuteA(ownerWindow, "Open", path, nullptr, nullptr, SW_SHOW);
    }
    if (path != nullptr) GlobalFree(path);
    if (directory != nullptr) GlobalFree(directory);
}

CommandLineText CommandLineLength() {
    const char* line = GetCommandLineA();
    return {StringLength(line), line};
}

CommandLineText CommandLineTail() {
    return CommandLineTailOf(GetCommandLineA());
}
