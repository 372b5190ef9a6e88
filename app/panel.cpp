// The control panel. No child windows and no platform buttons: the controls
// are pictures plus hit regions, and a click is a condition sampled per tick
// (the last message received is a left-button release), not an event.
#include "app/panel.h"

#include "app/playback.h"
#include "app/player.h"
#include "common/input.h"
#include "media/media.h"
#include "mathlib/geometry.h"
#include "raster/primitives.h"
#include "surfaces/pictures.h"
#include "surfaces/surfaces.h"

PanelStateRecord PanelState = {};

namespace {
// "Stop": close the playing device and mark nothing playing.
void StopPlayback() {
    CloseDevice(PlaybackState.DeviceId);
    PlaybackState.IsPlaying = 0;
}
}  // namespace

UINT_PTR ComposePanel(HWND window) {
    HDC work = GetWorkDC();
    PanelState.PanelSurface = CreateMemorySurface(PanelWidth, PanelHeight).dc;
    HDC panel = PanelState.PanelSurface;

    // Background: the gradient's painted area starts at column 1, so copy from (1, 1).
    DrawGradientRect(0, 0, 300, 200, PanelCyan);
    BitBlt(panel, 0, 0, PanelWidth, PanelHeight, work, 1, 1, SRCCOPY);
    SelectObject(work, GetStockObject(BLACK_BRUSH));
    Rectangle(work, 0, 0, 100, 100);

    DrawGradientRect(0, 0, 105, 40, PanelCyan);
    SetTextColor(work, PanelRed);
    TextOutA(work, 10, 10, "Open", 4);
    BitBlt(panel, 10, 50, 105, 35, work, 1, 1, SRCCOPY);

    DrawGradientRect(0, 0, 105, 40, PanelCyan);
    SetTextColor(work, PanelRed);
    TextOutA(work, 10, 10, "Exit", 4);
    BitBlt(panel, 10, 86, 105, 35, work, 1, 1, SRCCOPY);

    // The round button: AND the mask (black on the button), then OR the picture.
    HDC windowDC = GetMainWindowDC();
    DrawPictureFile(windowDC, work, 0, 0, 200, 150, StopButtonPicture);
    SetTextColor(work, PanelRed);
    TextOutA(work, 20, 35, "Stop", 4);
    DrawPictureFile(windowDC, work, 0, 150, 200, 150, StopButtonMaskPicture);
    BitBlt(panel, 150, 50, 200, 150, work, 0, 150, SRCAND);
    BitBlt(panel, 150, 50, 200, 150, work, 0, 0, SRCPAINT);

    SetTextColor(GetScreenDC(), PanelRed);
    return SetTimer(window, RefreshTimerId, 40, RefreshTick);
}

void CALLBACK RefreshTick(HWND window, UINT, UINT_PTR, DWORD) {
    HDC screen = GetScreenDC();
    BitBlt(screen, 0, 0, 300, 200, PanelState.PanelSurface, 0, 0, SRCCOPY);
    // Mouse coordinates are 16-bit client values; they compare as plain integers.
    auto x = std::int32_t(InputState.MouseX);
    auto y = std::int32_t(InputState.MouseY);
    if (PointInRect(x, y, 10, 50, 105, 35) == 1) {
        TextOutA(screen, 10, 10, "Open a file and play it?", 24);
        if (InputState.LastMessageId == WM_LBUTTONUP) SendMessageA(window, PlayRequest, 0, 0);
    }
    if (PointInRect(x, y, 10, 85, 105, 35) == 1) {
        TextOutA(screen, 10, 10, "Exit now?", 9);
        if (InputState.LastMessageId == WM_LBUTTONUP) PostQuitMessage(0);
    }
    if (PointInCircle(x, y, 185, 95, 35) == 1) {
        TextOutA(screen, 10, 10, "Stop playing?", 13);
        if (InputState.LastMessageId == WM_LBUTTONUP) StopPlayback();
    }
    PresentFrame();
    InputState.FrameCount = InputState.FrameCount + 1;
}

BOOL PresentFrame() {
    return BitBlt(GetMainWindowDC(), 0, 0, 300, 200, GetScreenDC(), 0, 0, SRCCOPY);
}
