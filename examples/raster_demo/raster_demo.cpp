// Draws lines, ellipses, shaded discs and gradients into a 1024 x 768 frame with the software raster and saves it as a PNG.
//
// raster_demo [OUT.png]   (default raster_demo.png)
//
// The raster draws into whatever frame SetDrawTarget names: 1024 x 768 pixels
// of 4 bytes (blue, green, red, unused), bottom row first, so y = 1 is the top
// row and y = 768 the bottom one. Colours are 0x00BBGGRR (MakeColour).
#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <tunedeck/common/shared.h>
#include <tunedeck/mathlib/geometry.h>
#include <tunedeck/mathlib/tables.h>
#include <tunedeck/raster/frames.h>
#include <tunedeck/raster/primitives.h>
#include <tunedeck/surfaces/surface_state.h>

static void DrawScene() {
    // Sky and ground: each gradient runs from the full colour at its top row to about half at its bottom.
    DrawGradientRect(0, 1, FrameWidth, 500, MakeColour(90, 160, 255));
    DrawGradientRect(0, 501, FrameWidth, 268, MakeColour(60, 200, 90));

    // A sun of rays: PolarOffset turns a radius and an angle (tenths of a degree) into an offset.
    for (AngleIndex a = 0; a < FullTurn; a += 120) {
        CoordPair end = PolarOffset(150, a);
        DrawLine(820, 150, 820 + end.x, 150 + end.y, MakeColour(255, 220, 0));
    }
    DrawDiscFromHalf(820, 150, 70, MakeColour(255, 240, 120));

    // Orbits: ellipses are outlines of 3600 points, so wide ones stay closed.
    for (std::int32_t i = 0; i < 5; ++i) {
        DrawEllipse(330, 330, 80 + 40 * i, 30 + 15 * i, MakeColour(255, 255 - 40 * i, 40 * i));
    }
    DrawDiscFromBlack(330, 330, 60, MakeColour(255, 90, 40));

    // A row of shaded balls on the ground, and a frame of lines around the picture.
    for (std::int32_t i = 0; i < 6; ++i) {
        DrawDiscFromHalf(120 + 160 * i, 640, 30 + 6 * i, MakeColour(40 * i, 80, 255 - 40 * i));
    }
    DrawLine(10, 10, 1013, 10, 0xFFFFFF);
    DrawLine(1013, 10, 1013, 758, 0xFFFFFF);
    DrawLine(1013, 758, 10, 758, 0xFFFFFF);
    DrawLine(10, 758, 10, 10, 0xFFFFFF);
}

// Writes the frame as an RGB PNG: the frame's rows are bottom first and its
// bytes blue, green, red, unused.
static bool WritePng(const char* path, const std::vector<std::uint8_t>& frame) {
    std::vector<std::uint8_t> rgb(std::size_t(FramePixels) * 3);
    for (std::int32_t y = 0; y < FrameHeight; ++y) {
        const std::uint8_t* row = frame.data() + std::size_t(FrameHeight - 1 - y) * FrameRowBytes;
        std::uint8_t* out = rgb.data() + std::size_t(y) * FrameWidth * 3;
        for (std::int32_t x = 0; x < FrameWidth; ++x) {
            out[3 * x] = row[4 * x + 2];
            out[3 * x + 1] = row[4 * x + 1];
            out[3 * x + 2] = row[4 * x];
        }
    }
    return stbi_write_png(path, FrameWidth, FrameHeight, 3, rgb.data(), FrameWidth * 3) != 0;
}

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "raster_demo.png";
    BuildLookupTables();   // the primitives read the trigonometric and row-offset tables

    std::vector<std::uint8_t> frame(FrameBytes);
    SetDrawTarget(frame.data());
    ClearWorkSurface();   // clears the draw target
    DrawScene();

    if (!WritePng(path, frame)) {
        std::fprintf(stderr, "raster_demo: cannot write %s\n", path);
        return 1;
    }
    std::printf("raster_demo: wrote %s\n", path);
    FreeLookupTables();
    return 0;
}
