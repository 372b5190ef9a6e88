// Raster benchmark: time per call and per pixel of the frame operations and
// the primitives, with the whole-frame ones set against memset and memcpy of
// the same 3 MiB measured in the same run. Every figure is the best of several
// batches, so another process on the machine shows up as little as possible.
// Depends on: the raster and mathlib modules, common/alloc.h for the frames.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/alloc.h"
#include "mathlib/geometry.h"
#include "mathlib/tables.h"
#include "raster/frames.h"
#include "raster/primitives.h"
#include "surfaces/surface_state.h"

namespace {

// Called through volatile pointers so the compiler cannot drop or merge them.
void* (*volatile MemsetCall)(void*, int, std::size_t) = std::memset;
void* (*volatile MemcpyCall)(void*, const void*, std::size_t) = std::memcpy;

struct Timing {
    double nsPerCall;
    double pixelsPerCall;
};

// Best time of `batches` batches of `calls` calls.
template <typename Operation>
Timing Measure(Operation operation, double pixelsPerCall, int calls, int batches = 7) {
    operation();  // warm the caches and the page tables
    double best = 1e300;
    for (int b = 0; b < batches; ++b) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) operation();
        std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed.count() / calls < best) best = elapsed.count() / calls;
    }
    return {best, pixelsPerCall};
}

// Against a baseline the ratio compares time per pixel; without one, the
// verdict is the 3 ns per pixel budget of a primitive.
void Report(const char* name, Timing t, const char* baselineName = nullptr, Timing baseline = {0, 0}) {
    if (baselineName != nullptr && baselineName[0] == '\0') {  // a baseline itself: no verdict
        std::printf("%-31s %12.0f %10.3f\n", name, t.nsPerCall, t.nsPerCall / t.pixelsPerCall);
        return;
    }
    std::printf("%-31s %12.0f %10.3f", name, t.nsPerCall, t.nsPerCall / t.pixelsPerCall);
    if (baselineName != nullptr) {
        double ratio = (t.nsPerCall / t.pixelsPerCall) / (baseline.nsPerCall / baseline.pixelsPerCall);
        std::printf("   %-8s %7.3f %s", baselineName, ratio, ratio <= 1.0 / 0.9 ? "ok" : "SLOW");
    }
    else
        std::printf("   %-8s %7s %s", "", "", t.nsPerCall / t.pixelsPerCall < 3.0 ? "ok" : "SLOW");
    std::printf("\n");
}

}  // namespace

int main() {
    SurfaceState.pixelBuffer = static_cast<std::uint8_t*>(AllocZeroed(PixelBufferBytes));
    SurfaceState.workBits = static_cast<std::uint8_t*>(AllocZeroed(FrameBytes));
    SurfaceState.screenBits = static_cast<std::uint8_t*>(AllocZeroed(FrameBytes));
    BuildLookupTables();
    std::uint8_t* buffer = SurfaceState.pixelBuffer;
    std::uint8_t* work = SurfaceState.workBits;
    std::uint8_t* screen = SurfaceState.screenBits;
    const double frame = FramePixels;
    const int frameCalls = 40;

    std::printf("%-31s %12s %10s   %-8s %7s\n", "operation", "ns/call", "ns/pixel", "baseline", "ratio");

    Timing memsetBuffer = Measure([&] { MemsetCall(buffer, 0, FrameBytes); }, frame, frameCalls);
    Timing memsetWork = Measure([&] { MemsetCall(work, 0, FrameBytes); }, frame, frameCalls);
    Timing memcpyToScreen = Measure([&] { MemcpyCall(screen, buffer, FrameBytes); }, frame, frameCalls);
    Timing memcpyFromWork = Measure([&] { MemcpyCall(buffer, work, FrameBytes); }, frame, frameCalls);
    Report("memset 3 MiB (buffer)", memsetBuffer, "");
    Report("memcpy 3 MiB (to screen)", memcpyToScreen, "");

    Report("FillPixelBuffer", Measure([] { FillPixelBuffer(0x00FF8040); }, frame, frameCalls), "memset", memsetBuffer);
    Report("ClearPixelBuffer", Measure([] { ClearPixelBuffer(); }, frame, frameCalls), "memset", memsetBuffer);
    Report("ClearWorkSurface", Measure([] { ClearWorkSurface(); }, frame, frameCalls), "memset", memsetWork);
    Report("PixelBufferToScreen", Measure([] { PixelBufferToScreen(); }, frame, frameCalls), "memcpy", memcpyToScreen);
    Report("WorkSurfaceToPixelBuffer", Measure([] { WorkSurfaceToPixelBuffer(); }, frame, frameCalls), "memcpy",
           memcpyFromWork);

    // Primitives, in ns per pixel written (lines: their length; ellipses: 3600).
    // Lines are split: a steep line writes every pixel to a new row, and rows
    // 4096 bytes apart share the same cache sets, so each pixel is a cache miss
    // whatever the code does; bare stores down a column show that floor.
    auto lineStar = [](bool steep, bool draw) {
        double pixels = 0;
        for (AngleIndex a = 0; a < 3600; a += 100) {
            CoordPair end = PolarOffset(350, a);
            bool isSteep = (end.y < 0 ? -end.y : end.y) > (end.x < 0 ? -end.x : end.x);
            if (isSteep != steep) continue;
            if (draw) DrawLine(512, 384, 512 + end.x, 384 + end.y, 0x00FFFFFF);
            CoordPair d = VectorDiff(512, 384, 512 + end.x, 384 + end.y);
            pixels += VectorLength(d.x, d.y);
        }
        return pixels;
    };
    Report("DrawLine, shallow (length 350)", Measure([&] { lineStar(false, true); }, lineStar(false, false), 100));
    Timing columnStores = Measure([&] {
        static std::int32_t x = 0;
        x = (x + 1) & 1023;
        for (std::int32_t row = 34; row < 734; ++row) {
            volatile std::uint8_t* p = work + (std::size_t(row) * FrameWidth + std::size_t(x)) * 4;
            p[0] = 1;
            p[1] = 2;
            p[2] = 3;
        }
    }, 700, 1000);
    Report("DrawLine, steep (length 350)", Measure([&] { lineStar(true, true); }, lineStar(true, false), 100),
           "column", columnStores);
    Report("bare stores down a column", columnStores, "");
    Report("DrawEllipse (200 x 150)", Measure([] { DrawEllipse(512, 384, 200, 150, 0x0000FF00); }, 3600, 1000));
    Report("DrawDiscFromHalf (r 100)", Measure([] { DrawDiscFromHalf(512, 384, 100, 0x000000FF); }, 3600.0 * 100, 20));
    Report("DrawDiscFromBlack (r 100)", Measure([] { DrawDiscFromBlack(512, 384, 100, 0x00FF0000); }, 3600.0 * 100, 20));
    Report("DrawGradientRect (1000x700)",
           Measure([] { DrawGradientRect(10, 30, 1000, 700, 0x00FFFF00); }, 1000.0 * 700, 20));

    FreeLookupTables();
    FreeBlock(SurfaceState.pixelBuffer);
    FreeBlock(SurfaceState.workBits);
    FreeBlock(SurfaceState.screenBits);
    return 0;
}
