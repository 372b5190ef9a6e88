// Media playback and the file chooser (not built yet: both messages are ignored).
#include "app/playback.h"

LRESULT HandlePlayRequest(HWND) { return 0; }
LRESULT HandleMciNotify(HWND, WPARAM, LPARAM) { return 0; }
