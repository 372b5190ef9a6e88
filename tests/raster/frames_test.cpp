// Row copies in all three widths, the flipping frame copies, fills and clears.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "raster/frames.h"
#include "raster/pixels.h"

namespace {

using FramesTest = FrameTest;

// Rows placed one byte off alignment, between guards, to show that no width
// needs alignment and no copy runs past its row.
struct RowPair {
    RowPair() : from(FrameRowBytes + 1), to(FrameRowBytes + 1, 0xEE) {
        for (std::int32_t i = 0; i < FrameRowBytes; ++i) source()[i] = std::uint8_t(i * 7 + i / 256);
    }
    std::uint8_t* source() { return from.data() + 1; }
    std::uint8_t* target() { return to.data() + 1; }
    GuardedBlock from, to;
};

TEST_F(FramesTest, RowCopiesInEveryModeAndNoneInOthers) {
    const struct { std::int32_t mode; bool copies; } cases[] = {
        {0, true}, {1, true}, {2, true}, {-1, false}, {3, false}, {INT32_MIN, false},
    };
    for (const auto& c : cases) {
        for (bool store : {true, false}) {
            SCOPED_TRACE(::testing::Message() << (store ? "StoreRow" : "LoadRow") << " mode " << c.mode);
            RowPair rows;
            // StoreRow moves the buffer row into the bitmap row, LoadRow the other way.
            std::int32_t result = store ? StoreRow(rows.target(), rows.source(), c.mode)
                                        : LoadRow(rows.source(), rows.target(), c.mode);
            if (!c.copies) {
                EXPECT_EQ(result, -1);
                EXPECT_EQ(rows.target()[0], 0xEE);
                EXPECT_EQ(rows.target()[FrameRowBytes - 1], 0xEE);
            } else {
                EXPECT_EQ(0, std::memcmp(rows.target(), rows.source(), FrameRowBytes));
                std::uint32_t last;
                std::memcpy(&last, rows.source() + FrameRowBytes - 4, 4);
                EXPECT_EQ(result, c.mode == 0 ? std::int32_t(last) : c.mode);
            }
            EXPECT_EQ(rows.to.data()[0], 0xEE) << "byte before the row";
            EXPECT_TRUE(rows.to.GuardsIntact());
            EXPECT_TRUE(rows.from.GuardsIntact());
        }
    }
}

TEST_F(FramesTest, FillWritesBlueGreenRedZero) {
    const struct { ColourRef colour; std::uint8_t bytes[4]; } cases[] = {
        {0x00FF8040, {0xFF, 0x80, 0x40, 0x00}},
        {0x00000000, {0x00, 0x00, 0x00, 0x00}},
        {0x00FFFFFF, {0xFF, 0xFF, 0xFF, 0x00}},
        {0xAB010203, {0x01, 0x02, 0x03, 0x00}},  // bits 24-31 play no part
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.colour);
        std::memset(buffer.data(), 0x77, PixelBufferBytes);
        FillPixelBuffer(c.colour);
        std::uint32_t wrong = 0;
        for (std::uint32_t i = 0; i < FrameBytes; ++i) wrong += buffer.data()[i] != c.bytes[i % 4];
        EXPECT_EQ(wrong, 0u);
        EXPECT_EQ(buffer.data()[FrameBytes], 0x77) << "the spare half is not the frame";
    }
    std::memset(buffer.data(), 0, PixelBufferBytes);
    FillPixelBuffer(0x00FF8040);
    EXPECT_EQ(GetBufferPixelByTable(0, 0), 0x004080FF);
    EXPECT_EQ(GetBufferPixelByTable(1023, 767), 0x004080FF);
}

TEST_F(FramesTest, PixelBufferToScreenShowsTheBufferUpright) {
    FillPixelBuffer(0x00123456);
    SetBufferPixel(3, 0, 0x000000FF);    // top line of the picture
    SetBufferPixel(4, 767, 0x0000FF00);  // bottom line
    PixelBufferToScreen();
    // The screen keeps its bottom row first: buffer row y arrives at memory row 767 - y.
    EXPECT_EQ(ColourAt(screen.data(), 3, 767), 0x000000FFu);
    EXPECT_EQ(ColourAt(screen.data(), 4, 0), 0x0000FF00u);
    std::uint32_t fill = 0;
    for (std::int32_t row = 0; row < FrameHeight; ++row)
        for (std::int32_t x = 0; x < FrameWidth; ++x) fill += ColourAt(screen.data(), x, row) == 0x00123456u;
    EXPECT_EQ(fill, FramePixels - 2);
}

TEST_F(FramesTest, WorkSurfaceToPixelBufferPairsRow767MinusY) {
    const struct { std::int32_t x, y, bufferRow; } cases[] = {{7, 1, 0}, {8, 768, 767}, {9, 400, 399}};
    for (const auto& c : cases) SetWorkPixel(c.x, c.y, 0x00C0FFEE);
    WorkSurfaceToPixelBuffer();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        // A pixel set at y arrives in buffer row y - 1, not y.
        EXPECT_EQ(GetBufferColour(c.x, c.bufferRow), 0x00C0FFEE);
    }
    EXPECT_EQ(GetBufferPixelByTable(0, 768), 0) << "the spare row is not part of the copy";
}

TEST_F(FramesTest, ClearsZeroExactlyTheirFrame) {
    std::memset(buffer.data(), 0xFF, FrameBytes);
    std::memset(buffer.data() + FrameBytes, 0x77, FrameBytes);
    ClearPixelBuffer();
    EXPECT_EQ(buffer.data()[0], 0);
    EXPECT_EQ(buffer.data()[FrameBytes - 1], 0);
    EXPECT_EQ(std::count(buffer.data(), buffer.data() + FrameBytes, 0), std::ptrdiff_t(FrameBytes));
    EXPECT_EQ(std::count(buffer.data() + FrameBytes, buffer.data() + PixelBufferBytes, 0x77), std::ptrdiff_t(FrameBytes));

    // ClearWorkSurface clears whatever the drawing target is at the time.
    GuardedBlock other(FrameBytes, 0xFF);
    std::memset(work.data(), 0xFF, FrameBytes);
    SetDrawTarget(other.data());
    ClearWorkSurface();
    EXPECT_EQ(std::count(other.data(), other.data() + FrameBytes, 0), std::ptrdiff_t(FrameBytes));
    EXPECT_EQ(work.data()[0], 0xFF);
    EXPECT_TRUE(other.GuardsIntact());
    SetDrawTarget(work.data());
}

TEST_F(FramesTest, MissingFramesAreLeftAlone) {
    SurfaceState.pixelBuffer = nullptr;
    SurfaceState.workBits = nullptr;
    SurfaceState.screenBits = nullptr;
    FillPixelBuffer(0xFF);
    ClearPixelBuffer();
    ClearWorkSurface();
    PixelBufferToScreen();
    WorkSurfaceToPixelBuffer();
    SUCCEED();
}

}  // namespace
