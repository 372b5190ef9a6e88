// Context creation when the window already carries another pixel format: the
// failure result, and the start-up's empty message box after which the player
// runs on without OpenGL. Its own process, so no other test shares the state.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "common/input.h"
#include "gl/context.h"
#include "harness/harness.h"
#include "surfaces/surfaces.h"

namespace {

// Sets a window-drawing OpenGL format other than the one CreateGLContext would
// pick on the window's DC; false when the platform offers no other.
bool PresetOtherFormat(HWND window) {
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR request = GLPixelFormatRequest(), pfd = {};
    const int chosen = ChoosePixelFormat(dc, &request), count = DescribePixelFormat(dc, 1, sizeof pfd, &pfd);
    bool set = false;
    for (int i = 1; i <= count && !set; ++i) {
        set = i != chosen && DescribePixelFormat(dc, i, sizeof pfd, &pfd) != 0 && (pfd.dwFlags & PFD_DRAW_TO_WINDOW) &&
              (pfd.dwFlags & PFD_SUPPORT_OPENGL) && SetPixelFormat(dc, i, &pfd);
    }
    ReleaseDC(window, dc);
    return set;
}

TEST(GLContextFailure, CreateReportsAFormatThatCannotBeSet) {
    HWND window = CreateWindowExA(0, "STATIC", "gl probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    if (!PresetOtherFormat(window)) GTEST_SKIP() << "the platform offers one pixel format only";
    HDC savedDC = GetMainWindowDC(), dc = GetDC(window);
    SetWindowDC(dc);
    GLContextPair pair = CreateGLContext();
    SetWindowDC(savedDC);
    EXPECT_TRUE(GLContextFailed(pair));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(pair.dc), -1);   // both halves carry the failure mark
    EXPECT_EQ(reinterpret_cast<INT_PTR>(pair.rc), -1);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

// Before the player's window procedure sees WM_CREATE, give its window another format.
bool PresetDone = false;

LRESULT CALLBACK PresetOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[16] = {};
    if (code == HC_ACTION && msg->message == WM_CREATE && GetClassNameA(msg->hwnd, cls, sizeof cls) &&
        lstrcmpA(cls, "TAV") == 0) {
        PresetDone = PresetOtherFormat(msg->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(GLContextFailure, StartUpShowsAnEmptyBoxAndGoesOn) {
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, PresetOnCreate, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    BoxAnswer seen = {};
    seen.timeoutMs = 10000;
    HANDLE answerer = AnswerMessageBoxLater(&seen);
    HWND window = OpenPlayerWindow();   // start-up runs here and waits in the box until it is answered
    UnhookWindowsHookEx(hook);
    WaitForSingleObject(answerer, 15000);
    CloseHandle(answerer);
    if (!PresetDone) GTEST_SKIP() << "the platform offers one pixel format only";

    EXPECT_TRUE(seen.seen) << "no message box during start-up";
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(seen.title, "Error");   // the platform's caption for a null one
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    // Without OpenGL the size changes still arrive harmlessly and the panel keeps presenting.
    SetWindowPos(window, nullptr, 0, 0, 360, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    InputState.FramesPerSecond = 0;
    PumpFor(2200);
    EXPECT_GT(InputState.FramesPerSecond, 0);
}

}  // namespace
