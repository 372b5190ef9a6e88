/// @file
/// Vertex block files: a block's first 1024 bytes saved, and a file's vertices
/// drawn with one OpenGL primitive. The format is in gl/vertex_block.h.
#pragma once
#include <cstdint>

/// @addtogroup gl
/// @{

std::uint32_t SaveVertexBlock(const char* fileName, const void* block);   ///< the block's first 1024 bytes (block at least that long); bytes written
int DrawVertexBlockFile(const char* fileName);   ///< glBegin, the file's vertices, glEnd: 0; -1 and nothing drawn for an unreadable or invalid file

/// @}
