/// @file
/// Off-screen surfaces of the window: set-up, memory surfaces, handle accessors.
/// The platform-free part of the record and the bit accessors are in surface_state.h.
#pragma once
#include <windows.h>

#include "surface_state.h"

/// @addtogroup surfaces
/// @{

/// A memory surface: the bitmap (low word) and the device context holding it (high word).
struct MemorySurfacePair {
    HBITMAP bitmap;   ///< the surface's pixels
    HDC dc;           ///< the device context to draw with
};

extern const LOGFONTA SurfaceFont;   ///< 15-unit "Lucida Console" of both surfaces

void SetWindowDC(HDC dc);                                  ///< records the main window's device context as WindowDC
HDC GetMainWindowDC();                                      ///< the recorded WindowDC
void SetUpSurfaces(HWND window);                           ///< PixelBuffer, ScreenSurface, WorkSurface, tables, key table
MemorySurfacePair CreateMemorySurface(int width, int height);  ///< bitmap compatible with WindowDC, selected into a new DC
HBITMAP GetScreenBitmap();                                 ///< the ScreenSurface's DIB section
HDC GetScreenDC();                                         ///< the ScreenSurface's device context
HDC GetWorkDC();                                           ///< the WorkSurface's device context

/// @}
