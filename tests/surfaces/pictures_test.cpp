// Picture files through the platform's loader: sizes, upright rendering,
// cropping without scaling, and the failures the caller is told about.
#include <gtest/gtest.h>

#include <cstring>

#include "app/window.h"
#include "harness/harness.h"
#include "surfaces/pictures.h"
#include "surfaces/surfaces.h"

namespace {

const std::string Button = "\\img\\UserInterface\\StopButton.jpg";

std::string SystemText(DWORD code) {
    char text[500] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    return text;
}

// Near a colour: JPEG moves channels by a few steps.
bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

struct Target {
    HDC dc;
    HBITMAP bitmap;
    std::uint32_t* bits;   // 64 x 64, top row first
};

Target MakeTarget(std::uint32_t fill) {
    Target t = {};
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    t.dc = CreateCompatibleDC(nullptr);
    t.bitmap = CreateDIBSection(t.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(t.dc, t.bitmap);
    t.bits = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < 64 * 64; ++i) t.bits[i] = fill;
    return t;
}

void FreeTarget(Target& t) {
    DeleteDC(t.dc);
    DeleteObject(t.bitmap);
}

class PicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetCurrentDirectoryA(PlayerAssetsDir().c_str()); }
};

TEST_F(PicturesTest, LoadsUprightAtThePicturesPixelSizeTwiceAlike) {
    std::string path = PlayerAssetsDir() + Button;
    for (int round = 0; round < 2; ++round) {   // COM is balanced inside each call
        SCOPED_TRACE(round);
        HBITMAP bitmap = LoadPictureFile(path.c_str());
        ASSERT_NE(bitmap, nullptr) << GetLastError();
        BITMAP bm = {};
        GetObjectA(bitmap, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 200);
        EXPECT_EQ(bm.bmHeight, 150);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_TRUE(Near(GetPixel(dc, 35, 45), RGB(0xE6, 0xE2, 0xD6))) << std::hex << GetPixel(dc, 35, 45);  // the face
        EXPECT_TRUE(Near(GetPixel(dc, 35, 8), RGB(0, 0, 0)));       // above the disc: upright, not flipped
        EXPECT_TRUE(Near(GetPixel(dc, 35, 78), RGB(0x4A, 0x4A, 0x4A), 30));   // bottom rim
        EXPECT_TRUE(Near(GetPixel(dc, 190, 140), RGB(0, 0, 0)));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST_F(PicturesTest, FailuresSetTheLastError) {
    struct Case { const char* what; std::string path; DWORD error; } cases[] = {
        {"missing", PlayerAssetsDir() + "\\no such picture.jpg", ERROR_FILE_NOT_FOUND},
        {"not a picture", SourcePath("README.md"), ERROR_FILE_NOT_FOUND},
        {"empty path", "", ERROR_FILE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(LoadPictureFile(c.path.c_str()), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
    SetLastError(0);
    EXPECT_EQ(RenderPicture(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(PicturesTest, DrawCopiesOnlyTheTopLeftPartUnscaled) {
    Target t = MakeTarget(0x00808080);
    HDC reference = GetDC(nullptr);
    DrawPictureFile(reference, t.dc, 5, 5, 40, 50, Button.c_str());
    GdiFlush();
    // Picture point (35, 45) lands at (40, 50); nothing outside 40 x 50 at (5, 5) changes.
    std::uint32_t face = t.bits[50 * 64 + 40];
    EXPECT_TRUE(Near(RGB((face >> 16) & 0xFF, (face >> 8) & 0xFF, face & 0xFF), RGB(0xE6, 0xE2, 0xD6))) << std::hex << face;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            bool inside = x >= 5 && x < 45 && y >= 5 && y < 55;
            if (!inside) {
                ASSERT_EQ(t.bits[y * 64 + x], 0x00808080u) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(GetBkMode(reference), OPAQUE);
    ReleaseDC(nullptr, reference);
    FreeTarget(t);
}

TEST_F(PicturesTest, MissingPictureShowsTheSystemTextAndLeavesTheTarget) {
    struct Case { const char* what; std::string path; DWORD error; } cases[] = {
        {"missing", "\\img\\nothing here.jpg", ERROR_FILE_NOT_FOUND},
        {"too long for the path block", "\\" + std::string(12000, 'a'), ERROR_FILENAME_EXCED_RANGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Target t = MakeTarget(0x00123456);
        BoxAnswer answer = {};
        answer.timeoutMs = 15000;
        HANDLE thread = AnswerMessageBoxLater(&answer);
        DrawPictureFile(t.dc, t.dc, 0, 0, 64, 64, c.path.c_str());
        WaitForSingleObject(thread, 20000);
        CloseHandle(thread);
        EXPECT_TRUE(answer.seen);
        EXPECT_EQ(answer.text, SystemText(c.error));
        EXPECT_FALSE(answer.text.empty());
        for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(t.bits[i], 0x00123456u) << i;
        FreeTarget(t);
    }
}

}  // namespace
