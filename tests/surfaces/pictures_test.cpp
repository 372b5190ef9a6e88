// Picture files through the platform's loader: size and upright rendering, and
// the failures the user is shown, each leaving the target untouched.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "surfaces/pictures.h"

namespace {

bool NearFace(COLORREF c) {   // the Stop button's face, within what JPEG moves a channel
    return std::abs(int(GetRValue(c)) - 0xE6) < 12 && std::abs(int(GetGValue(c)) - 0xE2) < 12 && std::abs(int(GetBValue(c)) - 0xD6) < 12;
}

TEST(Pictures, LoadUprightAtThePicturesPixelSizeTwiceAlike) {
    const std::string path = PlayerAssetsDir() + "\\img\\UserInterface\\StopButton.jpg";
    for (int round = 0; round < 2; ++round) {   // COM is balanced inside each call
        SCOPED_TRACE(round);
        HBITMAP bitmap = LoadPictureFile(path.c_str());
        ASSERT_NE(bitmap, nullptr) << GetLastError();
        BITMAP bm = {};
        GetObjectA(bitmap, sizeof bm, &bm);
        EXPECT_TRUE(bm.bmWidth == 200 && bm.bmHeight == 150) << bm.bmWidth << " x " << bm.bmHeight;
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        EXPECT_TRUE(NearFace(GetPixel(dc, 35, 45)));
        EXPECT_EQ(GetPixel(dc, 35, 8) & 0xC0C0C0, 0u) << "above the disc: upright, not flipped";
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    SetLastError(0);
    EXPECT_EQ(RenderPicture(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        char expected[500] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, c.error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected, sizeof expected, nullptr);
        HDC target = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(64, 64, 1, 32, nullptr);
        SelectObject(target, bitmap);
        PatBlt(target, 0, 0, 64, 64, WHITENESS);
        BoxAnswer answer = {};
        answer.timeoutMs = 15000;
        HANDLE thread = AnswerMessageBoxLater(&answer);
        DrawPictureFile(target, target, 0, 0, 64, 64, c.path.c_str());
        WaitForSingleObject(thread, 20000);
        CloseHandle(thread);
        EXPECT_TRUE(answer.seen && answer.text == expected && expected[0] != '\0') << answer.text;
        for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(GetPixel(target, i % 64, i / 64), RGB(255, 255, 255)) << i;
        DeleteDC(target);
        DeleteObject(bitmap);
    }
}

}  // namespace
