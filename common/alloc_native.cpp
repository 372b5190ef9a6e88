// AllocZeroed for the native build of the platform-free modules (tests only).
// Same contract as the Win32 build: a failed allocation ends the process.
#include "common/alloc.h"

#include <cstdio>
#include <cstdlib>

void* AllocZeroed(std::uint32_t size) {
    void* block = std::calloc(1, size == 0 ? 1 : size);
    if (block == nullptr) {
        std::fputs("Memory allocation error\n", stderr);
        std::_Exit(AllocFailureExitCode);
    }
    return block;
}

void FreeBlock(void* block) {
    std::free(block);
}
