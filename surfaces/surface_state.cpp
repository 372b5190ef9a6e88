// The SurfaceState record and its platform-free accessors.
#include "surfaces/surface_state.h"

SurfaceStateRecord SurfaceState = {};

std::uint8_t* GetPixelBuffer() { return SurfaceState.pixelBuffer; }
std::uint8_t* GetWorkBits() { return SurfaceState.workBits; }
std::uint8_t* GetDrawTarget() { return SurfaceState.workBits; }
void SetDrawTarget(std::uint8_t* bits) { SurfaceState.workBits = bits; }
std::uint8_t* GetScreenBits() { return SurfaceState.screenBits; }
