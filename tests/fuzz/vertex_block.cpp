// Fuzz: the vertex block reader on any bytes, walking every vertex it accepts
// (an accepted vertex outside the bytes shows as an overread), and PutVertex
// with any data offset and index into a block made for the last byte's count.
#include <cstddef>
#include <cstring>

#include "common/alloc.h"
#include "gl/vertex_block.h"

volatile float Sink;   // keeps the vertex reads

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const VertexBlockView view = ReadVertexBlock(data, std::uint32_t(size));
    for (std::uint32_t i = 0; view.Valid && i < view.VertexCount; ++i) Sink = VertexAt(view, i).z;
    if (size < 8) return 0;
    void* block = CreateVertexBlock(0, data[size - 1], 0);
    std::memcpy(block, data, 4);
    PutVertex(block, std::uint32_t(data[4] | data[5] << 8 | data[6] << 16 | unsigned(data[7]) << 24), 1, 2, 3, data[size - 1]);
    FreeBlock(block);
    return 0;
}
