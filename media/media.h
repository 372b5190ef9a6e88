/// @file
/// Media-device wrappers: open a file on one of the platform's media devices
/// and start it with a completion notice (MM_MCINOTIFY) to a window; play,
/// pause, resume and close a device by its id.
#pragma once
#include <windows.h>
#include <mmsystem.h>

/// @addtogroup media
/// @{

/// The window last given to a successful OpenAndPlay* call: PlayDevice, whose
/// only argument is the device, sends its notice there (null before any open).
struct MediaStateRecord {
    HWND NoticeWindow;   ///< where PlayDevice sends its notice
};

extern MediaStateRecord MediaState;   ///< the media module's one record

extern const char DeviceTypeSequencer[];    ///< "Sequencer"
extern const char DeviceTypeWaveAudio[];    ///< "waveaudio"
extern const char DeviceTypeMpegVideo[];    ///< "MPEGVideo"

MCIDEVICEID OpenAndPlaySequencer(HWND window, const char* fileName);   ///< opens as "Sequencer", plays with notice to window; 0 on failure
MCIDEVICEID OpenAndPlayWaveAudio(HWND window, const char* fileName);   ///< the same as "waveaudio"
MCIDEVICEID OpenAndPlayMpegVideo(HWND window, const char* fileName);   ///< the same as "MPEGVideo"
MCIERROR PlayDevice(MCIDEVICEID device);     ///< MCI_PLAY from the current position, notice to MediaState.NoticeWindow
MCIERROR CloseDevice(MCIDEVICEID device);    ///< MCI_CLOSE; 0 on success
MCIERROR PauseDevice(MCIDEVICEID device);    ///< MCI_PAUSE
MCIERROR ResumeDevice(MCIDEVICEID device);   ///< MCI_RESUME

/// @}
