/// @file
/// Vertex blocks: a 28-byte header and vertex data, the same bytes in memory and
/// in files. Building, filling and reading a block is platform-free; saving and
/// drawing a file are in gl/vertex_block_file.h.
#pragma once
#include <cstdint>

/// @addtogroup gl
/// @{

/// Header, all fields little-endian 32-bit values.
struct VertexBlockHeader {
    std::uint32_t DataOffset;    ///< byte offset of the vertex data from the block start; 28 in new blocks
    std::uint32_t Version;       ///< 1 in new blocks; not read
    char Tag[4];                 ///< "QVMW" (new blocks); "VQMW" is read as well
    std::uint32_t GroupLength;   ///< vertices per group
    std::uint32_t Primitive;     ///< mode passed to glBegin (GL_QUADS is 7)
    std::uint32_t GroupCount;    ///< number of groups
    std::uint32_t Reserved;      ///< 0; not read
};

constexpr std::uint32_t VertexBlockHeaderBytes = 28;  ///< the header's size
constexpr std::uint32_t VertexBytes = 12;             ///< x, y, z as single floats, one vertex after another
constexpr std::uint32_t VertexBlockFileBytes = 1024;  ///< what a saved file holds: header and 83 vertices of room
constexpr std::uint32_t VertexBlockMinRoom = (VertexBlockFileBytes - VertexBlockHeaderBytes) / VertexBytes;  ///< vertices a saved file has room for: 83

/// What the bytes of a block yield. Valid is false when the tag is unknown or the
/// header or the vertices it announces do not lie inside the bytes.
struct VertexBlockView {
    bool Valid;                      ///< tag and bounds are good
    std::uint32_t Primitive;         ///< mode for glBegin
    std::uint32_t VertexCount;       ///< group count x group length
    const std::uint8_t* Vertices;    ///< first vertex (any alignment)
};

/// One vertex as a block stores it.
struct Vertex3f {
    /// @{ a coordinate
    float x, y, z;
    /// @}
};

/// Vertex room of a block made for `vertexCount` vertices: never below VertexBlockMinRoom.
std::uint64_t VertexBlockRoom(std::uint32_t vertexCount);
/// New zero-filled block: header, then 12 bytes a vertex of room (first and third
/// arguments unused). Null, with nothing allocated, when the size passes 32 bits.
void* CreateVertexBlock(std::uint32_t first, std::uint32_t vertexCount, std::uint32_t third);
/// Stores vertex `index` (x, y, z) at the block's data offset. `vertexCount` is the
/// count the block was created with: an index outside its room, or a data offset
/// moved so that the vertex would not fit, stores nothing. Returns `index` either way.
std::uint32_t PutVertex(void* block, std::uint32_t index, float x, float y, float z, std::uint32_t vertexCount);
VertexBlockView ReadVertexBlock(const void* bytes, std::uint32_t size);   ///< checks tag and bounds; reads nothing past size
Vertex3f VertexAt(const VertexBlockView& view, std::uint32_t index);      ///< vertex `index` (< VertexCount) of a valid view

/// @}
