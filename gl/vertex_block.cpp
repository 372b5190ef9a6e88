// Vertex blocks in memory: creating, filling and reading them back.
// Depends on: AllocZeroed (common). Platform-free.
// Limits: little-endian hosts only, as the format is; the version field is
// neither checked nor used.
#include "gl/vertex_block.h"

#include <cstddef>
#include <cstring>

#include "common/alloc.h"

static_assert(sizeof(VertexBlockHeader) == VertexBlockHeaderBytes);
static_assert(offsetof(VertexBlockHeader, Tag) == 8 && offsetof(VertexBlockHeader, GroupCount) == 20);
static_assert(VertexBlockMinRoom == 83 && sizeof(Vertex3f) == VertexBytes);

namespace {

// Blocks that other builders saved carry the tag's two first letters swapped.
constexpr char WrittenTag[] = "QVMW";
constexpr char SwappedTag[] = "VQMW";

}  // namespace

std::uint64_t VertexBlockRoom(std::uint32_t vertexCount) {
    return vertexCount < VertexBlockMinRoom ? VertexBlockMinRoom : vertexCount;
}

void* CreateVertexBlock(std::uint32_t, std::uint32_t vertexCount, std::uint32_t) {
    const std::uint64_t size = VertexBlockHeaderBytes + VertexBlockRoom(vertexCount) * VertexBytes;
    if (size > UINT32_MAX) return nullptr;
    auto* header = static_cast<VertexBlockHeader*>(AllocZeroed(std::uint32_t(size)));
    header->DataOffset = VertexBlockHeaderBytes;
    header->Version = 1;
    std::memcpy(header->Tag, WrittenTag, sizeof header->Tag);
    return header;
}

std::uint32_t PutVertex(void* block, std::uint32_t index, float x, float y, float z, std::uint32_t vertexCount) {
    if (block == nullptr) return index;
    const std::uint64_t blockBytes = VertexBlockHeaderBytes + VertexBlockRoom(vertexCount) * VertexBytes;
    const std::uint64_t at = std::uint64_t(static_cast<VertexBlockHeader*>(block)->DataOffset) +
                             std::uint64_t(index) * VertexBytes;
    if (at + VertexBytes > blockBytes) return index;
    const float xyz[3] = {x, y, z};
    std::memcpy(static_cast<std::uint8_t*>(block) + at, xyz, sizeof xyz);
    return index;
}

VertexBlockView ReadVertexBlock(const void* bytes, std::uint32_t size) {
    VertexBlockView view = {};
    if (bytes == nullptr || size < VertexBlockHeaderBytes) return view;
    VertexBlockHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (std::memcmp(header.Tag, WrittenTag, sizeof header.Tag) != 0 && std::memcmp(header.Tag, SwappedTag, sizeof header.Tag) != 0)
        return view;
    if (header.DataOffset < VertexBlockHeaderBytes || header.DataOffset > size) return view;
    // In 64 bits, compared as a count of whole vertices, so no product can wrap.
    const std::uint64_t count = std::uint64_t(header.GroupCount) * header.GroupLength;
    if (count > (size - header.DataOffset) / VertexBytes) return view;
    view.Valid = true;
    view.Primitive = header.Primitive;
    view.VertexCount = std::uint32_t(count);
    view.Vertices = static_cast<const std::uint8_t*>(bytes) + header.DataOffset;
    return view;
}

Vertex3f VertexAt(const VertexBlockView& view, std::uint32_t index) {
    Vertex3f v;
    std::memcpy(&v, view.Vertices + std::size_t(index) * VertexBytes, sizeof v);
    return v;
}
