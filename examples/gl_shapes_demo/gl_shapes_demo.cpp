// Opens a window with the OpenGL toolkit's lit shapes turning; Escape or the close button ends it with 0.
//
// The toolkit binds its context to the device context recorded with
// SetWindowDC, as the player does with its main window.
#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <tunedeck/gl/camera.h>
#include <tunedeck/gl/context.h>
#include <tunedeck/gl/lights.h>
#include <tunedeck/gl/render_state.h>
#include <tunedeck/gl/shapes.h>
#include <tunedeck/mathlib/tables.h>
#include <tunedeck/surfaces/surfaces.h>

// Display lists of the shapes, built once the context exists.
static GLuint Shapes[4];

// Materials are red, green, blue, alpha. The render state blends with
// GL_ONE_MINUS_SRC_ALPHA: alpha 0 draws a shape opaque.
static const GLfloat Gold[4] = {0.9f, 0.7f, 0.2f, 0};
static const GLfloat Teal[4] = {0.2f, 0.7f, 0.8f, 0};
static const GLfloat Coral[4] = {0.9f, 0.4f, 0.4f, 0};
static const GLfloat Ivory[4] = {0.9f, 0.9f, 0.8f, 0};

static void SetUpScene() {
    SetupRenderState();
    // Three lights: white from the upper left, a blue fill from the right, a warm one from below.
    LightSettings = {{{-4, 4, 4, 1}, {5, 1, 2, 1}, {0, -4, 3, 1}},
                     {{0.15f, 0.15f, 0.15f, 1}, {0, 0, 0.2f, 1}, {0.15f, 0.05f, 0, 1}},
                     {0.65f, 0.65f, 0.65f, 1}, {0.3f, 0.3f, 0.3f, 1},
                     180, 0, {0, 0, -1}, 1, 0, 0};   // 180: no spot
    SetupLights();
    Shapes[0] = BuildCubeList(Gold, 0.6f);
    Shapes[1] = BuildSphereList(GLU_FILL, GLU_SMOOTH, Teal, 0.7, 32);
    Shapes[2] = BuildCylinderList(GLU_FILL, GLU_SMOOTH, Coral, 0.5, 0.2, 1.2);
    Shapes[3] = BuildPinList(Ivory);
}

static void DrawFrame() {
    ClearGLFrame();
    CameraRecord camera = {};
    BuildCamera(camera, 0, 150, 550, 0, 0, 0, 0, 100, 0);   // hundredths: eye at (0, 1.5, 5.5), looking at the origin
    ApplyCamera(camera);
    RefreshLights();   // the lights stay put while the camera's matrix is new
    const float turn = float(GetTickCount() % 7200) / 20;   // degrees: one turn in 7.2 s
    for (int i = 0; i < 4; ++i) {
        glPushMatrix();
        glTranslatef(-3.0f + 2.0f * float(i), 0, 0);
        glRotatef(turn + 45.0f * float(i), 0.3f, 1, 0.2f);
        glCallList(Shapes[i]);
        glPopMatrix();
    }
    SwapBuffers(GetMainWindowDC());
}

static LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        ResizeGLViewport(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:   // painting is left to the timer
        DrawFrame();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) DestroyWindow(window);
        return 0;
    case WM_DESTROY:   // Escape or the close button
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    BuildLookupTables();   // BuildCamera converts its hundredths through them
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;   // OpenGL keeps the window's device context for good
    wc.lpfnWndProc = DemoWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "TunedeckShapesDemo";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Tunedeck shapes", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 800, 400, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    SetWindowDC(GetDC(window));
    if (GLContextFailed(CreateGLContext())) {
        MessageBoxA(nullptr, "OpenGL is not available here.", "Tunedeck shapes", MB_OK | MB_ICONERROR);
        return 1;
    }
    SetUpScene();
    ShowWindow(window, show);
    SetTimer(window, 1, 20, nullptr);   // about 50 frames a second
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}
