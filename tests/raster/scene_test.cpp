// Golden image: every primitive drawn into the drawing target and hashed, so
// the native and the Windows build must agree to the bit. The scene is left
// as raster_scene.png for a person to look at.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "mathlib/geometry.h"
#include "raster/frames.h"
#include "raster/primitives.h"
#include "support/png.h"

namespace {

using SceneTest = FrameTest;

// A change that alters any pixel changes this: look at the picture before updating it.
constexpr std::uint64_t SceneHash = 0x048f721e3d1c2a80;

TEST_F(SceneTest, EveryPrimitiveMatchesTheGoldenHash) {
    ClearWorkSurface();
    DrawGradientRect(0, 0, 1024, 768, 0x00FFFF00);
    DrawGradientRect(40, 40, 300, 120, 0x000080FF);
    DrawGradientRect(380, 40, 105, 40, 0x00FFFFFF);
    for (AngleIndex a = 0; a < 3600; a += 150) {  // a star of lines in every direction
        CoordPair end = PolarOffset(180, a);
        DrawLine(700, 250, 700 + end.x, 250 + end.y, MakeColour(std::uint32_t(a / 15), 0, 255 - std::uint32_t(a / 15)));
    }
    DrawLine(0, 1, 1023, 768, 0x00000000);
    DrawLine(1023, 1, 0, 768, 0x00FFFFFF);
    DrawEllipse(200, 450, 150, 80, 0x000000FF);
    DrawEllipse(200, 450, 80, 150, 0x0000FF00);
    DrawEllipse(900, 700, 700, 300, 0x00FF00FF);  // gaps between points; runs off the frame
    DrawDiscFromHalf(520, 560, 90, 0x000000FF);
    DrawDiscFromBlack(780, 560, 90, 0x0000FFFF);
    DrawDiscFromHalf(1010, 20, 40, 0x00FF0000);
    DrawDiscFromBlack(10, 760, 40, 0x00FFFFFF);

    std::uint64_t hash = HashPixelsBgr(work.data(), FrameWidth, FrameHeight, FrameRowBytes);
    WritePngBgrx(ArtifactPath("raster_scene.png"), work.data(), FrameWidth, FrameHeight, FrameRowBytes, true);
    EXPECT_EQ(hash, SceneHash) << "scene hash 0x" << std::hex << hash << "; see " << ArtifactPath("raster_scene.png");
}

}  // namespace
