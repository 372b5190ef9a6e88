// Child of the allocation-failure test: asks for a block no 32-bit address
// space can hold (the 64-bit test build runs it under a 4 GiB limit, the same bound).
#include "common/alloc.h"

int main() { return AllocZeroed(0xFFFFFFF0u) == nullptr ? 10 : 11; }   // reaching here: the failure went uncaught
