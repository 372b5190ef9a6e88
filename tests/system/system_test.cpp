// The master volume and the display mode on the platform (system_test, run
// three ways; see CMakeLists.txt).
// Volume, on the real mixer: read, set, read back through a fresh open,
// restore; a tone played through the "waveaudio" wrapper arrives scaled by it.
// Under Wine "MPEGVideo" does not follow the control, but must still play.
// Once more with Wine's audio drivers disabled: no mixer.
// Display mode, on an X server that can switch (Xorg's dummy driver): a listed
// mode is taken, as the platform and the X server itself report; a width of 1
// changes nothing; the mode is restored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/playback.h"
#include "harness/harness.h"
#include "system/display_mode.h"
#include "system/volume.h"
// RMS of the half-scale 2.5 s tone played through `open`, over the middle of what was heard.
static double PlayedLevel(MCIDEVICEID (*open)(HWND, const char*)) {
    ClearCapturedSound();
    MCIDEVICEID device = open(nullptr, WindowsPath(std::getenv("TD_TONE")).c_str());
    WaitForSoundEnd(5000);   // at volume 0: no sound, so the whole wait
    CloseDevice(device);
    std::vector<std::int16_t> heard = ReadCapturedSound(CapturedSoundPath());
    long first = FindSound(heard).first, quarter = 11025;   // the middle, away from where streams start and stop
    if (long(heard.size() / 2) < first + 3 * quarter) return 0.0;
    return SoundLevel({heard.begin() + 2 * (first + quarter), heard.end() - 2 * quarter});
}

TEST(MasterVolume, SetsReadsBackScalesWaveAudioAndRestores) {
    EXPECT_EQ(SetMasterVolume(1000), -1) << "before any open";
    EXPECT_EQ(CloseMasterVolume(), -1) << "before any open";
    const std::uint32_t old = OpenMasterVolume();
    ASSERT_NE(old, MasterVolumeFailed);
    // Wine keeps the volume as a float fraction and reads it back truncated, so
    // the values are ones that survive the trip (32768 reads back as 32767).
    // Silence goes first: a process's first stream may start unevenly. A level
    // of -1: heard at all.
    const struct { std::uint32_t volume; MCIDEVICEID (*open)(HWND, const char*); double level; } cases[] = {
        {0, OpenAndPlayWaveAudio, 0}, {65535, OpenAndPlayWaveAudio, 11585},
        {39321, OpenAndPlayWaveAudio, 11585 * 0.6}, {13107, OpenAndPlayWaveAudio, 11585 * 0.2},
        {39321, OpenAndPlayMpegVideo, -1}, {old, nullptr, 0},   // the last: put back
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume);
        EXPECT_EQ(SetMasterVolume(c.volume), 0);
        EXPECT_EQ(CloseMasterVolume(), 0);
        EXPECT_EQ(OpenMasterVolume(), c.volume);
        if (c.open == nullptr || !SoundCaptureKeepsTime()) continue;   // the ALSA file capture is not to scale
        double level = PlayedLevel(c.open);
        std::printf("[ figures  ] volume %u (of %u at start): RMS %.0f\n", c.volume, old, level);
        if (c.level < 0) EXPECT_GT(level, 1000.0);
        else EXPECT_NEAR(level, c.level, std::max(c.level * 0.02, 20.0));   // 2 %; silence within 20
    }
    EXPECT_EQ(CloseMasterVolume(), 0);
}

// Run as system_no_audio_test, with Wine's audio drivers disabled.
TEST(MasterVolume, NoAudioDriverMeansNoMixer) {
    EXPECT_EQ(OpenMasterVolume(), MasterVolumeFailed);
    EXPECT_EQ(SetMasterVolume(0), -1);
}

// The mode as the platform reports it, then the screen size as the X server
// reports it to xdpyinfo: a Unix program, which Wine starts without a handle
// to wait on, so its output file is polled.
static std::string CurrentModes() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = CreateFileA("xdpyinfo.txt", GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    PROCESS_INFORMATION process;
    char command[] = "Z:\\usr\\bin\\xdpyinfo";
    std::string text, xSize = "none";
    bool started = CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process);
    for (int i = 0; started && i < 250 && text.find("resolution:") == std::string::npos; ++i, Sleep(20)) {
        text.assign(std::istreambuf_iterator<char>(std::ifstream("xdpyinfo.txt").rdbuf()), {});
    }
    CloseHandle(start.hStdOutput);
    if (text.find("dimensions:") != std::string::npos) std::istringstream(text.substr(text.find("dimensions:") + 11)) >> xSize;
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "x" +
           std::to_string(mode.dmBitsPerPel) + ", X " + xSize;
}

TEST(DisplayMode, TakesOnlyAListedModeAndIsRestored) {
    const char* xorg = std::getenv("TD_XORG_DISPLAY");
    const char* why = std::getenv("TD_XORG_FAILURE");
    if (xorg == nullptr || *xorg == '\0') GTEST_SKIP() << "no X server that can switch modes: " << (why ? why : "none started");
    const std::string before = CurrentModes();
    EXPECT_EQ(SetDisplayMode(1, 600, 32), 0);
    EXPECT_EQ(CurrentModes(), before);
    EXPECT_EQ(SetDisplayMode(800, 600, 32), 1);
    EXPECT_EQ(CurrentModes(), "800x600x32, X 800x600");
    ChangeDisplaySettingsA(nullptr, 0);
    EXPECT_EQ(CurrentModes(), before);
    std::printf("[ figures  ] display %s; 800x600x32 taken and restored\n", before.c_str());
}
