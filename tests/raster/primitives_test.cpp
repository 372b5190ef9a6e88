// Raster primitives: exact points of lines and ellipses, disc and gradient
// colours, and shapes running off every edge.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

#include "frame_fixture.h"
#include "mathlib/geometry.h"
#include "raster/primitives.h"

namespace {

using PointSet = std::set<std::pair<std::int32_t, std::int32_t>>;
constexpr ColourRef Ink = 0x00123456, Blank = 0x00EEEEEE;

class PrimitivesTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        std::memset(work.data(), 0xEE, FrameBytes);
    }
    PointSet Drawn() {  // every point, caller's coordinates, that is not blank
        PointSet points;
        for (std::int32_t y = 1; y <= FrameHeight; ++y)
            for (std::int32_t x = 0; x < FrameWidth; ++x)
                if (WorkColour(x, y) != Blank) points.insert({x, y});
        std::memset(work.data(), 0xEE, FrameBytes);
        return points;
    }
};

// Point k = n .. 1 at start + difference × k / n, each by a truncating division; clipped.
PointSet ReferenceLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    PointSet points;
    CoordPair d = VectorDiff(x1, y1, x2, y2);
    auto n = std::int32_t(VectorLength(d.x, d.y));
    for (std::int32_t k = n; k >= 1; --k) {
        CoordPair s = ScaleVector(d.x, d.y, n, k);
        if (x1 + s.x >= 0 && x1 + s.x < FrameWidth && y1 + s.y >= 1 && y1 + s.y <= FrameHeight) points.insert({x1 + s.x, y1 + s.y});
    }
    return points;
}

TEST_F(PrimitivesTest, LinePoints) {
    const struct { std::int32_t x1, y1, x2, y2; PointSet expected; } cases[] = {
        {10, 10, 10, 10, {}}, {10, 10, 11, 10, {{11, 10}}}, {0, 1, 3, 1, {{1, 1}, {2, 1}, {3, 1}}},
        {5, 5, 8, 9, {{5, 5}, {6, 6}, {6, 7}, {7, 8}, {8, 9}}}, {5, 5, 2, 1, {{5, 5}, {4, 4}, {4, 3}, {3, 2}, {2, 1}}},
    };
    for (const auto& c : cases) {
        DrawLine(c.x1, c.y1, c.x2, c.y2, Ink);
        EXPECT_EQ(Drawn(), c.expected) << c.x1 << ", " << c.y1 << " to " << c.x2 << ", " << c.y2;
    }
    DrawLine(0, 1, 100, 101, Ink);  // 141 points over 101 pixels, the last (k = 1) on the start
    PointSet diagonal;
    for (std::int32_t i = 0; i <= 100; ++i) diagonal.insert({i, i + 1});
    EXPECT_EQ(Drawn(), diagonal);
}

TEST_F(PrimitivesTest, LinesMatchSteppingByDivision) {
    std::vector<std::array<std::int32_t, 4>> lines = {  // along an axis across every edge, then random
        {-5, 10, 1030, 10}, {1030, 10, -5, 10}, {7, -5, 7, 800}, {7, 800, 7, -5}, {1023, 0, 1023, 769},
        {5, 0, 100, 0}, {-9, 3, -1, 3}, {3, 768, 3, 767}, {-1, 5, 0, 5},
    };
    std::uint32_t seed = 7;
    auto next = [&seed](std::int32_t range) { return std::int32_t(((seed = seed * 1664525u + 1013904223u) >> 8) % range) - range / 4; };
    for (int i = 0; i < 40; ++i) lines.push_back({next(1400), next(1100), next(1400), next(1100)});
    for (const auto& l : lines) {
        DrawLine(l[0], l[1], l[2], l[3], Ink);
        ASSERT_EQ(Drawn(), ReferenceLine(l[0], l[1], l[2], l[3])) << l[0] << ", " << l[1] << " to " << l[2] << ", " << l[3];
    }
    DrawLine(-3000000, 5, 3000000, 5, Ink);  // squared length far beyond 2^31
    EXPECT_EQ(Drawn().size(), 1024u);
}

TEST_F(PrimitivesTest, EllipsePoints) {
    DrawEllipse(500, 400, 100, 50, Ink);
    for (auto [x, y] : {std::pair{600, 400}, {500, 450}, {400, 400}, {500, 350}}) EXPECT_EQ(WorkColour(x, y), Ink) << x << ", " << y;
    const struct { std::int32_t cx, cy, rx, ry; } cases[] = {{500, 400, 100, 50}, {10, 10, 700, 300}, {500, 400, 2147484, 5}};
    for (const auto& c : cases) {
        DrawEllipse(c.cx, c.cy, c.rx, c.ry, Ink);
        PointSet expected;
        for (AngleIndex a = 3600; a >= 1; --a) {
            std::int32_t x = c.cx + PolarOffset(c.rx, a).x, y = c.cy + PolarOffset(c.ry, a).y;
            if (x >= 0 && x < FrameWidth && y >= 1 && y <= FrameHeight) expected.insert({x, y});
        }
        EXPECT_EQ(Drawn(), expected) << c.rx << " x " << c.ry;
    }
}

TEST_F(PrimitivesTest, DiscColours) {
    const struct { void (*draw)(std::int32_t, std::int32_t, std::int32_t, ColourRef); ColourRef colour, rim, inner; } cases[] = {
        {DrawDiscFromHalf, 0x000000FF, 0x0000007F, 0x000000BE},   // 127, then 127 + 127 / 2
        {DrawDiscFromHalf, 0x00FFFFFF, 0x007F7F7F, 0x00BEBEBE},
        {DrawDiscFromBlack, 0x00FF0000, 0x00000000, 0x007F0000},  // blue stays in bits 16-23
        {DrawDiscFromBlack, 0x00804020, 0x00000000, 0x00402010},
    };
    for (const auto& c : cases) {
        c.draw(300, 300, 2, c.colour);
        // Only the radius-2 circle reaches x ± 2; radius 1, drawn last, truncates mostly onto the centre.
        EXPECT_TRUE(WorkColour(302, 300) == c.rim && WorkColour(298, 300) == c.rim) << std::hex << c.colour;
        EXPECT_TRUE(WorkColour(300, 300) == c.inner && WorkColour(301, 300) == c.inner) << std::hex << c.colour;
    }
    Drawn();
    DrawDiscFromHalf(100, 100, 0, 0xFF);
    DrawDiscFromBlack(100, 100, -1, 0xFF);
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(PrimitivesTest, GradientColours) {
    DrawGradientRect(0, 0, 300, 200, 0x00FFFF00);  // the panel's background
    const struct { std::int32_t x, y; ColourRef colour; } cases[] = {
        {1, 1, MakeColour(0, 253, 253)},  // 127 + 127 × 199 / 200; line y = 0 is off the frame
        {300, 1, MakeColour(0, 253, 253)}, {150, 100, MakeColour(0, 190, 190)}, {1, 199, MakeColour(0, 127, 127)},
        {0, 50, Blank}, {301, 50, Blank}, {150, 200, Blank},  // lines leave their start out
    };
    for (const auto& c : cases) EXPECT_EQ(WorkColour(c.x, c.y), c.colour) << c.x << ", " << c.y;
    EXPECT_EQ(Drawn().size(), 300u * 199u);
    DrawGradientRect(10, 20, 105, 40, 0x00FFFF00);  // a button
    EXPECT_EQ(WorkColour(11, 20), MakeColour(0, 254, 254));
    EXPECT_EQ(WorkColour(11, 59), MakeColour(0, 130, 130));
    Drawn();
    DrawGradientRect(10, 10, 0, 20, 0xFF);
    DrawGradientRect(10, 10, 20, 0, 0xFF);
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(PrimitivesTest, ShapesRunOffEveryEdge) {  // the guards show nothing outside was written
    DrawEllipse(0, 0, 700, 700, Ink);
    DrawEllipse(1023, 768, 30, 30, Ink);
    DrawLine(-50, -50, 1100, 900, Ink);
    DrawDiscFromHalf(1020, 3, 8, 0xFF);
    DrawDiscFromBlack(-3, 766, 8, 0xFF);
    DrawGradientRect(-20, 760, 2000, 20, 0x00FFFF00);
    EXPECT_EQ(WorkColour(1023, 738), Ink);
}

}  // namespace
