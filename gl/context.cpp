// OpenGL context (not built yet: no context is made).
#include "gl/context.h"

GLContextPair CreateGLContext() { return GLContextPair{nullptr, nullptr}; }
bool GLContextFailed(GLContextPair) { return false; }
void ResizeGLViewport(int, int) {}
