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
#include <vector>

HWND PlayerWindow();                                   // the main window made in this process, once
std::string MediaPath(const std::string& name);        // a generated tone (Windows path)
std::string ScratchFile(const std::string& name, const std::string& bytes);  // writes a file in the scratch folder, returns its path
std::string MciErrorText(MCIERROR error);              // number and the platform's text, for failure messages
DWORD DeviceMode(MCIDEVICEID device);                  // MCI_MODE_* of an open device, 0 when it cannot be asked
bool DeviceIsOpen(MCIDEVICEID device);                 // the device still answers a status query
bool WaitForIdle(int timeoutMs);                       // pumps until PlaybackState.IsPlaying is 0
void ResetIdle();                                      // closes any device left by a failed test, clears the state

// An open sound stream keeps writing to the file it opened, so clear the
// capture only between streams; within one, read from a mark.
void ClearCapture();                                   // removes the captured-sound file
std::size_t CaptureMark();                             // samples captured so far
std::vector<std::int16_t> CapturedSound(std::size_t fromSample = 0);   // the sound captured since the mark
int WaitForSound(DWORD startTick, int timeoutMs, std::size_t fromSample = 0);  // ms from startTick until loud sound, -1 if none

// What the dialog helper does with the "Open A File" dialog, and what it saw.
struct DialogScript {
    bool answer;                // true: type `path` and press Open; false: press Cancel
    std::string path;
    int chooseFilter;           // combo index to select before answering, -1 to leave it
    bool nestedRequest;         // sends the window a second play request while the dialog is open
    int waitMs;                 // how long to wait for the dialog
    // results
    bool found;
    std::vector<std::string> filterItems;
    int preselectedFilter;
    bool nestedReturned;        // the nested request came back without blocking
    int dialogsDuringNested;    // "Open A File" dialogs present after the nested request
};

DialogScript CancelScript(int waitMs);                                     // cancels the dialog
DialogScript AnswerScript(const std::string& path, int chooseFilter = -1); // chooses `path`
void SendPlayRequestWith(DialogScript& script);       // runs the script on a helper thread around SendMessage(PlayRequest)
