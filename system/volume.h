/// @file
/// Master volume: the volume control of mixer 0's output line 0xFFFF0000.
/// Call OpenMasterVolume first, then SetMasterVolume as often as needed, then
/// CloseMasterVolume. One mixer is open at a time: a second OpenMasterVolume
/// while open replaces the stored handle without closing the first, so close
/// first. Values are in the control's own range (0..65535 for the usual
/// driver). Under Wine the control scales what "waveaudio" plays; "MPEGVideo"
/// does not follow it.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

/// @addtogroup system
/// @{

constexpr DWORD MasterLineId = 0xFFFF0000;          ///< the output line, never looked up
constexpr std::uint32_t MasterVolumeFailed = 0xFFFFFFFF;   ///< OpenMasterVolume's failure value

/// Process-wide records shared by the three procedures; not cleared on close.
struct MasterVolumeRecord {
    HMIXER MixerHandle;                          ///< from mixerOpen; null until an open succeeds
    DWORD VolumeControlId;                       ///< the found control's dwControlID
    MIXERCONTROLA ControlRecord;                 ///< filled by mixerGetLineControlsA
    MIXERLINECONTROLSA LineControlsRequest;      ///< one control by type: the volume
    MIXERCONTROLDETAILS ControlDetailsRequest;   ///< one channel, one unsigned value
    MIXERCONTROLDETAILS_UNSIGNED Value;          ///< the volume read or to be set
};

extern MasterVolumeRecord MasterVolume;   ///< the open mixer and its volume control

std::uint32_t OpenMasterVolume();                   ///< opens mixer 0 and reads the volume; MasterVolumeFailed (-1) when it can't open
std::int32_t SetMasterVolume(std::uint32_t value);  ///< 0 when the mixer took it, -1 otherwise or before any open
std::int32_t CloseMasterVolume();                   ///< mixerClose's result (0 on success); -1 before any open

/// @}
