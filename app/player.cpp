// The player's process-wide window handles (app/player.h).
#include "app/player.h"

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
