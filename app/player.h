// What the player's window, panel and playback all see: the timer ids, the
// play-request message and the process-wide window handles. Includes no other
// header of app/, so every file of the player can include it.
#pragma once
#include <windows.h>

constexpr UINT_PTR FrameRateTimerId = 2;   // frame-rate tick, every 1000 ms
constexpr UINT_PTR RefreshTimerId = 1;     // refresh tick, every 40 ms (started by ComposePanel)
constexpr UINT_PTR EndCheckTimerId = 3;    // looks again, every 100 ms, whether a device said to have ended has stopped
constexpr UINT PlayRequest = WM_USER;      // asks the window to choose a file and play it

extern HINSTANCE AppInstance;   // module handle of the running program
extern HWND MainWindow;         // the main window
