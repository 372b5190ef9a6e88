// The player executable run as a person runs it: started from a folder, its
// window found on the display, closed from the keyboard, exit code collected.
#include <gtest/gtest.h>

#include <string>

#include "harness/harness.h"

namespace {

TEST(PlayerProgram, OpensItsWindowAndClosingEndsWithCodeZero) {
    PlayerProcess player = StartPlayer(PlayerAssetsDir());
    ASSERT_NE(player.process, nullptr) << "could not start " << BuildPath("app/tunedeck.exe");
    HWND window = WaitForWindow(player.processId, "TAV", "TAV-Tunedeck 1.0", 15000);
    ASSERT_NE(window, nullptr);
    RECT r = {};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);

    // Alt+F4 reaches the default procedure, which closes the window.
    SetForegroundWindow(window);
    PumpFor(200);
    PressKey(VK_MENU);
    PressKey(VK_F4);
    ReleaseKey(VK_F4);
    ReleaseKey(VK_MENU);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitForExit(player, 15000, &code));
    EXPECT_EQ(code, 0u);
    EndPlayer(player);
}

TEST(PlayerProgram, CarriesItsVersionResource) {
    std::string exe = BuildPath("app/tunedeck.exe");
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);   // 1.0
    char* name = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductName", reinterpret_cast<void**>(&name), &len));
    EXPECT_STREQ(name, "Tunedeck");
    char* version = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&version), &len));
    EXPECT_STREQ(version, "1.0");
}

}  // namespace
