// The SurfaceState record and its platform-free accessors, the key table among
// them. The key table's index is checked because callers of the library may
// pass any 32-bit code.
#include "surfaces/surface_state.h"

#include "common/alloc.h"

SurfaceStateRecord SurfaceState = {};

std::uint8_t* GetPixelBuffer() { return SurfaceState.pixelBuffer; }
std::uint8_t* GetWorkBits() { return SurfaceState.workBits; }
std::uint8_t* GetDrawTarget() { return SurfaceState.workBits; }
void SetDrawTarget(std::uint8_t* bits) { SurfaceState.workBits = bits; }
std::uint8_t* GetScreenBits() { return SurfaceState.screenBits; }

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
