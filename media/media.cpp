// Media-device wrappers. Playback is left entirely to the platform's media
// control interface: a device is opened on a file and started with a
// completion notice to the window the caller names; closing it is the caller's.
// Depends on: winmm (mciSendCommandA, midiOutGetNumDevs).
// Limits: what plays is whatever the platform's devices accept. Notices go to
// the window's thread, so call from a thread that pumps messages.
#include "media/media.h"

MediaStateRecord MediaState = {};

const char DeviceTypeSequencer[] = "Sequencer";
const char DeviceTypeWaveAudio[] = "waveaudio";
const char DeviceTypeMpegVideo[] = "MPEGVideo";

#ifndef _WIN64
// The records the 32-bit product hands to the platform.
static_assert(sizeof(MCI_OPEN_PARMSA) == 20, "MCI_OPEN_PARMSA is five words");
static_assert(sizeof(MCI_PLAY_PARMS) == 12, "MCI_PLAY_PARMS is three words");
#endif

namespace {

// Opens `fileName` on a device of `deviceType` and starts it with a notice to
// `window`. Some drivers write an id into the record even when the open fails,
// so only the command's result says whether a device exists.
MCIDEVICEID OpenAndPlay(HWND window, const char* deviceType, const char* fileName) {
    if (fileName == nullptr || fileName[0] == '\0') return 0;
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = deviceType;
    open.lpstrElementName = fileName;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        return 0;
    }
    MCIDEVICEID device = open.wDeviceID;
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    if (mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) {
        // Nobody would ever close a device that never started.
        CloseDevice(device);
        return 0;
    }
    MediaState.NoticeWindow = window;
    return device;
}

}  // namespace

MCIDEVICEID OpenAndPlaySequencer(HWND window, const char* fileName) {
    // Without a MIDI output the sequencer may still open and "play" forever in
    // silence, never sending its notice.
    if (midiOutGetNumDevs() == 0) return 0;
    return OpenAndPlay(window, DeviceTypeSequencer, fileName);
}

MCIDEVICEID OpenAndPlayWaveAudio(HWND window, const char* fileName) {
    return OpenAndPlay(window, DeviceTypeWaveAudio, fileName);
}

MCIDEVICEID OpenAndPlayMpegVideo(HWND window, const char* fileName) {
    return OpenAndPlay(window, DeviceTypeMpegVideo, fileName);
}

MCIERROR PlayDevice(MCIDEVICEID device) {
    // No MCI_FROM: a paused device goes on from where it stopped.
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(MediaState.NoticeWindow);
    return mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

MCIERROR CloseDevice(MCIDEVICEID device) {
    return mciSendCommandA(device, MCI_CLOSE, 0, 0);
}

MCIERROR PauseDevice(MCIDEVICEID device) {
    return mciSendCommandA(device, MCI_PAUSE, 0, 0);
}

MCIERROR ResumeDevice(MCIDEVICEID device) {
    return mciSendCommandA(device, MCI_RESUME, 0, 0);
}
