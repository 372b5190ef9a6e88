// The media wrappers and the completion notice on the platform's real media
// devices, heard through the sound capture. (The real "Open A File" dialog and
// "Stop" are driven end to end, in app/player_test.cpp.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/playback.h"
#include "harness/harness.h"
#include "media/media.h"

#include <tlhelp32.h>   // needs <windows.h> first

using OpenAndPlayFn = MCIDEVICEID (*)(HWND, const char*);

static HWND PlayerWindow() {   // where the notices go
    static HWND window = OpenPlayerWindow();
    return window;
}

static DWORD OpenDeviceCount() {
    DWORD count = 0;
    MCI_SYSINFO_PARMSA info = {0, LPSTR(&count), sizeof count, 0, 0};
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN, DWORD_PTR(&info));
    return count;
}

// A 2.5 s 523 Hz tone; Wine's "MPEGVideo" drops about the last 0.2 s of a
// file. It goes first: a process's first stream may start unevenly. While it
// plays come notices left over from closed devices: one naming another device,
// an abort naming a reused id, and one naming none. Only its own closes it.
TEST(Playback, TonesArriveWholeAndOnlyTheirOwnNoticeClosesTheDevice) {
    const struct { const char* name; OpenAndPlayFn open; double minSeconds; long maxGapMs; } cases[] = {
        {"MPEGVideo", OpenAndPlayMpegVideo, 2.1, 50}, {"waveaudio", OpenAndPlayWaveAudio, 2.45, 30}};
    const std::string tone = WindowsPath(std::string(std::getenv("TD_PLAYBACK_MEDIA")) + "/tone523.wav");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearCapturedSound();
        const MCIDEVICEID device = c.open(PlayerWindow(), tone.c_str());
        PlaybackState.DeviceId = device;   // as a play request does: the notice handler takes it as the player's
        PlaybackState.IsPlaying = device != 0;
        ASSERT_TRUE(WaitUntil(5000, [] { return FindSound(ReadCapturedSound(CapturedSoundPath())).first >= 0; }));
        const struct { WPARAM code; MCIDEVICEID named; } stale[] = {
            {MCI_NOTIFY_SUCCESSFUL, device + 7}, {MCI_NOTIFY_ABORTED, device}, {MCI_NOTIFY_SUCCESSFUL, 0}};
        for (const auto& n : stale) {
            SendMessageA(PlayerWindow(), MM_MCINOTIFY, n.code, LPARAM(n.named));
            EXPECT_TRUE(PlaybackState.IsPlaying == 1 && OpenDeviceCount() == 1) << "closed by a stale notice naming " << n.named;
        }
        EXPECT_TRUE(WaitUntil(10000, [] { return PlaybackState.IsPlaying == 0; })) << "its own notice did not close it";
        EXPECT_EQ(OpenDeviceCount(), 0u);
        EXPECT_TRUE(WaitForSoundEnd(5000));
        std::vector<std::int16_t> heard = ReadCapturedSound(CapturedSoundPath());
        SoundSpan s = FindSound(heard);
        EXPECT_NEAR(s.upCrossings * 44100.0 / double(s.heard), 523, 523 * 0.03);
        std::printf("[ figures  ] %s, 2.5 s tone: open to sound %ld ms, %.3f s heard, longest gap %ld ms\n", c.name,
                    s.first * 1000 / 44100, (s.last - s.first + 1) / 44100.0, s.longestGap * 1000 / 44100);
        if (!SoundCaptureKeepsTime()) continue;   // the ALSA file capture neither keeps time nor holds whole tones
        EXPECT_GE(s.last - s.first + 1, long(c.minSeconds * 44100));
        EXPECT_LE(s.longestGap, c.maxGapMs * 441 / 10);
    }
}

// "MPEGVideo" under Wine posts its notice, naming no device, and only then
// stops: the window can take the notice while the device still plays.
TEST(Playback, ANoticeTakenBeforeItsDeviceStoppedStillClosesIt) {
    const std::string tone = WindowsPath(std::string(std::getenv("TD_PLAYBACK_MEDIA")) + "/tone523.wav");
    PlaybackState.DeviceId = OpenAndPlayMpegVideo(PlayerWindow(), tone.c_str());
    PlaybackState.IsPlaying = 1;
    ASSERT_NE(PlaybackState.DeviceId, 0u);
    SendMessageA(PlayerWindow(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    MCI_GENERIC_PARMS stop = {};   // the driver's own stop, which brings no further notice of success
    mciSendCommandA(PlaybackState.DeviceId, MCI_STOP, MCI_WAIT, DWORD_PTR(&stop));
    EXPECT_TRUE(WaitUntil(2000, [] { return PlaybackState.IsPlaying == 0; })) << "left playing nothing, Open dead";
    EXPECT_EQ(OpenDeviceCount(), 0u);
}

static int OwnThreadCount() {
    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 t = {sizeof t, 0, 0, 0, 0, 0, 0};
    int n = 0;
    for (BOOL more = Thread32First(all, &t); more; more = Thread32Next(all, &t)) n += t.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(all);
    return n;
}

// Nothing stays open or running; a file gone since the dialog closed is not
// even opened (Wine's "MPEGVideo" keeps a thread for each open of a missing file).
TEST(Playback, FilesThatCannotPlayLeaveNothingBehind) {
    const std::string dir = MakeTempDir("playback") + "\\";
    const std::string midi("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const struct { const char* what; OpenAndPlayFn open; const char* file; std::string bytes; } cases[] = {
        {"empty .mp3", OpenAndPlayMpegVideo, "empty.mp3", ""},
        {"gone .wav", PlayChosenFile, "gone.wav", ""},   // never written
        {"text as wave", OpenAndPlayWaveAudio, "notes.wav", "RIFF? no.\r\n"},
        // Where no MIDI synthesiser exists, the sequencer must fail instead of playing silence for ever (the last case).
        {"MIDI without synthesiser", midiOutGetNumDevs() == 0 ? OpenAndPlaySequencer : nullptr, "note.mid", midi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.open == nullptr) GTEST_SKIP() << "a MIDI synthesiser is present: the MIDI file would play, so there is no failure to see";
        if (c.open != PlayChosenFile) WriteTextFile(dir + c.file, c.bytes);
        DWORD before = OpenDeviceCount();
        int threads = OwnThreadCount();
        EXPECT_EQ(c.open(PlayerWindow(), (dir + c.file).c_str()), 0u);
        PumpFor(200);
        EXPECT_EQ(OpenDeviceCount(), before);
        EXPECT_TRUE(WaitUntil(3000, [&] { return OwnThreadCount() <= threads; })) << "threads left behind";
    }
}

// A path longer than the 260-byte buffer in UTF-8 (this program's code page,
// as the player's) is no name at all, never its first 260 bytes.
TEST(Playback, APathTooLongForTheBufferIsNoName) {
    const std::string scratch = MakeTempDir("playback");
    const std::wstring dir = std::wstring(scratch.begin(), scratch.end()) + L"\\" + std::wstring(60, L'\x416'), name = dir + L"\\" + std::wstring(60, L'\x436');
    ASSERT_TRUE(GetACP() == CP_UTF8 && CreateDirectoryW(dir.c_str(), nullptr));
    CloseHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    std::thread answer([&] {
        HWND dialog = WaitForWindow(GetCurrentProcessId(), "#32770", "Open A File", 15000);
        SetDlgItemTextW(dialog, 0x47C, name.c_str());
        PressDialogButton(dialog, IDOK);
    });
    EXPECT_STREQ(AskOpenFileName(), "");
    answer.join();
}
