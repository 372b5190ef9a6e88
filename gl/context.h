/// @file
/// OpenGL context of the main window, viewport and projection.
#pragma once
#include <windows.h>

/// @addtogroup gl
/// @{

// Projection of every viewport: 45-degree vertical field of view, planes 1 and 2000.
constexpr double GLFieldOfView = 45.0;   ///< degrees, vertical
constexpr double GLNearPlane = 1.0;      ///< near clipping plane
constexpr double GLFarPlane = 2000.0;    ///< far clipping plane

/// The window's device context and the rendering context bound to it.
/// When the pixel format cannot be set, both fields are all ones (the two-word
/// -1); GLContextFailed tells that apart. A context the platform refused to
/// create comes back as a real device context with a null rendering context.
struct GLContextPair {
    HDC dc;      ///< the window's device context
    HGLRC rc;    ///< the rendering context
};

PIXELFORMATDESCRIPTOR GLPixelFormatRequest();           ///< RGBA, double-buffered, 16-bit depth, window drawing
GLContextPair CreateGLContext();                        ///< pixel format and current context on WindowDC
bool GLContextFailed(GLContextPair pair);               ///< true when the pixel format could not be set
void SetPerspective(const double& fovy, const double& aspect, const double& zNear,
                    const double& zFar);                ///< gluPerspective with the four values in this order
void ResizeGLViewport(int width, int height);           ///< viewport and projection for a client size (height 0 counts as 1 for the aspect); leaves model-view reset

/// @}
