// The player end to end, driven as a person would: the real executable under
// Wine, the pointer moved and clicked through the platform's input, the screen
// read back, the real dialogs answered and the sound captured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "harness/harness.h"
#include "panel_view.h"

namespace {

struct Player {
    PlayerProcess process;
    HWND window;
};

Player Start(const std::string& dir, const std::vector<std::string>& env = {}) {
    Player p = {StartPlayer(dir, env), nullptr};
    if (p.process.process != nullptr) p.window = WaitForWindow(p.process.processId, "TAV", "TAV-Tunedeck 1.0", 20000);
    return p;
}

ScreenPixels ShowAfterMoving(const Player& p, int x, int y) {
    MovePointerTo(p.window, x, y);
    PumpFor(200);   // a few 40 ms ticks
    RECT client = {};
    GetClientRect(p.window, &client);
    return CaptureClient(p.window, std::min<int>(client.right, 300), std::min<int>(client.bottom, 200));
}

PromptMask PromptsShown(const ScreenPixels& shot) {
    return RedMaskOf(shot.pixels, shot.width);
}

bool StillRunning(Player& p, int ms) {
    return !WaitForExit(p.process, ms, nullptr);
}

DWORD ClickExit(Player& p) {
    ClickAt(p.window, 50, 100);
    DWORD code = 0xDEAD;
    WaitForExit(p.process, 10000, &code);
    return code;
}

// Release the button and move the pointer in one batch, so both reach the
// window before the next 40 ms tick.
void ReleaseAndNudge(HWND window, int x, int y) {
    POINT s = ClientToScreenPoint(window, x, y);
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dx = LONG((s.x * 65536LL + w - 1) / w);
    in[1].mi.dy = LONG((s.y * 65536LL + h - 1) / h);
    SendInput(2, in, sizeof(INPUT));
}

TEST(PlayerEndToEnd, ShowsThePanelAndThePromptUnderThePointer) {
    Player p = Start(PlayerAssetsDir());
    ASSERT_NE(p.window, nullptr);
    ScreenPixels idle = ShowAfterMoving(p, 200, 20);
    SaveScreenPng(idle, "panel.png");
    ASSERT_GE(idle.height, 150);
    struct Sample { int x, y; COLORREF colour; int tolerance; const char* what; } samples[] = {
        {0, 0, RGB(0, 252, 252), 0, "top row"},
        {150, 2, RGB(0, 251, 251), 0, "top rows"},
        {5, 140, RGB(0, 163, 163), 0, "lower rows"},
        {100, 52, RGB(0, 241, 241), 0, "inside Open"},
        {100, 88, RGB(0, 241, 241), 0, "inside Exit"},
        {185, 95, RGB(0xE6, 0xE2, 0xD6), 12, "Stop's face"},
    };
    for (const Sample& s : samples) {
        EXPECT_TRUE(NearColour(PixelAt(idle, s.x, s.y), s.colour, s.tolerance))
            << s.what << ": " << std::hex << PixelAt(idle, s.x, s.y);
    }
    EXPECT_EQ(MaskCount(PromptsShown(idle)), 0);

    const char* open = "Open a file and play it?";
    const char* exitPrompt = "Exit now?";
    const char* stop = "Stop playing?";
    struct Case { int x, y; std::initializer_list<const char*> prompts; const char* what; } cases[] = {
        {50, 60, {open}, "Open"},
        {60, 85, {open, exitPrompt}, "row 85: both"},
        {50, 100, {exitPrompt}, "Exit"},
        {10, 120, {exitPrompt}, "Exit's bottom-left corner"},
        {116, 60, {}, "right of Open"},
        {220, 95, {stop}, "Stop, 35 from its centre"},
        {221, 95, {}, "just outside Stop"},
        {210, 120, {}, "35.4 from Stop's centre"},
    };
    for (const Case& c : cases) {
        ScreenPixels shot = ShowAfterMoving(p, c.x, c.y);
        EXPECT_EQ(MaskDifference(PromptsShown(shot), ExpectedPrompts(idle.pixels, c.prompts)), 0) << c.what;
        if (c.prompts.size() == 1 && c.prompts.begin()[0] == open) SaveScreenPng(shot, "panel_open_prompt.png");
    }

    // Leaving the window from a control keeps that control's prompt.
    ShowAfterMoving(p, 50, 100);
    MovePointerToScreen(700, 600);
    PumpFor(200);
    ScreenPixels left = CaptureClient(p.window, idle.width, idle.height);
    EXPECT_EQ(MaskDifference(PromptsShown(left), ExpectedPrompts(idle.pixels, {exitPrompt})), 0);

    EXPECT_EQ(ClickExit(p), 0u);
    EndPlayer(p.process);
}

TEST(PlayerEndToEnd, ReleasesThatAreNotTheLastMessageDoNothing) {
    Player p = Start(PlayerAssetsDir());
    ASSERT_NE(p.window, nullptr);
    ShowAfterMoving(p, 50, 100);
    PressLeft();
    ReleaseAndNudge(p.window, 52, 101);
    EXPECT_TRUE(StillRunning(p, 600)) << "a release followed by a move acted";

    ShowAfterMoving(p, 50, 100);
    PressLeft();
    PumpFor(100);
    MovePointerToScreen(700, 600);
    PumpFor(100);
    ReleaseLeft();
    EXPECT_TRUE(StillRunning(p, 600)) << "a release outside the window acted";

    ShowAfterMoving(p, 50, 100);
    EXPECT_TRUE(StillRunning(p, 300));
    EXPECT_EQ(ClickExit(p), 0u);
    EndPlayer(p.process);
}

TEST(PlayerEndToEnd, MissingPicturesAreReportedAndThePlayerGoesOn) {
    std::string empty = MakeTempDir("no-pictures");
    PlayerProcess process = StartPlayer(empty);
    ASSERT_NE(process.process, nullptr);
    char expected[500] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   expected, sizeof expected, nullptr);
    for (int box = 0; box < 2; ++box) {   // the button and its mask
        HWND w = WaitForWindow(process.processId, "#32770", nullptr, 20000);
        ASSERT_NE(w, nullptr) << "box " << box;
        EXPECT_EQ(DialogText(w), expected);
        PressDialogButton(w, IDOK);
        WaitForWindowGone(w, 5000);
    }
    Player p = {process, WaitForWindow(process.processId, "TAV", "TAV-Tunedeck 1.0", 20000)};
    ASSERT_NE(p.window, nullptr);

    // Open still opens the dialog; cancelled, nothing plays.
    ShowAfterMoving(p, 50, 60);
    ClickAt(p.window, 50, 60);
    HWND dialog = FindDialog("Open A File", 15000);
    ASSERT_NE(dialog, nullptr);
    PressDialogButton(dialog, IDCANCEL);
    WaitForWindowGone(dialog, 5000);
    EXPECT_EQ(ClickExit(p), 0u);
    EndPlayer(p.process);
}

TEST(PlayerEndToEnd, OpenPlaysTheChosenFileAndStopStopsIt) {
    std::string raw = CapturedSoundPath();
    ASSERT_FALSE(raw.empty()) << "no sound capture set up for this test";
    DeleteFileA(raw.c_str());
    Player p = Start(PlayerAssetsDir());
    ASSERT_NE(p.window, nullptr);

    ShowAfterMoving(p, 50, 60);
    ClickAt(p.window, 50, 60);
    HWND dialog = FindDialog("Open A File", 15000);
    ASSERT_NE(dialog, nullptr);
    ShowAfterMoving(p, 200, 20);   // away from Open, so the dialog's closing is not taken as a click
    ASSERT_TRUE(AnswerOpenDialog(dialog, BuildPath("tests/app/tone_660.wav")));
    WaitForWindowGone(dialog, 5000);

    // The tone lasts 30 s. The capture device takes sound as fast as it
    // comes, faster than real time, so stop early and check the sound ended
    // well before the tone's end and nothing more came after Stop.
    const std::size_t toneFrames = 30 * 44100;
    PumpFor(2000);
    std::vector<std::int16_t> played = ReadCapturedSound(raw);
    EXPECT_NEAR(DominantFrequency(played, 44100), 660.0, 15.0) << played.size() / 2 << " frames captured";
    EXPECT_GT(SoundLevel(played), 1000.0);

    ClickAt(p.window, 185, 95);
    PumpFor(500);
    std::size_t atStop = ReadCapturedSound(raw).size() / 2;
    PumpFor(2000);
    std::size_t later = ReadCapturedSound(raw).size() / 2;
    EXPECT_LT(later - atStop, 4410u) << "sound went on after Stop";
    EXPECT_LT(later, toneFrames * 8 / 10) << "the whole tone played";

    EXPECT_EQ(ClickExit(p), 0u);
    EndPlayer(p.process);
}

}  // namespace
