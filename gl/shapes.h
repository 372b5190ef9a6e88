/// @file
/// Solid shapes for the lights of gl/lights.h: display-list builders and their
/// immediate twins. A current OpenGL context is required.
#pragma once
#include <windows.h>

#include <GL/gl.h>

/// @addtogroup gl
/// @{

// A material is four floats (red, green, blue, alpha) sent as GL_AMBIENT_AND_DIFFUSE,
// on GL_FRONT for quads, cubes and spheres, on GL_FRONT_AND_BACK for cylinders and disks.
// A VertexRecord is a normal (x, y, z) followed by `count` vertices of three floats,
// drawn as GL_QUADS: a remainder of one to three vertices draws nothing.
// A rotation is four floats: angle in degrees and axis, as glRotatef takes them.
// Style and normals are GLU values (GLU_FILL, GLU_LINE ...; GLU_SMOOTH, GLU_FLAT ...).
// Each builder returns a new list name (0 when glGenLists fails); the caller owns it.

/// @name Display-list builders
/// @{
GLuint BuildQuadList(const GLfloat* record, GLuint count, const GLfloat* material);   ///< 0, no list, for no record or count 0
GLuint BuildRotatedQuadList(const GLfloat* rotation, const GLfloat* normal, const GLfloat* record, GLuint count,
                            const GLfloat* material);   ///< rotation kept after the call; 0 for no record, normal or count 0
GLuint BuildCubeList(const GLfloat* material, GLfloat s);   ///< cube of edge 2s centred on the origin
GLuint BuildSphereList(GLenum style, GLenum normals, const GLfloat* material, const double& radius,
                       GLint n);   ///< n slices, n stacks
GLuint BuildCylinderList(GLenum style, GLenum normals, const GLfloat* material, const double& base,
                         const double& top, const double& height);   ///< along -y from the origin; normals always smooth
GLuint BuildBallList(const GLfloat* material);   ///< sphere of radius 0.4 centred at (0, 0.1, 0)
GLuint BuildPinList(const GLfloat* material);    ///< rod of radius 0.1 from the origin to (0, -1, 0), ball of 0.1 at the origin
/// @}

/// @name Immediate twins
/// @{
void DrawCube(const GLfloat* material, GLfloat s);   ///< the cube of BuildCubeList
void DrawSphere(GLenum style, GLenum normals, const GLfloat* material, const double& radius, GLint n);   ///< the sphere of BuildSphereList
void DrawCylinder(GLenum style, GLenum normals, const GLfloat* material, const double& base, const double& top,
                  const double& height);   ///< along the current z axis, 36 slices, 1 stack
void DrawDisk(GLenum style, GLenum normals, const double& inner, const double& outer, GLint slices, GLint loops,
              const GLfloat* material);   ///< GLU disk in the current z = 0 plane
void DrawRotatedQuads(const GLfloat* rotation, const GLfloat* record, GLuint count,
                      const GLfloat* material);   ///< rotation kept; quads without a normal of their own; nothing for no record or count 0
/// @}

/// @}
