// Test harness for the real program under Wine (see harness.h).
// Input goes through SendInput, so the window receives the same messages a
// person's pointer would give it; the screen is read back through GDI.
#include "harness/harness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numeric>

#include "app/window.h"
#include "support/png.h"

namespace {

std::string EnvOr(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? v : fallback;
}

struct FindRequest {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* req = reinterpret_cast<FindRequest*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    if (req->processId != 0) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != req->processId) return TRUE;
    }
    char text[256] = {};
    if (req->className != nullptr) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, req->className) != 0) return TRUE;
    }
    if (req->title != nullptr) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, req->title) != 0) return TRUE;
    }
    req->found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const char* className, const char* title) {
    FindRequest req = {processId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&req));
    return req.found;
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(INPUT));
}

void SendKey(WORD vk, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof(INPUT));
}

}  // namespace

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out) if (c == '/') c = '\\';
    return out;
}

std::string BuildPath(const std::string& relative) {
    return WindowsPath(EnvOr("TD_BINARY_DIR", ".") + "/" + relative);
}

std::string SourcePath(const std::string& relative) {
    return WindowsPath(EnvOr("TD_SOURCE_DIR", ".") + "/" + relative);
}

std::string MakeTempDir(const std::string& name) {
    std::string dir = BuildPath("test-scratch");
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\" + name;
    // Start empty: remove what an earlier run left (one level is enough here).
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((dir + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string PlayerAssetsDir() {
    return BuildPath("assets");
}

HWND OpenPlayerWindow() {
    SetCurrentDirectoryA(PlayerAssetsDir().c_str());
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    PumpFor(300);
    return window;
}

PlayerProcess StartPlayer(const std::string& currentDir, const std::vector<std::string>& extraEnv) {
    PlayerProcess player = {};
    std::string exe = BuildPath("app/tunedeck.exe");
    std::string commandLine = "\"" + exe + "\"";

    // The child's environment: ours, with the extra NAME=value entries replacing their namesakes.
    std::string block;
    char* env = GetEnvironmentStringsA();
    for (const char* p = env; *p != '\0'; p += std::strlen(p) + 1) {
        std::string entry = p;
        bool replaced = false;
        for (const std::string& extra : extraEnv) {
            std::size_t eq = extra.find('=');
            if (entry.compare(0, eq + 1, extra, 0, eq + 1) == 0) replaced = true;
        }
        if (!replaced) block += entry + '\0';
    }
    FreeEnvironmentStringsA(env);
    for (const std::string& extra : extraEnv) block += extra + '\0';
    block += '\0';

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, block.data(),
                        currentDir.c_str(), &si, &pi)) {
        return player;
    }
    CloseHandle(pi.hThread);
    player.process = pi.hProcess;
    player.processId = pi.dwProcessId;
    return player;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = FindTopLevel(processId, className, title);
        if (w != nullptr || GetTickCount() - start > DWORD(timeoutMs)) return w;
        PumpFor(20);
    }
}

HWND WaitForWindowGone(HWND window, int timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window) && GetTickCount() - start <= DWORD(timeoutMs)) PumpFor(20);
    return IsWindow(window) ? window : nullptr;
}

bool WaitForExit(PlayerProcess& player, int timeoutMs, DWORD* exitCode) {
    if (player.process == nullptr) return false;
    if (WaitForSingleObject(player.process, DWORD(timeoutMs)) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(player.process, &code);
    if (exitCode != nullptr) *exitCode = code;
    return true;
}

void EndPlayer(PlayerProcess& player) {
    if (player.process == nullptr) return;
    if (WaitForSingleObject(player.process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(player.process, 99);
        WaitForSingleObject(player.process, 5000);
    }
    CloseHandle(player.process);
    player = PlayerProcess{};
}

void PumpFor(int ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < DWORD(ms));
}

bool WaitUntil(int timeoutMs, bool (*condition)(void*), void* context) {
    DWORD start = GetTickCount();
    while (!condition(context)) {
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        PumpFor(10);
    }
    return true;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return p;
}

void MovePointerToScreen(int x, int y) {
    int w = GetSystemMetrics(SM_CXSCREEN);
    int h = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates are 0..65535 across the screen; round up so the
    // pointer lands on the pixel asked for, not the one before it.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, LONG((x * 65536LL + w - 1) / w), LONG((y * 65536LL + h - 1) / h));
}

void MovePointerTo(HWND window, int x, int y) {
    POINT p = ClientToScreenPoint(window, x, y);
    MovePointerToScreen(p.x, p.y);
}

void PressLeft() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void ReleaseLeft() { SendMouse(MOUSEEVENTF_LEFTUP); }

void ClickAt(HWND window, int x, int y) {
    MovePointerTo(window, x, y);
    PressLeft();
    ReleaseLeft();
}

void PressKey(WORD vk) { SendKey(vk, 0); }
void ReleaseKey(WORD vk) { SendKey(vk, KEYEVENTF_KEYUP); }

void TypeText(const std::string& text) {
    for (char c : text) {
        INPUT in[2] = {};
        in[0].type = INPUT_KEYBOARD;
        in[0].ki.wScan = static_cast<unsigned char>(c);
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1] = in[0];
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }
}

ScreenPixels CaptureClient(HWND window, int width, int height) {
    ScreenPixels shot = {width, height, {}};
    POINT origin = ClientToScreenPoint(window, 0, 0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;   // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint8_t*>(bits);
    shot.pixels.resize(std::size_t(width) * height);
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) {
        shot.pixels[i] = p[i * 4 + 2] | (p[i * 4 + 1] << 8) | (std::uint32_t(p[i * 4]) << 16);
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::uint32_t PixelAt(const ScreenPixels& shot, int x, int y) {
    if (x < 0 || y < 0 || x >= shot.width || y >= shot.height) return 0xFFFFFFFFu;
    return shot.pixels[std::size_t(y) * shot.width + x];
}

bool SaveScreenPng(const ScreenPixels& shot, const std::string& fileName) {
    std::vector<std::uint8_t> bgrx(shot.pixels.size() * 4);
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) {
        std::uint32_t c = shot.pixels[i];
        bgrx[i * 4] = std::uint8_t(c >> 16);
        bgrx[i * 4 + 1] = std::uint8_t(c >> 8);
        bgrx[i * 4 + 2] = std::uint8_t(c);
    }
    return WritePngBgrx(ArtifactPath(fileName), bgrx.data(), shot.width, shot.height, shot.width * 4, false);
}

HWND FindDialog(const char* title, int timeoutMs) {
    return WaitForWindow(0, "#32770", title, timeoutMs);
}

namespace {
BOOL CALLBACK CollectStatic(HWND child, LPARAM context) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0') *reinterpret_cast<std::string*>(context) += text;
    }
    return TRUE;
}
}  // namespace

std::string DialogText(HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressDialogButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool AnswerOpenDialog(HWND dialog, const std::string& path) {
    // "File name" is a combo box (cmb13) in the Explorer-style dialog, an edit
    // (edt1) in older ones; either way type into its edit field.
    HWND field = GetDlgItem(dialog, 0x47C);
    if (field != nullptr) {
        HWND edit = FindWindowExA(field, nullptr, "Edit", nullptr);
        if (edit != nullptr) field = edit;
    } else {
        field = GetDlgItem(dialog, 0x480);
    }
    if (field == nullptr) return false;
    SetForegroundWindow(dialog);
    PumpFor(100);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    PumpFor(100);
    TypeText(path);
    PumpFor(300);
    char typed[MAX_PATH * 2] = {};
    GetWindowTextA(field, typed, sizeof typed);
    if (path != typed) {
        // The keyboard went elsewhere (no focus): fill the field directly.
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    PressDialogButton(dialog, IDOK);
    return true;
}

namespace {
DWORD WINAPI AnswerBoxThread(void* context) {
    auto* answer = static_cast<BoxAnswer*>(context);
    HWND box = WaitForWindow(GetCurrentProcessId(), "#32770", nullptr, answer->timeoutMs);
    if (box == nullptr) return 1;
    char title[256] = {};
    GetWindowTextA(box, title, sizeof title);
    answer->title = title;
    answer->text = DialogText(box);
    answer->seen = true;
    PressDialogButton(box, IDOK);
    return 0;
}
}  // namespace

HANDLE AnswerMessageBoxLater(BoxAnswer* answer) {
    answer->seen = false;
    return CreateThread(nullptr, 0, AnswerBoxThread, answer, 0, nullptr);
}

std::string CapturedSoundPath() { return WindowsPath(EnvOr("TD_CAPTURE_RAW", "")); }

bool SoundCaptureKeepsTime() { return EnvOr("TD_CAPTURE_MODE", "") == "pulse"; }

void ClearCapturedSound() {
    DeleteFileA(CapturedSoundPath().c_str());
    auto written = [](void*) { return GetFileAttributesA(CapturedSoundPath().c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (SoundCaptureKeepsTime()) WaitUntil(2000, written, nullptr);
}

std::vector<std::int16_t> ReadCapturedSound(const std::string& rawFile, bool trailingSilence) {
    std::ifstream in(WindowsPath(rawFile), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::int16_t> stereo(bytes.size() / 4 * 2);
    std::memcpy(stereo.data(), bytes.data(), stereo.size() * 2);
    stereo.resize(trailingSilence ? stereo.size() : std::size_t(FindSound(stereo).last + 1) * 2);
    return stereo;
}

SoundSpan FindSound(const std::vector<std::int16_t>& stereo) {
    SoundSpan s = {-1, -1, 0};
    for (long i = 0; i < long(stereo.size() / 2); ++i) {
        if (std::abs(stereo[2 * i]) + std::abs(stereo[2 * i + 1]) < 200) continue;   // silence, or a zero crossing
        if (s.first < 0) s.first = i;
        else s.longestGap = std::max(s.longestGap, i - s.last - 1);
        s.last = i;
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

double DominantFrequency(const std::vector<std::int16_t>& stereo, int sampleRate) {
    // The median distance between upward zero crossings of the left channel:
    // robust against gaps and seams, enough for the pure tones the tests make.
    std::vector<long> periods;
    for (long i = 1, last = -1; i < long(stereo.size() / 2); ++i) {
        if (stereo[2 * i - 2] >= 0 || stereo[2 * i] < 0 || stereo[2 * i] - stereo[2 * i - 2] <= 200) continue;
        if (last >= 0) periods.push_back(i - last);
        last = i;
    }
    if (periods.size() < 10) return 0.0;
    std::nth_element(periods.begin(), periods.begin() + long(periods.size() / 2), periods.end());
    return double(sampleRate) / double(periods[periods.size() / 2]);
}

double SoundLevel(const std::vector<std::int16_t>& stereo) {
    return stereo.empty() ? 0.0 : std::sqrt(std::inner_product(stereo.begin(), stereo.end(), stereo.begin(), 0.0) / double(stereo.size()));
}
