// The soak's control: a Windows program with none of the player's code that
// makes the platform do what one soak cycle makes it do for the player, so
// its memory shows what the platform itself keeps. It reads one command a
// line on standard input and answers "ok" (or "failed") on standard output:
//   pick NAME   the open-file dialog, shown and answered with NAME
//   cancel      the open-file dialog, shown and cancelled
//   open NAME   "MPEGVideo" opened on NAME and played with a notice to a window
//   wait MS     messages dispatched for MS ms (a notice closes the device)
//   close       the device closed, as Stop does
//   quit
// The dialog is answered from a second thread, as the soak answers the
// player's from outside. Built by scripts/soak.sh.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct ControlStateRecord {
    HWND Window;             // receives the completion notices
    MCIDEVICEID Device;      // 0 when none is open
    char FileName[260];      // the dialog's buffer, as the player's
    char Answer[1024];       // what the answering thread types; empty: cancel
};

static ControlStateRecord Control = {};

// The dialog as the player shows it: same record, title, filter and flags.
static BOOL ShowDialog() {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = DWORD(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));
    ofn.lpstrFilter = "All files\0*.*\0Text files\0*.TEXT\0";
    ofn.lpstrFile = Control.FileName;
    ofn.nMaxFile = sizeof Control.FileName;
    ofn.lpstrTitle = "Open A File";
    ofn.Flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST;
    ZeroMemory(Control.FileName, sizeof Control.FileName);
    return GetOpenFileNameA(&ofn);
}

// Waits for this process's dialog, then answers it with Control.Answer.
static DWORD WINAPI AnswerDialog(void*) {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && dialog == nullptr; ++i) {
        Sleep(25);
        HWND w = FindWindowA("#32770", "Open A File");
        DWORD owner = 0;
        if (w != nullptr) GetWindowThreadProcessId(w, &owner);
        if (owner == GetCurrentProcessId() && IsWindowVisible(w)) dialog = w;
    }
    if (dialog == nullptr) return 1;
    bool cancel = Control.Answer[0] == '\0';
    if (!cancel) SetDlgItemTextA(dialog, 0x47C, Control.Answer);
    PostMessageA(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
    // A name that has gone brings up a box over the dialog: answer it, cancel.
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(30);
    if (!IsWindow(dialog)) return 0;
    HWND box = GetLastActivePopup(dialog);
    if (box != dialog) PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 1;
}

static bool RunDialog(const char* answer) {
    lstrcpynA(Control.Answer, answer, sizeof Control.Answer);
    HANDLE thread = CreateThread(nullptr, 0, AnswerDialog, nullptr, 0, nullptr);
    ShowDialog();
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code == 0;
}

static void CloseDevice() {
    if (Control.Device != 0) mciSendCommandA(Control.Device, MCI_CLOSE, 0, 0);
    Control.Device = 0;
}

static bool OpenAndPlay(const char* name) {
    CloseDevice();
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "MPEGVideo";
    open.lpstrElementName = name;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, DWORD_PTR(&open)) != 0) return false;
    Control.Device = open.wDeviceID;
    MCI_PLAY_PARMS play = {};
    play.dwCallback = DWORD_PTR(Control.Window);
    if (mciSendCommandA(Control.Device, MCI_PLAY, MCI_NOTIFY, DWORD_PTR(&play)) == 0) return true;
    CloseDevice();
    return false;
}

static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The tune ended: closed, as the player closes it.
    if (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) CloseDevice();
    return DefWindowProcA(window, message, wParam, lParam);
}

static void PumpFor(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

int main() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ControlWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TunedeckSoakControl";
    RegisterClassA(&windowClass);
    Control.Window = CreateWindowA("TunedeckSoakControl", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr);
    char line[1100];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        line[std::strcspn(line, "\r\n")] = '\0';
        const char* argument = std::strchr(line, ' ') != nullptr ? std::strchr(line, ' ') + 1 : "";
        bool ok = true;
        if (std::strncmp(line, "pick ", 5) == 0) ok = RunDialog(argument);
        else if (std::strcmp(line, "cancel") == 0) ok = RunDialog("");
        else if (std::strncmp(line, "open ", 5) == 0) ok = OpenAndPlay(argument);
        else if (std::strncmp(line, "wait ", 5) == 0) PumpFor(DWORD(std::atoi(argument)));
        else if (std::strcmp(line, "close") == 0) CloseDevice();
        else if (std::strcmp(line, "quit") == 0) break;
        else ok = false;
        std::printf("%s\n", ok ? "ok" : "failed");
        std::fflush(stdout);
    }
    CloseDevice();
    return 0;
}
