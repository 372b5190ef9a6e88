// Test frames for the raster tests: a PixelBuffer block, a drawing target and
// a screen frame of our own, each between guard bytes, installed in
// SurfaceState for the length of one test (and the previous addresses put back).
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/shared.h"
#include "mathlib/tables.h"
#include "surfaces/surface_state.h"

constexpr std::size_t GuardBytes = 64;
constexpr std::uint8_t GuardValue = 0xA5;

// A block of `size` bytes with guard bytes either side.
struct GuardedBlock {
    explicit GuardedBlock(std::size_t byteCount, std::uint8_t fill = 0)
        : bytes(byteCount + 2 * GuardBytes, GuardValue), size(byteCount) {
        std::memset(data(), fill, byteCount);
    }
    std::uint8_t* data() { return bytes.data() + GuardBytes; }
    bool GuardsIntact() const {
        auto intact = [](auto first, auto last) { return std::all_of(first, last, [](std::uint8_t b) { return b == GuardValue; }); };
        return intact(bytes.begin(), bytes.begin() + GuardBytes) && intact(bytes.end() - GuardBytes, bytes.end());
    }
    std::vector<std::uint8_t> bytes;
    std::size_t size;
};

// The pixel bytes (blue, green, red, reserved) at a memory row of a frame.
inline std::uint8_t* PixelAt(std::uint8_t* frame, std::int32_t x, std::int32_t row) {
    return frame + (std::size_t(row) * FrameWidth + std::size_t(x)) * 4;
}

// The COLORREF stored at a pixel, byte 3 left out.
inline ColourRef ColourAt(std::uint8_t* frame, std::int32_t x, std::int32_t row) {
    const std::uint8_t* p = PixelAt(frame, x, row);
    return MakeColour(p[2], p[1], p[0]);
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = SurfaceState;
        // The tables live for the whole test program, as they do in the player.
        if (LookupTables.FixedCosTable == nullptr) BuildLookupTables();
        SurfaceState.pixelBuffer = buffer.data();
        SurfaceState.workBits = work.data();
        SurfaceState.screenBits = screen.data();
    }
    void TearDown() override {
        EXPECT_TRUE(buffer.GuardsIntact()) << "a write ran past the PixelBuffer block";
        EXPECT_TRUE(work.GuardsIntact()) << "a write ran past the drawing target";
        EXPECT_TRUE(screen.GuardsIntact()) << "a write ran past the screen frame";
        SurfaceState = saved_;
    }

    // The drawing target seen the caller's way: y from 1 (top) to 768 (bottom).
    ColourRef WorkColour(std::int32_t x, std::int32_t y) { return ColourAt(work.data(), x, FrameHeight - y); }

    GuardedBlock buffer{PixelBufferBytes};
    GuardedBlock work{FrameBytes};
    GuardedBlock screen{FrameBytes};
    SurfaceStateRecord saved_{};
};
