// Media playback and the file chooser: the play request and the completion notice.
#pragma once
#include <windows.h>
#include <mmsystem.h>

LRESULT HandlePlayRequest(HWND window);                               // chooses a file and plays it unless something plays
LRESULT HandleMciNotify(HWND window, WPARAM wParam, LPARAM lParam);   // playback ended: closes the device
