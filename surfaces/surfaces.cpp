// Surface set-up on GDI: two 1024x768 32-bit bottom-up DIB sections, each in a
// memory device context with a transparent background, green text and the
// surface font. Everything made here lives until the process ends.
#include "surfaces/surfaces.h"

#include <cstddef>

#include "common/alloc.h"
#include "mathlib/tables.h"

static_assert(sizeof(SurfaceBitmapHeaderRecord) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(SurfaceBitmapHeaderRecord, biClrImportant) == offsetof(BITMAPINFOHEADER, biClrImportant));

const LOGFONTA SurfaceFont = {
    -15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_STROKE_PRECIS, CLIP_DEFAULT_PRECIS,
    DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Lucida Console"};

namespace {

struct SurfaceHandles {
    HDC dc;
    HBITMAP bitmap;
    std::uint8_t* bits;
};

SurfaceHandles CreateSurface(HWND window) {
    SurfaceHandles s = {};
    HDC windowDC = GetDC(window);
    s.dc = CreateCompatibleDC(windowDC);
    SurfaceState.PixelBufferFormat = PixelBufferFormatRecord{FrameWidth, FrameHeight, 32};
    SurfaceBitmapHeaderRecord& h = SurfaceState.SurfaceBitmapHeader;
    h = SurfaceBitmapHeaderRecord{};
    h.biSize = 40;
    h.biWidth = FrameWidth;
    h.biHeight = FrameHeight;   // positive: bottom row first
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    void* bits = nullptr;
    s.bitmap = CreateDIBSection(s.dc, reinterpret_cast<const BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0);
    s.bits = static_cast<std::uint8_t*>(bits);
    SelectObject(s.dc, s.bitmap);
    SetBkMode(s.dc, TRANSPARENT);
    SetTextColor(s.dc, 0x0000FF00);
    SelectObject(s.dc, CreateFontIndirectA(&SurfaceFont));
    ReleaseDC(window, windowDC);
    return s;
}

}  // namespace

void SetWindowDC(HDC dc) { SurfaceState.WindowDC = dc; }

HDC GetMainWindowDC() { return static_cast<HDC>(SurfaceState.WindowDC); }

void SetUpSurfaces(HWND window) {
    // AllocZeroed makes the same fixed zero-filled block, and ends the process
    // with a message when it cannot: nothing after this runs on a null frame.
    SurfaceState.pixelBuffer = static_cast<std::uint8_t*>(AllocZeroed(PixelBufferBytes));
    SurfaceHandles screen = CreateSurface(window);
    SurfaceState.screenDC = screen.dc;
    SurfaceState.screenBitmap = screen.bitmap;
    SurfaceState.screenBits = screen.bits;
    SurfaceHandles work = CreateSurface(window);
    SurfaceState.workDC = work.dc;
    SurfaceState.workBitmap = work.bitmap;
    SurfaceState.workBits = work.bits;
    BuildLookupTables();
    CreateKeyStateTable();
}

MemorySurfacePair CreateMemorySurface(int width, int height) {
    HDC windowDC = GetMainWindowDC();
    HDC dc = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, width, height);
    SelectObject(dc, bitmap);
    return MemorySurfacePair{bitmap, dc};
}

HBITMAP GetScreenBitmap() { return static_cast<HBITMAP>(SurfaceState.screenBitmap); }
HDC GetScreenDC() { return static_cast<HDC>(SurfaceState.screenDC); }
HDC GetWorkDC() { return static_cast<HDC>(SurfaceState.workDC); }
