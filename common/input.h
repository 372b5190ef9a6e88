// Input state of the main window: key table, mouse and message words.
// Platform-free so the key table and word helpers are tested natively too.
#pragma once
#include <cstdint>

// The two halves of a 32-bit message word, low first.
struct LowHighPair {
    std::uint32_t low;
    std::uint32_t high;
};

// Process-wide input state, written by the window procedure and the frame-rate tick.
struct InputStateRecord {
    std::uint32_t MouseX;          // client x of the last WM_MOUSEMOVE
    std::uint32_t MouseY;          // client y of the last WM_MOUSEMOVE
    std::int32_t LeftButtonDown;   // 1 after a left press, 0 after its release
    std::uint32_t LastMessageId;   // id of the last message the window procedure received
    std::int32_t FrameCount;       // refresh ticks since the last frame-rate tick
    std::int32_t FramesPerSecond;  // FrameCount at the last frame-rate tick
};

extern InputStateRecord InputState;

constexpr std::uint32_t KeyStateTableBytes = 512;

LowHighPair SplitLowHigh(std::uint32_t value);          // low and high 16 bits, zero-extended
std::uint8_t* CreateKeyStateTable();                     // allocates the 512-byte table, records it in SurfaceState
void SetKeyState(std::uint32_t code, std::uint32_t flag); // stores flag's low byte at `code`; a code past the table writes nothing
std::uint32_t QueryKeyState(std::uint32_t code);         // the byte at `code`; 0 past the table or before it exists
