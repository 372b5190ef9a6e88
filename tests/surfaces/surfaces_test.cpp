// The surfaces made at window creation: their format, text state, the layout of
// their bits, the drawing-target switch and memory surfaces.
#include <gtest/gtest.h>

#include <cstring>

#include "harness/harness.h"
#include "surfaces/surfaces.h"

namespace {

// A plain window of its own, so the surfaces are seen as set-up leaves them
// (the player's panel changes their text colours afterwards).
class SurfacesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "SurfacesTestWindow";
        RegisterClassA(&wc);
        HWND window = CreateWindowA(wc.lpszClassName, "surfaces", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                    nullptr, nullptr, nullptr, nullptr);
        SetWindowDC(GetDC(window));
        SetUpSurfaces(window);
    }
};

TEST_F(SurfacesTest, BothSurfacesAre1024By768At32Bits) {
    for (HBITMAP bitmap : {GetScreenBitmap(), static_cast<HBITMAP>(SurfaceState.workBitmap)}) {
        DIBSECTION ds = {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof ds, &ds), int(sizeof ds));
        EXPECT_EQ(ds.dsBm.bmWidth, 1024);
        EXPECT_EQ(ds.dsBm.bmHeight, 768);
        EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(ds.dsBm.bmWidthBytes, 4096);
    }
    EXPECT_NE(GetScreenBits(), GetWorkBits());
}

TEST_F(SurfacesTest, BothSurfacesDrawGreenTransparentTextInTheSurfaceFont) {
    struct Surface { const char* name; HDC dc; std::uint8_t* bits; } surfaces[] = {
        {"screen", GetScreenDC(), GetScreenBits()},
        {"work", GetWorkDC(), GetWorkBits()},
    };
    for (const Surface& s : surfaces) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(GetBkMode(s.dc), TRANSPARENT);
        EXPECT_EQ(GetTextColor(s.dc), COLORREF(0x0000FF00));
        LOGFONTA lf = {};
        ASSERT_GT(GetObjectA(GetCurrentObject(s.dc, OBJ_FONT), sizeof lf, &lf), 0);
        EXPECT_EQ(lf.lfHeight, -15);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_EQ(lf.lfQuality, DRAFT_QUALITY);
        EXPECT_STREQ(lf.lfFaceName, "Lucida Console");

        // Dark grey under the text: it must stay where no glyph is drawn.
        std::memset(s.bits, 0x20, FrameBytes);
        GdiFlush();
        ASSERT_TRUE(TextOutA(s.dc, 10, 10, "Hello", 5));
        GdiFlush();
        int green = 0, other = 0;
        for (int y = 0; y < 40; ++y) {
            const std::uint8_t* row = s.bits + (767 - y) * FrameRowBytes;
            for (int x = 0; x < 100; ++x) {
                const std::uint8_t* p = row + x * 4;
                if (p[0] == 0x20 && p[1] == 0x20 && p[2] == 0x20) continue;
                if (p[1] > p[0] && p[1] > p[2]) ++green; else ++other;
            }
        }
        EXPECT_GT(green, 20);
        EXPECT_EQ(other, 0);
        std::memset(s.bits, 0, FrameBytes);
    }
}

TEST_F(SurfacesTest, FirstRowOfBitsIsThePicturesBottomLine) {
    HDC dc = GetScreenDC();
    std::uint8_t* bits = GetScreenBits();
    const std::uint8_t bgr0[4] = {0x11, 0x22, 0x33, 0x00};
    std::memcpy(bits, bgr0, 4);
    std::memcpy(bits + 767 * FrameRowBytes, bgr0, 4);
    std::memcpy(bits + 767 * FrameRowBytes + 4, bgr0, 4);
    GdiFlush();
    EXPECT_EQ(GetPixel(dc, 0, 767), RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(GetPixel(dc, 1, 767), RGB(0, 0, 0));
    std::memset(bits, 0, FrameBytes);
}

TEST_F(SurfacesTest, DrawTargetCanBeReplacedAndRestored) {
    std::uint8_t* own = GetWorkBits();
    EXPECT_EQ(GetDrawTarget(), own);
    static std::uint8_t other[16];
    SetDrawTarget(other);
    EXPECT_EQ(GetWorkBits(), other);
    EXPECT_EQ(GetDrawTarget(), other);
    SetDrawTarget(own);
    EXPECT_EQ(GetDrawTarget(), own);
}

TEST_F(SurfacesTest, MemorySurfaceIsCompatibleAndSelected) {
    MemorySurfacePair s = CreateMemorySurface(600, 480);
    ASSERT_NE(s.bitmap, nullptr);
    ASSERT_NE(s.dc, nullptr);
    EXPECT_EQ(GetCurrentObject(s.dc, OBJ_BITMAP), s.bitmap);
    BITMAP bm = {};
    ASSERT_GT(GetObjectA(s.bitmap, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 600);
    EXPECT_EQ(bm.bmHeight, 480);
    EXPECT_EQ(bm.bmBitsPixel, GetDeviceCaps(GetMainWindowDC(), BITSPIXEL));
    DeleteDC(s.dc);
    DeleteObject(s.bitmap);
}

}  // namespace
