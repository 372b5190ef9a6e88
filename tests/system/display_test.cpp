// Display mode on an X server that can switch (run as system_display_test on
// Xorg's dummy driver): a listed mode is taken, as the platform and the X
// server itself report; a width of 1 changes nothing; the mode is restored.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "system/display_mode.h"

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
