// Test frames for the raster tests: a PixelBuffer block, a drawing target and
// a screen frame of our own, each between guard bytes, installed in
// SurfaceState for one test; the previous addresses are put back.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "mathlib/tables.h"
#include "surfaces/surface_state.h"

constexpr std::size_t Guard = 64;

struct GuardedBlock {
    explicit GuardedBlock(std::size_t byteCount) : bytes(byteCount + 2 * Guard, 0xA5) { std::fill_n(data(), byteCount, 0); }
    std::uint8_t* data() { return bytes.data() + Guard; }
    bool GuardsIntact() const {
        auto isGuard = [](std::uint8_t b) { return b == 0xA5; };
        return std::all_of(bytes.begin(), bytes.begin() + Guard, isGuard) && std::all_of(bytes.end() - Guard, bytes.end(), isGuard);
    }
    std::vector<std::uint8_t> bytes;
};

// The COLORREF at memory row `row` of a frame, byte 3 left out.
inline ColourRef ColourAt(std::uint8_t* frame, std::int32_t x, std::int32_t row) {
    const std::uint8_t* p = frame + (std::size_t(row) * FrameWidth + std::size_t(x)) * 4;
    return MakeColour(p[2], p[1], p[0]);
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = SurfaceState;
        if (LookupTables.FixedCosTable == nullptr) BuildLookupTables();  // lives as long as the program
        SurfaceState.pixelBuffer = buffer.data();
        SurfaceState.workBits = work.data();
        SurfaceState.screenBits = screen.data();
    }
    void TearDown() override {
        EXPECT_TRUE(buffer.GuardsIntact() && work.GuardsIntact() && screen.GuardsIntact()) << "a write ran past a frame";
        SurfaceState = saved_;
    }
    // The drawing target the caller's way: y from 1 (top) to 768 (bottom).
    ColourRef WorkColour(std::int32_t x, std::int32_t y) { return ColourAt(work.data(), x, FrameHeight - y); }

    GuardedBlock buffer{PixelBufferBytes}, work{FrameBytes}, screen{FrameBytes};
    SurfaceStateRecord saved_{};
};
