// Playback on the platform's real media devices and the real "Open A File"
// dialog (answered from a helper thread, as a person would while the window's
// thread is inside the request), heard through the real-time sound capture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"

namespace {

using OpenAndPlayFn = MCIDEVICEID (*)(HWND, const char*);
constexpr MCIDEVICEID UntouchedId = 0x5A5A;   // nobody opened it: shows a request left DeviceId alone

HWND PlayerWindow() {
    static HWND window = OpenPlayerWindow();
    return window;
}

std::string MediaPath(const char* name) { return WindowsPath(std::string(std::getenv("TD_PLAYBACK_MEDIA")) + "/" + name); }

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    static std::string dir = MakeTempDir("playback");
    std::ofstream(dir + "\\" + name, std::ios::binary) << bytes;
    return dir + "\\" + name;
}

// Starts as a play request would, so the handlers take the device as theirs.
MCIDEVICEID Start(OpenAndPlayFn open, const char* file) {
    MCIDEVICEID device = open(PlayerWindow(), MediaPath(file).c_str());
    if (device != 0) PlaybackState.DeviceId = device, PlaybackState.IsPlaying = 1;
    return device;
}

bool DeviceIsOpen(MCIDEVICEID device) {
    MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_MODE, 0};
    return device != 0 && mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)) == 0;
}

DWORD OpenDeviceCount() {
    DWORD count = 0;
    MCI_SYSINFO_PARMSA info = {0, LPSTR(&count), sizeof count, 0, 0};
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN, DWORD_PTR(&info));
    return count;
}

bool WaitForIdle(int timeoutMs) { return WaitUntil(timeoutMs, [](void*) { return PlaybackState.IsPlaying == 0; }, nullptr); }

bool WaitForSound(int timeoutMs) {
    return WaitUntil(timeoutMs, [](void*) { return FindSound(ReadCapturedSound(CapturedSoundPath())).last >= 0; }, nullptr);
}

// What the helper thread does with the dialog, and what it saw there.
struct DialogScript {
    std::string path;               // typed in before pressing Open; empty: Cancel
    bool nestedRequest = false;     // sends the window a second play request while the dialog is open
    int waitMs = 8000;
    bool found = false;
    int dialogsAfterNested = 0;     // visible "Open A File" dialogs once the nested request returned
};

DWORD WINAPI RunDialogScript(void* context) {
    auto* s = static_cast<DialogScript*>(context);
    HWND dialog = FindDialog("Open A File", s->waitMs);
    if (!(s->found = dialog != nullptr)) return 0;
    DWORD_PTR ignored;
    if (s->nestedRequest) SendMessageTimeoutA(MainWindow, PlayRequest, 0, 0, SMTO_NORMAL, 3000, &ignored), PumpFor(500);
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Open A File")) != nullptr;) s->dialogsAfterNested += IsWindowVisible(w);
    if (s->path.empty() || !AnswerOpenDialog(dialog, s->path)) PressDialogButton(dialog, IDCANCEL);
    if (WaitForWindowGone(dialog, 5000) != nullptr) PressDialogButton(dialog, IDCANCEL);   // never leave it blocking the test
    return 0;
}

void SendPlayRequestWith(DialogScript& script) {
    HANDLE helper = CreateThread(nullptr, 0, RunDialogScript, &script, 0, nullptr);
    SendMessageA(PlayerWindow(), PlayRequest, 0, 0);
    while (WaitForSingleObject(helper, 10) == WAIT_TIMEOUT) PumpFor(10);   // it may still wait for a dialog that never came
    CloseHandle(helper);
}

// Closes what an earlier step left playing; its notices arrive now, not later.
void ResetIdle() {
    if (PlaybackState.IsPlaying != 0) CloseDevice(PlaybackState.DeviceId);
    PlaybackState.IsPlaying = 0;
    PumpFor(100);
}

class Playback : public ::testing::Test {
    void SetUp() override { ResetIdle(); }
};

// A 2.5 s 523 Hz tone; Wine's "MPEGVideo" drops about the last 0.2 s of a file.
TEST_F(Playback, TonesArriveWholeAndTheNoticeClosesTheDevice) {
    const struct { OpenAndPlayFn open; double minSeconds; long maxGapMs; } cases[] = {
        {OpenAndPlayMpegVideo, 2.1, 50}, {OpenAndPlayWaveAudio, 2.45, 30}};
    for (const auto& c : cases) {
        const char* name = c.open == OpenAndPlayWaveAudio ? "waveaudio" : "MPEGVideo";
        SCOPED_TRACE(name);
        ClearCapturedSound();
        MCIDEVICEID device = Start(c.open, "tone523.wav");
        EXPECT_TRUE(WaitForIdle(10000)) << "the completion notice did not close the device";
        EXPECT_FALSE(DeviceIsOpen(device));
        EXPECT_TRUE(WaitForSoundEnd(5000));
        std::vector<std::int16_t> heard = ReadCapturedSound(CapturedSoundPath());
        SoundSpan s = FindSound(heard);
        EXPECT_NEAR(DominantFrequency(heard, 44100), 523, 523 * 0.03);
        std::printf("[ figures  ] %s, 2.5 s tone: open to sound %ld ms, %.3f s heard, longest gap %ld ms\n", name,
                    s.first * 1000 / 44100, (s.last - s.first + 1) / 44100.0, s.longestGap * 1000 / 44100);
        if (!SoundCaptureKeepsTime()) continue;   // the ALSA file capture neither keeps time nor holds whole tones
        EXPECT_GE(s.last - s.first + 1, long(c.minSeconds * 44100));
        EXPECT_LE(s.longestGap, c.maxGapMs * 441 / 10);
    }
}

TEST_F(Playback, FilesThatCannotPlayLeaveNoDeviceOpen) {
    const std::string midi("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const struct { const char* what; OpenAndPlayFn open; std::string file; } cases[] = {
        {"text renamed .mp3", OpenAndPlayMpegVideo, ScratchFile("notes.mp3", "These are notes, not music.\r\n")},
        {"empty .mp3", OpenAndPlayMpegVideo, ScratchFile("empty.mp3", "")},
        {"missing .mp3", OpenAndPlayMpegVideo, ScratchFile("gone.mp3", "") + ".missing"},
        {"text as wave", OpenAndPlayWaveAudio, ScratchFile("notes.wav", "RIFF? no.\r\n")},
        // Where no MIDI synthesiser exists, the sequencer must fail instead of playing silence for ever.
        {"MIDI without synthesiser", midiOutGetNumDevs() == 0 ? OpenAndPlaySequencer : nullptr, ScratchFile("note.mid", midi)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD before = OpenDeviceCount();
        EXPECT_EQ(c.open != nullptr ? c.open(PlayerWindow(), c.file.c_str()) : 0, 0u);
        PumpFor(200);
        EXPECT_EQ(OpenDeviceCount(), before);
    }
}

TEST_F(Playback, CompletionNoticeClosesOnlyTheCurrentDevice) {
    enum Names { ThisDevice, OtherDevice, NoDevice };
    const struct { const char* what; WPARAM code; Names names; bool closes; } cases[] = {
        {"success naming it", MCI_NOTIFY_SUCCESSFUL, ThisDevice, true},
        {"success naming a closed device", MCI_NOTIFY_SUCCESSFUL, OtherDevice, false},
        {"abort of a closed device that had the same id", MCI_NOTIFY_ABORTED, ThisDevice, false},
        {"success naming none while it still plays", MCI_NOTIFY_SUCCESSFUL, NoDevice, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetIdle();
        MCIDEVICEID device = Start(OpenAndPlayMpegVideo, "long1000.mp3");
        PumpFor(300);
        SendMessageA(PlayerWindow(), MM_MCINOTIFY, c.code, c.names == ThisDevice ? LPARAM(device) : c.names == OtherDevice ? LPARAM(device + 7) : 0);
        EXPECT_EQ(PlaybackState.IsPlaying, c.closes ? 0 : 1);
        EXPECT_EQ(DeviceIsOpen(device), !c.closes);
    }
}

// A file that is no tune, and a cancelled dialog with a second request sent
// from inside it: each leaves the player idle, and the next request asks again.
TEST_F(Playback, NothingChosenOrNothingPlayableLeavesThePlayerIdle) {
    DialogScript text{ScratchFile("notes.TEXT", "Not a tune.\r\n")}, cancel{"", true}, again;
    for (DialogScript* script : {&text, &cancel, &again}) {
        PlaybackState.DeviceId = UntouchedId;
        SendPlayRequestWith(*script);
        EXPECT_TRUE(script->found);
        EXPECT_EQ(PlaybackState.IsPlaying, 0);
        EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);
    }
    EXPECT_EQ(cancel.dialogsAfterNested, 1) << "a request from inside the dialog opened another";
}

// A tune chosen in the dialog plays; a request meanwhile opens no dialog;
// "Stop" clicked through the real pointer ends the sound at once.
TEST_F(Playback, ChosenTunePlaysAndStopsOnAClick) {
    ClearCapturedSound();
    DialogScript script{MediaPath("long1000.mp3")}, meanwhile{"", false, 1500};
    SendPlayRequestWith(script);
    MCIDEVICEID device = PlaybackState.DeviceId;
    ASSERT_TRUE(script.found && PlaybackState.IsPlaying == 1 && WaitForSound(8000));
    SendPlayRequestWith(meanwhile);
    EXPECT_FALSE(meanwhile.found);
    EXPECT_EQ(PlaybackState.DeviceId, device);
    EXPECT_NEAR(DominantFrequency(ReadCapturedSound(CapturedSoundPath()), 44100), 1000.0, 30.0);
    long clicked = long(ReadCapturedSound(CapturedSoundPath(), true).size() / 2);
    ClickAt(PlayerWindow(), 185, 95);
    EXPECT_TRUE(WaitForIdle(2000));
    MovePointerTo(PlayerWindow(), 200, 20);   // away, so later ticks take no click
    EXPECT_FALSE(DeviceIsOpen(device));
    EXPECT_TRUE(WaitForSoundEnd(3000));
    long latencyMs = (FindSound(ReadCapturedSound(CapturedSoundPath())).last - clicked) * 1000 / 44100;
    std::printf("[ figures  ] Stop: sound ended %ld ms after the click\n", latencyMs);
    if (SoundCaptureKeepsTime()) { EXPECT_LE(latencyMs, 200); }
}

}  // namespace
