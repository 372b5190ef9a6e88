// The main window: class "TAV", its window procedure and the message loop.
#pragma once
#include <windows.h>

#include "app/player.h"

constexpr char MainWindowClass[] = "TAV";
constexpr char MainWindowTitle[] = "TAV-Tunedeck 1.0";

int RunMainWindow(HINSTANCE instance);                                         // registers, creates, shows; runs the loop; returns the quit code (1: no window)
HWND CreateMainWindow(HINSTANCE instance);                                     // registers "TAV" and creates the window (start-up runs inside)
int RunMessageLoop();                                                          // GetMessage loop; returns the quit message's wParam
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);  // records input, runs start-up and the playback messages
void CALLBACK FrameRateTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);      // FramesPerSecond = FrameCount; FrameCount = 0
