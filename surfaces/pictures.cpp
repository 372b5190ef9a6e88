// Picture files through OleLoadPicturePath and IPicture::Render.
// COM is initialised and ended inside each load, so callers need no COM set-up.
// Which formats load is the platform decoder's business (JPEG, BMP, GIF, ...).
#include "surfaces/pictures.h"

#include "common/alloc.h"

namespace {

// IID_IPicture, {7BF80980-BF32-101A-8BBB-00AA00300CAB}.
const IID PictureInterfaceId = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

}  // namespace

void DrawPictureFile(HDC reference, HDC target, int x, int y, int width, int height, const char* relativePath) {
    char* path = static_cast<char*>(AllocZeroed(PictureScratchBytes));
    SetBkMode(reference, OPAQUE);
    DWORD dirLength = GetCurrentDirectoryA(CurrentDirectoryLimit, path);
    if (dirLength >= CurrentDirectoryLimit) path[0] = '\0';   // did not fit: nothing was written
    HBITMAP bitmap = nullptr;
    // The path is appended to the directory in a fixed block: refuse what would overrun it.
    if (relativePath != nullptr && lstrlenA(path) + lstrlenA(relativePath) < int(PictureScratchBytes)) {
        lstrcatA(path, relativePath);
        bitmap = LoadPictureFile(path);
    } else {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    }
    if (bitmap == nullptr) {
        ShowLastError();
    } else {
        HDC memory = CreateCompatibleDC(reference);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    FreeBlock(path);
}

HBITMAP LoadPictureFile(const char* fullPath) {
    CoInitialize(nullptr);
    int length = lstrlenA(fullPath);
    auto* wide = static_cast<WCHAR*>(CoTaskMemAlloc(SIZE_T(length) * 2 + 2));
    if (wide == nullptr) {
        CoUninitialize();
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    MultiByteToWideChar(CP_ACP, 0, fullPath, -1, wide, length + 1);
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicturePath(wide, nullptr, 0, 0, PictureInterfaceId, reinterpret_cast<void**>(&picture));
    CoTaskMemFree(wide);   // needed only for the load
    if (FAILED(hr) || picture == nullptr) {
        CoUninitialize();
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    HBITMAP bitmap = RenderPicture(picture);
    DWORD error = GetLastError();
    picture->Release();
    CoUninitialize();
    SetLastError(error);   // keep RenderPicture's reason across the releases
    return bitmap;
}

HBITMAP RenderPicture(IPicture* picture) {
    if (picture == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    if (memory == nullptr) {
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    int width = MulDiv(himetricWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    int height = MulDiv(himetricHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap == nullptr) {
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    HGDIOBJ kept = SelectObject(memory, bitmap);
    if (kept == nullptr || kept == HGDI_ERROR) {
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    // HIMETRIC space grows upwards: start at the top with a negative height.
    HRESULT hr = picture->Render(memory, 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, nullptr);
    if (FAILED(hr)) {
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        SetLastError(DWORD(hr));
        return nullptr;
    }
    SelectObject(memory, kept);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

int ShowLastError() {
    char text[500] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   text, sizeof text, nullptr);
    return MessageBoxA(nullptr, text, nullptr, MB_OK);
}
