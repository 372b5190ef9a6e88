// OpenGL toolkit on the player's real context (made by the start-up in this
// process): cube and quads, and vertex block files, read back in feedback mode;
// every shape lit by the three lights, measured by its pixels and saved for a
// person, with the projection, the camera's matrix, the lights' positions and
// the materials read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include <GL/glu.h>

#include "common/alloc.h"
#include "gl/camera.h"
#include "gl/context.h"
#include "gl/lights.h"
#include "gl/render_state.h"
#include "gl/shapes.h"
#include "gl/vertex_block.h"
#include "gl/vertex_block_file.h"
#include "harness/harness.h"
#include "support/png.h"
#include "surfaces/surfaces.h"

using testing::DoubleNear, testing::FloatNear, testing::Pointwise;
using Vec3 = std::array<float, 3>;

static HWND Window = nullptr;

class GLTest : public testing::Test {
protected:
    static void SetUpTestSuite() { Window = OpenPlayerWindow(); }
};

// Every vertex `draw` sends down the pipeline, in object coordinates: with no
// transformation, the cube of +-1 fills a viewport of 2 x 2 pixels.
template <typename Draw> static std::vector<Vec3> Feed(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    std::vector<Vec3> fed;
    glViewport(0, 0, 2, 2);
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), glMatrixMode(GL_MODELVIEW), glLoadIdentity();
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    for (GLint i = 0, n = glRenderMode(GL_RENDER); i < n;) {
        const GLenum token = GLenum(buffer[i++]);
        for (GLint k = token == GL_POLYGON_TOKEN ? GLint(buffer[i++]) : token == GL_POINT_TOKEN ? 1 : 2; k > 0; --k, i += 3)
            fed.push_back({buffer[i] - 1, buffer[i + 1] - 1, 2 * buffer[i + 2] - 1});
    }
    return fed;
}

// A normal, then a 0.8 x 0.5 rectangle in the z = 0 plane and two vertices that make no quad.
const GLfloat Record[] = {0, 0, 1, -0.4f, 0, 0, 0.4f, 0, 0, 0.4f, 0.5f, 0, -0.4f, 0.5f, 0, 7, 7, 7, 8, 8, 8};
const GLfloat QuarterTurn[4] = {90, 0, 0, 1};

// Every shape: how to draw it with a material, where it lies seen from the
// front (left, bottom, right, top) and whether the material reaches back faces too.
struct Shape { const char* name; void (*draw)(const GLfloat*); std::array<float, 4> box; bool bothFaces; };
const Shape Shapes[] = {
    {"quad list", [](auto m) { glCallList(BuildQuadList(Record, 4, m)); }, {-0.4f, 0, 0.4f, 0.5f}, false},
    {"rotated quads", [](auto m) { DrawRotatedQuads(QuarterTurn, Record, 4, m); }, {-0.5f, -0.4f, 0, 0.4f}, false},
    {"cube", [](auto m) { DrawCube(m, 0.25f); }, {-0.25f, -0.25f, 0.25f, 0.25f}, false},
    {"sphere list", [](auto m) { glCallList(BuildSphereList(GLU_FILL, GLU_SMOOTH, m, 0.3, 16)); }, {-0.3f, -0.3f, 0.3f, 0.3f}, false},
    {"cylinder list", [](auto m) { glCallList(BuildCylinderList(GLU_FILL, GLU_FLAT, m, 0.2, 0.1, 0.5)); }, {-0.2f, -0.5f, 0.2f, 0}, true},
    {"disk", [](auto m) { DrawDisk(GLU_FILL, GLU_SMOOTH, 0.1, 0.3, 16, 2, m); }, {-0.3f, -0.3f, 0.3f, 0.3f}, true},
    {"ball", [](auto m) { glCallList(BuildBallList(m)); }, {-0.4f, -0.3f, 0.4f, 0.5f}, false},
    {"pin", [](auto m) { glCallList(BuildPinList(m)); }, {-0.1f, -1, 0.1f, 0.1f}, true},
};

TEST_F(GLTest, QuadsComeBackInOrder) {
    const GLfloat m[4] = {1, 1, 1, 1};
    EXPECT_EQ(Feed([&] { glCallList(BuildCubeList(m, 0.5f)); }).size(), 36u);   // six quads, each two triangles
    EXPECT_EQ(Feed([&] { glCallList(BuildQuadList(Record, 6, m)); }).size(), 6u);   // one quad
    const GLuint turn = BuildRotatedQuadList(QuarterTurn, Record, Record, 4, m), unused = glGenLists(1);
    glDeleteLists(unused, 1);
    EXPECT_EQ(BuildQuadList(Record, 0, m) + BuildRotatedQuadList(QuarterTurn, nullptr, Record, 4, m), 0u);
    EXPECT_FALSE(glIsList(unused));
    for (int i = 0; i < 2; ++i) glCallList(turn);
    GLfloat matrix[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[0], -1.0f);   // turned twice by a quarter
}

TEST_F(GLTest, VertexBlockFilesDrawTheirVerticesAndBadOnesNothing) {
    const std::string dir = MakeTempDir("vertex_blocks"), file = dir + "\\block.vtx";
    void* block = CreateVertexBlock(0, 170, 0);   // 2068 bytes: a file keeps 1024, so 84 vertices are too many
    EXPECT_EQ(std::memcmp(block, "\x1c\0\0\0\1\0\0\0QVMW\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 28), 0);
    for (std::uint32_t i = 0; i < 170; ++i) PutVertex(block, i, (i % 9) * 0.2f - 0.8f, (i % 5) * 0.25f - 0.5f, (i % 3) * 0.5f - 0.5f, 170);
    const float* put = reinterpret_cast<const float*>(static_cast<const char*>(block) + 28);
    // Vertices fed back (a quad as two triangles); the last case's 2^32 vertices must not wrap to none.
    struct Case { std::uint32_t offset; const char* tag; std::uint32_t length, count, primitive; int result; size_t fed; };
    const Case cases[] = {
        {28, "QVMW", 4, 2, GL_QUADS, 0, 12}, {28, "VQMW", 4, 2, GL_POINTS, 0, 8}, {28, "QVMX", 4, 2, GL_POINTS, -1, 0},
        {28, "QVMW", 1, 83, GL_POINTS, 0, 83}, {28, "QVMW", 1, 84, GL_POINTS, -1, 0}, {40, "QVMW", 82, 1, GL_POINTS, 0, 82},
        {40, "QVMW", 83, 1, GL_POINTS, -1, 0}, {27, "QVMW", 1, 1, GL_POINTS, -1, 0}, {1025, "QVMW", 0, 0, GL_POINTS, -1, 0},
        {28, "QVMW", 65536, 65536, GL_POINTS, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tag << " offset " << c.offset << ", " << c.count << " x " << c.length << ", primitive " << c.primitive);
        *static_cast<VertexBlockHeader*>(block) = {c.offset, 1, {c.tag[0], c.tag[1], c.tag[2], c.tag[3]}, c.length, c.primitive, c.count, 0};
        ASSERT_EQ(SaveVertexBlock(file.c_str(), block), 1024u);
        int result = 1;
        const std::vector<Vec3> fed = Feed([&] { result = DrawVertexBlockFile(file.c_str()); });
        EXPECT_EQ(std::pair(result, fed.size()), std::pair(c.result, c.fed)) << "result, vertices fed back";
        for (size_t i = 0; c.primitive == GL_POINTS && c.offset == 28 && i < fed.size(); ++i)
            EXPECT_THAT(fed[i], Pointwise(FloatNear(1e-6f), Vec3{put[3 * i], put[3 * i + 1], put[3 * i + 2]}));
    }
    for (const std::string& name : {dir + "\\missing.vtx", dir}) EXPECT_EQ(DrawVertexBlockFile(name.c_str()), -1) << name;
    FreeBlock(block);
}

// Side by side in slots one unit wide, under an orthographic view so that each
// shape's pixels give its place and size; then saved for a person to look at.
TEST_F(GLTest, EveryShapeLitByThreeLightsInItsPlace) {
    SetWindowPos(Window, nullptr, 0, 0, 1000, 300, SWP_NOZORDER);
    SwapBuffers(GetMainWindowDC());   // Mesa takes up the window's new size at a swap
    RECT client = {};
    GetClientRect(Window, &client);
    const int width = client.right, height = client.bottom;
    const double c = 1 / std::tan(std::numbers::pi / 8), aspect = double(width) / height, scale = width / 8.0;   // pixels a unit
    ResizeGLViewport(width, height);
    std::array<double, 16> projection = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_THAT(projection, Pointwise(DoubleNear(1e-5), std::array<double, 16>{c / aspect, 0, 0, 0, 0, c, 0, 0, 0, 0, -2001 / 1999.0, -1, 0, 0, -4000 / 1999.0, 0}));
    SetupRenderState();
    const LightSettingsRecord& s = LightSettings = {{{-4, 2, 3, 1}, {0, 4, 2, 1}, {4, 1, 3, 1}}, {{0.3f, 0, 0, 1}, {0, 0.25f, 0, 1}, {0, 0, 0.35f, 1}},
                                                    {0.6f, 0.6f, 0.6f, 1}, {0.3f, 0.3f, 0.3f, 1}, 90, 0.5f, {0, -0.1f, -1}, 0.9f, 0.01f, 0.001f};
    SetupLights();
    ClearGLFrame();
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(-4, 4, -height / scale / 2, height / scale / 2, 1, 20);
    CameraRecord camera = {};
    BuildCamera(camera, 0, 0, 550, 0, 0, -100, 0, 300, 0);   // 5.5 back, looking down -z, y up
    ApplyCamera(camera);
    RefreshLights();
    std::array<float, 16> view = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, view.data());
    EXPECT_THAT(view, Pointwise(FloatNear(1e-6f), std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5.5f, 1}));
    for (GLenum l = 0; l < 3; ++l) {   // every light on, placed where the camera sees it
        GLfloat placed[4] = {};
        glGetLightfv(GL_LIGHT0 + l, GL_POSITION, placed);
        EXPECT_TRUE(glIsEnabled(GL_LIGHT0 + l)) << "light " << l;
        EXPECT_THAT(placed, Pointwise(FloatNear(1e-6f), {s.Position[l][0], s.Position[l][1], s.Position[l][2] - 5.5f, 1.0f})) << "light " << l;
    }
    GLfloat black[4] = {0, 0, 0, 1}, front[4] = {}, back[4] = {};
    for (int i = 0; i < 8; ++i) {   // alpha 0: this blending keeps what is under alpha 1
        const GLfloat m[4] = {0.95f - 0.08f * i, 0.35f + 0.06f * i, 0.3f + (i % 3) * 0.3f, 0};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, black);
        glPushMatrix(), glTranslatef(i - 3.5f, 0, 0), Shapes[i].draw(m), glPopMatrix();
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, front), glGetMaterialfv(GL_BACK, GL_AMBIENT, back);
        EXPECT_TRUE(std::equal(m, m + 4, front) && std::equal(back, back + 4, Shapes[i].bothFaces ? m : black) && glGetError() == GL_NO_ERROR)
            << Shapes[i].name;
    }
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_TRUE(WritePngBgrx(ArtifactPath("gl_shapes.png"), reinterpret_cast<std::uint8_t*>(pixels.data()), width, height, width * 4, true));
    std::vector<std::array<float, 4>> boxes(8, {9, 9, -9, -9});
    for (int i = 0; i < width * height; ++i) {
        const float x = float((i % width + 0.5) / scale), y = float((i / width + 0.5 - height / 2.0) / scale);
        std::array<float, 4>& box = boxes[std::min(int(x), 7)];
        if (pixels[i] & 0xFFFFFF) box = {std::fmin(box[0], x - int(x) - 0.5f), std::fmin(box[1], y), std::fmax(box[2], x - int(x) - 0.5f), std::fmax(box[3], y)};
    }
    for (int i = 0; i < 8; ++i) EXPECT_THAT(boxes[i], Pointwise(FloatNear(0.02f), Shapes[i].box)) << Shapes[i].name;
}
