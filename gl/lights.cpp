// Three OpenGL lights fed from the LightSettings record.
// Depends on: a current OpenGL context.
// Limits: positions and spot directions are fixed by the model-view matrix
// current at the call, as OpenGL does; values outside OpenGL's ranges (a spot
// cutoff of 100) are dropped by OpenGL without notice.
#include "gl/lights.h"

static_assert(sizeof(LightSettingsRecord) == 40 * sizeof(GLfloat));

LightSettingsRecord LightSettings = {};

void SetupLight(GLenum light, const GLfloat* position, const GLfloat* ambient) {
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_DIFFUSE, LightSettings.Diffuse);
    glLightfv(light, GL_SPECULAR, LightSettings.Specular);
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_CONSTANT_ATTENUATION, &LightSettings.ConstantAttenuation);
    glLightfv(light, GL_LINEAR_ATTENUATION, &LightSettings.LinearAttenuation);
    glLightfv(light, GL_QUADRATIC_ATTENUATION, &LightSettings.QuadraticAttenuation);
    glLightfv(light, GL_SPOT_CUTOFF, &LightSettings.SpotCutoff);
    glLightfv(light, GL_SPOT_EXPONENT, &LightSettings.SpotExponent);
    glLightfv(light, GL_SPOT_DIRECTION, LightSettings.SpotDirection);
    glEnable(light);
}

void SetupLights() {
    for (int i = 0; i < 3; ++i) {
        SetupLight(GL_LIGHT0 + GLenum(i), LightSettings.Position[i], LightSettings.Ambient[i]);
    }
}

void RefreshLights() {
    glPushMatrix();
    for (int i = 0; i < 3; ++i) {
        GLenum light = GL_LIGHT0 + GLenum(i);
        glLightfv(light, GL_DIFFUSE, LightSettings.Diffuse);
        glLightfv(light, GL_AMBIENT, LightSettings.Ambient[i]);
        glLightfv(light, GL_POSITION, LightSettings.Position[i]);
    }
    glPopMatrix();
}
