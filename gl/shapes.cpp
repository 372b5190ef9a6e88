// Shape display lists and their immediate twins: quads from vertex records, a
// cube, and GLU spheres, cylinders and disks, each with its material.
// Depends on: a current OpenGL context, glu32, NumberTable (mathlib) for the
// composite shapes' sizes.
// Limits: OpenGL and GLU errors are not checked; a quadric GLU cannot make
// draws nothing.
#include "gl/shapes.h"

#include <GL/glu.h>

#include "mathlib/tables.h"

namespace {

// Cylinders and the composites' spheres.
constexpr GLint CylinderSlices = 36;
constexpr GLint CylinderStacks = 1;
constexpr GLint CompositeSphereSlices = 36;

// The cube's faces, counter-clockwise seen from outside: a normal, then four
// corners where 0 stands for -s and 1 for +s.
struct CubeFace {
    GLfloat normal[3];
    int corners[4][3];
};
constexpr CubeFace CubeFaces[6] = {
    {{0, 0, 1}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}},
    {{0, 0, -1}, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}},
    {{0, 1, 0}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}},
    {{0, -1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
    {{1, 0, 0}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
    {{-1, 0, 0}, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}},
};

GLuint OpenList() {
    GLuint name = glGenLists(1);
    glNewList(name, GL_COMPILE);
    return name;
}

GLuint CloseList(GLuint name) {
    glEndList();
    return name;
}

// The vertices of a record after its leading normal, as quads (the caller is
// inside glBegin(GL_QUADS)).
void RecordVertices(const GLfloat* record, GLuint count) {
    for (GLuint i = 0; i < count; ++i) glVertex3fv(record + 3 + 3 * i);
}

void CubeFacesOf(const GLfloat* material, GLfloat s) {
    const GLfloat at[2] = {-s, s};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    glBegin(GL_QUADS);
    for (const CubeFace& face : CubeFaces) {
        glNormal3fv(face.normal);
        for (const auto& c : face.corners) glVertex3f(at[c[0]], at[c[1]], at[c[2]]);
    }
    glEnd();
}

void CylinderOf(GLenum style, GLenum normals, const GLfloat* material, const double& base, const double& top,
                const double& height) {
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr) return;
    gluQuadricDrawStyle(quadric, style);
    gluQuadricNormals(quadric, normals);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, material);
    gluCylinder(quadric, base, top, height, CylinderSlices, CylinderStacks);
    gluDeleteQuadric(quadric);
}

double Hundredths(std::int32_t value) {
    // Before the tables are built the same quotient is formed directly.
    if (LookupTables.NumberTable == nullptr) return value / 100.0;
    double result = 0.0;
    HundredthsDouble(result, value);
    return result;
}

}  // namespace

GLuint BuildQuadList(const GLfloat* record, GLuint count, const GLfloat* material) {
    if (record == nullptr || count == 0) return 0;
    GLuint name = OpenList();
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUADS);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    glNormal3fv(record);
    RecordVertices(record, count);
    glEnd();
    return CloseList(name);
}

GLuint BuildRotatedQuadList(const GLfloat* rotation, const GLfloat* normal, const GLfloat* record, GLuint count,
                            const GLfloat* material) {
    if (record == nullptr || count == 0 || normal == nullptr) return 0;
    GLuint name = OpenList();
    glShadeModel(GL_SMOOTH);
    // No matrix push: calling the list turns whatever is drawn after it too.
    glRotatef(rotation[0], rotation[1], rotation[2], rotation[3]);
    glBegin(GL_QUADS);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    glNormal3fv(normal);
    RecordVertices(record, count);
    glEnd();
    return CloseList(name);
}

GLuint BuildCubeList(const GLfloat* material, GLfloat s) {
    GLuint name = OpenList();
    CubeFacesOf(material, s);
    return CloseList(name);
}

GLuint BuildSphereList(GLenum style, GLenum normals, const GLfloat* material, const double& radius, GLint n) {
    GLuint name = OpenList();
    DrawSphere(style, normals, material, radius, n);
    return CloseList(name);
}

GLuint BuildCylinderList(GLenum style, GLenum normals, const GLfloat* material, const double& base,
                         const double& top, const double& height) {
    GLuint name = OpenList();
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    CylinderOf(style, GLU_SMOOTH, material, base, top, height);
    glPopMatrix();
    return CloseList(name);
}

GLuint BuildBallList(const GLfloat* material) {
    GLuint name = OpenList();
    glPushMatrix();
    const double radius = Hundredths(40);
    // The turn carries z onto -y, so the step back along z lifts the ball by 0.1.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -0.1f);
    DrawSphere(GLU_FILL, GLU_SMOOTH, material, radius, CompositeSphereSlices);
    glPopMatrix();
    return CloseList(name);
}

GLuint BuildPinList(const GLfloat* material) {
    GLuint name = OpenList();
    const double r = Hundredths(10), h = Hundredths(100);
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    DrawCylinder(GLU_FILL, GLU_SMOOTH, material, r, r, h);
    glPopMatrix();
    // The ball sits at the rod's base, the origin, where callers expect it.
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    DrawSphere(GLU_FILL, GLU_SMOOTH, material, r, CompositeSphereSlices);
    glPopMatrix();
    return CloseList(name);
}

void DrawCube(const GLfloat* material, GLfloat s) {
    CubeFacesOf(material, s);
}

void DrawSphere(GLenum style, GLenum normals, const GLfloat* material, const double& radius, GLint n) {
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr) return;
    gluQuadricDrawStyle(quadric, style);
    gluQuadricNormals(quadric, normals);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    gluSphere(quadric, radius, n, n);
    gluDeleteQuadric(quadric);
}

void DrawCylinder(GLenum style, GLenum normals, const GLfloat* material, const double& base, const double& top,
                  const double& height) {
    glPushMatrix();
    CylinderOf(style, normals, material, base, top, height);
    glPopMatrix();
}

void DrawDisk(GLenum style, GLenum normals, const double& inner, const double& outer, GLint slices, GLint loops,
              const GLfloat* material) {
    glPushMatrix();
    GLUquadric* quadric = gluNewQuadric();
    if (quadric != nullptr) {
        gluQuadricDrawStyle(quadric, style);
        gluQuadricNormals(quadric, normals);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, material);
        gluDisk(quadric, inner, outer, slices, loops);
        gluDeleteQuadric(quadric);
    }
    glPopMatrix();
}

void DrawRotatedQuads(const GLfloat* rotation, const GLfloat* record, GLuint count, const GLfloat* material) {
    if (record == nullptr || count == 0) return;
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    // The turn must come before glBegin: OpenGL rejects it between glBegin and glEnd.
    glRotatef(rotation[0], rotation[1], rotation[2], rotation[3]);
    glBegin(GL_QUADS);
    RecordVertices(record, count);
    glEnd();
}
