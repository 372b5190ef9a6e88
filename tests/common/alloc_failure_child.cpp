// Child process of the allocation-failure test: asks AllocZeroed for a block
// no 32-bit address space can hold (the 64-bit test build runs it under a
// 4 GiB address-space limit, the same bound).
#include "common/alloc.h"

int main() {
    void* block = AllocZeroed(0xFFFFFFF0u);
    // Reaching here means the failure was not caught.
    return block == nullptr ? 10 : 11;
}
