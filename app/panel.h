// The control panel: composed once into the PanelSurface, then refreshed every
// 40 ms by RefreshTick, which shows the prompt of the control under the
// pointer and carries out the control's action after a left-button release.
#pragma once
#include <windows.h>

constexpr COLORREF PanelCyan = 0x00FFFF00;   // gradient of the background and text buttons
constexpr COLORREF PanelRed = 0x000000FF;    // labels and prompts
constexpr int PanelWidth = 600;              // the PanelSurface; the window shows its top-left 300 x 200
constexpr int PanelHeight = 480;
constexpr char StopButtonPicture[] = "\\img\\UserInterface\\StopButton.jpg";
constexpr char StopButtonMaskPicture[] = "\\img\\UserInterface\\StopButtonMask.jpg";

struct PanelStateRecord {
    HDC PanelSurface;   // device context of the composed panel; null until ComposePanel
};

extern PanelStateRecord PanelState;

UINT_PTR ComposePanel(HWND window);                                                  // draws the panel and starts the refresh timer
void CALLBACK RefreshTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);  // one frame: panel, prompt, action, present, count
BOOL PresentFrame();                                                                 // copies the top-left 300x200 of the ScreenSurface to the window
