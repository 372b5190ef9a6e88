/// @file
/// Input words of the main window: the mouse and message record the window
/// procedure writes and the panel reads, and the split of a message word.
/// Platform-free; the key table lives with SurfaceState (surfaces/surface_state.h).
#pragma once
#include <cstdint>

/// @addtogroup common
/// @{

/// The two halves of a 32-bit message word, low first.
struct LowHighPair {
    std::uint32_t low;    ///< bits 0 to 15
    std::uint32_t high;   ///< bits 16 to 31
};

/// Process-wide input state, written by the window procedure and the frame-rate tick.
struct InputStateRecord {
    std::uint32_t MouseX;          ///< client x of the last WM_MOUSEMOVE
    std::uint32_t MouseY;          ///< client y of the last WM_MOUSEMOVE
    std::int32_t LeftButtonDown;   ///< 1 after a left press, 0 after its release
    std::uint32_t LastMessageId;   ///< id of the last message the window procedure received
    std::int32_t FrameCount;       ///< refresh ticks since the last frame-rate tick
    std::int32_t FramesPerSecond;  ///< FrameCount at the last frame-rate tick
};

extern InputStateRecord InputState;   ///< the one input state

LowHighPair SplitLowHigh(std::uint32_t value);   ///< low and high 16 bits, zero-extended

/// @}
