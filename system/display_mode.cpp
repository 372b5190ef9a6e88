// Display mode: one ChangeDisplaySettingsA call with CDS_FULLSCREEN, a change
// for this program only that is never stored as the user's setting. No refresh
// rate is asked for, so the driver picks one.
#include "system/display_mode.h"

#include <windows.h>

#include <cstddef>

namespace {
// The record's size without the two panning fields of later versions.
constexpr WORD ShortDevModeSize = WORD(offsetof(DEVMODEA, dmPanningWidth));
static_assert(ShortDevModeSize == 148, "DEVMODEA up to dmReserved2");
}  // namespace

std::int32_t SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel) {
    DEVMODEA mode;
    RtlZeroMemory(&mode, sizeof mode);
    mode.dmSize = ShortDevModeSize;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bitsPerPixel;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL ? 1 : 0;
}
