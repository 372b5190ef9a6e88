// The media wrappers and the completion notice on the platform's real devices:
// which tone comes out, that the notice closes the device, that failures leave
// nothing open, and that "Stop" and late notices behave.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"
#include "playback/playback_support.h"

namespace {

using OpenAndPlayFn = MCIDEVICEID (*)(HWND, const char*);

DWORD OpenDeviceCount() {
    MCI_SYSINFO_PARMSA info = {};
    DWORD count = 0;
    info.lpstrReturn = reinterpret_cast<LPSTR>(&count);
    info.dwRetSize = sizeof count;
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN,
                    reinterpret_cast<DWORD_PTR>(&info));
    return count;
}

// Starts the long tone as a play request would have, so the handlers see it as ours.
MCIDEVICEID StartLongTone() {
    MCIDEVICEID device = OpenAndPlayMpegVideo(PlayerWindow(), MediaPath("long1000.mp3").c_str());
    if (device != 0) {
        PlaybackState.DeviceId = device;
        PlaybackState.IsPlaying = 1;
    }
    return device;
}

// A minimal standard MIDI file: one track, one note.
std::string OneNoteMidi() {
    const unsigned char bytes[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
        'M', 'T', 'r', 'k', 0, 0, 0, 12,
        0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class Playback : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(PlayerWindow(), nullptr);
        ResetIdle();
    }
    void TearDown() override { ResetIdle(); }
};

TEST_F(Playback, TonesComeOutAndTheNoticeClosesTheDevice) {
    struct Case {
        const char* device;
        OpenAndPlayFn open;
        const char* file;
        double frequency;
    };
    const Case cases[] = {
        {"MPEGVideo", OpenAndPlayMpegVideo, "tone440.mp3", 440},
        {"MPEGVideo", OpenAndPlayMpegVideo, "tone660.wav", 660},
        {"waveaudio", OpenAndPlayWaveAudio, "tone880.wav", 880},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.device) + " " + c.file);
        ResetIdle();
        ClearCapture();
        DWORD start = GetTickCount();
        MCIDEVICEID device = c.open(PlayerWindow(), MediaPath(c.file).c_str());
        DWORD opened = GetTickCount() - start;
        ASSERT_NE(device, 0u);
        PlaybackState.DeviceId = device;
        PlaybackState.IsPlaying = 1;

        int toSound = WaitForSound(start, 8000);
        EXPECT_GE(toSound, 0) << "no sound captured";
        EXPECT_TRUE(WaitForIdle(10000)) << "the completion notice did not close the device";
        EXPECT_FALSE(DeviceIsOpen(device));
        double heard = DominantFrequency(CapturedSound(), 44100);
        EXPECT_NEAR(heard, c.frequency, c.frequency * 0.03);
        std::printf("[ figures  ] %s %s: open+play %lu ms, open to sound %d ms, heard %.1f Hz\n", c.device, c.file,
                    opened, toSound, heard);
    }
}

TEST_F(Playback, FilesThatCannotPlayLeaveNoDeviceOpen) {
    std::string text = ScratchFile("notes.mp3", "These are notes, not music.\r\n");
    std::string empty = ScratchFile("empty.mp3", "");
    std::string textWave = ScratchFile("notes.wav", "RIFF? no.\r\n");
    std::string missing = ScratchFile("gone.mp3", "") + ".missing";
    struct Case {
        const char* what;
        OpenAndPlayFn open;
        const char* file;
    };
    const Case cases[] = {
        {"text renamed .mp3", OpenAndPlayMpegVideo, text.c_str()},
        {"empty .mp3", OpenAndPlayMpegVideo, empty.c_str()},
        {"missing .mp3", OpenAndPlayMpegVideo, missing.c_str()},
        {"text as wave", OpenAndPlayWaveAudio, textWave.c_str()},
        {"missing wave", OpenAndPlayWaveAudio, missing.c_str()},
        {"no name", OpenAndPlayMpegVideo, nullptr},
        {"empty name", OpenAndPlayWaveAudio, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD before = OpenDeviceCount();
        EXPECT_EQ(c.open(PlayerWindow(), c.file), 0u);
        PumpFor(200);
        EXPECT_EQ(OpenDeviceCount(), before);
        EXPECT_EQ(PlaybackState.IsPlaying, 0);
    }
}

TEST_F(Playback, SequencerWithoutSynthesiserFailsCleanly) {
    std::string midi = ScratchFile("note.mid", OneNoteMidi());
    DWORD before = OpenDeviceCount();
    MCIDEVICEID device = OpenAndPlaySequencer(PlayerWindow(), midi.c_str());
    if (midiOutGetNumDevs() != 0) {
        if (device != 0) CloseDevice(device);
        GTEST_SKIP() << "this machine has a MIDI output";
    }
    EXPECT_EQ(device, 0u);
    EXPECT_EQ(OpenDeviceCount(), before);
}

TEST_F(Playback, CompletionNoticeClosesOnlyTheCurrentDevice) {
    enum Names { ThisDevice, OtherDevice, NoDevice };
    struct Case {
        const char* what;
        WPARAM code;
        Names names;
        bool closes;
    };
    const Case cases[] = {
        {"success naming it", MCI_NOTIFY_SUCCESSFUL, ThisDevice, true},
        {"failure naming it", MCI_NOTIFY_FAILURE, ThisDevice, true},
        {"success naming a closed device", MCI_NOTIFY_SUCCESSFUL, OtherDevice, false},
        {"abort of a closed device that had the same id", MCI_NOTIFY_ABORTED, ThisDevice, false},
        {"superseded, naming none", MCI_NOTIFY_SUPERSEDED, NoDevice, false},
        {"success naming none while it still plays", MCI_NOTIFY_SUCCESSFUL, NoDevice, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetIdle();
        MCIDEVICEID device = StartLongTone();
        ASSERT_NE(device, 0u);
        PumpFor(300);
        LPARAM named = c.names == ThisDevice ? LPARAM(device) : c.names == OtherDevice ? LPARAM(device + 7) : 0;
        SendMessageA(PlayerWindow(), MM_MCINOTIFY, c.code, named);
        EXPECT_EQ(PlaybackState.IsPlaying, c.closes ? 0 : 1);
        EXPECT_EQ(DeviceIsOpen(device), !c.closes);
        EXPECT_EQ(PlaybackState.DeviceId, device);
    }
}

TEST_F(Playback, StopSilencesAndALateNoticeChangesNothing) {
    ClearCapture();
    MCIDEVICEID first = StartLongTone();
    ASSERT_NE(first, 0u);
    ASSERT_GE(WaitForSound(GetTickCount(), 8000), 0);

    // "Stop" as the panel does it.
    EXPECT_EQ(CloseDevice(PlaybackState.DeviceId), 0u);
    PlaybackState.IsPlaying = 0;
    PumpFor(300);
    ClearCapture();
    PumpFor(800);   // the closed device's own notice arrives in here
    EXPECT_LT(SoundLevel(CapturedSound()), 50.0) << "sound went on after the device was closed";
    EXPECT_EQ(PlaybackState.IsPlaying, 0);

    MCIDEVICEID second = StartLongTone();
    ASSERT_NE(second, 0u);
    PumpFor(300);
    // What the first device could still post: an abort naming its id (which
    // the new device may have taken over) or, from some drivers, naming none.
    PostMessageA(PlayerWindow(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, LPARAM(first));
    PostMessageA(PlayerWindow(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0);
    PostMessageA(PlayerWindow(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(second + 3));
    PumpFor(300);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    EXPECT_EQ(PlaybackState.DeviceId, second);
    EXPECT_EQ(DeviceMode(second), DWORD(MCI_MODE_PLAY));
}

TEST_F(Playback, PauseSilencesResumeAndPlayGoOn) {
    ClearCapture();
    MCIDEVICEID device = StartLongTone();
    ASSERT_NE(device, 0u);
    ASSERT_GE(WaitForSound(GetTickCount(), 8000), 0);

    EXPECT_EQ(PauseDevice(device), 0u);
    EXPECT_EQ(DeviceMode(device), DWORD(MCI_MODE_PAUSE));
    PumpFor(300);
    std::size_t mark = CaptureMark();
    PumpFor(600);
    EXPECT_LT(SoundLevel(CapturedSound(mark)), 50.0) << "sound while paused";

    EXPECT_EQ(ResumeDevice(device), 0u);
    EXPECT_EQ(DeviceMode(device), DWORD(MCI_MODE_PLAY));
    EXPECT_GE(WaitForSound(GetTickCount(), 5000, CaptureMark()), 0) << "no sound after resuming";

    // Play on a paused device: the first play's notice is superseded and must
    // not close the device that plays again.
    EXPECT_EQ(PauseDevice(device), 0u);
    PumpFor(200);
    mark = CaptureMark();
    EXPECT_EQ(PlayDevice(device), 0u);
    EXPECT_GE(WaitForSound(GetTickCount(), 5000, mark), 0) << "no sound after playing again";
    PumpFor(300);
    EXPECT_EQ(DeviceMode(device), DWORD(MCI_MODE_PLAY));
    EXPECT_EQ(PlaybackState.IsPlaying, 1) << "a superseded notice closed the device";
}

TEST_F(Playback, ClosingWhatIsNotOpenFails) {
    const MCIDEVICEID ids[] = {0, 0x7777};
    for (MCIDEVICEID id : ids) {
        SCOPED_TRACE(id);
        EXPECT_NE(CloseDevice(id), 0u);
        EXPECT_NE(PauseDevice(id), 0u);
        EXPECT_NE(ResumeDevice(id), 0u);
        EXPECT_NE(PlayDevice(id), 0u);
    }
}

}  // namespace
