// Pixel addressing and access: the row rules of both frames, bounds (nothing
// touched outside), byte order of writes and reads, and byte 3.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "raster/pixels.h"

namespace {

using PixelsTest = FrameTest;

TEST_F(PixelsTest, IndexComputation) {
    const struct { std::int32_t x, y, width, height, pixel, table; } cases[] = {
        {0, 0, 1024, 768, 0, 0},
        {1023, 767, 1024, 768, 786431, 786431},
        {0, 768, 1024, 768, -1, 786432},       // the table reaches one row past the frame
        {1023, 768, 1024, 768, -1, 787455},
        {0, 769, 1024, 768, -1, -1},
        {1024, 0, 1024, 768, -1, -1},
        {-1, 5, 1024, 768, -1, -1},
        {5, -1, 1024, 768, -1, -1},
        {INT32_MIN, INT32_MIN, 1024, 768, -1, -1},
        {5, 2, 10, 3, 2053, 2053},              // rows stay 1024 long whatever the width
        {10, 2, 10, 3, -1, 2058},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ") in " << c.width << "x" << c.height);
        EXPECT_EQ(PixelOffset(c.x, c.y, c.width, c.height), c.pixel);
        EXPECT_EQ(TablePixelOffset(c.x, c.y), c.table);
    }
}

struct WorkCase {
    std::int32_t x, y;
    std::int32_t index;  // -1: outside
};

// Memory row 768 - y: y = 768 is the bottom line (row 0), y = 1 the top (row 767).
const WorkCase WorkCases[] = {
    {0, 768, 0}, {0, 1, 767 * 1024}, {1023, 1, 786431}, {1023, 768, 1023}, {17, 400, 368 * 1024 + 17},
    {5, 0, -1}, {5, 769, -1}, {-1, 5, -1}, {1024, 5, -1}, {0, INT32_MIN, -1}, {0, INT32_MAX, -1},
};

TEST_F(PixelsTest, DrawingTargetWritersFlipRowsAndRefuseOutside) {
    std::int32_t (*const writers[])(std::int32_t, std::int32_t, ColourRef) = {SetWorkPixel, SetWorkPixelByTable};
    std::int32_t (*const readers[])(std::int32_t, std::int32_t) = {GetWorkPixel, GetWorkPixelByTable};
    for (int w = 0; w < 2; ++w) {
        std::memset(work.data(), 0x33, FrameBytes);
        for (const auto& c : WorkCases) {
            SCOPED_TRACE(::testing::Message() << (w ? "by table " : "bounded ") << "(" << c.x << ", " << c.y << ")");
            ColourRef colour = MakeColour(0x10, 0x20, std::uint32_t(c.x));
            EXPECT_EQ(writers[w](c.x, c.y, colour), c.index);
            if (c.index < 0) {
                EXPECT_EQ(readers[w](c.x, c.y), -1);
                continue;
            }
            const std::uint8_t* p = work.data() + std::size_t(c.index) * 4;
            EXPECT_EQ(p[0], std::uint8_t(c.x));
            EXPECT_EQ(p[1], 0x20);
            EXPECT_EQ(p[2], 0x10);
            EXPECT_EQ(p[3], 0x33);  // byte 3 keeps its old value
            EXPECT_EQ(readers[w](c.x, c.y), std::int32_t(0x33102000u | std::uint8_t(c.x)));
        }
        // Only the three colour bytes of the five in-frame cases changed.
        std::size_t changed = 0;
        for (std::size_t i = 0; i < FrameBytes; ++i) changed += work.data()[i] != 0x33;
        EXPECT_EQ(changed, 3u * 5u);
    }
}

TEST_F(PixelsTest, BufferWritersUseRowsTopFirst) {
    const struct { std::int32_t x, y, bounded, table; } cases[] = {
        {0, 0, 0, 0},
        {1023, 767, 786431, 786431},
        {0, 768, -1, 786432},  // the first pixel of the block's spare half
        {1023, 768, -1, 787455},
        {0, 769, -1, -1},
        {1024, 0, -1, -1},
        {-1, 5, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        std::memset(buffer.data(), 0, PixelBufferBytes);
        EXPECT_EQ(SetBufferPixel(c.x, c.y, 0x00ABCDEF), c.bounded);
        EXPECT_EQ(GetBufferColour(c.x, c.y), c.bounded < 0 ? -1 : 0x00ABCDEF);
        EXPECT_EQ(SetBufferPixelByTable(c.x, c.y, 0x00ABCDEF), c.table);
        EXPECT_EQ(GetBufferPixelByTable(c.x, c.y), c.table < 0 ? -1 : 0x00EFCDAB);
        std::size_t changed = 0;
        for (std::size_t i = 0; i < PixelBufferBytes; ++i) changed += buffer.data()[i] != 0;
        EXPECT_EQ(changed, c.table < 0 ? 0u : 3u);
    }
}

TEST_F(PixelsTest, ColourByteOrder) {
    const struct { ColourRef colour; std::uint8_t bytes[3]; std::int32_t raw; ColourRef readBack; } cases[] = {
        {0x000000FF, {0x00, 0x00, 0xFF}, 0x5AFF0000, 0x000000FF},  // red
        {0x0000FF00, {0x00, 0xFF, 0x00}, 0x5A00FF00, 0x0000FF00},  // green
        {0x00FF0000, {0xFF, 0x00, 0x00}, 0x5A0000FF, 0x00FF0000},  // blue
        {0xAB332211, {0x33, 0x22, 0x11}, 0x5A112233, 0x00332211},  // the top byte plays no part
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.colour);
        std::uint8_t* p = PixelAt(buffer.data(), 9, 4);
        p[3] = 0x5A;
        SetBufferPixel(9, 4, c.colour);
        EXPECT_EQ(p[0], c.bytes[0]);
        EXPECT_EQ(p[1], c.bytes[1]);
        EXPECT_EQ(p[2], c.bytes[2]);
        EXPECT_EQ(p[3], 0x5A);
        EXPECT_EQ(GetBufferPixelByTable(9, 4), c.raw);
        EXPECT_EQ(GetBufferColour(9, 4), std::int32_t(c.readBack));
    }
}

TEST_F(PixelsTest, FrameAddressIsReadAtEveryCall) {
    GuardedBlock other(FrameBytes);
    SetDrawTarget(other.data());
    EXPECT_EQ(SetWorkPixel(0, 768, 0x000000FF), 0);
    EXPECT_EQ(ColourAt(other.data(), 0, 0), 0x000000FFu);
    EXPECT_EQ(ColourAt(work.data(), 0, 0), 0u);
    EXPECT_TRUE(other.GuardsIntact());
    SetDrawTarget(work.data());
}

TEST_F(PixelsTest, MissingFramesAndTablesCountAsOutside) {
    SurfaceState.workBits = nullptr;
    SurfaceState.pixelBuffer = nullptr;
    EXPECT_EQ(SetWorkPixel(1, 1, 0xFF), -1);
    EXPECT_EQ(SetWorkPixelByTable(1, 1, 0xFF), -1);
    EXPECT_EQ(GetWorkPixel(1, 1), -1);
    EXPECT_EQ(SetBufferPixel(1, 1, 0xFF), -1);
    EXPECT_EQ(GetBufferColour(1, 1), -1);
    EXPECT_EQ(GetBufferPixelByTable(1, 1), -1);

    std::int32_t* rows = LookupTables.RowOffsetTable;
    LookupTables.RowOffsetTable = nullptr;
    EXPECT_EQ(TablePixelOffset(1, 1), -1);
    LookupTables.RowOffsetTable = rows;
}

}  // namespace
