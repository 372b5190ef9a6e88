// Pixel addressing and access: row rules, bounds (nothing touched outside),
// byte order of writes and reads, byte 3.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "raster/pixels.h"

namespace {

using PixelsTest = FrameTest;

std::size_t CountNot(const std::uint8_t* p, std::size_t n, std::uint8_t value) { return n - std::size_t(std::count(p, p + n, value)); }

TEST_F(PixelsTest, IndexComputation) {
    const struct { std::int32_t x, y, width, height, bounded, table; } cases[] = {
        {1023, 767, 1024, 768, 786431, 786431}, {0, 768, 1024, 768, -1, 786432}, {0, 769, 1024, 768, -1, -1},
        {1024, 0, 1024, 768, -1, -1}, {-1, 5, 1024, 768, -1, -1}, {INT32_MIN, INT32_MIN, 1024, 768, -1, -1},
        {5, 2, 10, 3, 2053, 2053},  // rows stay 1024 long whatever the width
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PixelOffset(c.x, c.y, c.width, c.height), c.bounded) << c.x << ", " << c.y;
        EXPECT_EQ(TablePixelOffset(c.x, c.y), c.table) << c.x << ", " << c.y;
    }
}

TEST_F(PixelsTest, DrawingTargetRowIs768MinusY) {
    const struct { std::int32_t x, y, index; } cases[] = {
        {0, 768, 0}, {0, 1, 767 * 1024}, {1023, 1, 786431}, {17, 400, 368 * 1024 + 17},
        {5, 0, -1}, {5, 769, -1}, {-1, 5, -1}, {1024, 5, -1}, {0, INT32_MIN, -1},
    };
    std::int32_t (*const writers[])(std::int32_t, std::int32_t, ColourRef) = {SetWorkPixel, SetWorkPixelByTable};
    std::int32_t (*const readers[])(std::int32_t, std::int32_t) = {GetWorkPixel, GetWorkPixelByTable};
    for (int w = 0; w < 2; ++w) {
        std::memset(work.data(), 0x33, FrameBytes);
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << (w ? "by table " : "bounded ") << c.x << ", " << c.y);
            EXPECT_EQ(writers[w](c.x, c.y, 0x00102040), c.index);
            // Written bytes blue, green, red; byte 3 keeps its 0x33.
            EXPECT_EQ(readers[w](c.x, c.y), c.index < 0 ? -1 : 0x33402010);
        }
        EXPECT_EQ(CountNot(work.data(), FrameBytes, 0x33), 3u * 4u) << "only the four in-frame pixels change";
    }
}

TEST_F(PixelsTest, BufferRowsTopFirstAndSpareRow) {
    const struct { std::int32_t x, y, bounded, table; } cases[] = {
        {1023, 767, 786431, 786431}, {0, 768, -1, 786432}, {0, 769, -1, -1}, {1024, 0, -1, -1}, {-1, 5, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
        std::memset(buffer.data(), 0, PixelBufferBytes);
        EXPECT_EQ(SetBufferPixel(c.x, c.y, 0x000000FF), c.bounded);
        EXPECT_EQ(GetBufferColour(c.x, c.y), c.bounded < 0 ? -1 : 0x000000FF);
        EXPECT_EQ(SetBufferPixelByTable(c.x, c.y, 0x000000FF), c.table);
        EXPECT_EQ(GetBufferPixelByTable(c.x, c.y), c.table < 0 ? -1 : 0x00FF0000);
        EXPECT_EQ(CountNot(buffer.data(), PixelBufferBytes, 0), c.table < 0 ? 0u : 1u);
    }
    std::uint8_t* p = buffer.data() + 4 * 9;
    p[3] = 0x5A;
    SetBufferPixel(9, 0, 0xAB332211);  // the colour's top byte plays no part
    EXPECT_TRUE(p[0] == 0x33 && p[1] == 0x22 && p[2] == 0x11 && p[3] == 0x5A);
    EXPECT_EQ(GetBufferPixelByTable(9, 0), 0x5A112233);
    EXPECT_EQ(GetBufferColour(9, 0), 0x00332211);
}

TEST_F(PixelsTest, MissingFramesCountAsOutside) {
    SurfaceState.workBits = SurfaceState.pixelBuffer = nullptr;
    EXPECT_EQ(SetWorkPixel(1, 1, 0xFF), -1);
    EXPECT_EQ(SetBufferPixelByTable(1, 1, 0xFF), -1);
    EXPECT_EQ(GetBufferColour(1, 1), -1);
}

}  // namespace
