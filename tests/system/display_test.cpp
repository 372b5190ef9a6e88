// Display mode on an X server that can switch (run as system_display_test on
// Xorg's dummy driver): a listed mode is taken, as the platform and the X
// server itself report; a width of 1 changes nothing; the mode is restored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "harness/harness.h"
#include "system/display_mode.h"

namespace {

std::string PlatformMode() {
    DEVMODEA m = {};
    m.dmSize = sizeof m;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &m);
    return std::to_string(m.dmPelsWidth) + "x" + std::to_string(m.dmPelsHeight) + "x" + std::to_string(m.dmBitsPerPel);
}

// The screen size xdpyinfo reports: a Unix program, which Wine starts but
// gives no handle to wait on, so its output is awaited.
std::string XScreenSize() {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    std::string path = MakeTempDir("xdpyinfo") + "\\out.txt", text, size = "none";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    PROCESS_INFORMATION p;
    char command[] = "Z:\\usr\\bin\\xdpyinfo";
    bool started = CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &p);
    for (int i = 0; started && i < 250 && text.find("resolution:") == std::string::npos; ++i, Sleep(20))
        text.assign(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
    CloseHandle(start.hStdOutput);
    if (text.find("dimensions:") != std::string::npos) std::istringstream(text.substr(text.find("dimensions:") + 11)) >> size;
    return size;
}

TEST(DisplayMode, TakesOnlyAListedModeAndIsRestored) {
    const char *xorg = std::getenv("TD_XORG_DISPLAY"), *why = std::getenv("TD_XORG_FAILURE");
    if (std::getenv("TD_ON_XORG") == nullptr) GTEST_SKIP() << "runs as system_display_test";
    if (xorg == nullptr || *xorg == '\0') GTEST_SKIP() << "no X server that can switch modes: " << (why ? why : "none started");
    const std::string before = PlatformMode(), xBefore = XScreenSize();
    EXPECT_EQ(SetDisplayMode(1, 600, 32), 0);
    EXPECT_EQ(PlatformMode(), before);
    EXPECT_EQ(XScreenSize(), xBefore);
    EXPECT_EQ(SetDisplayMode(800, 600, 32), 1);
    EXPECT_EQ(PlatformMode(), "800x600x32");
    EXPECT_EQ(XScreenSize(), "800x600");
    ChangeDisplaySettingsA(nullptr, 0);
    EXPECT_EQ(PlatformMode(), before);
    EXPECT_EQ(XScreenSize(), xBefore);
    std::printf("[ figures  ] display %s (X %s), 800x600x32 taken, restored\n", before.c_str(), xBefore.c_str());
}

}  // namespace
