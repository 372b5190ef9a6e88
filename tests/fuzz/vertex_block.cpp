// Fuzz: the vertex block reader on any bytes, checked against the header read
// here byte by byte and every vertex it accepts; then PutVertex with any data
// offset and index into a block made for the last byte's count, checked against
// the bytes it should leave (seeds reach the last vertex of the room and one past).
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/alloc.h"
#include "gl/vertex_block.h"

static void Require(bool ok) { if (!ok) std::abort(); }
static std::uint32_t Word(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const VertexBlockView view = ReadVertexBlock(data, std::uint32_t(size));
    const bool tagged = size >= 28 && (std::memcmp(data + 8, "QVMW", 4) == 0 || std::memcmp(data + 8, "VQMW", 4) == 0);
    const std::uint64_t offset = tagged ? Word(data) : 0, count = tagged ? std::uint64_t(Word(data + 20)) * Word(data + 12) : 0;
    const bool valid = tagged && offset >= 28 && offset <= size && (unsigned __int128)count * 12 <= size - offset;
    Require(view.Valid == valid && (!valid || (view.Primitive == Word(data + 16) && view.VertexCount == count && view.Vertices == data + offset)));
    for (std::uint32_t i = 0; valid && i < count; ++i) Require(std::memcmp(std::array{VertexAt(view, i)}.data(), data + offset + 12 * i, 12) == 0);
    if (size < 8) return 0;
    Require(CreateVertexBlock(0, 0xFFFFFFFFu, 0) == nullptr);   // more than 4 GiB: refused, never cut to fit
    const std::uint32_t room = std::max<std::uint32_t>(data[size - 1], 83), index = Word(data + 4);
    auto* block = static_cast<unsigned char*>(CreateVertexBlock(0, data[size - 1], 0));
    std::vector<unsigned char> expected(28 + 12 * room, 0);   // a new block: its header, then zeros
    expected[0] = 28, expected[4] = 1, std::memcpy(&expected[8], "QVMW", 4);
    Require(std::equal(expected.begin(), expected.end(), block));
    std::memcpy(block, data, 4), std::memcpy(expected.data(), data, 4);   // the data offset moved
    if (std::uint64_t(Word(data)) + 12ull * index + 12 <= expected.size()) std::memcpy(&expected[Word(data) + 12ull * index], std::array{1.0f, 2.0f, 3.0f}.data(), 12);
    Require(PutVertex(block, index, 1, 2, 3, data[size - 1]) == index && std::equal(expected.begin(), expected.end(), block) && PutVertex(nullptr, index, 1, 2, 3, 0) == index);
    FreeBlock(block);
    return 0;
}
