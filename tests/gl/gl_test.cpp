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

Matrix LookAt(const CameraRecord& r) {
    double f[3] = {r.CentreX - r.EyeX, r.CentreY - r.EyeY, r.CentreZ - r.EyeZ};
    double up[3] = {r.UpX, r.UpY, r.UpZ};
    auto normalise = [](double* v) {
        double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int i = 0; i < 3; ++i) v[i] /= len;
    };
    auto cross = [](const double* a, const double* b, double* out) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    normalise(f);
    double s[3], u[3];
    cross(f, up, s);
    normalise(s);
    cross(s, f, u);
    double e[3] = {r.EyeX, r.EyeY, r.EyeZ};
    Matrix m = Identity();
    for (int i = 0; i < 3; ++i) {
        m[i * 4 + 0] = s[i];
        m[i * 4 + 1] = u[i];
        m[i * 4 + 2] = -f[i];
    }
    for (int row = 0; row < 3; ++row) m[12 + row] = -(m[row] * e[0] + m[4 + row] * e[1] + m[8 + row] * e[2]);
    return m;
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

TEST_F(GLTest, ClearGLFrameClearsColourDepthAndMatrix) {
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClearDepth(1.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslated(4, 5, 6);
    EXPECT_EQ(ClearGLFrame(), 0);
    glFinish();
    glReadBuffer(GL_BACK);
    GLubyte rgba[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_NEAR(rgba[0], 64, 1);
    EXPECT_NEAR(rgba[1], 128, 1);
    EXPECT_NEAR(rgba[2], 191, 1);
    GLfloat depth = 0;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), Identity(), 0.0);
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
    BuildCamera(camera, 300, 120, 400, 50, 0, 0, 0, 100, 0);
    ApplyCamera(camera);
    Matrix view = ReadMatrix(GL_MODELVIEW_MATRIX);
    RefreshLights();
    ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), view, 0.0);
    for (int l = 0; l < 3; ++l) {
        SCOPED_TRACE(testing::Message() << "light " << l);
        GLenum light = GL_LIGHT0 + GLenum(l);
        const float* p = LightSettings.Position[l];
        float eye[4];
        for (int row = 0; row < 4; ++row) {
            eye[row] = float(view[row] * p[0] + view[4 + row] * p[1] + view[8 + row] * p[2] + view[12 + row] * p[3]);
        }
        std::array<float, 4> placed = ReadLight(light, GL_POSITION);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(placed[k], eye[k], 1e-4) << "index " << k;
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
        struct {
            double before;
            CameraRecord record;
            double after;
        } guarded = {-99.0, {}, -99.0};
        const std::int32_t* v = c.in;
        BuildCamera(guarded.record, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
        double got[9];
        std::memcpy(got, &guarded.record, sizeof got);
        for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(got[i], c.out[i]) << "field " << i;
        EXPECT_EQ(guarded.before, -99.0);
        EXPECT_EQ(guarded.after, -99.0);
    }
}

TEST_F(GLTest, ApplyCameraLoadsTheLookAtMatrix) {
    struct Case {
        std::int32_t in[9];
    };
    const Case cases[] = {
        {{0, 0, 500, 0, 0, 0, 0, 100, 0}},
        {{300, 200, 100, 10, 20, 30, 0, 100, 0}},
        {{-400, 50, -300, 0, 0, 0, 0, 0, 100}},
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
        ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), LookAt(camera), 1e-5);
    }
    // The first case is a plain step back along z.
    CameraRecord back = {};
    BuildCamera(back, 0, 0, 500, 0, 0, 0, 0, 100, 0);
    ApplyCamera(back);
    Matrix expected = Identity();
    expected[14] = -5.0;
    ExpectMatrixNear(ReadMatrix(GL_MODELVIEW_MATRIX), expected, 1e-6);
    glLoadIdentity();
}

// Material with alpha 0: the toolkit's blending keeps what is under an opaque
// (alpha 1) fragment and writes one of alpha 0.
void Material(float r, float g, float b) {
    const float diffuse[4] = {r, g, b, 0.0f};
    const float ambient[4] = {r * 0.3f, g * 0.3f, b * 0.3f, 0.0f};
    const float specular[4] = {0.6f, 0.6f, 0.6f, 0.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40.0f);
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

    LightSettingsRecord& s = LightSettings;
    const float positions[3][4] = {{-3, 4, 5, 0}, {5, 1, 2, 0}, {0, -4, 3, 0}};
    const float ambients[3][4] = {{0.1f, 0.1f, 0.1f, 1}, {0.05f, 0.03f, 0, 1}, {0, 0, 0.08f, 1}};
    std::memcpy(s.Position, positions, sizeof positions);
    std::memcpy(s.Ambient, ambients, sizeof ambients);
    const float diffuse[4] = {0.6f, 0.6f, 0.6f, 1}, specular[4] = {0.5f, 0.5f, 0.5f, 1};
    std::memcpy(s.Diffuse, diffuse, sizeof diffuse);
    std::memcpy(s.Specular, specular, sizeof specular);
    s.SpotCutoff = 180.0f;   // no spot
    s.ConstantAttenuation = 1.0f;

    CameraRecord camera = {};
    BuildCamera(camera, 0, 150, 600, 0, 0, 0, 0, 100, 0);
    ClearGLFrame();
    ApplyCamera(camera);
    SetupLights();

    GLUquadric* quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    const double centres[3][3] = {{-1.7, 0, 0}, {0, 0, 0}, {1.7, 0, 0}};
    glPushMatrix();
    Material(0.9f, 0.15f, 0.1f);
    glTranslated(centres[0][0], centres[0][1], centres[0][2]);
    gluSphere(quadric, 0.8, 32, 24);
    glPopMatrix();
    glPushMatrix();
    Material(0.15f, 0.3f, 0.9f);
    glTranslated(0, -0.9, 0);
    glRotated(-90, 1, 0, 0);   // the cylinder's axis from z to y
    gluCylinder(quadric, 0.55, 0.55, 1.8, 32, 4);
    glPopMatrix();
    glPushMatrix();
    Material(0.15f, 0.85f, 0.2f);
    glTranslated(centres[2][0], centres[2][1], centres[2][2]);
    gluSphere(quadric, 0.8, 32, 24);
    glPopMatrix();
    gluDeleteQuadric(quadric);
    glFinish();

    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL gives the bottom row first.
    EXPECT_TRUE(WritePngBgrx(ArtifactPath("gl_scene.png"), pixels.data(), width, height, width * 4, true));
    SwapBuffers(GetMainWindowDC());

    // Each shape's centre, projected to the window, must be lit and of its colour.
    Matrix model = ReadMatrix(GL_MODELVIEW_MATRIX), projection = ReadMatrix(GL_PROJECTION_MATRIX);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    auto at = [&](double x, double y, double z) {
        double wx = 0, wy = 0, wz = 0;
        gluProject(x, y, z, model.data(), projection.data(), viewport, &wx, &wy, &wz);
        int px = std::clamp(int(wx), 0, width - 1), py = std::clamp(int(wy), 0, height - 1);
        const std::uint8_t* p = &pixels[(std::size_t(py) * width + std::size_t(px)) * 4];
        return std::array<int, 3>{p[2], p[1], p[0]};   // red, green, blue
    };
    const std::uint8_t* corner = &pixels[(std::size_t(height - 3) * width + 2) * 4];   // top-left
    std::array<int, 3> background = {corner[2], corner[1], corner[0]};
    std::array<int, 3> left = at(-1.7, 0, 0.8), middle = at(0, 0, 0.55), right = at(1.7, 0, 0.8);
    EXPECT_NEAR(background[0], 13, 2);   // the clear colour
    EXPECT_NEAR(background[1], 13, 2);
    EXPECT_NEAR(background[2], 38, 2);
    EXPECT_GT(left[0], 100);
    EXPECT_GT(left[0], left[1] + left[2]);
    EXPECT_GT(middle[2], 100);
    EXPECT_GT(middle[2], middle[0] + middle[1]);
    EXPECT_GT(right[1], 100);
    EXPECT_GT(right[1], right[0] + right[2]);
}

}  // namespace
