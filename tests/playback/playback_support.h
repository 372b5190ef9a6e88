// Helpers shared by the playback tests: the player's window in this process,
// the generated media, the captured sound, device queries and a helper thread
// that answers the open-file dialog while the main thread is inside the
// play request.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

HWND PlayerWindow();                                   // the main window made in this process, once
std::string MediaPath(const std::string& name);        // a generated tone (Windows path)
std::string ScratchFile(const std::string& name, const std::string& bytes);  // writes a file in the scratch folder, returns its path
MCIDEVICEID StartLongTone();                           // 8 s tone started as a play request would, so the handlers see it as ours
bool DeviceIsOpen(MCIDEVICEID device);                 // the device still answers a status query
bool WaitForIdle(int timeoutMs);                       // pumps until PlaybackState.IsPlaying is 0
void ResetIdle();                                      // closes any device left by a failed test, clears the state

// An open sound stream keeps writing to the file it opened, so clear the
// capture only between streams; within one, read from a mark.
void ClearCapture();                                   // removes the captured-sound file
std::vector<std::int16_t> CapturedSound(std::size_t fromSample = 0);   // the sound captured since the mark
int WaitForSound(DWORD startTick, int timeoutMs, std::size_t fromSample = 0);  // ms from startTick until loud sound, -1 if none

// What the dialog helper does with the "Open A File" dialog, and what it saw.
struct DialogScript {
    explicit DialogScript(std::string answer = {}, int filter = -1) : path(std::move(answer)), chooseFilter(filter) {}
    std::string path;           // typed in before pressing Open; empty: press Cancel
    int chooseFilter;           // combo index to select before answering, -1 to leave it
    bool nestedRequest = false; // sends the window a second play request while the dialog is open
    int waitMs = 8000;          // how long to wait for the dialog
    // results
    bool found = false;
    std::vector<std::string> filterItems;
    int preselectedFilter = -1;
    bool nestedReturned = false;   // the nested request came back without blocking
    int dialogsDuringNested = 0;   // "Open A File" dialogs present after the nested request
};

void SendPlayRequestWith(DialogScript& script);       // runs the script on a helper thread around SendMessage(PlayRequest)
