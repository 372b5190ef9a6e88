// The surfaces write in a fixed-pitch font, as on Windows (under Wine only
// through the prefix's font replacement). Pictures that cannot be loaded show
// the user the system's text for the failure and leave the target untouched.
// (The frames' bytes on screen, the glyphs and pictures drawn are seen end to
// end, in player_test.cpp.)
#include <gtest/gtest.h>

#include <thread>

#include "harness/harness.h"
#include "surfaces/pictures.h"
#include "surfaces/surfaces.h"

TEST(Surfaces, WriteInAFixedPitchFont) {
    HWND window = CreateWindowA("STATIC", "surfaces", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetWindowDC(GetDC(window));
    SetUpSurfaces(window);
    for (HDC dc : {GetScreenDC(), GetWorkDC()}) {
        TEXTMETRICA metrics = {};
        ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
        EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a proportional font stands in";   // the bit set means variable pitch
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
        std::string shown = "no message box";
        std::thread answer([&] {   // this thread sits in the box's modal loop meanwhile
            if (HWND box = WaitForWindow(GetCurrentProcessId(), "#32770", nullptr, 15000)) shown = DialogText(box), PressDialogButton(box, IDOK);
        });
        DrawPictureFile(target, target, 0, 0, 64, 64, c.path.c_str());
        answer.join();
        EXPECT_TRUE(shown == expected && expected[0] != '\0') << shown;
        for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(GetPixel(target, i % 64, i / 64), RGB(255, 255, 255)) << i;
    }
    DeleteDC(target);
    DeleteObject(bitmap);
    SetLastError(0);
    EXPECT_EQ(RenderPicture(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}
