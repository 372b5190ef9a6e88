// OpenGL context on the main window's device context, and the viewport and
// perspective projection that follow the client size.
// Depends on: the recorded WindowDC (surfaces), opengl32 and glu32.
// Limits: one context for the one window; it is never released. A failed
// wglCreateContext is not reported (the pair carries a null context).
#include "gl/context.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "surfaces/surfaces.h"

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

PIXELFORMATDESCRIPTOR GLPixelFormatRequest() {
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 8;
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;
    return request;
}

GLContextPair CreateGLContext() {
    HDC dc = GetMainWindowDC();
    PIXELFORMATDESCRIPTOR request = GLPixelFormatRequest();
    int format = ChoosePixelFormat(dc, &request);
    // A failed ChoosePixelFormat gives format 0, which SetPixelFormat refuses.
    if (!SetPixelFormat(dc, format, &request)) {
        return GLContextPair{reinterpret_cast<HDC>(INT_PTR(-1)), reinterpret_cast<HGLRC>(INT_PTR(-1))};
    }
    HGLRC rc = wglCreateContext(dc);
    wglMakeCurrent(dc, rc);
    return GLContextPair{dc, rc};
}

bool GLContextFailed(GLContextPair pair) {
    return reinterpret_cast<INT_PTR>(pair.dc) == -1 && reinterpret_cast<INT_PTR>(pair.rc) == -1;
}

void SetPerspective(const double& fovy, const double& aspect, const double& zNear, const double& zFar) {
    gluPerspective(fovy, aspect, zNear, zFar);
}

void ResizeGLViewport(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A minimised window reports height 0: keep the projection finite.
    double aspect = double(width) / double(height == 0 ? 1 : height);
    SetPerspective(GLFieldOfView, aspect, GLNearPlane, GLFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
