// OpenGL toolkit on the player's real context (made by the start-up in this
// process): pixel format, viewport and projection, render state, lights,
// camera, and a lit scene saved for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl/camera.h"
#include "gl/context.h"
#include "gl/lights.h"
#include "gl/render_state.h"
#include "harness/harness.h"
#include "support/png.h"
#include "surfaces/surfaces.h"

namespace {

using Matrix = std::array<double, 16>;   // column-major, as OpenGL keeps it

HWND Window = nullptr;

Matrix ReadMatrix(GLenum which) {
    Matrix m = {};
    glGetDoublev(which, m.data());
    return m;
}

Matrix Identity() { return Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix Perspective(double fovy, double aspect, double n, double f) {
    double c = 1.0 / std::tan(fovy * std::numbers::pi / 360.0);
    return Matrix{c / aspect, 0, 0, 0, 0, c, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
}

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected, double tolerance) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

std::array<float, 4> ReadLight(GLenum light, GLenum parameter) {
    std::array<float, 4> v = {-7, -7, -7, -7};   // guards: a parameter not returned shows up
    glGetLightfv(light, parameter, v.data());
    return v;
}

void ExpectFloats(const float* actual, const float* expected, int count) {
    for (int i = 0; i < count; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << "index " << i;
}

class GLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Window = OpenPlayerWindow(); }
    void SetUp() override {
        ASSERT_NE(Window, nullptr);
        ASSERT_NE(wglGetCurrentContext(), nullptr);
        saved_ = LightSettings;
    }
    void TearDown() override { LightSettings = saved_; }
    LightSettingsRecord saved_ = {};
};

TEST_F(GLTest, StartUpBindsAContextWithTheRequestedFormat) {
    HDC dc = GetMainWindowDC();
    EXPECT_EQ(wglGetCurrentDC(), dc);
    int format = GetPixelFormat(dc);
    ASSERT_GT(format, 0);
    PIXELFORMATDESCRIPTOR pfd = {};
    ASSERT_NE(DescribePixelFormat(dc, format, sizeof pfd, &pfd), 0);
    DWORD wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(pfd.dwFlags & wanted, wanted);
    EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GT(pfd.cDepthBits, 0);

    // Every size change reaches the viewport through WM_SIZE.
    SetWindowPos(Window, nullptr, 0, 0, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(100);
    RECT client = {};
    GetClientRect(Window, &client);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], client.right);
    EXPECT_EQ(viewport[3], client.bottom);
    SetWindowPos(Window, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(100);
}

TEST_F(GLTest, ResizeSetsViewportAndPerspective) {
    struct Case {
        int width, height;
        double aspect;   // 0: only finiteness is required
    };
    const Case cases[] = {{300, 200, 1.5}, {640, 480, 640.0 / 480.0}, {1, 1, 1.0}, {300, 0, 300.0}, {0, 0, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        glMatrixMode(GL_MODELVIEW);
        glTranslated(1, 2, 3);   // must not survive the resize
        ResizeGLViewport(c.width, c.height);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.height);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), Identity(), 0.0);
        Matrix projection = ReadMatrix(GL_PROJECTION_MATRIX);
        for (double v : projection) EXPECT_TRUE(std::isfinite(v));
        if (c.aspect > 0) ExpectMatrixNear(projection, Perspective(45.0, c.aspect, 1.0, 2000.0), 1e-5);
    }
    RECT client = {};
    GetClientRect(Window, &client);
    ResizeGLViewport(client.right, client.bottom);
}

TEST_F(GLTest, RenderStateInAFreshContext) {
    struct Case {
        bool smoothBefore;   // line smoothing as the context had it
        float lineWidth;     // width left afterwards
    };
    const Case cases[] = {{false, 1.0f}, {true, 0.1f}};
    HDC dc = GetMainWindowDC();
    HGLRC previous = wglGetCurrentContext();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.smoothBefore ? "smoothing on before" : "fresh context");
        HGLRC fresh = wglCreateContext(dc);
        ASSERT_NE(fresh, nullptr);
        ASSERT_TRUE(wglMakeCurrent(dc, fresh));
        if (c.smoothBefore) glEnable(GL_LINE_SMOOTH);
        EXPECT_EQ(SetupRenderState(), 0);
        for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_NORMALIZE, GL_BLEND}) {
            EXPECT_TRUE(glIsEnabled(cap)) << "capability 0x" << std::hex << cap;
        }
        EXPECT_EQ(bool(glIsEnabled(GL_LINE_SMOOTH)), c.smoothBefore);
        GLfloat width = 0;
        glGetFloatv(GL_LINE_WIDTH, &width);
        EXPECT_FLOAT_EQ(width, c.lineWidth);
        GLint v = 0;
        glGetIntegerv(GL_SHADE_MODEL, &v);
        EXPECT_EQ(v, GL_SMOOTH);
        glGetIntegerv(GL_DEPTH_FUNC, &v);
        EXPECT_EQ(v, GL_LESS);
        glGetIntegerv(GL_BLEND_SRC, &v);
        EXPECT_EQ(v, GL_ONE_MINUS_SRC_ALPHA);
        glGetIntegerv(GL_BLEND_DST, &v);
        EXPECT_EQ(v, GL_SRC_ALPHA);
        glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &v);
        EXPECT_EQ(v, GL_NICEST);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        wglMakeCurrent(dc, previous);
        wglDeleteContext(fresh);
    }
}

TEST_F(GLTest, UntouchedSettingsGiveThreeBlackLights) {
    LightSettingsRecord zero = {};
    ASSERT_EQ(std::memcmp(&LightSettings, &zero, sizeof zero), 0) << "nothing may write LightSettings";
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2}) glDisable(light);
    SetupLights();
    const float black[4] = {0, 0, 0, 0};
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2}) {
        SCOPED_TRACE(testing::Message() << "light " << light - GL_LIGHT0);
        EXPECT_TRUE(glIsEnabled(light));
        for (GLenum colour : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR}) ExpectFloats(ReadLight(light, colour).data(), black, 4);
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
}

// Distinct, valid values in every field.
LightSettingsRecord SampleSettings() {
    LightSettingsRecord s = {};
    for (int l = 0; l < 3; ++l) {
        for (int k = 0; k < 4; ++k) {
            s.Position[l][k] = float(l * 10 + k + 1);
            s.Ambient[l][k] = 0.1f * float(l + 1) + 0.01f * float(k);
        }
    }
    for (int k = 0; k < 4; ++k) {
        s.Diffuse[k] = 0.5f + 0.1f * float(k);
        s.Specular[k] = 0.2f + 0.05f * float(k);
    }
    s.SpotCutoff = 45.0f;
    s.SpotExponent = 3.0f;
    s.SpotDirection[0] = 0.0f;
    s.SpotDirection[1] = -1.0f;
    s.SpotDirection[2] = 0.5f;
    s.ConstantAttenuation = 1.5f;
    s.LinearAttenuation = 0.25f;
    s.QuadraticAttenuation = 0.125f;
    return s;
}

TEST_F(GLTest, StoredSettingsReachEveryLight) {
    LightSettings = SampleSettings();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();   // positions and the spot direction then come back as stored
    SetupLights();
    const LightSettingsRecord& s = LightSettings;
    for (int l = 0; l < 3; ++l) {
        SCOPED_TRACE(testing::Message() << "light " << l);
        GLenum light = GL_LIGHT0 + GLenum(l);
        EXPECT_TRUE(glIsEnabled(light));
        ExpectFloats(ReadLight(light, GL_POSITION).data(), s.Position[l], 4);
        ExpectFloats(ReadLight(light, GL_AMBIENT).data(), s.Ambient[l], 4);
        ExpectFloats(ReadLight(light, GL_DIFFUSE).data(), s.Diffuse, 4);
        ExpectFloats(ReadLight(light, GL_SPECULAR).data(), s.Specular, 4);
        ExpectFloats(ReadLight(light, GL_SPOT_DIRECTION).data(), s.SpotDirection, 3);
        EXPECT_FLOAT_EQ(ReadLight(light, GL_SPOT_CUTOFF)[0], s.SpotCutoff);
        EXPECT_FLOAT_EQ(ReadLight(light, GL_SPOT_EXPONENT)[0], s.SpotExponent);
        EXPECT_FLOAT_EQ(ReadLight(light, GL_CONSTANT_ATTENUATION)[0], s.ConstantAttenuation);
        EXPECT_FLOAT_EQ(ReadLight(light, GL_LINEAR_ATTENUATION)[0], s.LinearAttenuation);
        EXPECT_FLOAT_EQ(ReadLight(light, GL_QUADRATIC_ATTENUATION)[0], s.QuadraticAttenuation);
    }
}

TEST_F(GLTest, RefreshLightsPlacesLightsUnderTheCamera) {
    LightSettings = SampleSettings();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetupLights();
    const float oldSpecular[4] = {LightSettings.Specular[0], LightSettings.Specular[1], LightSettings.Specular[2],
                                  LightSettings.Specular[3]};
    LightSettings.Diffuse[0] = 0.9f;
    LightSettings.Ambient[2][1] = 0.7f;
    LightSettings.Specular[0] = 0.95f;   // not re-sent by a refresh

    CameraRecord camera = {};
    BuildCamera(camera, 0, 0, 500, 0, 0, 0, 0, 100, 0);   // a step back of 5 along z
    ApplyCamera(camera);
    Matrix view = ReadMatrix(GL_MODELVIEW_MATRIX);
    RefreshLights();
    ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), view, 0.0);
    for (int l = 0; l < 3; ++l) {
        SCOPED_TRACE(testing::Message() << "light " << l);
        GLenum light = GL_LIGHT0 + GLenum(l);
        const float* p = LightSettings.Position[l];
        const float placed[4] = {p[0], p[1], p[2] - 5.0f * p[3], p[3]};
        ExpectFloats(ReadLight(light, GL_POSITION).data(), placed, 4);
        ExpectFloats(ReadLight(light, GL_DIFFUSE).data(), LightSettings.Diffuse, 4);
        ExpectFloats(ReadLight(light, GL_AMBIENT).data(), LightSettings.Ambient[l], 4);
        ExpectFloats(ReadLight(light, GL_SPECULAR).data(), oldSpecular, 4);
    }
}

TEST_F(GLTest, BuildCameraTurnsHundredthsIntoDoubles) {
    struct Case {
        std::int32_t in[9];
        double out[9];
    };
    const Case cases[] = {
        {{0, 0, 500, 0, 0, 0, 0, 100, 0}, {0, 0, 5, 0, 0, 0, 0, 1, 0}},
        {{1, 40, 250, 3599, 10, 99, 100, 7, 2000}, {0.01, 0.4, 2.5, 35.99, 0.1, 0.99, 1.0, 0.07, 20.0}},
        // Outside the table: negative coordinates and far cameras.
        {{-250, -1, 3600, INT32_MIN, INT32_MAX, -3599, 123456, 100, -100},
         {-2.5, -0.01, 36.0, -21474836.48, 21474836.47, -35.99, 1234.56, 1.0, -1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "eye x " << c.in[0]);
        CameraRecord record = {};
        const std::int32_t* v = c.in;
        BuildCamera(record, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
        double got[9];   // the fields in record order, 8 bytes each
        std::memcpy(got, &record, sizeof got);
        for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(got[i], c.out[i]) << "field " << i;
    }
}

TEST_F(GLTest, ApplyCameraLoadsTheLookAtMatrix) {
    struct Case {
        std::int32_t in[9];
        Matrix view;
    };
    const Case cases[] = {
        // Back 5 along z: a plain translation.
        {{0, 0, 500, 0, 0, 0, 0, 100, 0}, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1}},
        // From +x towards the origin: world x becomes depth, world z points left.
        {{500, 0, 0, 0, 0, 0, 0, 100, 0}, {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, -5, 1}},
        // From below a negative point: up along z, eye at y = -5 relative to the centre.
        {{-100, -500, 0, -100, 0, 0, 0, 0, 100}, {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 1, 0, -5, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "eye " << c.in[0] << ", " << c.in[1] << ", " << c.in[2]);
        CameraRecord camera = {};
        const std::int32_t* v = c.in;
        BuildCamera(camera, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
        glMatrixMode(GL_MODELVIEW);
        glTranslated(7, 8, 9);   // must be discarded
        glMatrixMode(GL_PROJECTION);
        ApplyCamera(camera);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), c.view, 1e-6);
    }
    glLoadIdentity();
}

TEST_F(GLTest, LitSceneIsRenderedAndSaved) {
    RECT client = {};
    GetClientRect(Window, &client);
    const int width = client.right, height = client.bottom;
    ASSERT_GT(width, 20);
    ASSERT_GT(height, 20);
    ResizeGLViewport(width, height);
    SetupRenderState();
    glClearColor(0.05f, 0.05f, 0.15f, 1.0f);
    LightSettings = LightSettingsRecord{{{-3, 4, 5, 0}, {5, 1, 2, 0}, {0, -4, 3, 0}},          // directional
                                        {{0.1f, 0.1f, 0.1f, 1}, {0.05f, 0.03f, 0, 1}, {0, 0, 0.08f, 1}},
                                        {0.6f, 0.6f, 0.6f, 1}, {0.5f, 0.5f, 0.5f, 1},
                                        180.0f, 0.0f, {0, 0, -1}, 1.0f, 0.0f, 0.0f};       // no spot
    CameraRecord camera = {};
    BuildCamera(camera, 0, 150, 600, 0, 0, 0, 0, 100, 0);
    ClearGLFrame();
    ApplyCamera(camera);
    SetupLights();

    // Two spheres either side of an upright cylinder; `front` is the point nearest the eye.
    struct Shape {
        float colour[4];   // alpha 0: this blending keeps the buffer under alpha 1 and writes alpha 0
        double x;
        bool sphere;
        double front;
        int channel;       // the colour channel that must dominate there: 0 red, 1 green, 2 blue
    };
    const Shape shapes[] = {{{0.9f, 0.15f, 0.1f, 0}, -1.7, true, 0.8, 0},
                            {{0.15f, 0.3f, 0.9f, 0}, 0.0, false, 0.55, 2},
                            {{0.15f, 0.85f, 0.2f, 0}, 1.7, true, 0.8, 1}};
    const float specular[4] = {0.6f, 0.6f, 0.6f, 0};
    GLUquadric* quadric = gluNewQuadric();
    for (const Shape& shape : shapes) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, shape.colour);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40.0f);
        glPushMatrix();
        glTranslated(shape.x, 0, 0);
        if (shape.sphere) {
            gluSphere(quadric, 0.8, 32, 24);
        } else {
            glTranslated(0, -0.9, 0);
            glRotated(-90, 1, 0, 0);   // the cylinder's axis from z to y
            gluCylinder(quadric, 0.55, 0.55, 1.8, 32, 4);
        }
        glPopMatrix();
    }
    gluDeleteQuadric(quadric);
    glFinish();

    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL gives the bottom row first.
    EXPECT_TRUE(WritePngBgrx(ArtifactPath("gl_scene.png"), pixels.data(), width, height, width * 4, true));
    SwapBuffers(GetMainWindowDC());

    auto rgbAt = [&](int x, int y) {   // window coordinates, bottom row 0
        const std::uint8_t* p = &pixels[(std::size_t(std::clamp(y, 0, height - 1)) * width +
                                         std::size_t(std::clamp(x, 0, width - 1))) * 4];
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    std::array<int, 3> corner = rgbAt(2, height - 3), clearColour = {13, 13, 38};
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(corner[k], clearColour[k], 2);
    Matrix model = ReadMatrix(GL_MODELVIEW_MATRIX), projection = ReadMatrix(GL_PROJECTION_MATRIX);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(testing::Message() << "shape at x " << shape.x);
        double wx = 0, wy = 0, wz = 0;
        gluProject(shape.x, 0, shape.front, model.data(), projection.data(), viewport, &wx, &wy, &wz);
        std::array<int, 3> rgb = rgbAt(int(wx), int(wy));
        EXPECT_GT(rgb[shape.channel], 100);
        EXPECT_GT(2 * rgb[shape.channel], rgb[0] + rgb[1] + rgb[2]);
    }
}

}  // namespace
