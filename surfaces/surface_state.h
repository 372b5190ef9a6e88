/// @file
/// SurfaceState: the process-wide record of the drawing targets.
/// Platform-free, so the raster code reaches the frame addresses without
/// <windows.h>: handles are kept as opaque addresses, and the bitmap header as a
/// record with BITMAPINFOHEADER's exact layout (checked in surfaces.cpp).
#pragma once
#include <cstdint>

/// @addtogroup surfaces
/// @{

// Frames are 1024 by 768 pixels of 4 bytes, rows of exactly 4096 bytes.
constexpr std::int32_t FrameWidth = 1024;                         ///< pixels a row
constexpr std::int32_t FrameHeight = 768;                         ///< rows
constexpr std::int32_t FrameRowBytes = FrameWidth * 4;            ///< 4,096
constexpr std::uint32_t FramePixels = FrameWidth * FrameHeight;   ///< 786,432
constexpr std::uint32_t FrameBytes = FramePixels * 4;             ///< 3,145,728
constexpr std::uint32_t PixelBufferBytes = FrameBytes * 2;        ///< the block holds a spare second frame

/// BITMAPINFOHEADER, field for field (40 bytes).
struct SurfaceBitmapHeaderRecord {
    /// @{ BITMAPINFOHEADER's field of the same name
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
    /// @}
};
static_assert(sizeof(SurfaceBitmapHeaderRecord) == 40);

/// The PixelBuffer's format.
struct PixelBufferFormatRecord {
    std::int32_t width;          ///< pixels a row
    std::int32_t height;         ///< rows
    std::int32_t bitsPerPixel;   ///< bits a pixel
};

/// The drawing targets and the surfaces behind them.
struct SurfaceStateRecord {
    std::uint8_t* pixelBuffer;                   ///< PixelBuffer block, top row first
    PixelBufferFormatRecord PixelBufferFormat;   ///< 1024, 768, 32; written at set-up, read by nothing
    void* screenDC;                              ///< HDC of ScreenSurface
    void* screenBitmap;                          ///< HBITMAP: its DIB section
    void* workDC;                                ///< HDC of WorkSurface
    void* workBitmap;                            ///< HBITMAP: its DIB section
    std::uint8_t* screenBits;                    ///< ScreenSurface pixels, bottom row first
    std::uint8_t* workBits;                      ///< drawing target: WorkSurface pixels unless SetDrawTarget replaced them
    std::uint8_t* keyStateTable;                 ///< KeyStateTable (512 bytes)
    SurfaceBitmapHeaderRecord SurfaceBitmapHeader;   ///< the surfaces' bitmap header: 1024 x 768, 32 bits, bottom row first
    void* WindowDC;                              ///< HDC of the main window
};

extern SurfaceStateRecord SurfaceState;   ///< the one record of the drawing targets

std::uint8_t* GetPixelBuffer();           ///< the PixelBuffer address
std::uint8_t* GetWorkBits();              ///< the drawing target (WorkSurface bits unless replaced)
std::uint8_t* GetDrawTarget();            ///< same address as GetWorkBits
void SetDrawTarget(std::uint8_t* bits);   ///< makes `bits` (a 1024x768 bottom-up frame) the drawing target
std::uint8_t* GetScreenBits();            ///< the ScreenSurface bits

/// KeyStateTable: one byte per virtual-key code, 1 while the key is down. Its
/// address is a field of SurfaceState, so the table lives here.
constexpr std::uint32_t KeyStateTableBytes = 512;

std::uint8_t* CreateKeyStateTable();                      ///< allocates the 512-byte table, records it in SurfaceState
void SetKeyState(std::uint32_t code, std::uint32_t flag); ///< stores flag's low byte at `code`; a code past the table writes nothing
std::uint32_t QueryKeyState(std::uint32_t code);          ///< the byte at `code`; 0 past the table or before it exists

/// @}
