// Input state and the key table. The key table lives in SurfaceState so every
// module reaches it through one record; its index is checked because callers
// of the library may pass any 32-bit code.
#include "app/input.h"

#include "common/alloc.h"
#include "surfaces/surface_state.h"

InputStateRecord InputState = {};

LowHighPair SplitLowHigh(std::uint32_t value) {
    return LowHighPair{value & 0xFFFFu, value >> 16};
}

std::uint8_t* CreateKeyStateTable() {
    SurfaceState.keyStateTable = static_cast<std::uint8_t*>(AllocZeroed(KeyStateTableBytes));
    return SurfaceState.keyStateTable;
}

void SetKeyState(std::uint32_t code, std::uint32_t flag) {
    if (SurfaceState.keyStateTable == nullptr || code >= KeyStateTableBytes) return;
    SurfaceState.keyStateTable[code] = static_cast<std::uint8_t>(flag);
}

std::uint32_t QueryKeyState(std::uint32_t code) {
    if (SurfaceState.keyStateTable == nullptr || code >= KeyStateTableBytes) return 0;
    return SurfaceState.keyStateTable[code];
}
