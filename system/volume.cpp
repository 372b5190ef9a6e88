// Master volume on winmm's mixer. The line is fixed (0xFFFF0000), the first
// volume control on it is taken without checking that one exists, and a
// failed value query returns 1, the value set before it.
#include "system/volume.h"

MasterVolumeRecord MasterVolume = {};

#ifndef _WIN64
static_assert(sizeof(MIXERLINECONTROLSA) == 24 && sizeof(MIXERCONTROLDETAILS) == 24, "request records are six words");
static_assert(sizeof(MIXERCONTROLA) == 148, "control record");
#endif

namespace {

void FillDetailsRequest() {
    MIXERCONTROLDETAILS& d = MasterVolume.ControlDetailsRequest;
    d.cbStruct = sizeof(MIXERCONTROLDETAILS);
    d.dwControlID = MasterVolume.VolumeControlId;
    d.cChannels = 1;   // one value for all channels
    d.cMultipleItems = 0;
    d.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    d.paDetails = &MasterVolume.Value;
}

}  // namespace

std::uint32_t OpenMasterVolume() {
    // Kept aside until it succeeds, so a failed open never counts as open.
    HMIXER opened = nullptr;
    if (mixerOpen(&opened, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return MasterVolumeFailed;
    MasterVolume.MixerHandle = opened;
    MIXERLINECONTROLSA& l = MasterVolume.LineControlsRequest;
    l.cbStruct = sizeof(MIXERLINECONTROLSA);
    l.dwLineID = MasterLineId;
    l.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    l.cControls = 1;
    l.cbmxctrl = sizeof(MIXERCONTROLA);
    l.pamxctrl = &MasterVolume.ControlRecord;
    mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(MasterVolume.MixerHandle), &l, MIXER_GETLINECONTROLSF_ONEBYTYPE);
    MasterVolume.VolumeControlId = MasterVolume.ControlRecord.dwControlID;

    MasterVolume.Value.dwValue = 1;
    FillDetailsRequest();
    mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(MasterVolume.MixerHandle), &MasterVolume.ControlDetailsRequest,
                            MIXER_GETCONTROLDETAILSF_VALUE);
    return MasterVolume.Value.dwValue;
}

std::int32_t SetMasterVolume(std::uint32_t value) {
    if (MasterVolume.MixerHandle == nullptr) return -1;
    MasterVolume.Value.dwValue = value;
    FillDetailsRequest();
    MMRESULT r = mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(MasterVolume.MixerHandle),
                                        &MasterVolume.ControlDetailsRequest, MIXER_SETCONTROLDETAILSF_VALUE);
    return r == MMSYSERR_NOERROR ? 0 : -1;
}

std::int32_t CloseMasterVolume() {
    if (MasterVolume.MixerHandle == nullptr) return -1;
    return std::int32_t(mixerClose(MasterVolume.MixerHandle));
}
