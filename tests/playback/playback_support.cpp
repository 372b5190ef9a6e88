// Helpers for the playback tests (see playback_support.h).
#include "playback/playback_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"

namespace {

std::string EnvPath(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

// The file-type combo box of the open-file dialog (cmb1).
constexpr int FilterComboId = 0x470;

struct DialogCount {
    int count;
};

BOOL CALLBACK CountOpenDialog(HWND window, LPARAM context) {
    char text[64] = {};
    char cls[64] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, cls, sizeof cls);
    if (IsWindowVisible(window) && std::strcmp(cls, "#32770") == 0 && std::strcmp(text, "Open A File") == 0) {
        reinterpret_cast<DialogCount*>(context)->count++;
    }
    return TRUE;
}

int CountOpenDialogs() {
    DialogCount c = {0};
    EnumWindows(CountOpenDialog, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

DWORD WINAPI RunDialogScript(void* context) {
    auto* s = static_cast<DialogScript*>(context);
    HWND dialog = FindDialog("Open A File", s->waitMs);
    s->found = dialog != nullptr;
    if (dialog == nullptr) return 0;
    PumpFor(300);   // let the dialog fill its controls
    HWND combo = GetDlgItem(dialog, FilterComboId);
    if (combo != nullptr) {
        auto n = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
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
        s->dialogsDuringNested = CountOpenDialogs();
    }
    if (s->answer) {
        AnswerOpenDialog(dialog, s->path);
    } else {
        PressDialogButton(dialog, IDCANCEL);
    }
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
    return WindowsPath(EnvPath("TD_PLAYBACK_MEDIA") + "/" + name);
}

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    static std::string dir = MakeTempDir("playback");
    std::string path = dir + "\\" + name;
    WriteFileBytes(path, bytes);
    return path;
}

std::string MciErrorText(MCIERROR error) {
    char text[256] = {};
    mciGetErrorStringA(error, text, sizeof text);
    return std::to_string(error) + " (" + text + ")";
}

DWORD DeviceMode(MCIDEVICEID device) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0) return 0;
    return DWORD(status.dwReturn);
}

bool DeviceIsOpen(MCIDEVICEID device) {
    return device != 0 && DeviceMode(device) != 0;
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
    DeleteFileA(WindowsPath(EnvPath("TD_CAPTURE_RAW")).c_str());
}

std::vector<std::int16_t> CapturedSound(std::size_t fromSample) {
    std::vector<std::int16_t> all = ReadCapturedSound(EnvPath("TD_CAPTURE_RAW"));
    if (fromSample >= all.size()) return {};
    return std::vector<std::int16_t>(all.begin() + std::ptrdiff_t(fromSample), all.end());
}

std::size_t CaptureMark() {
    return ReadCapturedSound(EnvPath("TD_CAPTURE_RAW")).size();
}

int WaitForSound(DWORD startTick, int timeoutMs, std::size_t fromSample) {
    std::string raw = WindowsPath(EnvPath("TD_CAPTURE_RAW"));
    ULONGLONG lastSize = 0;
    while (GetTickCount() - startTick < DWORD(timeoutMs)) {
        WIN32_FILE_ATTRIBUTE_DATA info = {};
        if (GetFileAttributesExA(raw.c_str(), GetFileExInfoStandard, &info)) {
            ULONGLONG size = (ULONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
            if (size != lastSize) {
                lastSize = size;
                if (SoundLevel(CapturedSound(fromSample)) > 500.0) return int(GetTickCount() - startTick);
            }
        }
        PumpFor(5);
    }
    return -1;
}

DialogScript CancelScript(int waitMs) {
    DialogScript s = {};
    s.chooseFilter = -1;
    s.waitMs = waitMs;
    s.preselectedFilter = -1;
    return s;
}

DialogScript AnswerScript(const std::string& path, int chooseFilter) {
    DialogScript s = CancelScript(10000);
    s.answer = true;
    s.path = path;
    s.chooseFilter = chooseFilter;
    return s;
}

void SendPlayRequestWith(DialogScript& script) {
    HANDLE helper = CreateThread(nullptr, 0, RunDialogScript, &script, 0, nullptr);
    SendMessageA(PlayerWindow(), PlayRequest, 0, 0);
    // The helper may still be waiting for a dialog that never came.
    while (WaitForSingleObject(helper, 10) == WAIT_TIMEOUT) PumpFor(10);
    CloseHandle(helper);
}
