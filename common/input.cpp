// Input state of the main window and the message-word split.
#include "common/input.h"

InputStateRecord InputState = {};

LowHighPair SplitLowHigh(std::uint32_t value) {
    return LowHighPair{value & 0xFFFFu, value >> 16};
}
