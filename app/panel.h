// The control panel: composed once, refreshed every 40 ms by RefreshTick.
#pragma once
#include <windows.h>

UINT_PTR ComposePanel(HWND window);                                        // draws the panel and starts the refresh timer
void CALLBACK RefreshTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);  // one frame: panel, prompt, action, present
BOOL PresentFrame();                                                       // copies the top-left 300x200 of the ScreenSurface to the window
