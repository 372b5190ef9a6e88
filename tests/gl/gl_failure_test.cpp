// Start-up when the window already carries another pixel format: the context
// cannot be made, an empty message box shows, and the player runs on without
// OpenGL. Its own process, so no other test shares the state.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "common/input.h"
#include "gl/context.h"
#include "harness/harness.h"

namespace {

bool PresetDone = false;

// Before the player's window procedure sees WM_CREATE, give its window a
// window-drawing OpenGL format other than the one CreateGLContext would pick.
LRESULT CALLBACK PresetOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[16] = {};
    if (code == HC_ACTION && msg->message == WM_CREATE && GetClassNameA(msg->hwnd, cls, sizeof cls) && lstrcmpA(cls, "TAV") == 0) {
        HDC dc = GetDC(msg->hwnd);
        PIXELFORMATDESCRIPTOR request = GLPixelFormatRequest(), pfd = {};
        const int chosen = ChoosePixelFormat(dc, &request), count = DescribePixelFormat(dc, 1, sizeof pfd, &pfd);
        for (int i = 1; i <= count && !PresetDone; ++i)
            PresetDone = i != chosen && DescribePixelFormat(dc, i, sizeof pfd, &pfd) != 0 && (pfd.dwFlags & PFD_DRAW_TO_WINDOW) &&
                         (pfd.dwFlags & PFD_SUPPORT_OPENGL) && SetPixelFormat(dc, i, &pfd);
        ReleaseDC(msg->hwnd, dc);
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
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(GLContextFailed(CreateGLContext()));   // asked again on the same window
    // Without OpenGL the size changes still arrive harmlessly and the panel keeps presenting.
    SetWindowPos(window, nullptr, 0, 0, 360, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    InputState.FramesPerSecond = 0;
    EXPECT_TRUE(WaitUntil(3000, [](void*) { return InputState.FramesPerSecond > 0; }, nullptr));
}

}  // namespace
