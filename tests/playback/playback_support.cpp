// Helpers for the playback tests (see playback_support.h).
#include "playback/playback_support.h"

#include <algorithm>
#include <cstdlib>

#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"

namespace {

// The file-type combo box of the open-file dialog (cmb1).
constexpr int FilterComboId = 0x470;

DWORD WINAPI RunDialogScript(void* context) {
    auto* s = static_cast<DialogScript*>(context);
    HWND dialog = FindDialog("Open A File", s->waitMs);
    s->found = dialog != nullptr;
    if (dialog == nullptr) return 0;
    PumpFor(300);   // let the dialog fill its controls
    if (HWND combo = GetDlgItem(dialog, FilterComboId)) {
        for (int i = 0, n = int(SendMessageA(combo, CB_GETCOUNT, 0, 0)); i < n; ++i) {
            char item[128] = {};
            if (SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < LRESULT(sizeof item)) {
                SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item));
            }
            s->filterItems.push_back(item);
        }
        s->preselectedFilter = int(SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (s->chooseFilter >= 0) {
            SendMessageA(combo, CB_SETCURSEL, WPARAM(s->chooseFilter), 0);
            // What the combo box tells its dialog when a person picks an entry.
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FilterComboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FilterComboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
        }
    }
    if (s->nestedRequest) {
        DWORD_PTR result = 0;
        s->nestedReturned = SendMessageTimeoutA(MainWindow, PlayRequest, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
        PumpFor(500);
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Open A File")) != nullptr;) {
            if (IsWindowVisible(w)) s->dialogsDuringNested++;
        }
    }
    if (s->path.empty() || !AnswerOpenDialog(dialog, s->path)) PressDialogButton(dialog, IDCANCEL);
    // Whatever happened, do not leave a dialog that would block the test.
    if (WaitForWindowGone(dialog, 5000) != nullptr) PressDialogButton(dialog, IDCANCEL);
    return 0;
}

}  // namespace

HWND PlayerWindow() {
    static HWND window = OpenPlayerWindow();
    return window;
}

std::string MediaPath(const std::string& name) {
    const char* dir = std::getenv("TD_PLAYBACK_MEDIA");
    return WindowsPath(std::string(dir != nullptr ? dir : "") + "/" + name);
}

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    static std::string dir = MakeTempDir("playback");
    std::string path = dir + "\\" + name;
    WriteFileBytes(path, bytes);
    return path;
}

MCIDEVICEID StartLongTone() {
    MCIDEVICEID device = OpenAndPlayMpegVideo(PlayerWindow(), MediaPath("long1000.mp3").c_str());
    if (device != 0) {
        PlaybackState.DeviceId = device;
        PlaybackState.IsPlaying = 1;
    }
    return device;
}

bool DeviceIsOpen(MCIDEVICEID device) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return device != 0 && mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0;
}

bool WaitForIdle(int timeoutMs) {
    return WaitUntil(timeoutMs, [](void*) { return PlaybackState.IsPlaying == 0; }, nullptr);
}

void ResetIdle() {
    if (PlaybackState.IsPlaying != 0) CloseDevice(PlaybackState.DeviceId);
    PlaybackState.IsPlaying = 0;
    PumpFor(100);   // let notices of closed devices arrive now, not in the next test
}

void ClearCapture() {
    DeleteFileA(CapturedSoundPath().c_str());
}

std::vector<std::int16_t> CapturedSound(std::size_t fromSample) {
    std::vector<std::int16_t> all = ReadCapturedSound(CapturedSoundPath());
    all.erase(all.begin(), all.begin() + std::ptrdiff_t(std::min(fromSample, all.size())));
    return all;
}

int WaitForSound(DWORD startTick, int timeoutMs, std::size_t fromSample) {
    while (GetTickCount() - startTick < DWORD(timeoutMs)) {
        if (SoundLevel(CapturedSound(fromSample)) > 500.0) return int(GetTickCount() - startTick);
        PumpFor(20);
    }
    return -1;
}

void SendPlayRequestWith(DialogScript& script) {
    HANDLE helper = CreateThread(nullptr, 0, RunDialogScript, &script, 0, nullptr);
    SendMessageA(PlayerWindow(), PlayRequest, 0, 0);
    // The helper may still be waiting for a dialog that never came.
    while (WaitForSingleObject(helper, 10) == WAIT_TIMEOUT) PumpFor(10);
    CloseHandle(helper);
}
