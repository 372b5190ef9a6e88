// The player's playback: the file chooser (open-file dialog), the play
// request and the completion notice. The device wrappers are media/media.h.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>

constexpr DWORD FileNameBufferBytes = 260;

// Process-wide playback state; the control panel's "Stop" reads and clears it.
struct PlaybackStateRecord {
    std::int32_t IsPlaying;                    // 1 while a device opened by a play request is started, else 0
    MCIDEVICEID DeviceId;                      // device of the last play request that started one
    std::int32_t ChoosingFile;                 // 1 while the play request's dialog is open
    char FileNameBuffer[FileNameBufferBytes];  // the chosen file's full path; emptied before each dialog
    OPENFILENAMEA OpenFileRecord;              // the one record given to GetOpenFileNameA
};

extern PlaybackStateRecord PlaybackState;

extern const char OpenDialogTitle[];        // "Open A File"
extern const char OpenDialogFilter[];       // "All files" *.*, "Text files" *.TEXT, ending in two zero bytes
// The record's size without the three fields later platform versions added.
constexpr DWORD OpenFileRecordSize = DWORD(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));
constexpr DWORD OpenDialogFlags = OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST;   // 0x281000

// File chooser
BOOL ShowOpenDialog(const char* title, const char* filter);   // fills OpenFileRecord, runs GetOpenFileNameA; non-zero when chosen
char* AskOpenFileName();                                       // empties FileNameBuffer, shows "Open A File"; empty string: nothing chosen (or a path too long)

// Playback
MCIDEVICEID PlayChosenFile(HWND window, const char* name);   // "MPEGVideo" on a chosen file, notice to window; 0 when gone or unplayable

// Message handlers of the main window
LRESULT HandlePlayRequest(HWND window);                               // chooses a file and plays it unless something plays
LRESULT HandleMciNotify(HWND window, WPARAM wParam, LPARAM lParam);   // playback of the current device ended: closes it
