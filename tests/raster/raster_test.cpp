// Raster: pixel addressing (row rules, bounds, byte order, byte 3), row and
// frame copies, fills and clears; the primitives on far ends, the frame's edges
// and random shapes against their formulas written apart from the library (a
// scene of them left as raster_scene.png).
// Every frame lies between guard bytes that must stay untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <numbers>
#include <cmath>
#include <vector>

#include "mathlib/geometry.h"
#include "mathlib/tables.h"
#include "raster/frames.h"
#include "raster/pixels.h"
#include "raster/primitives.h"
#include "support/png.h"
#include "surfaces/surface_state.h"

struct Block {  // `size` bytes of `fill` between 64 guard bytes of 0xA5 on each side
    std::vector<std::uint8_t> bytes;
    explicit Block(std::size_t size, std::uint8_t fill = 0) : bytes(size + 128, 0xA5) { std::fill_n(data(), size, fill); }
    std::uint8_t* data() { return bytes.data() + 64; }
    bool Intact() const { return std::count(bytes.begin(), bytes.begin() + 64, 0xA5) + std::count(bytes.end() - 64, bytes.end(), 0xA5) == 128; }
};

struct Raster : ::testing::Test {
    void SetUp() override { SurfaceState.pixelBuffer = buffer.data(), SurfaceState.workBits = work.data(), SurfaceState.screenBits = screen.data(); }
    void TearDown() override { EXPECT_TRUE(buffer.Intact() && work.Intact() && screen.Intact()) << "a write ran past a frame"; SurfaceState = saved; }
    Block buffer{PixelBufferBytes, 0x33}, work{FrameBytes, 0x33}, screen{FrameBytes};
    SurfaceStateRecord saved = SurfaceState;
};

const bool Tables = (BuildLookupTables(), true);  // for the whole program, as in the player
static std::size_t Count(const std::uint8_t* p, std::size_t n, std::uint8_t value) { return std::size_t(std::count(p, p + n, value)); }

TEST_F(Raster, PixelIndexRowRulesAndBounds) {
    const std::array<std::int32_t, 8> cases[] = {  // x, y; PixelOffset, TablePixelOffset, Set{Work,Buffer}Pixel and ByTable
        {0, 768, -1, 786432, 0, 0, -1, 786432}, {0, 1, 1024, 1024, 785408, 785408, 1024, 1024},  // 768 - y on the target; the spare row
        {1023, 767, 786431, 786431, 2047, 2047, 786431, 786431}, {5, 0, 5, 5, -1, -1, 5, 5}, {0, 0, 0, 0, -1, -1, 0, 0}, {5, 769, -1, -1, -1, -1, -1, -1},
        {1024, 5, -1, -1, -1, -1, -1, -1}, {-1, 5, -1, -1, -1, -1, -1, -1}, {0, INT32_MIN, -1, -1, -1, -1, -1, -1},
    };
    for (const auto& [x, y, offset, table, w, wt, b, bt] : cases) {
        std::fill_n(work.data(), FrameBytes, 0x33), std::fill_n(buffer.data(), PixelBufferBytes, 0x33);
        EXPECT_TRUE(PixelOffset(x, y, 1024, 768) == offset && TablePixelOffset(x, y) == table && PixelOffset(5, 2, 10, 3) == 2053) << x << ", " << y;  // rows stay 1024 long whatever the width
        // The colour's top byte plays no part; blue, green, red are written and byte 3 keeps its 0x33.
        EXPECT_TRUE(SetWorkPixel(x, y, 0xAB102040) == w && SetWorkPixelByTable(x, y, 0x102040) == wt && SetBufferPixel(x, y, 0xAB102040) == b && SetBufferPixelByTable(x, y, 0x102040) == bt) << x << ", " << y;
        EXPECT_TRUE(GetWorkPixel(x, y) == (w < 0 ? -1 : 0x33402010) && GetWorkPixelByTable(x, y) == (wt < 0 ? -1 : 0x33402010) && GetBufferColour(x, y) == (b < 0 ? -1 : 0x102040) &&
                    GetBufferPixelByTable(x, y) == (bt < 0 ? -1 : 0x33402010) && Count(work.data(), FrameBytes, 0x33) == FrameBytes - (w < 0 ? 0 : 3) && Count(buffer.data(), PixelBufferBytes, 0x33) == PixelBufferBytes - (bt < 0 ? 0 : 3)) << x << ", " << y;
    }
    SurfaceState.workBits = SurfaceState.pixelBuffer = nullptr;  // frames never created count as outside
    EXPECT_TRUE(SetWorkPixel(1, 1, 0xFF) == -1 && SetBufferPixelByTable(1, 1, 0xFF) == -1 && GetBufferColour(1, 1) == -1);
}

TEST_F(Raster, CopiesFillsAndClears) {  // row copies: modes 0 to 2 copy (0 gives the last 4 bytes copied), others nothing
    for (std::int32_t mode : {0, 1, 2, -1, 3}) {
        Block from(FrameRowBytes + 1), to(FrameRowBytes + 1), back(FrameRowBytes);  // rows unaligned on purpose
        std::iota(from.data() + 1, from.data() + 1 + FrameRowBytes, std::uint8_t(0));
        const std::int32_t result = mode < 0 || mode > 2 ? -1 : mode == 0 ? std::int32_t(0xFFFEFDFC) : mode;
        EXPECT_TRUE(StoreRow(to.data() + 1, from.data() + 1, mode) == result && LoadRow(to.data() + 1, back.data(), mode) == result && to.Intact() && !to.data()[0]) << mode;
        EXPECT_EQ(!std::memcmp(to.data() + 1, from.data() + 1, FrameRowBytes) && !std::memcmp(back.data(), from.data() + 1, FrameRowBytes), result != -1) << mode;
    }
    FillPixelBuffer(0xAB10E0C3);  // the fill's byte 3 becomes 0
    EXPECT_TRUE(GetBufferPixelByTable(1023, 767) == 0x00C3E010 && GetBufferPixelByTable(0, 0) == 0x00C3E010 && buffer.data()[FrameBytes] == 0x33);  // the spare half is not the frame
    ClearPixelBuffer(), SetDrawTarget(screen.data()), ClearWorkSurface();  // the target is read at the call
    EXPECT_TRUE(Count(buffer.data(), PixelBufferBytes, 0x33) == FrameBytes && Count(buffer.data(), FrameBytes, 0) == FrameBytes && Count(screen.data(), FrameBytes, 0) == FrameBytes && work.data()[0] == 0x33);
    // WorkSurfaceToPixelBuffer and PixelBufferToScreen give rows copied one after the other from y = 0, as LoadRow
    // and StoreRow would: PixelBuffer row y and row 767 - y of the other frame; where the frames overlap, rows
    // read later may already have been written.
    Block block(3 * FrameBytes);
    for (bool toScreen : {false, true}) for (std::int32_t rows : {-768, 768, 0, 100, -100, 767}) {  // separate frames, then overlapping ones
        std::uint8_t *frame = block.data() + FrameBytes, *target = frame + rows * FrameRowBytes;
        for (std::size_t i = 0; i < 3 * FrameBytes; ++i) block.data()[i] = std::uint8_t(i * 7 + i / 4096);
        std::vector<std::uint8_t> expected(block.data(), block.data() + 3 * FrameBytes);
        for (std::int32_t y = 0; y < FrameHeight; ++y) {
            std::uint8_t *row = &expected[FrameBytes + y * FrameRowBytes], *other = &expected[(target - block.data()) + (767 - y) * FrameRowBytes];
            std::memmove(toScreen ? other : row, toScreen ? row : other, FrameRowBytes);
        }
        SurfaceState.pixelBuffer = frame, SurfaceState.workBits = SurfaceState.screenBits = target;
        toScreen ? PixelBufferToScreen() : WorkSurfaceToPixelBuffer();
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), block.data()) && block.Intact()) << rows << " rows apart" << (toScreen ? ", to the screen" : "");
    }
}

// The formulas as written, apart from the library: 64-bit arithmetic wrapped to 32 bits where the primitives
// wrap, trigonometry from the C library rounded as the tables are, pixels stored straight into the frame.
static void Plot(std::int64_t x, std::int64_t y, ColourRef c) {
    const auto wx = std::uint32_t(x), row = FrameHeight - std::uint32_t(y);   // memory row 768 - y; wrapped values fall outside
    if (wx < 1024u && row < 768u) std::memcpy(SurfaceState.workBits + (row * FrameWidth + wx) * 4, std::array{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)}.data(), 3);
}
static const auto Trig = [] { std::array<std::array<std::int64_t, 3600>, 2> t; for (int a = 0; a < 3600; ++a) t[0][a] = std::llround(std::cos(a * std::numbers::pi / 1800) * 1000), t[1][a] = std::llround(std::sin(a * std::numbers::pi / 1800) * 1000); return t; }();
static void PlainEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, ColourRef c) { for (int a = 3600; a >= 1; --a) Plot(cx + rx * Trig[0][a % 3600] / 1000, cy + ry * Trig[1][a % 3600] / 1000, c); }
static void PlainLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, ColourRef c) {
    const auto dx = std::int32_t(std::uint32_t(x2) - std::uint32_t(x1)), dy = std::int32_t(std::uint32_t(y2) - std::uint32_t(y1));
    const std::int64_t n = std::llround(std::sqrt(double(dx) * dx + double(dy) * dy));
    for (std::int64_t k = n; k >= 1; --k) Plot(x1 + dx * k / n, y1 + dy * k / n, c);
}
static ColourRef Shade(ColourRef colour, std::uint64_t step, std::uint64_t count, bool fromHalf) {  // each channel: base + value × step / count
    const auto channel = [&](std::uint32_t v) { return std::uint32_t((fromHalf ? v / 2 : 0) + step * (fromHalf ? v / 2 : v) / count); };
    return channel(colour & 0xFF) | channel(colour >> 8 & 0xFF) << 8 | channel(colour >> 16 & 0xFF) << 16;
}
static void PlainGradient(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColourRef c) { for (std::int32_t i = 0; i < h; ++i) PlainLine(x, y + i, x + w, y + i, Shade(c, h - i, h, true)); }
template <bool FromHalf> static void PlainDisc(std::int32_t x, std::int32_t y, std::int32_t r, std::int32_t, ColourRef c) { for (std::int32_t i = 0; i < r; ++i) PlainEllipse(x, y, r - i, r - i, Shade(c, i, r, FromHalf)); }
template <void (*Disc)(std::int32_t, std::int32_t, std::int32_t, ColourRef)> static void DrawDisc(std::int32_t x, std::int32_t y, std::int32_t r, std::int32_t, ColourRef c) { Disc(x, y, r, c); }

const struct { void (*ours)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, ColourRef), (*plain)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, ColourRef); std::int32_t lo, hi, sizeLo, sizeHi; } Kinds[] = {  // four coordinates each; random ranges for them
    {DrawLine, PlainLine, -300, 1300, -300, 1300}, {DrawEllipse, PlainEllipse, -100, 1100, -900, 900}, {DrawGradientRect, PlainGradient, -50, 1000, -5, 120},
    {DrawDisc<DrawDiscFromHalf>, PlainDisc<true>, -20, 1040, -2, 60}, {DrawDisc<DrawDiscFromBlack>, PlainDisc<false>, -20, 1040, -2, 60},
};
enum { Line, Ellipse, Gradient, HalfDisc, BlackDisc };

// A difference that wraps round 32 bits, from a start on the frame: every one of its 2^31 points is placed, and
// the frame holds those of k up to 764 (y rises to 768; later ones lie far below the frame once y wraps).
TEST_F(Raster, AWrappedLineReachesTheFrameAtItsStart) {
    const std::int64_t n = 2147483647, dy = 2147483645;   // the rounded length of (100000, dy); dy = 2^32 - 2147483651
    std::memset(work.data(), 0, FrameBytes), DrawLine(500, 5, 100500, -2147483646, 0xFFFFFF);
    std::vector<std::uint8_t> ours(work.data(), work.data() + FrameBytes);
    std::memset(work.data(), 0, FrameBytes);
    for (std::int64_t k = 1; k <= 2000; ++k) Plot(500 + 100000 * k / n, 5 + dy * k / n, 0xFFFFFF);
    EXPECT_EQ(std::memcmp(ours.data(), work.data(), FrameBytes), 0);
}

// Tables a caller rewrote so that the quarter is not monotone (all four mirrors kept) or one mirror image
// moved: the outline is then every angle's point from the tables as they are.
TEST_F(Raster, EllipsesOnTablesThatDoNotMirror) {
    const LookupTablesRecord kept = LookupTables;
    std::vector<std::vector<std::int32_t>> blocks;   // one block each: what is found on tables is kept for their address
    const struct { bool sine; std::int32_t angle, value; bool mirrored; } cases[] = {{false, 1, 1005, true}, {true, 1, -30, true}, {false, 450, 710, true}, {false, 2000, -939, false}, {true, 3300, -499, false}};
    for (const auto& [sine, angle, value, mirrored] : cases) {
        blocks.emplace_back(kept.FixedCosTable, kept.FixedCosTable + 7200);   // cosines, then sines
        std::int32_t* table = blocks.back().data() + (sine ? 3600 : 0);
        table[angle] = value;
        for (std::int32_t i = 0; mirrored && i < 3; ++i)   // 1800 - a, 1800 + a, 3600 - a
            table[(i == 0 ? 1800 - angle : i == 1 ? 1800 + angle : 3600 - angle) % 3600] = (sine ? i == 0 : i == 2) ? value : -value;
        LookupTables.FixedCosTable = blocks.back().data(), LookupTables.FixedSinTable = blocks.back().data() + 3600;
        std::memset(work.data(), 0, FrameBytes), DrawEllipse(500, 400, 300, 200, 0xFFFFFF);   // radii small enough for the look-ups
        std::vector<std::uint8_t> ours(work.data(), work.data() + FrameBytes);
        std::memset(work.data(), 0, FrameBytes);
        for (std::int32_t a = 0; a < 3600; ++a) Plot(500 + 300 * LookupTables.FixedCosTable[a] / 1000, 400 + 200 * LookupTables.FixedSinTable[a] / 1000, 0xFFFFFF);
        EXPECT_EQ(std::memcmp(ours.data(), work.data(), FrameBytes), 0) << (sine ? "sine " : "cosine ") << angle;
    }
    LookupTables = kept;
}

// Far ends, the frame's edges and corners, a wrapped difference and wide radii first, then random shapes.
TEST_F(Raster, ShapesMatchThePlainFormulas) {
    std::vector<std::array<std::int32_t, 6>> shapes = {  // kind, four coordinates, colour
        {Line, -3000000, 5, 3000000, 5, 1}, {Line, -3000000, -2000000, 3000000, 2100000, 2}, {Line, 2147483000, 10, -2147483000, 10, 3},
        {Line, -5, 10, 1295, 11, 4}, {Line, 10, -5, 11, 700, 5}, {Ellipse, 500, 400, 2147484, 5, 6}, {Ellipse, 500, 400, 2147483, 0, 7},
        // Exact diagonals: each direction, one and two steps long, cut by each edge, and a wrapped one.
        {Line, 500, 400, 200, 700, 8}, {Line, 500, 400, 800, 100, 9}, {Line, 9, 9, 10, 10, 10}, {Line, 9, 9, 7, 7, 11},
        {Line, -100, 900, 900, -100, 12}, {Line, 1100, 700, 300, -100, 13}, {Line, -2000000000, -2000000000, 2000000000, 2000000000, 14},
        {Line, 7, -5, 7, 1300, 8}, {Line, 1023, 769, 1023, 0, 9}, {Line, 0, 700, 0, 768, 10}, {Line, -5, 768, 1100, 768, 11}, {Line, 1100, 1, -5, 1, 12},
        {Line, 1023, 3, 0, 3, 13}, {Line, 0, 1, 1023, 768, 14}, {Line, 1023, 768, 0, 1, 15}, {Line, 0, 768, 1023, 1, 16}, {Line, 0, 1, 3, 1, 17},
        {Line, 5, 5, 5, 5, 18}, {Line, 5, 9, 6, 9, 27}, {Line, 1000, 100, 1100, 150, 28}, {Line, -1, 0, 1024, 769, 19}, {Line, 1024, 5, 1024, 700, 23}, {Line, 7, -50, 7, -5, 24}, {Line, 7, 10, 7, 11, 29}, {Line, -3, 10, 0, 13, 30}, {Line, 1026, 60, 1023, 90, 31}, {Ellipse, 300, 300, -50, -30, 32}, {Ellipse, -1115252, 400, 100000000, 300, 33}, {Ellipse, 0, 768, 30, 40, 20}, {Ellipse, 1023, 1, 700, 2, 21}, {Ellipse, 9, 9, 1, 0, 22}, {Ellipse, 400, 400, 600, 50, 25}, {Ellipse, 500, 400, 100000000, 300, 26},
        {HalfDisc, 300, 300, 2, 0, 0xFF}, {BlackDisc, 300, 300, 2, 0, 0xFF0000}, {Gradient, 0, 0, 300, 200, 0xFFFF00}, {Gradient, 1000, 760, 30, 12, 0xFFFFFF},
    };
    const std::array<std::int32_t, 6> scene[] = {  // drawn together, left as a picture for a person to look at
        {Gradient, 0, 0, 1024, 768, 0xFFFF00}, {Gradient, 40, 40, 300, 120, 0x80FF}, {Gradient, 380, 40, 105, 40, 0xFFFFFF}, {Line, 0, 1, 1023, 768, 0},
        {Line, 1023, 1, 0, 768, 0xFFFFFF}, {Ellipse, 200, 450, 150, 80, 0xFF}, {Ellipse, 200, 450, 80, 150, 0xFF00}, {Ellipse, 900, 700, 700, 300, 0xFF00FF},
        {HalfDisc, 520, 560, 90, 0, 0xFF}, {BlackDisc, 780, 560, 90, 0, 0xFFFF}, {HalfDisc, 1010, 20, 40, 0, 0xFF0000}, {BlackDisc, 10, 760, 40, 0, 0xFFFFFF},
    };
    shapes.insert(shapes.end(), std::begin(scene), std::end(scene));
    auto next = [seed = 2024u](std::int32_t lo, std::int32_t hi) mutable { return lo + std::int32_t(((seed = seed * 1664525u + 1013904223u) >> 8) % std::uint32_t(hi - lo + 1)); };
    for (const auto& k : Kinds) for (std::int32_t i = 0; i < (&k == Kinds ? 48 : 12); ++i)   // lines are quick: more of them
        shapes.push_back({std::int32_t(&k - Kinds), next(k.lo, k.hi), next(k.lo, k.hi), next(k.sizeLo, k.sizeHi), next(k.sizeLo, k.sizeHi), next(0, 0xFFFFFF)});
    std::vector<std::uint8_t> pattern(FrameBytes), ours(FrameBytes);
    for (std::size_t i = 0; i < FrameBytes; ++i) pattern[i] = std::uint8_t(i * 13 + i / 4093);  // byte 3 varies too
    for (const auto& [kind, a, b, c, d, colour] : shapes) {
        std::memcpy(work.data(), pattern.data(), FrameBytes);
        Kinds[kind].ours(a, b, c, d, ColourRef(colour));
        std::memcpy(ours.data(), work.data(), FrameBytes);
        std::memcpy(work.data(), pattern.data(), FrameBytes);
        Kinds[kind].plain(a, b, c, d, ColourRef(colour));
        ASSERT_EQ(std::memcmp(ours.data(), work.data(), FrameBytes), 0) << "kind " << kind << ": " << a << ", " << b << ", " << c << ", " << d;
    }
    ClearWorkSurface();
    for (std::size_t i = 0; i < std::size(scene); ++i) {  // a star of lines after the gradients
        Kinds[scene[i][0]].ours(scene[i][1], scene[i][2], scene[i][3], scene[i][4], ColourRef(scene[i][5]));
        for (AngleIndex a = 0; a < 3600 && i == 2; a += 150) DrawLine(700, 250, 700 + PolarOffset(180, a).x, 250 + PolarOffset(180, a).y, MakeColour(a / 15, 0, 255 - a / 15));
    }
    WritePngBgrx(ArtifactPath("raster_scene.png"), work.data(), FrameWidth, FrameHeight, FrameRowBytes, true);
    // Every build must draw this scene to the bit (FNV-1a of blue, green, red): look at the picture before changing the hash.
    std::uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < FrameBytes; ++i) if (i % 4 != 3) hash = (hash ^ work.data()[i]) * 1099511628211ull;
    EXPECT_EQ(hash, 0x048f721e3d1c2a80u) << std::hex << "see " << ArtifactPath("raster_scene.png");
    ClearWorkSurface(), DrawLine(0, 1, 3, 1, 0xFF), DrawDiscFromHalf(300, 300, 2, 0xFF), DrawGradientRect(0, 100, 300, 200, 0xFFFF00);  // the formulas' own sample values
    EXPECT_TRUE(GetWorkPixel(0, 1) == 0 && GetWorkPixel(1, 1) == 0xFF0000 && GetWorkPixel(3, 1) == 0xFF0000 && GetWorkPixel(301, 300) == 0xBE0000 &&
                GetWorkPixel(302, 300) == 0x7F0000 && GetWorkPixel(5, 101) == 0xFDFD);
}
