// AllocZeroed on the Windows heap (GlobalAlloc with GMEM_ZEROINIT).
// A failed allocation is shown once and ends the process: no caller tests the
// result, so carrying on would run on a null block.
#include "common/alloc.h"

#include <windows.h>

void* AllocZeroed(std::uint32_t size) {
    void* block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size);
    if (block == nullptr) {
        MessageBoxA(nullptr, "Memory allocation error", nullptr, MB_OK);
        ExitProcess(AllocFailureExitCode);
    }
    return block;
}

void FreeBlock(void* block) {
    if (block != nullptr) GlobalFree(block);
}
