// The surfaces set-up makes bottom-up 1024 x 768 frames writing green text in a
// fixed-pitch font. Pictures that cannot be loaded show the user the system's
// text for the failure and leave the target untouched. (The frames' bytes on
// screen, the glyphs and pictures drawn are seen end to end, in player_test.cpp.)
#include <gtest/gtest.h>

#include <cstring>

#include "harness/harness.h"
#include "surfaces/pictures.h"
#include "surfaces/surfaces.h"

TEST(Surfaces, AreBottomUpFramesWritingGreenTextInAFixedPitchFont) {
    // A plain window of its own, so the surfaces are seen as set-up leaves them
    // (the player's panel changes their text colours afterwards).
    HWND window = CreateWindowA("STATIC", "surfaces", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetWindowDC(GetDC(window));
    SetUpSurfaces(window);
    const struct { HDC dc; void* bitmap; std::uint8_t* bits; } surfaces[] = {
        {GetScreenDC(), GetScreenBitmap(), GetScreenBits()},
        {GetWorkDC(), SurfaceState.workBitmap, GetWorkBits()},
    };
    for (const auto& s : surfaces) {
        SCOPED_TRACE(&s == surfaces ? "screen" : "work");
        DIBSECTION ds = {};
        LOGFONTA font = {};
        TEXTMETRICA metrics = {};
        ASSERT_EQ(GetObjectA(s.bitmap, sizeof ds, &ds), int(sizeof ds));
        ASSERT_TRUE(GetObjectA(GetCurrentObject(s.dc, OBJ_FONT), sizeof font, &font) > 0 && GetTextMetricsA(s.dc, &metrics));
        // A positive height is a bottom-up DIB: the first bytes are the bottom-left pixel.
        EXPECT_TRUE(ds.dsBmih.biWidth == 1024 && ds.dsBmih.biHeight == 768 && ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmBits == s.bits);
        EXPECT_TRUE(font.lfHeight == -15 && std::strcmp(font.lfFaceName, "Lucida Console") == 0) << font.lfFaceName;
        EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a proportional font stands in";   // the bit set means variable pitch
        EXPECT_TRUE(GetBkMode(s.dc) == TRANSPARENT && GetTextColor(s.dc) == RGB(0, 255, 0));
    }
}

TEST(Pictures, FailuresShowTheSystemTextAndLeaveTheTarget) {
    const std::string dir = MakeTempDir("pictures");
    ASSERT_TRUE(WriteTextFile(dir + "\\notes.jpg", "not a picture"));
    SetCurrentDirectoryA(dir.c_str());
    const struct { const char* what; std::string path; DWORD error; } cases[] = {
        {"missing", "\\img\\nothing here.jpg", ERROR_FILE_NOT_FOUND},
        {"not a picture", "\\notes.jpg", ERROR_FILE_NOT_FOUND},
        {"too long for the path block", "\\" + std::string(12000, 'a'), ERROR_FILENAME_EXCED_RANGE},
    };
    HDC target = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(64, 64, 1, 32, nullptr);
    SelectObject(target, bitmap);
    PatBlt(target, 0, 0, 64, 64, WHITENESS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        char expected[500] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, c.error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected, sizeof expected, nullptr);
        BoxAnswer answer = {"", "", false, 15000};
        HANDLE thread = AnswerMessageBoxLater(&answer);
        DrawPictureFile(target, target, 0, 0, 64, 64, c.path.c_str());
        WaitForSingleObject(thread, 20000);
        CloseHandle(thread);
        EXPECT_TRUE(answer.seen && answer.text == expected && expected[0] != '\0') << answer.text;
        for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(GetPixel(target, i % 64, i / 64), RGB(255, 255, 255)) << i;
    }
    DeleteDC(target);
    DeleteObject(bitmap);
    SetLastError(0);
    EXPECT_EQ(RenderPicture(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}
