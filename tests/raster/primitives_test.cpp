// Raster primitives: the exact points of lines and ellipses, the colours of
// discs and gradients, and shapes running off every edge of the frame.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "frame_fixture.h"
#include "mathlib/geometry.h"
#include "raster/pixels.h"
#include "raster/primitives.h"

namespace {

using Point = std::pair<std::int32_t, std::int32_t>;
using PointSet = std::set<Point>;

constexpr std::uint8_t Background = 0xEE;
constexpr ColourRef Ink = 0x00123456;

class PrimitivesTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        std::memset(work.data(), Background, FrameBytes);
    }
    // Every point (caller's coordinates) whose colour differs from the background.
    PointSet Drawn() {
        PointSet points;
        for (std::int32_t y = 1; y <= FrameHeight; ++y)
            for (std::int32_t x = 0; x < FrameWidth; ++x)
                if (WorkColour(x, y) != 0x00EEEEEEu) points.insert({x, y});
        return points;
    }
};

std::string Show(const PointSet& points) {
    std::string s;
    for (const auto& p : points) s += "(" + std::to_string(p.first) + ", " + std::to_string(p.second) + ") ";
    return s;
}

// The line as stepping by division gives it, clipped to the frame.
PointSet ReferenceLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    PointSet points;
    CoordPair d = VectorDiff(x1, y1, x2, y2);
    auto n = std::int32_t(VectorLength(d.x, d.y));
    for (std::int32_t k = n; k >= 1; --k) {
        CoordPair s = ScaleVector(d.x, d.y, n, k);
        std::int32_t x = x1 + s.x, y = y1 + s.y;
        if (x >= 0 && x < FrameWidth && y >= 1 && y <= FrameHeight) points.insert({x, y});
    }
    return points;
}

TEST_F(PrimitivesTest, LinePointLists) {
    const struct { std::int32_t x1, y1, x2, y2; PointSet expected; } cases[] = {
        {10, 10, 10, 10, {}},
        {10, 10, 11, 10, {{11, 10}}},
        {0, 1, 3, 1, {{1, 1}, {2, 1}, {3, 1}}},
        {3, 1, 0, 1, {{2, 1}, {1, 1}, {0, 1}}},
        {5, 5, 5, 8, {{5, 6}, {5, 7}, {5, 8}}},
        {5, 5, 8, 9, {{5, 5}, {6, 6}, {6, 7}, {7, 8}, {8, 9}}},  // length 5, steps of 3/5 and 4/5
        {5, 5, 2, 1, {{5, 5}, {4, 4}, {4, 3}, {3, 2}, {2, 1}}},  // truncation toward zero
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x1 << ", " << c.y1 << ") to (" << c.x2 << ", " << c.y2 << ")");
        std::memset(work.data(), Background, FrameBytes);
        DrawLine(c.x1, c.y1, c.x2, c.y2, Ink);
        PointSet drawn = Drawn();
        EXPECT_EQ(drawn, c.expected) << Show(drawn);
    }
}

TEST_F(PrimitivesTest, DiagonalLineEndsOnItsStart) {
    DrawLine(0, 1, 100, 101, Ink);
    PointSet expected;
    for (std::int32_t i = 0; i <= 100; ++i) expected.insert({i, i + 1});  // 141 steps over 101 points
    EXPECT_EQ(Drawn(), expected);
    EXPECT_EQ(WorkColour(0, 1), Ink);
}

TEST_F(PrimitivesTest, LinesMatchSteppingByDivision) {
    // Lines along an axis across every edge, then random ones in every
    // direction, steep and shallow, some running off the frame.
    std::vector<std::array<std::int32_t, 4>> lines = {
        {-5, 10, 1030, 10}, {1030, 10, -5, 10}, {7, -5, 7, 800},  {7, 800, 7, -5},     {0, 768, 0, 1},
        {1023, 0, 1023, 769}, {5, 0, 100, 0}, {5, 769, 100, 769}, {-9, 3, -1, 3},     {1024, 3, 1030, 3},
        {3, 767, 3, 768}, {3, 768, 3, 767}, {-1, 5, 0, 5}, {1023, 5, 1024, 5},
    };
    std::uint32_t seed = 7;
    auto next = [&seed](std::int32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return std::int32_t((seed >> 8) % std::uint32_t(range)) - range / 4;
    };
    for (int i = 0; i < 40; ++i) lines.push_back({next(1400), next(1100), next(1400), next(1100)});
    for (const auto& l : lines) {
        SCOPED_TRACE(::testing::Message() << "(" << l[0] << ", " << l[1] << ") to (" << l[2] << ", " << l[3] << ")");
        std::memset(work.data(), Background, FrameBytes);
        DrawLine(l[0], l[1], l[2], l[3], Ink);
        ASSERT_EQ(Drawn(), ReferenceLine(l[0], l[1], l[2], l[3]));
    }
}

TEST_F(PrimitivesTest, EllipsePoints) {
    DrawEllipse(500, 400, 100, 50, Ink);
    const struct { const char* angle; std::int32_t x, y; } cases[] = {
        {"0", 600, 400}, {"900", 500, 450}, {"1800", 400, 400}, {"2700", 500, 350}, {"450", 570, 435},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(WorkColour(c.x, c.y), Ink);
    }
    PointSet drawn = Drawn();
    EXPECT_EQ(drawn.count({500, 400}), 0u) << "an outline, not a fill";
    for (const auto& p : drawn) {
        // x = 500 + 100 cos, y = 400 + 50 sin, truncated: inside the bounding box.
        EXPECT_LE(std::abs(p.first - 500), 100);
        EXPECT_LE(std::abs(p.second - 400), 50);
    }
}

TEST_F(PrimitivesTest, EllipsesMatchPolarOffset) {
    const struct { std::int32_t cx, cy, rx, ry; } cases[] = {
        {500, 400, 100, 50}, {10, 10, 700, 300}, {500, 400, -60, 30}, {500, 400, 2147484, 5}, {500, 400, 3, INT32_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.cx << ", " << c.cy << ", " << c.rx << ", " << c.ry);
        std::memset(work.data(), Background, FrameBytes);
        DrawEllipse(c.cx, c.cy, c.rx, c.ry, Ink);
        PointSet expected;
        for (AngleIndex a = 3600; a >= 1; --a) {
            std::int64_t x = std::int64_t(c.cx) + PolarOffset(c.rx, a).x;
            std::int64_t y = std::int64_t(c.cy) + PolarOffset(c.ry, a).y;
            if (x >= 0 && x < FrameWidth && y >= 1 && y <= FrameHeight) expected.insert({std::int32_t(x), std::int32_t(y)});
        }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(Drawn(), expected);
    }
}

TEST_F(PrimitivesTest, DiscColours) {
    const struct { const char* name; void (*draw)(std::int32_t, std::int32_t, std::int32_t, ColourRef); ColourRef colour;
                   ColourRef rim, inner; } cases[] = {
        {"from half, red", DrawDiscFromHalf, 0x000000FF, 0x0000007F, 0x000000BE},
        {"from half, white", DrawDiscFromHalf, 0x00FFFFFF, 0x007F7F7F, 0x00BEBEBE},
        {"from black, blue", DrawDiscFromBlack, 0x00FF0000, 0x00000000, 0x007F0000},
        {"from black, mixed", DrawDiscFromBlack, 0x00804020, 0x00000000, 0x00402010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(work.data(), Background, FrameBytes);
        c.draw(300, 300, 2, c.colour);
        EXPECT_EQ(WorkColour(302, 300), c.rim);    // only the radius-2 circle reaches x + 2
        EXPECT_EQ(WorkColour(298, 300), c.rim);
        EXPECT_EQ(WorkColour(300, 300), c.inner);  // the radius-1 circle truncates mostly onto the centre
        EXPECT_EQ(WorkColour(301, 300), c.inner);  // drawn after the rim, so it wins
    }
}

TEST_F(PrimitivesTest, LargerDiscShadesInwards) {
    DrawDiscFromHalf(500, 400, 10, 0x0000FF00);
    // Circle i (radius 10 - i) has green 127 + 127 i / 10; on the axis x = 500 + radius.
    for (std::int32_t i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(WorkColour(500 + 10 - i, 400), MakeColour(0, 127 + 127 * std::uint32_t(i) / 10, 0));
    }
}

TEST_F(PrimitivesTest, GradientLines) {
    DrawGradientRect(0, 0, 300, 200, 0x00FFFF00);
    const struct { std::int32_t x, y; ColourRef colour; } cases[] = {
        {1, 1, MakeColour(0, 253, 253)},     // 127 + 127 × 199 / 200; the line at y = 0 is off the frame
        {300, 1, MakeColour(0, 253, 253)},
        {150, 100, MakeColour(0, 127 + 127 * 100 / 200, 127 + 127 * 100 / 200)},
        {1, 199, MakeColour(0, 127, 127)},   // last line: 127 + 127 / 200
        {0, 50, 0x00EEEEEE},                 // each line leaves its start out
        {301, 50, 0x00EEEEEE},
        {150, 200, 0x00EEEEEE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(WorkColour(c.x, c.y), c.colour);
    }
    EXPECT_EQ(Drawn().size(), 300u * 199u);
}

TEST_F(PrimitivesTest, GradientFirstLineIsFullColourLowBitCleared) {
    DrawGradientRect(10, 20, 105, 40, 0x00FFFF00);
    EXPECT_EQ(WorkColour(11, 20), MakeColour(0, 254, 254));
    EXPECT_EQ(WorkColour(11, 59), MakeColour(0, 130, 130));  // 127 + 127 / 40
}

TEST_F(PrimitivesTest, EmptyShapesDrawNothing) {
    const struct { const char* name; void (*draw)(); } cases[] = {
        {"gradient w 0", [] { DrawGradientRect(10, 10, 0, 20, 0xFF); }},
        {"gradient h 0", [] { DrawGradientRect(10, 10, 20, 0, 0xFF); }},
        {"gradient h -3", [] { DrawGradientRect(10, 10, 20, -3, 0xFF); }},
        {"disc r 0", [] { DrawDiscFromHalf(100, 100, 0, 0xFF); }},
        {"disc r -1", [] { DrawDiscFromBlack(100, 100, -1, 0xFF); }},
        {"line of length 0", [] { DrawLine(10, 10, 10, 10, 0xFF); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.draw();
        EXPECT_TRUE(Drawn().empty());
    }
}

TEST_F(PrimitivesTest, ShapesRunOffEveryEdge) {
    // Only points inside are written; the guards show nothing else was.
    DrawEllipse(0, 0, 700, 700, Ink);
    DrawEllipse(1023, 768, 30, 30, Ink);
    DrawLine(-50, -50, 1100, 900, Ink);
    DrawLine(-3000000, 5, 3000000, 5, Ink);  // squared length far beyond 2^31
    DrawDiscFromHalf(1020, 3, 8, 0xFF);
    DrawDiscFromBlack(-3, 766, 8, 0xFF);
    DrawGradientRect(-20, 760, 2000, 20, 0x00FFFF00);
    EXPECT_EQ(WorkColour(1023, 738), Ink);  // top of the corner ellipse
    EXPECT_EQ(WorkColour(0, 5), Ink);
    EXPECT_EQ(WorkColour(600, 5), Ink);
    EXPECT_EQ(WorkColour(512, 100), 0x00EEEEEEu);
}

}  // namespace
