// Pictures that cannot be loaded: the user is shown the system's text for the
// failure and the target is left untouched. (Loading and drawing are seen end
// to end, in the panel of player_test.cpp.)
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "surfaces/pictures.h"

namespace {

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

}  // namespace
