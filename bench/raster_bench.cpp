// Raster benchmark: our frame operations and primitives against a baseline
// or a peer library doing the same work in the same process. Whole-frame
// operations are set against memset and memcpy of the same 3 MiB, the gradient
// against a plain per-row word fill; where SDL2_gfx and pixman are built in
// (native builds that found them), lines and ellipses are set against
// SDL2_gfx, discs and the gradient against pixman gradients composited OVER,
// and the gradient also against a per-row SDL_FillRect. Every peer draws into
// a frame of the same layout (1024 x 768, rows of 4096 bytes).
// Ours and the other side run in alternating batches; a row shows the median
// time per pixel we write and the median and range of the per-batch ratios
// (ours / theirs: below 1 we are faster). A shared machine shows up as spread
// (less of it natively, where batches are timed in processor time).
// Depends on: the raster and mathlib modules, common/alloc.h for the frames.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <vector>

#include "common/alloc.h"
#include "mathlib/geometry.h"
#include "mathlib/tables.h"
#include "raster/frames.h"
#include "raster/primitives.h"
#include "surfaces/surface_state.h"

#if TD_BENCH_PEERS
#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <pixman.h>
#endif

namespace {

using Operation = std::function<void()>;

// Called through volatile pointers so the compiler cannot drop or merge them.
void* (*volatile MemsetCall)(void*, int, std::size_t) = std::memset;
void* (*volatile MemcpyCall)(void*, const void*, std::size_t) = std::memcpy;

constexpr int Batches = 21;
const char* OnlyRows = "";  // the command line's word: only rows whose name holds it
constexpr double BatchNs = 2e6;  // about 2 ms a batch

// On Linux the thread's own processor time: batches that other processes on a
// shared machine interrupt are not charged for the time they waited. With
// TD_BENCH_WALL set, wall time, as the Windows build measures (Wine offers no
// processor time this fine), for figures to set beside that build's.
const bool WallClock = std::getenv("TD_BENCH_WALL") != nullptr;

double NowNs() {
#if defined(__linux__)
    if (!WallClock) {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
    }
#endif
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double BatchTime(const Operation& op, int calls) {
    double start = NowNs();
    for (int i = 0; i < calls; ++i) op();
    return (NowNs() - start) / calls;
}

// Enough calls for one batch to last about BatchNs.
int CallsFor(const Operation& op) {
    double once = BatchTime(op, 1);
    return std::max(1, int(BatchNs / std::max(once, 1.0)));
}

// The value a fraction q of the way up the sorted values (0.5: the median).
double Quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[std::size_t(q * double(v.size() - 1) + 0.5)];
}

double Median(const std::vector<double>& v) { return Quantile(v, 0.5); }

// Alternating batches of ours and theirs; per-batch ratios of time per pixel,
// shown as their median and middle half, and the ratio of the best batches.
void Compare(const char* name, const Operation& ours, double ourPixels, const char* otherName,
             const Operation& other, double otherPixels, double target) {
    if (!std::strstr(name, OnlyRows)) return;
    int ourCalls = CallsFor(ours), otherCalls = CallsFor(other);
    std::vector<double> us, them, ratios;
    for (int b = 0; b < Batches; ++b) {
        double u = BatchTime(ours, ourCalls) / ourPixels;
        double t = BatchTime(other, otherCalls) / otherPixels;
        us.push_back(u);
        them.push_back(t);
        ratios.push_back(u / t);
    }
    double median = Median(ratios);
    double best = *std::min_element(us.begin(), us.end()) / *std::min_element(them.begin(), them.end());
    std::printf("%-34s %9.3f  %-21s %9.3f  %6.2f  %5.2f-%-5.2f  %5.2f  %4.2f  %s\n", name, Median(us), otherName,
                Median(them), median, Quantile(ratios, 0.25), Quantile(ratios, 0.75), best, target,
                median <= target ? "ok" : "OVER");
}

[[maybe_unused]] void Alone(const char* name, const Operation& ours, double ourPixels) {
    if (!std::strstr(name, OnlyRows)) return;
    int calls = CallsFor(ours);
    std::vector<double> us;
    for (int b = 0; b < Batches; ++b) us.push_back(BatchTime(ours, calls) / ourPixels);
    std::printf("%-34s %9.3f\n", name, Median(us));
}

// Pixels a shape changes on a cleared frame: what "per pixel" counts.
double PixelsChanged(const Operation& draw) {
    std::uint8_t* work = SurfaceState.workBits;
    std::memset(work, 0x5A, FrameBytes);
    draw();
    double changed = 0;
    for (std::uint32_t i = 0; i < FrameBytes; i += 4)
        changed += std::memcmp(work + i, "\x5A\x5A\x5A", 3) != 0;
    return changed;
}

struct Line {
    std::int32_t x1, y1, x2, y2;
};

// Lines from the centre, every 5 degrees, kept to those whose slope matches.
std::vector<Line> Star(std::int32_t length, bool (*keep)(std::int32_t dx, std::int32_t dy)) {
    std::vector<Line> lines;
    for (AngleIndex a = 0; a < 3600; a += 50) {
        CoordPair d = PolarOffset(length, a);
        if (keep(d.x, d.y)) lines.push_back({512, 384, 512 + d.x, 384 + d.y});
    }
    return lines;
}

std::int32_t Abs(std::int32_t v) { return v < 0 ? -v : v; }

// Diagonals from the centre in all four directions, |dx| = a and
// |dy| = a + skew for each skew given (0: exact 45 degrees).
std::vector<Line> Diagonals(std::initializer_list<std::int32_t> skews) {
    std::vector<Line> lines;
    for (std::int32_t a = 60; a <= 300; a += 60)
        for (std::int32_t skew : skews)
            for (std::int32_t sx : {-1, 1})
                for (std::int32_t sy : {-1, 1}) lines.push_back({512, 384, 512 + sx * a, 384 + sy * (a + skew)});
    return lines;
}

std::vector<Line> RandomLines(int count) {
    std::vector<Line> lines;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::int32_t range) { return std::int32_t(((seed = seed * 1664525u + 1013904223u) >> 8) % range); };
    for (int i = 0; i < count; ++i) lines.push_back({next(1024), 1 + next(767), next(1024), 1 + next(767)});
    return lines;
}

double LinePixels(const std::vector<Line>& lines) {
    double n = 0;
    for (const Line& l : lines) n += VectorLength(l.x2 - l.x1, l.y2 - l.y1);
    return n;
}

// Our per-row baseline: 32-bit words stored one row at a time, as a per-row
// rectangle fill does (byte 3 not kept).
void FillRowsPlain(std::uint8_t* frame, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    for (std::int32_t i = 0; i < h; ++i) {
        auto* row = reinterpret_cast<std::uint32_t*>(frame + std::size_t(FrameHeight - (y + i)) * FrameRowBytes) + x + 1;
        std::fill_n(row, w, 0x00FFFF00u - std::uint32_t(i));
    }
}

#if TD_BENCH_PEERS
struct Peers {
    SDL_Surface* surface;
    SDL_Renderer* renderer;
    pixman_image_t* image;
};

Peers StartPeers(std::uint8_t* frame) {
    Peers p{};
    p.surface = SDL_CreateRGBSurfaceWithFormatFrom(frame, FrameWidth, FrameHeight, 32, FrameRowBytes,
                                                   SDL_PIXELFORMAT_ARGB8888);
    p.renderer = SDL_CreateSoftwareRenderer(p.surface);
    p.image = pixman_image_create_bits(PIXMAN_x8r8g8b8, FrameWidth, FrameHeight,
                                       reinterpret_cast<std::uint32_t*>(frame), FrameRowBytes);
    return p;
}

pixman_color_t PixmanColour(ColourRef c, bool half) {
    auto channel = [&](int shift) { auto v = std::uint16_t(((c >> shift) & 0xFF) * 257); return half ? std::uint16_t(v / 2) : v; };
    return {channel(0), channel(8), channel(16), 0xFFFF};
}

void PeerDisc(pixman_image_t* dest, std::int32_t cx, std::int32_t cy, std::int32_t r, ColourRef colour) {
    pixman_point_fixed_t centre = {pixman_int_to_fixed(cx), pixman_int_to_fixed(cy)};
    pixman_gradient_stop_t stops[2] = {{0, PixmanColour(colour, false)}, {pixman_fixed_1, PixmanColour(colour, true)}};
    pixman_image_t* g = pixman_image_create_radial_gradient(&centre, &centre, 0, pixman_int_to_fixed(r), stops, 2);
    pixman_image_composite32(PIXMAN_OP_OVER, g, nullptr, dest, cx - r, cy - r, 0, 0, cx - r, cy - r, 2 * r, 2 * r);
    pixman_image_unref(g);
}

void PeerGradient(pixman_image_t* dest, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColourRef colour) {
    pixman_point_fixed_t top = {0, pixman_int_to_fixed(y)}, bottom = {0, pixman_int_to_fixed(y + h)};
    pixman_gradient_stop_t stops[2] = {{0, PixmanColour(colour, false)}, {pixman_fixed_1, PixmanColour(colour, true)}};
    pixman_image_t* g = pixman_image_create_linear_gradient(&top, &bottom, stops, 2);
    pixman_image_composite32(PIXMAN_OP_OVER, g, nullptr, dest, x + 1, y, 0, 0, x + 1, y, w, h);
    pixman_image_unref(g);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) OnlyRows = argv[1];
    SurfaceState.pixelBuffer = static_cast<std::uint8_t*>(AllocZeroed(PixelBufferBytes));
    SurfaceState.workBits = static_cast<std::uint8_t*>(AllocZeroed(FrameBytes));
    SurfaceState.screenBits = static_cast<std::uint8_t*>(AllocZeroed(FrameBytes));
    auto* other = static_cast<std::uint8_t*>(AllocZeroed(FrameBytes));  // the baselines' and peers' frame
    BuildLookupTables();
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    std::uint8_t* work = SurfaceState.workBits;
    std::uint8_t* screen = SurfaceState.screenBits;
    const double frame = FramePixels;

    std::printf("%-34s %9s  %-21s %9s  %6s  %-11s  %5s  %4s\n", "operation", "ns/pixel", "against", "ns/pixel",
                "ratio", "mid half", "best", "max");
    // Baselines work on the same 3 MiB as the operation they are set against.
    Compare("FillPixelBuffer", [] { FillPixelBuffer(0x00FF8040); }, frame, "memset 3 MiB",
            [&] { MemsetCall(buffer, 0x40, FrameBytes); }, frame, 1.0);
    Compare("ClearPixelBuffer", [] { ClearPixelBuffer(); }, frame, "memset 3 MiB",
            [&] { MemsetCall(buffer, 0, FrameBytes); }, frame, 1.0);
    Compare("ClearWorkSurface", [] { ClearWorkSurface(); }, frame, "memset 3 MiB",
            [&] { MemsetCall(work, 0, FrameBytes); }, frame, 1.0);
    Compare("PixelBufferToScreen", [] { PixelBufferToScreen(); }, frame, "memcpy 3 MiB",
            [&] { MemcpyCall(screen, buffer, FrameBytes); }, frame, 1.1);
    Compare("WorkSurfaceToPixelBuffer", [] { WorkSurfaceToPixelBuffer(); }, frame, "memcpy 3 MiB",
            [&] { MemcpyCall(buffer, work, FrameBytes); }, frame, 1.1);

    auto shallow = [](std::int32_t dx, std::int32_t dy) { return dy != 0 && Abs(dy) * 2 < Abs(dx); };
    auto steep = [](std::int32_t dx, std::int32_t dy) { return dx != 0 && Abs(dx) * 2 < Abs(dy); };
    auto diagonal = [](std::int32_t dx, std::int32_t dy) { return Abs(dx) * 2 >= Abs(dy) && Abs(dy) * 2 >= Abs(dx); };
    const struct { const char* name; std::vector<Line> lines; } lineSets[] = {
        {"DrawLine, shallow (350)", Star(350, shallow)},
        {"DrawLine, diagonal (350)", Star(350, diagonal)},
        {"DrawLine, exact diagonal (20)", Diagonals({0})},
        {"DrawLine, near diagonal (80)", Diagonals({-3, -1, 1, 3})},
        {"DrawLine, steep (350)", Star(350, steep)},
        {"DrawLine, horizontal (350)", Star(350, [](std::int32_t, std::int32_t dy) { return dy == 0; })},
        {"DrawLine, vertical (350)", Star(350, [](std::int32_t dx, std::int32_t) { return dx == 0; })},
        {"DrawLine, random (200 lines)", RandomLines(200)},
    };
    std::vector<std::function<void()>> ours;
    for (const auto& set : lineSets) {
        Operation draw = [&set] { for (const Line& l : set.lines) DrawLine(l.x1, l.y1, l.x2, l.y2, 0x00FFFFFF); };
        ours.push_back(draw);
    }

    const struct { std::int32_t rx, ry; } ellipses[] = {{10, 10}, {20, 15}, {50, 50}, {100, 60}, {200, 150}, {350, 350}};
    const std::int32_t discs[] = {20, 100, 300};

#if TD_BENCH_PEERS
    Peers peers = StartPeers(other);
    for (std::size_t i = 0; i < std::size(lineSets); ++i) {
        const auto& set = lineSets[i];
        Compare(set.name, ours[i], LinePixels(set.lines), "SDL2_gfx lineColor", [&] {
            for (const Line& l : set.lines) lineColor(peers.renderer, Sint16(l.x1), Sint16(l.y1), Sint16(l.x2), Sint16(l.y2), 0xFFFFFFFF);
            SDL_RenderFlush(peers.renderer);
        }, LinePixels(set.lines), 1.0);
    }
    for (auto e : ellipses) {
        char name[64];
        std::snprintf(name, sizeof name, "DrawEllipse (%d x %d)", e.rx, e.ry);
        Operation draw = [e] { DrawEllipse(512, 384, e.rx, e.ry, 0x0000FF00); };
        double pixels = PixelsChanged(draw);
        Compare(name, draw, pixels, "SDL2_gfx ellipseColor", [&] {
            ellipseColor(peers.renderer, 512, 384, Sint16(e.rx), Sint16(e.ry), 0xFF00FF00);
            SDL_RenderFlush(peers.renderer);
        }, pixels, 1.0);
    }
    for (std::int32_t r : discs) {
        char name[64];
        std::snprintf(name, sizeof name, "DrawDiscFromHalf (r %d)", r);
        Operation draw = [r] { DrawDiscFromHalf(512, 384, r, 0x000000FF); };
        double pixels = PixelsChanged(draw);
        Compare(name, draw, pixels, "pixman radial OVER", [&] { PeerDisc(peers.image, 512, 384, r, 0x000000FF); }, pixels, 1.0);
        std::snprintf(name, sizeof name, "DrawDiscFromBlack (r %d)", r);
        Compare(name, [r] { DrawDiscFromBlack(512, 384, r, 0x00FF0000); }, pixels, "pixman radial OVER",
                [&] { PeerDisc(peers.image, 512, 384, r, 0x00FF0000); }, pixels, 1.0);
    }
    Operation gradient = [] { DrawGradientRect(10, 30, 1000, 700, 0x00FFFF00); };
    Compare("DrawGradientRect (1000 x 700)", gradient, 700000, "pixman linear OVER",
            [&] { PeerGradient(peers.image, 10, 30, 1000, 700, 0x00FFFF00); }, 700000, 1.0);
    Compare("DrawGradientRect (1000 x 700)", gradient, 700000, "SDL_FillRect per row", [&] {
        for (int i = 0; i < 700; ++i) {
            SDL_Rect row = {11, 30 + i, 1000, 1};
            SDL_FillRect(peers.surface, &row, 0x00FFFF00u - std::uint32_t(i));
        }
    }, 700000, 2.0);
#else
    for (std::size_t i = 0; i < std::size(lineSets); ++i) Alone(lineSets[i].name, ours[i], LinePixels(lineSets[i].lines));
    for (auto e : ellipses) {
        char name[64];
        std::snprintf(name, sizeof name, "DrawEllipse (%d x %d)", e.rx, e.ry);
        Operation draw = [e] { DrawEllipse(512, 384, e.rx, e.ry, 0x0000FF00); };
        Alone(name, draw, PixelsChanged(draw));
    }
    for (std::int32_t r : discs) {
        char name[64];
        Operation draw = [r] { DrawDiscFromHalf(512, 384, r, 0x000000FF); };
        double pixels = PixelsChanged(draw);
        std::snprintf(name, sizeof name, "DrawDiscFromHalf (r %d)", r);
        Alone(name, draw, pixels);
        std::snprintf(name, sizeof name, "DrawDiscFromBlack (r %d)", r);
        Alone(name, [r] { DrawDiscFromBlack(512, 384, r, 0x00FF0000); }, pixels);
    }
    Operation gradient = [] { DrawGradientRect(10, 30, 1000, 700, 0x00FFFF00); };
#endif
    Compare("DrawGradientRect (1000 x 700)", gradient, 700000, "per-row word fill",
            [&] { FillRowsPlain(other, 10, 30, 1000, 700); }, 700000, 2.0);

    FreeLookupTables();
    FreeBlock(SurfaceState.pixelBuffer);
    FreeBlock(SurfaceState.workBits);
    FreeBlock(SurfaceState.screenBits);
    FreeBlock(other);
    return 0;
}
