// The surfaces set-up makes: their format, the layout of their bits, their
// text state and font.
#include <gtest/gtest.h>

#include <cstring>

#include "surfaces/surfaces.h"

namespace {

TEST(Surfaces, AreBottomUpFramesWritingGreenTextInAFixedPitchFont) {
    // A plain window of its own, so the surfaces are seen as set-up leaves them
    // (the player's panel changes their text colours afterwards).
    HWND window = CreateWindowA("STATIC", "surfaces", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetWindowDC(GetDC(window));
    SetUpSurfaces(window);
    const struct { const char* name; HDC dc; void* bitmap; std::uint8_t* bits; } surfaces[] = {
        {"screen", GetScreenDC(), GetScreenBitmap(), GetScreenBits()},
        {"work", GetWorkDC(), SurfaceState.workBitmap, GetWorkBits()},
    };
    for (const auto& s : surfaces) {
        SCOPED_TRACE(s.name);
        DIBSECTION ds = {};
        ASSERT_EQ(GetObjectA(s.bitmap, sizeof ds, &ds), int(sizeof ds));
        EXPECT_TRUE(ds.dsBm.bmWidth == 1024 && ds.dsBm.bmHeight == 768 && ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmBits == s.bits);

        LOGFONTA lf = {};
        TEXTMETRICA tm = {};
        ASSERT_GT(GetObjectA(GetCurrentObject(s.dc, OBJ_FONT), sizeof lf, &lf), 0);
        EXPECT_TRUE(lf.lfHeight == -15 && std::strcmp(lf.lfFaceName, "Lucida Console") == 0) << lf.lfFaceName;
        ASSERT_TRUE(GetTextMetricsA(s.dc, &tm));
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a proportional font stands in";   // the bit set means variable pitch

        // Green text on what is there: the glyphs themselves are seen end to end,
        // in the prompts of player_test.cpp drawn with this font.
        EXPECT_TRUE(GetBkMode(s.dc) == TRANSPARENT && GetTextColor(s.dc) == RGB(0, 255, 0));

        // The first bytes of the bits are the bottom-left pixel, row 767 the top-left.
        std::memcpy(s.bits, "\x11\x22\x33", 3);
        std::memcpy(s.bits + 767 * FrameRowBytes, "\x44\x55\x66", 3);
        GdiFlush();
        EXPECT_EQ(GetPixel(s.dc, 0, 767), RGB(0x33, 0x22, 0x11));
        EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(0x66, 0x55, 0x44));
    }
}

}  // namespace
