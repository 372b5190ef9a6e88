// Row copies in all widths, the flipping frame copies, fills and clears.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "raster/frames.h"
#include "raster/pixels.h"

namespace {

using FramesTest = FrameTest;

TEST_F(FramesTest, RowCopies) {
    const struct { std::int32_t mode; bool copies; } cases[] = {{0, true}, {1, true}, {2, true}, {-1, false}, {3, false}};
    for (const auto& c : cases) {
        for (bool store : {true, false}) {
            SCOPED_TRACE(::testing::Message() << (store ? "StoreRow" : "LoadRow") << " mode " << c.mode);
            GuardedBlock from(FrameRowBytes + 1), to(FrameRowBytes + 1);
            std::uint8_t *source = from.data() + 1, *target = to.data() + 1;  // unaligned on purpose
            for (std::int32_t i = 0; i < FrameRowBytes; ++i) source[i] = std::uint8_t(i * 7 + i / 256);
            std::int32_t result = store ? StoreRow(target, source, c.mode) : LoadRow(source, target, c.mode);
            std::uint32_t last;
            std::memcpy(&last, source + FrameRowBytes - 4, 4);
            EXPECT_EQ(result, !c.copies ? -1 : c.mode == 0 ? std::int32_t(last) : c.mode);
            EXPECT_EQ(std::memcmp(target, source, FrameRowBytes) == 0, c.copies);
            EXPECT_TRUE(to.GuardsIntact() && to.data()[0] == 0);
        }
    }
}

TEST_F(FramesTest, FillThenScreenCopyIsUpright) {
    std::memset(buffer.data(), 0x77, PixelBufferBytes);
    FillPixelBuffer(0xABFF8040);  // bits 24-31 play no part; byte 3 becomes 0
    EXPECT_EQ(GetBufferPixelByTable(0, 0), 0x004080FF);
    EXPECT_EQ(buffer.data()[FrameBytes], 0x77) << "the spare half is not the frame";
    SetBufferPixel(3, 0, 0x000000FF);
    SetBufferPixel(4, 767, 0x0000FF00);
    PixelBufferToScreen();
    EXPECT_EQ(ColourAt(screen.data(), 3, 767), 0x000000FFu);  // buffer row y to screen row 767 - y
    EXPECT_EQ(ColourAt(screen.data(), 4, 0), 0x0000FF00u);
    std::uint32_t filled = 0;
    for (std::uint32_t i = 0; i < FrameBytes; i += 4) filled += std::memcmp(screen.data() + i, "\xFF\x80\x40\x00", 4) == 0;
    EXPECT_EQ(filled, FramePixels - 2);
}

TEST_F(FramesTest, WorkToBufferPairsRow767MinusY) {
    SetWorkPixel(7, 1, 0x00C0FFEE);
    SetWorkPixel(8, 768, 0x00C0FFEE);
    WorkSurfaceToPixelBuffer();
    EXPECT_EQ(GetBufferColour(7, 0), 0x00C0FFEE);  // set at y, arrives in buffer row y - 1
    EXPECT_EQ(GetBufferColour(8, 767), 0x00C0FFEE);
}

TEST_F(FramesTest, ClearsZeroExactlyTheirFrame) {
    std::memset(buffer.data(), 0x77, PixelBufferBytes);
    ClearPixelBuffer();
    EXPECT_EQ(std::count(buffer.data(), buffer.data() + FrameBytes, 0), std::ptrdiff_t(FrameBytes));
    EXPECT_EQ(std::count(buffer.data() + FrameBytes, buffer.data() + PixelBufferBytes, 0x77), std::ptrdiff_t(FrameBytes));
    GuardedBlock other(FrameBytes);
    std::memset(other.data(), 0x77, FrameBytes);
    std::memset(work.data(), 0x77, FrameBytes);
    SetDrawTarget(other.data());  // the target is read at the call
    ClearWorkSurface();
    EXPECT_EQ(std::count(other.data(), other.data() + FrameBytes, 0), std::ptrdiff_t(FrameBytes));
    EXPECT_EQ(work.data()[0], 0x77);
    EXPECT_TRUE(other.GuardsIntact());
}

}  // namespace
