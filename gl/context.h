// OpenGL context of the main window, viewport and projection.
#pragma once
#include <windows.h>

// The window's device context and the rendering context bound to it.
struct GLContextPair {
    HDC dc;
    HGLRC rc;
};

GLContextPair CreateGLContext();                        // pixel format and context on WindowDC; failure: see GLContextFailed
bool GLContextFailed(GLContextPair pair);               // true when the pixel format could not be set
void ResizeGLViewport(int width, int height);           // viewport and 45-degree perspective for a client size
