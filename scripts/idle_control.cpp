// The idle measurement's control program (scripts/idle.sh builds and runs it):
// the least a window can do that shows the player's picture as the player
// does. A bare window at the screen's top-left, 300 by 200, whose 40 ms timer
// copies a 300 by 200 DIB section into the window's device context. No text,
// no second timer: the floor the player is measured against. With the word
// "gl" on its command line it also binds an OpenGL context to the window's
// device context with the player's pixel format request, as the player's
// start-up does: under Wine a window with a pixel format loses its client-side
// surface, and every copy to it then goes through the X server.
// Windows only; built on its own with MinGW-w64, not part of the product.
#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstring>

constexpr int SurfaceWidth = 300, SurfaceHeight = 200;
constexpr UINT_PTR CopyTimerId = 1;
constexpr UINT CopyPeriodMs = 40;

struct ControlStateRecord {
    HDC windowDC;   // taken once, as the player keeps its window's
    HDC surfaceDC;  // memory DC with the DIB section selected
    bool withGL;    // "gl" on the command line
};
static ControlStateRecord ControlState = {};

// A DIB section filled with a vertical ramp, so the copy moves real pixels.
static HDC CreateSurface(HDC reference) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = SurfaceWidth;
    info.bmiHeader.biHeight = SurfaceHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < SurfaceHeight; ++y)
        for (int x = 0; x < SurfaceWidth; ++x) pixels[y * SurfaceWidth + x] = 0x00007F7Fu + std::uint32_t(y / 2) * 0x0101u;
    HDC dc = CreateCompatibleDC(reference);
    SelectObject(dc, bitmap);
    return dc;
}

// The player's request (gl/context.cpp): RGBA, double-buffered, 8 colour and
// 16 depth bits.
static void BindGLContext(HDC dc) {
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 8;
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;
    if (SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request)) wglMakeCurrent(dc, wglCreateContext(dc));
}

static void CALLBACK CopyTick(HWND, UINT, UINT_PTR, DWORD) {
    BitBlt(ControlState.windowDC, 0, 0, SurfaceWidth, SurfaceHeight, ControlState.surfaceDC, 0, 0, SRCCOPY);
}

static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ControlState.windowDC = GetDC(window);
        ControlState.surfaceDC = CreateSurface(ControlState.windowDC);
        if (ControlState.withGL) BindGLContext(ControlState.windowDC);
        SetTimer(window, CopyTimerId, CopyPeriodMs, CopyTick);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ControlState.withGL = std::strstr(commandLine, "gl") != nullptr;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "IdleControl";
    if (RegisterClassExA(&wc) == 0) return 1;
    HWND window = CreateWindowExA(0, "IdleControl", "Idle control", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr || ControlState.surfaceDC == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
