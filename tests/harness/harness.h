// Test harness for the real program under Wine: start a program from a chosen
// current directory, find its windows, move and click the pointer through the
// platform's input path (SendInput), answer dialogs, collect the exit code,
// and read the sound its processes played.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A started process and, once found, its main window.
struct PlayerProcess { HANDLE process; DWORD processId; HWND window; };

std::string WindowsPath(const std::string& unixOrWindowsPath);   // Unix path to Z:\..., others unchanged
std::string BuildPath(const std::string& relative);              // file under the build folder ($TD_BINARY_DIR)
std::string MakeTempDir(const std::string& name);                // fresh empty folder under the build folder
bool WriteTextFile(const std::string& path, const std::string& bytes);  // whole file; true on success
HWND OpenPlayerWindow();                                       // the player's main window made in this process, shown

PlayerProcess StartProgram(const std::string& exe, const std::string& currentDir);  // null process on failure
HWND WaitForWindow(DWORD processId, const char* className, const char* title, int timeoutMs);  // top-level, visible (0/null: any)
bool WaitForExit(PlayerProcess& player, int timeoutMs, DWORD* exitCode);  // true when it ended; gives its exit code
void EndPlayer(PlayerProcess& player);                         // terminates it if still running, closes the handle

void PumpFor(int ms);                                          // dispatches this thread's messages for ms milliseconds

// Polls `condition()`, pumping messages between tries; false if the time ran out.
template <typename Condition> bool WaitUntil(int timeoutMs, Condition condition) {
    for (DWORD start = GetTickCount(); !condition(); PumpFor(10))
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
    return true;
}

void MovePointerTo(HWND window, int x, int y);                 // real pointer move to a client point (window null: a screen point)
void Click();                                                  // left button pressed and released where the pointer is
void ClickAt(HWND window, int x, int y);                       // move, press, release

std::string DialogText(HWND dialog);                           // a message box's text
void PressDialogButton(HWND dialog, int buttonId);             // clicks a dialog's button (IDOK, IDCANCEL)

// Sound capture: a test registered with td_capture_sound() (tests/CMakeLists.txt)
// hears what its processes play as raw S16_LE 44100 Hz stereo in a file. Under
// the test command's PulseAudio server the file keeps real time, silence
// included, from before the test starts; delete it to start afresh. Without
// the server, ALSA writes only what plays, faster than real time.
// Audible frames: the first and last (-1: none), the longest silence between,
// how many, and the upward zero crossings of the left channel (its frequency
// is upCrossings * 44100 / heard).
struct SoundSpan { long first, last, longestGap, heard, upCrossings; };
std::string CapturedSoundPath();                      // that file, as a Windows path; empty when not set up
bool SoundCaptureKeepsTime();                         // true for the real-time capture
void ClearCapturedSound();                            // deletes the file; with the real-time capture, waits until it is written again
std::vector<std::int16_t> ReadCapturedSound(const std::string& rawFile, bool trailingSilence = false);  // interleaved stereo, by default up to the last audible frame
SoundSpan FindSound(const std::vector<std::int16_t>& stereo);   // where sound is, its gaps and crossings
bool WaitForSoundEnd(int timeoutMs);                  // pumps until sound came and then 0.3 s passed without more
double SoundLevel(const std::vector<std::int16_t>& stereo);   // RMS of all samples, 0..32768
