// OpenGL toolkit on the player's real context (made by the start-up in this
// process): pixel format, viewport and projection, render state, lights,
// camera, and a lit scene saved for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <tuple>
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

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected, double tolerance) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

GLint ReadInt(GLenum name) {
    GLint v = -1;
    glGetIntegerv(name, &v);
    return v;
}

// Compares the first `count` floats of a light parameter.
void ExpectLight(GLenum light, GLenum parameter, const float* expected, int count = 4) {
    float v[4] = {-7, -7, -7, -7};   // a parameter not returned shows up
    glGetLightfv(light, parameter, v);
    for (int i = 0; i < count; ++i) EXPECT_FLOAT_EQ(v[i], expected[i]) << "parameter 0x" << std::hex << parameter;
}

CameraRecord Camera(const std::int32_t (&v)[9]) {
    CameraRecord record = {};
    BuildCamera(record, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    return record;
}

class GLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Window = OpenPlayerWindow(); }
    void SetUp() override {
        ASSERT_NE(Window, nullptr);
        ASSERT_NE(wglGetCurrentContext(), nullptr);
    }
    void TearDown() override { LightSettings = {}; }   // the player never writes it, so it starts all zero
};

TEST_F(GLTest, StartUpBindsAContextWithTheRequestedFormat) {
    HDC dc = GetMainWindowDC();
    EXPECT_EQ(wglGetCurrentDC(), dc);
    PIXELFORMATDESCRIPTOR pfd = {};
    ASSERT_NE(DescribePixelFormat(dc, GetPixelFormat(dc), sizeof pfd, &pfd), 0);
    DWORD wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(pfd.dwFlags & wanted, wanted);
    EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GT(pfd.cDepthBits, 0);
}

TEST_F(GLTest, ResizeSetsViewportAndPerspective) {
    const int sizes[][2] = {{300, 200}, {300, 0}, {0, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        glMatrixMode(GL_MODELVIEW);
        glTranslated(1, 2, 3);   // must not survive the resize
        ResizeGLViewport(size[0], size[1]);
        std::array<GLint, 4> viewport = {};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, size[0], size[1]}));
        EXPECT_EQ(ReadInt(GL_MATRIX_MODE), GL_MODELVIEW);
        ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 0.0);
        Matrix projection = ReadMatrix(GL_PROJECTION_MATRIX);
        for (double v : projection) EXPECT_TRUE(std::isfinite(v));
        if (size[1] == 200) {
            // 45 degrees, aspect 1.5, near 1, far 2000.
            const double c = 1.0 / std::tan(std::numbers::pi / 8), n = 1.0, f = 2000.0;
            ExpectMatrixNear(projection, Matrix{c / 1.5, 0, 0, 0, 0, c, 0, 0, 0, 0, (f + n) / (n - f), -1,
                                                0, 0, 2 * f * n / (n - f), 0}, 1e-5);
        }
    }
}

TEST_F(GLTest, RenderStateInAFreshContext) {
    HDC dc = GetMainWindowDC();
    HGLRC previous = wglGetCurrentContext();
    HGLRC fresh = wglCreateContext(dc);
    ASSERT_NE(fresh, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, fresh));
    EXPECT_EQ(SetupRenderState(), 0);
    const std::pair<GLenum, GLint> state[] = {
        {GL_DEPTH_TEST, GL_TRUE}, {GL_LIGHTING, GL_TRUE}, {GL_TEXTURE_2D, GL_TRUE}, {GL_NORMALIZE, GL_TRUE},
        {GL_BLEND, GL_TRUE}, {GL_LINE_SMOOTH, GL_FALSE}, {GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LESS},
        {GL_BLEND_SRC, GL_ONE_MINUS_SRC_ALPHA}, {GL_BLEND_DST, GL_SRC_ALPHA}, {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}};
    for (auto [name, expected] : state) EXPECT_EQ(ReadInt(name), expected) << "state 0x" << std::hex << name;
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 1.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    wglMakeCurrent(dc, previous);
    wglDeleteContext(fresh);
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
        for (GLenum colour : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR}) ExpectLight(light, colour, black);
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
}

TEST_F(GLTest, StoredSettingsReachEveryLightAndFollowTheCamera) {
    // Distinct, valid values in every field.
    const LightSettingsRecord& s = LightSettings = {
        {{1, 2, 3, 4}, {11, 12, 13, 14}, {21, 22, 23, 24}},
        {{0.1f, 0.11f, 0.12f, 0.13f}, {0.2f, 0.21f, 0.22f, 0.23f}, {0.3f, 0.31f, 0.32f, 0.33f}},
        {0.5f, 0.6f, 0.7f, 0.8f}, {0.2f, 0.25f, 0.3f, 0.35f}, 45.0f, 3.0f, {0.0f, -1.0f, 0.5f}, 1.5f, 0.25f, 0.125f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();   // positions and the spot direction then come back as stored
    SetupLights();
    for (int l = 0; l < 3; ++l) {
        SCOPED_TRACE(testing::Message() << "light " << l);
        GLenum light = GL_LIGHT0 + GLenum(l);
        EXPECT_TRUE(glIsEnabled(light));
        const std::tuple<GLenum, const float*, int> stored[] = {
            {GL_POSITION, s.Position[l], 4}, {GL_AMBIENT, s.Ambient[l], 4}, {GL_DIFFUSE, s.Diffuse, 4},
            {GL_SPECULAR, s.Specular, 4}, {GL_SPOT_DIRECTION, s.SpotDirection, 3}, {GL_SPOT_CUTOFF, &s.SpotCutoff, 1},
            {GL_SPOT_EXPONENT, &s.SpotExponent, 1}, {GL_CONSTANT_ATTENUATION, &s.ConstantAttenuation, 1},
            {GL_LINEAR_ATTENUATION, &s.LinearAttenuation, 1}, {GL_QUADRATIC_ATTENUATION, &s.QuadraticAttenuation, 1}};
        for (auto [parameter, expected, count] : stored) ExpectLight(light, parameter, expected, count);
    }

    ApplyCamera(Camera({0, 0, 500, 0, 0, 0, 0, 100, 0}));   // a step back of 5 along z
    RefreshLights();
    for (int l = 0; l < 3; ++l) {
        const float* p = s.Position[l];
        const float placed[4] = {p[0], p[1], p[2] - 5.0f * p[3], p[3]};
        ExpectLight(GL_LIGHT0 + GLenum(l), GL_POSITION, placed);
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
        CameraRecord record = Camera(c.in);
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
        glMatrixMode(GL_MODELVIEW);
        glTranslated(7, 8, 9);   // must be discarded
        glMatrixMode(GL_PROJECTION);
        ApplyCamera(Camera(c.in));
        EXPECT_EQ(ReadInt(GL_MATRIX_MODE), GL_MODELVIEW);
        ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), c.view, 1e-6);
    }
}

TEST_F(GLTest, LitSceneIsRenderedAndSaved) {
    RECT client = {};
    GetClientRect(Window, &client);
    const int width = client.right, height = client.bottom;
    ASSERT_TRUE(width > 20 && height > 20);
    ResizeGLViewport(width, height);
    SetupRenderState();
    glClearColor(0.05f, 0.05f, 0.15f, 1.0f);
    LightSettings = LightSettingsRecord{{{-3, 4, 5, 0}, {5, 1, 2, 0}, {0, -4, 3, 0}},          // directional
                                        {{0.1f, 0.1f, 0.1f, 1}, {0.05f, 0.03f, 0, 1}, {0, 0, 0.08f, 1}},
                                        {0.6f, 0.6f, 0.6f, 1}, {0.5f, 0.5f, 0.5f, 1},
                                        180.0f, 0.0f, {0, 0, -1}, 1.0f, 0.0f, 0.0f};       // no spot
    ClearGLFrame();
    ApplyCamera(Camera({0, 150, 600, 0, 0, 0, 0, 100, 0}));
    SetupLights();

    // Three spheres in a row: x, and the channel of the colour each is painted in (0 red, 1 green, 2 blue).
    const std::pair<double, int> spheres[] = {{-1.7, 0}, {0.0, 2}, {1.7, 1}};
    GLUquadric* quadric = gluNewQuadric();
    for (auto [x, channel] : spheres) {
        float colour[4] = {0.15f, 0.15f, 0.15f, 0};   // alpha 0: this blending keeps the buffer under alpha 1
        colour[channel] = 0.9f;
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour);
        glPushMatrix();
        glTranslated(x, 0, 0);
        gluSphere(quadric, 0.8, 32, 24);
        glPopMatrix();
    }
    gluDeleteQuadric(quadric);
    glFinish();

    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL gives the bottom row first.
    EXPECT_TRUE(WritePngBgrx(ArtifactPath("gl_scene.png"), pixels.data(), width, height, width * 4, true));

    Matrix model = ReadMatrix(GL_MODELVIEW_MATRIX), projection = ReadMatrix(GL_PROJECTION_MATRIX);
    const GLint viewport[4] = {0, 0, width, height};
    for (auto [x, channel] : spheres) {
        SCOPED_TRACE(testing::Message() << "sphere at x " << x);
        double wx = 0, wy = 0, wz = 0;
        gluProject(x, 0, 0.8, model.data(), projection.data(), viewport, &wx, &wy, &wz);   // nearest the eye
        const std::uint8_t* p = &pixels[(std::size_t(std::clamp(int(wy), 0, height - 1)) * width +
                                         std::size_t(std::clamp(int(wx), 0, width - 1))) * 4];
        const int rgb[3] = {p[2], p[1], p[0]};
        EXPECT_GT(rgb[channel], 100);   // lit, not just the ambient share
        EXPECT_GT(2 * rgb[channel], rgb[0] + rgb[1] + rgb[2]);
    }
}

}  // namespace
