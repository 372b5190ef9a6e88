// Main window, window procedure and message loop.
// The procedure only records input and hands the playback messages on; all
// drawing happens in the refresh tick of the control panel.
#include "app/window.h"

#include "common/input.h"
#include "app/panel.h"
#include "app/playback.h"
#include "gl/context.h"
#include "mathlib/tables.h"
#include "surfaces/surfaces.h"

namespace {

void RunStartUp(HWND window) {
    HDC dc = GetDC(window);
    SetWindowDC(dc);
    SetUpSurfaces(window);
    SetTimer(window, FrameRateTimerId, 1000, FrameRateTick);
    if (GLContextFailed(CreateGLContext())) {
        // The player works without OpenGL: say so and go on.
        MessageBoxA(window, nullptr, nullptr, MB_OK);
    }
    ComposePanel(window);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = MainWindowClass;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassExA(&wc);
    MainWindow = CreateWindowExA(0, MainWindowClass, MainWindowTitle, WS_OVERLAPPEDWINDOW,
                                 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
    return MainWindow;
}

int RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int RunMainWindow(HINSTANCE instance) {
    // Without a window no quit message would ever come: end at once instead.
    if (CreateMainWindow(instance) == nullptr) return 1;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    UpdateWindow(MainWindow);
    return RunMessageLoop();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    InputState.LastMessageId = message;
    switch (message) {
    case WM_DESTROY:
        FreeLookupTables();
        PostQuitMessage(0);
        return 0;
    case WM_CREATE:
        RunStartUp(window);
        return 0;
    case WM_SIZE: {
        RECT client = {};
        GetClientRect(window, &client);
        ResizeGLViewport(client.right, client.bottom);
        return 0;
    }
    case WM_MOUSEMOVE: {
        LowHighPair pos = SplitLowHigh(static_cast<std::uint32_t>(lParam));
        InputState.MouseX = pos.low;
        InputState.MouseY = pos.high;
        return 0;
    }
    case WM_KEYUP:
        SetKeyState(static_cast<std::uint32_t>(wParam), 0);
        return 0;
    case WM_KEYDOWN:
        SetKeyState(static_cast<std::uint32_t>(wParam), 1);
        return 0;
    case WM_LBUTTONUP:
        InputState.LeftButtonDown = 0;
        return 0;
    case WM_LBUTTONDOWN:
        InputState.LeftButtonDown = 1;
        return 0;
    case MM_MCINOTIFY:
        return HandleMciNotify(window, wParam, lParam);
    case PlayRequest:
        return HandlePlayRequest(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void CALLBACK FrameRateTick(HWND, UINT, UINT_PTR, DWORD) {
    InputState.FramesPerSecond = InputState.FrameCount;
    InputState.FrameCount = 0;
}
