// The control panel (not built yet: no panel is drawn).
#include "app/panel.h"

UINT_PTR ComposePanel(HWND) { return 0; }
void CALLBACK RefreshTick(HWND, UINT, UINT_PTR, DWORD) {}
BOOL PresentFrame() { return FALSE; }
