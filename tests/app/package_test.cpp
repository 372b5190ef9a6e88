// The Windows download as a person on Windows meets it: the zip that the
// package target makes, unpacked into an empty folder (app_package_unpack),
// and the player started from that folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "harness/harness.h"

namespace {

TEST(WindowsDownload, StartsFromTheUnpackedFolderAndExitsWithZero) {
    std::string folder = BuildPath("package-test");
    PlayerProcess player = StartProgram(folder + "\\tunedeck.exe", folder);
    ASSERT_NE(player.process, nullptr) << "no tunedeck.exe in " << folder;
    // A picture missing from the zip would hold the window back behind a message box.
    HWND window = WaitForWindow(player.processId, "TAV", "TAV-Tunedeck 1.0", 20000);
    if (window == nullptr) EndPlayer(player);
    ASSERT_NE(window, nullptr);
    PumpFor(300);   // a few 40 ms refresh ticks
    // The Stop button, as assets/stop_button.txt draws it: a light face, a dark rim.
    struct Sample { int x, y; COLORREF colour; const char* what; } samples[] = {
        {185, 70, RGB(0xE6, 0xE2, 0xD6), "Stop's face"},
        {152, 95, RGB(0x4A, 0x4A, 0x4A), "Stop's rim"},
    };
    HDC dc = GetDC(window);   // what the window shows
    for (const Sample& s : samples) {
        COLORREF c = GetPixel(dc, s.x, s.y);
        EXPECT_LE(std::abs(GetRValue(c) - GetRValue(s.colour)) + std::abs(GetGValue(c) - GetGValue(s.colour)) +
                      std::abs(GetBValue(c) - GetBValue(s.colour)), 30) << s.what << ": " << std::hex << c;
    }
    ReleaseDC(window, dc);
    ClickAt(window, 50, 100);   // Exit
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitForExit(player, 10000, &code));
    EXPECT_EQ(code, 0u);
    EndPlayer(player);
}

}  // namespace
