// Process entry of the player: run the main window, exit with its code.
#include "app/window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    AppInstance = GetModuleHandleA(nullptr);
    ExitProcess(static_cast<UINT>(RunMainWindow(AppInstance)));
}
