// Test harness for the real program under Wine (see harness.h). Input goes
// through SendInput, so windows receive the messages a person's pointer and
// keyboard would give them.
#include "harness/harness.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "app/window.h"

static std::string EnvOr(const char* name, const char* fallback) { const char* v = std::getenv(name); return v && *v ? v : fallback; }

std::string WindowsPath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return path.empty() || path[0] != '/' ? path : "Z:" + out;
}

std::string BuildPath(const std::string& relative) { return WindowsPath(EnvOr("TD_BINARY_DIR", ".") + "/" + relative); }

std::string MakeTempDir(const std::string& name) {
    const std::string dir = BuildPath("test-scratch/" + name);
    std::error_code ignored;   // whatever an earlier run left goes
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

bool WriteTextFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    return bool(out.write(bytes.data(), std::streamsize(bytes.size())).flush());
}

HWND OpenPlayerWindow() {
    SetCurrentDirectoryA(BuildPath("assets").c_str());   // where the player's pictures are
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    PumpFor(300);
    return window;
}

PlayerProcess StartProgram(const std::string& exe, const std::string& currentDir) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi))
        return PlayerProcess{};
    CloseHandle(pi.hThread);
    return PlayerProcess{pi.hProcess, pi.dwProcessId, nullptr};
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, int timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= DWORD(timeoutMs); PumpFor(20)) {
        for (HWND w = FindWindowExA(nullptr, nullptr, className, title); w != nullptr; w = FindWindowExA(nullptr, w, className, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (IsWindowVisible(w) && (processId == 0 || owner == processId)) return w;
        }
    }
    return nullptr;
}

bool WaitForExit(PlayerProcess& player, int timeoutMs, DWORD* exitCode) {
    if (player.process == nullptr || WaitForSingleObject(player.process, DWORD(timeoutMs)) != WAIT_OBJECT_0) return false;
    return exitCode == nullptr || GetExitCodeProcess(player.process, exitCode);
}

void EndPlayer(PlayerProcess& player) {
    if (player.process == nullptr) return;
    if (TerminateProcess(player.process, 99)) WaitForSingleObject(player.process, 5000);   // fails once it has ended
    CloseHandle(player.process);
    player = PlayerProcess{};
}

void PumpFor(int ms) {
    for (DWORD start = GetTickCount();; Sleep(5)) {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
        if (GetTickCount() - start >= DWORD(ms)) return;
    }
}

void MovePointerTo(HWND window, int x, int y) {
    POINT p = {x, y}, now = {};
    if (window != nullptr) ClientToScreen(window, &p);
    // Absolute coordinates run 0..65535 across the screen; round up so the
    // pointer lands on the pixel asked for, not the one before it.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {INPUT_MOUSE, {}};
    in.mi = {LONG((p.x * 65536LL + w - 1) / w), LONG((p.y * 65536LL + h - 1) / h), 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
    SendInput(1, &in, sizeof(INPUT));
    // Wait for the pointer to arrive, then a moment more: the display echoes the
    // move back, and a late echo would put the pointer back under a button press.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 1000 && GetCursorPos(&now) && (now.x != p.x || now.y != p.y);) PumpFor(10);
    PumpFor(60);
}

void Click() {
    INPUT in[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

void ClickAt(HWND window, int x, int y) { MovePointerTo(window, x, y); Click(); }

std::string DialogText(HWND dialog) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);   // a message box's text control
    return text;
}

void PressDialogButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

std::string CapturedSoundPath() { return WindowsPath(EnvOr("TD_CAPTURE_RAW", "")); }

bool SoundCaptureKeepsTime() { return EnvOr("TD_CAPTURE_MODE", "") == "pulse"; }

void ClearCapturedSound() {
    DeleteFileA(CapturedSoundPath().c_str());
    // The real-time capture writes it again at once.
    if (SoundCaptureKeepsTime()) WaitUntil(2000, [] { return GetFileAttributesA(CapturedSoundPath().c_str()) != INVALID_FILE_ATTRIBUTES; });
}

std::vector<std::int16_t> ReadCapturedSound(const std::string& rawFile, bool trailingSilence) {
    std::ifstream in(WindowsPath(rawFile), std::ios::binary | std::ios::ate);   // the size it has now: the capture goes on
    std::vector<std::int16_t> stereo(std::size_t(std::max<std::streamoff>(in.tellg(), 0)) / 4 * 2);
    in.seekg(0).read(reinterpret_cast<char*>(stereo.data()), std::streamsize(stereo.size() * 2));
    stereo.resize(trailingSilence ? stereo.size() : std::size_t(FindSound(stereo).last + 1) * 2);
    return stereo;
}

SoundSpan FindSound(const std::vector<std::int16_t>& stereo) {
    SoundSpan s = {-1, -1, 0, 0, 0};
    for (long i = 0; i < long(stereo.size() / 2); ++i) {
        // Upward zero crossings of the left channel steep enough to be a tone's, not the noise of silence.
        s.upCrossings += i > 0 && stereo[2 * i - 2] < 0 && stereo[2 * i] >= 0 && stereo[2 * i] - stereo[2 * i - 2] > 200;
        if (std::abs(stereo[2 * i]) + std::abs(stereo[2 * i + 1]) < 200) continue;   // silence, or a zero crossing
        if (s.first < 0) s.first = i;
        else s.longestGap = std::max(s.longestGap, i - s.last - 1);
        s.last = i;
        ++s.heard;
    }
    return s;
}

bool WaitForSoundEnd(int timeoutMs) {
    long last = -1;   // the last audible frame; with either capture it stays put once the sound ended
    for (DWORD start = GetTickCount(), changed = start; GetTickCount() - start < DWORD(timeoutMs); PumpFor(20)) {
        long now = FindSound(ReadCapturedSound(CapturedSoundPath())).last;
        if (now != last) last = now, changed = GetTickCount();
        else if (last >= 0 && GetTickCount() - changed >= 300) return true;
    }
    return false;
}

double SoundLevel(const std::vector<std::int16_t>& stereo) {
    return stereo.empty() ? 0.0 : std::sqrt(std::inner_product(stereo.begin(), stereo.end(), stereo.begin(), 0.0) / double(stereo.size()));
}
