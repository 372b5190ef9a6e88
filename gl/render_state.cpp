// Global render state for drawing with the toolkit, and clearing a frame.
// Depends on: a current OpenGL context.
// Limits: OpenGL errors are not checked.
#include "gl/render_state.h"

#include <windows.h>

#include <GL/gl.h>

int SetupRenderState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    // Thin smooth lines only where a caller already chose smoothing; switching
    // it on here would make every line 0.1 wide, all but invisible.
    if (glIsEnabled(GL_LINE_SMOOTH)) {
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(0.1f);
    }
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LESS);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return 0;
}

int ClearGLFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    return 0;
}
