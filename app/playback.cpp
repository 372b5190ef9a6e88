// The player's playback: a file chosen in the open-file dialog is played on
// the "MPEGVideo" device with a completion notice to the main window, and the
// device is closed when the notice comes or "Stop" is clicked.
// Depends on: the media wrappers (media/media.h), winmm (mciSendCommandA),
// comdlg32 (GetOpenFileNameA).
// Limits: one device at a time. Runs on the user-interface thread only.
#include "app/playback.h"

#include <cstring>

#include "app/player.h"
#include "media/media.h"

PlaybackStateRecord PlaybackState = {};

const char OpenDialogTitle[] = "Open A File";
// The literal's own terminator supplies the second zero that ends the list.
const char OpenDialogFilter[] = "All files\0*.*\0Text files\0*.TEXT\0";
static_assert(sizeof OpenDialogFilter == 33, "filter list must end in two zero bytes");

#ifndef _WIN64
// The records the 32-bit product hands to the platform.
static_assert(OpenFileRecordSize == 76, "OPENFILENAMEA without the trailing fields");
#endif

namespace {

// True while `device` still reports that it plays.
bool DeviceStillPlays(MCIDEVICEID device) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0) return false;
    return status.dwReturn == MCI_MODE_PLAY;
}

void CloseEndedDevice() {
    CloseDevice(PlaybackState.DeviceId);
    PlaybackState.IsPlaying = 0;
}

// Runs after a notice that named no device came while the device still
// played: either the notice was left over from a closed device, or the driver
// posted it just before stopping its device ("MPEGVideo" under Wine does).
// Dropping it would leave the player playing nothing with Open dead until
// "Stop", so look again until the device stops or something else closes it.
void CALLBACK EndCheckTick(HWND window, UINT, UINT_PTR id, DWORD) {
    if (PlaybackState.IsPlaying != 0 && DeviceStillPlays(PlaybackState.DeviceId)) return;
    KillTimer(window, id);
    if (PlaybackState.IsPlaying != 0) CloseEndedDevice();
}

}  // namespace

BOOL ShowOpenDialog(const char* title, const char* filter) {
    OPENFILENAMEA& ofn = PlaybackState.OpenFileRecord;
    // The short layout: every platform version accepts it. nFilterIndex is
    // left alone so the filter last chosen comes up again.
    ofn.lStructSize = OpenFileRecordSize;
    ofn.hwndOwner = nullptr;
    ofn.hInstance = nullptr;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = PlaybackState.FileNameBuffer;
    ofn.nMaxFile = FileNameBufferBytes;
    ofn.lpstrTitle = title;
    ofn.Flags = OpenDialogFlags;
    return GetOpenFileNameA(&ofn);
}

char* AskOpenFileName() {
    // A path too long for the buffer must not be taken for another name:
    // Windows then fails and leaves the size it needed in the first two
    // bytes; Wine succeeds with the path cut to whole characters and no
    // terminator. So the buffer is empty but holds no other zero byte, and a
    // name counts only when the dialog wrote its terminator.
    char* name = PlaybackState.FileNameBuffer;
    name[0] = '\0';
    FillMemory(name + 1, FileNameBufferBytes - 1, 0xFF);
    BOOL chosen = ShowOpenDialog(OpenDialogTitle, OpenDialogFilter);
    if (!chosen || memchr(name, 0, FileNameBufferBytes) == nullptr) name[0] = '\0';
    return name;
}

MCIDEVICEID PlayChosenFile(HWND window, const char* name) {
    // A file deleted since the dialog closed would fail to open anyway, but
    // under Wine each such "MPEGVideo" open leaves a reader thread (about
    // 1 MiB) behind for the life of the process.
    if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return 0;
    return OpenAndPlayMpegVideo(window, name);
}

LRESULT HandlePlayRequest(HWND window) {
    // The dialog has no owner, so the panel can send another request from
    // inside its message loop; a second dialog would orphan the first device.
    if (PlaybackState.IsPlaying != 0 || PlaybackState.ChoosingFile != 0) return 0;
    PlaybackState.ChoosingFile = 1;
    const char* name = AskOpenFileName();
    PlaybackState.ChoosingFile = 0;
    if (name[0] == '\0') return 0;
    MCIDEVICEID device = PlayChosenFile(window, name);
    if (device == 0) return 0;
    PlaybackState.DeviceId = device;
    PlaybackState.IsPlaying = 1;
    return 0;
}

LRESULT HandleMciNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    // Nothing of ours is open: whatever this notice was about is closed.
    if (PlaybackState.IsPlaying == 0) return 0;
    auto named = static_cast<MCIDEVICEID>(lParam);
    // A notice naming another device is left over from one already closed.
    if (named != 0 && named != PlaybackState.DeviceId) return 0;
    // Aborted or superseded: the device was closed, stopped or replayed with a
    // newer notice still to come. Ids are reused, so this also catches a
    // closed device's notice that names the id of the one playing now.
    if (wParam == MCI_NOTIFY_ABORTED || wParam == MCI_NOTIFY_SUPERSEDED) return 0;
    // Some drivers ("MPEGVideo" under Wine) name no device; while the device
    // still plays, such a notice is settled later, by EndCheckTick.
    if (named == 0 && DeviceStillPlays(PlaybackState.DeviceId)) {
        SetTimer(window, EndCheckTimerId, 100, EndCheckTick);
        return 0;
    }
    CloseEndedDevice();
    return 0;
}
