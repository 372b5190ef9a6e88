// The master volume and the display mode on the platform (system_test, run
// three ways; see CMakeLists.txt).
// Volume, on the real mixer: read, set, read back through a fresh open,
// restore; a tone played through the "waveaudio" wrapper arrives scaled by it.
// Once more with Wine's audio drivers disabled: no mixer.
// Display mode, on an X server that can switch (Xorg's dummy driver): a listed
// mode is taken, a width of 1 changes nothing, and the mode is restored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "harness/harness.h"
#include "media/media.h"
#include "system/display_mode.h"
#include "system/volume.h"
// RMS of the half-scale 2.5 s tone played through "waveaudio", over the middle of what was heard.
static double PlayedLevel() {
    ClearCapturedSound();
    MCIDEVICEID device = OpenAndPlayWaveAudio(nullptr, WindowsPath(std::getenv("TD_TONE")).c_str());
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
    // Silence goes first: a process's first stream may start unevenly.
    const struct { std::uint32_t volume; double level; } cases[] = {   // level -1: not played
        {0, 0}, {65535, 11585}, {39321, 11585 * 0.6}, {13107, 11585 * 0.2}, {old, -1},   // the last: put back
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume);
        EXPECT_EQ(SetMasterVolume(c.volume), 0);
        EXPECT_EQ(CloseMasterVolume(), 0);
        EXPECT_EQ(OpenMasterVolume(), c.volume);
        if (c.level < 0 || !SoundCaptureKeepsTime()) continue;   // the ALSA file capture is not to scale
        double level = PlayedLevel();
        std::printf("[ figures  ] volume %u (of %u at start): RMS %.0f\n", c.volume, old, level);
        EXPECT_NEAR(level, c.level, std::max(c.level * 0.02, 20.0));   // 2 %; silence within 20
    }
    EXPECT_EQ(CloseMasterVolume(), 0);
}

// Run as system_no_audio_test, with Wine's audio drivers disabled.
TEST(MasterVolume, NoAudioDriverMeansNoMixer) {
    EXPECT_EQ(OpenMasterVolume(), MasterVolumeFailed);
    EXPECT_EQ(SetMasterVolume(0), -1);
}

static std::string CurrentMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "x" + std::to_string(mode.dmBitsPerPel);
}

TEST(DisplayMode, TakesOnlyAListedModeAndIsRestored) {
    const char* xorg = std::getenv("TD_XORG_DISPLAY");
    const char* why = std::getenv("TD_XORG_FAILURE");
    if (xorg == nullptr || *xorg == '\0') GTEST_SKIP() << "no X server that can switch modes: " << (why ? why : "none started");
    const std::string before = CurrentMode();
    EXPECT_EQ(SetDisplayMode(1, 600, 32), 0);
    EXPECT_EQ(CurrentMode(), before);
    EXPECT_EQ(SetDisplayMode(800, 600, 32), 1);
    EXPECT_EQ(CurrentMode(), "800x600x32");
    ChangeDisplaySettingsA(nullptr, 0);
    EXPECT_EQ(CurrentMode(), before);
}
