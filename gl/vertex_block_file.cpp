// Saving vertex blocks and drawing the vertices of a saved one.
// Depends on: the whole-file procedures (text), the block reader
// (gl/vertex_block), a current OpenGL context for drawing.
// Limits: must not be called between another glBegin and glEnd; OpenGL errors
// (an unknown primitive) are not checked.
#include "gl/vertex_block_file.h"

#include <windows.h>

#include <GL/gl.h>

#include "common/alloc.h"
#include "gl/vertex_block.h"
#include "text/files.h"

std::uint32_t SaveVertexBlock(const char* fileName, const void* block) {
    if (block == nullptr) return 0;
    return WriteWholeFile(block, fileName, VertexBlockFileBytes);
}

int DrawVertexBlockFile(const char* fileName) {
    std::uint32_t size = 0;
    void* bytes = ReadWholeFile(fileName, &size);
    if (bytes == nullptr) return -1;
    const VertexBlockView view = ReadVertexBlock(bytes, size);
    if (view.Valid) {
        glBegin(view.Primitive);
        for (std::uint32_t i = 0; i < view.VertexCount; ++i) {
            const Vertex3f v = VertexAt(view, i);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    FreeBlock(bytes);
    return view.Valid ? 0 : -1;
}
