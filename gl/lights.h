/// @file
/// Three lights whose parameters live in one process-wide settings record.
#pragma once
#include <windows.h>

#include <GL/gl.h>

/// @addtogroup gl
/// @{

/// Single floats in this order, all 0.0 at start; nothing in the player writes
/// them, so a program stores its light parameters here before SetupLights.
/// Untouched, every light is black and lit surfaces show only the global ambient.
struct LightSettingsRecord {
    GLfloat Position[3][4];         ///< GL_POSITION of GL_LIGHT0, GL_LIGHT1, GL_LIGHT2
    GLfloat Ambient[3][4];          ///< GL_AMBIENT of each light
    GLfloat Diffuse[4];             ///< GL_DIFFUSE of all three lights
    GLfloat Specular[4];            ///< GL_SPECULAR of all three
    GLfloat SpotCutoff;             ///< GL_SPOT_CUTOFF of all three (0 to 90, or 180 for no spot)
    GLfloat SpotExponent;           ///< GL_SPOT_EXPONENT of all three
    GLfloat SpotDirection[3];       ///< GL_SPOT_DIRECTION of all three
    GLfloat ConstantAttenuation;    ///< GL_CONSTANT_ATTENUATION of all three
    GLfloat LinearAttenuation;      ///< GL_LINEAR_ATTENUATION of all three
    GLfloat QuadraticAttenuation;   ///< GL_QUADRATIC_ATTENUATION of all three
};

extern LightSettingsRecord LightSettings;   ///< read by SetupLights and RefreshLights

void SetupLight(GLenum light, const GLfloat* position, const GLfloat* ambient);   ///< all parameters of one light, then enables it
void SetupLights();       ///< GL_LIGHT0 to GL_LIGHT2 from LightSettings, positions under the current model-view
void RefreshLights();     ///< re-sends diffuse, ambient and position of the three lights after the camera moved

/// @}
