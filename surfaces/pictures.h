/// @file
/// Picture files: load through the platform's OLE picture loader into a bitmap
/// compatible with the screen, and copy it into a device context.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

/// @addtogroup surfaces
/// @{

constexpr DWORD PictureScratchBytes = 10000;   ///< full-path scratch block of DrawPictureFile
constexpr DWORD CurrentDirectoryLimit = 2048;  ///< characters asked of GetCurrentDirectoryA

void DrawPictureFile(HDC reference, HDC target, int x, int y, int width, int height, const char* relativePath);  ///< copies the picture's top-left width x height to (x, y); shows the error when it cannot load
HBITMAP LoadPictureFile(const char* fullPath);   ///< bitmap of the picture, or null with the last error set
HBITMAP RenderPicture(IPicture* picture);        ///< the picture rendered upright into a new screen-compatible bitmap, or null
int ShowLastError();                             ///< message box with the system's text for GetLastError; returns its result

/// @}
