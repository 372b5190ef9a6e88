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
    DWORD count = 0;
    MCI_SYSINFO_PARMSA info = {0, reinterpret_cast<LPSTR>(&count), sizeof count, 0, 0};
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN,
                    reinterpret_cast<DWORD_PTR>(&info));
    return count;
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
    const struct { const char* device; OpenAndPlayFn open; const char* file; double frequency; } cases[] = {
        {"MPEGVideo", OpenAndPlayMpegVideo, "tone440.mp3", 440},
        {"MPEGVideo", OpenAndPlayMpegVideo, "tone660.wav", 660},
        {"waveaudio", OpenAndPlayWaveAudio, "tone880.wav", 880},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.device) + " " + c.file);
        ResetIdle();
        ClearCapture();
        DWORD start = GetTickCount();
        MCIDEVICEID device = c.open(PlayerWindow(), MediaPath(c.file).c_str());
        ASSERT_NE(device, 0u);
        PlaybackState.DeviceId = device;
        PlaybackState.IsPlaying = 1;

        int toSound = WaitForSound(start, 8000);
        EXPECT_GE(toSound, 0) << "no sound captured";
        EXPECT_TRUE(WaitForIdle(10000)) << "the completion notice did not close the device";
        EXPECT_FALSE(DeviceIsOpen(device));
        double heard = DominantFrequency(CapturedSound(), 44100);
        EXPECT_NEAR(heard, c.frequency, c.frequency * 0.03);
        std::printf("[ figures  ] %s %s: open to sound %d ms, heard %.1f Hz\n", c.device, c.file, toSound, heard);
    }
}

TEST_F(Playback, FilesThatCannotPlayLeaveNoDeviceOpen) {
    const std::string midi("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const struct { const char* what; OpenAndPlayFn open; std::string file; } cases[] = {
        {"text renamed .mp3", OpenAndPlayMpegVideo, ScratchFile("notes.mp3", "These are notes, not music.\r\n")},
        {"empty .mp3", OpenAndPlayMpegVideo, ScratchFile("empty.mp3", "")},
        {"missing .mp3", OpenAndPlayMpegVideo, ScratchFile("gone.mp3", "") + ".missing"},
        {"text as wave", OpenAndPlayWaveAudio, ScratchFile("notes.wav", "RIFF? no.\r\n")},
        // Only where no MIDI synthesiser exists: then the sequencer must fail cleanly.
        {"MIDI without synthesiser", midiOutGetNumDevs() == 0 ? OpenAndPlaySequencer : nullptr,
         ScratchFile("note.mid", midi)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.open == nullptr) continue;
        DWORD before = OpenDeviceCount();
        EXPECT_EQ(c.open(PlayerWindow(), c.file.c_str()), 0u);
        PumpFor(200);
        EXPECT_EQ(OpenDeviceCount(), before);
        EXPECT_EQ(PlaybackState.IsPlaying, 0);
    }
}

TEST_F(Playback, CompletionNoticeClosesOnlyTheCurrentDevice) {
    enum Names { ThisDevice, OtherDevice, NoDevice };
    const struct { const char* what; WPARAM code; Names names; bool closes; } cases[] = {
        {"success naming it", MCI_NOTIFY_SUCCESSFUL, ThisDevice, true},
        {"failure naming it", MCI_NOTIFY_FAILURE, ThisDevice, true},
        {"success naming a closed device", MCI_NOTIFY_SUCCESSFUL, OtherDevice, false},
        {"abort of a closed device that had the same id", MCI_NOTIFY_ABORTED, ThisDevice, false},
        {"superseded, naming none", MCI_NOTIFY_SUPERSEDED, NoDevice, false},
        {"success naming none while it still plays", MCI_NOTIFY_SUCCESSFUL, NoDevice, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetIdle();
        MCIDEVICEID device = StartLongTone();
        ASSERT_NE(device, 0u);
        PumpFor(300);
        LPARAM named = c.names == ThisDevice ? LPARAM(device) : c.names == OtherDevice ? LPARAM(device + 7) : 0;
        SendMessageA(PlayerWindow(), MM_MCINOTIFY, c.code, named);
        EXPECT_EQ(PlaybackState.IsPlaying, c.closes ? 0 : 1);
        EXPECT_EQ(DeviceIsOpen(device), !c.closes);
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
    PumpFor(300);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    EXPECT_EQ(PlaybackState.DeviceId, second);
    EXPECT_TRUE(DeviceIsOpen(second));
}

TEST_F(Playback, ResumeBringsAPausedDevicesSoundBack) {
    ClearCapture();
    MCIDEVICEID device = StartLongTone();
    ASSERT_NE(device, 0u);
    ASSERT_GE(WaitForSound(GetTickCount(), 8000), 0);

    EXPECT_EQ(PauseDevice(device), 0u);
    PumpFor(300);
    std::size_t mark = CapturedSound().size();
    PumpFor(600);
    EXPECT_LT(SoundLevel(CapturedSound(mark)), 50.0) << "sound while paused";

    EXPECT_EQ(ResumeDevice(device), 0u);
    EXPECT_GE(WaitForSound(GetTickCount(), 5000, CapturedSound().size()), 0) << "no sound after resuming";
}

}  // namespace
