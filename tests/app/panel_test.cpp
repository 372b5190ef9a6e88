// The control panel in this process: the composed picture, and what one
// refresh tick does for each pointer position and last message. What it shows
// under the real pointer is checked end to end (panel_e2e_test.cpp).
#include <gtest/gtest.h>

#include "app/input.h"
#include "app/panel.h"
#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"
#include "panel_view.h"
#include "surfaces/surfaces.h"

namespace {

HWND Window = nullptr;

// One tick with the pointer at (x, y) after `message`.
void TickAt(int x, int y, UINT message) {
    InputState.MouseX = std::uint32_t(x);
    InputState.MouseY = std::uint32_t(y);
    InputState.LastMessageId = message;
    RefreshTick(Window, WM_TIMER, RefreshTimerId, 0);
}

bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class PanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Window = OpenPlayerWindow();
        // The tests drive the tick themselves; the timer's own ticks would race them.
        KillTimer(Window, RefreshTimerId);
    }
    void SetUp() override {
        ASSERT_NE(PanelState.PanelSurface, nullptr);
        PlaybackState.IsPlaying = 0;
        QuitPosted();
    }
};

TEST_F(PanelTest, ComposedPanelHasGradientButtonsAndTheRoundButton) {
    HDC panel = PanelState.PanelSurface;
    // Green and blue fall from near full at the top to half at the bottom.
    struct Sample { int x, y; COLORREF colour; int tolerance; const char* what; } samples[] = {
        {0, 0, RGB(0, 252, 252), 0, "background, top row"},
        {299, 100, RGB(0, 189, 189), 0, "background, middle"},
        {5, 197, RGB(0, 127, 127), 0, "background, last painted row"},
        {12, 50, RGB(0, 247, 247), 0, "Open, top row"},
        {12, 84, RGB(0, 139, 139), 0, "Open, bottom row"},
        {12, 86, RGB(0, 247, 247), 0, "Exit, top row"},
        {185, 95, RGB(0xE6, 0xE2, 0xD6), 12, "Stop, face"},
        {260, 150, RGB(0, 157, 157), 6, "beside Stop: mask white, picture black"},
    };
    for (const Sample& s : samples) {
        EXPECT_TRUE(NearColour(GetPixel(panel, s.x, s.y), s.colour, s.tolerance))
            << s.what << ": " << std::hex << GetPixel(panel, s.x, s.y);
    }
    // Red labels on all three buttons.
    struct Label { int left, top, right, bottom; const char* what; } labels[] = {
        {10, 50, 115, 85, "Open"}, {10, 86, 115, 121, "Exit"}, {160, 80, 215, 110, "Stop"},
    };
    for (const Label& l : labels) {
        int red = 0;
        for (int y = l.top; y < l.bottom; ++y)
            for (int x = l.left; x < l.right; ++x) red += NearColour(GetPixel(panel, x, y), RGB(255, 0, 0), 60);
        EXPECT_GT(red, 15) << l.what;
    }
}

TEST_F(PanelTest, EachTickIsCountedAndPresented) {
    InputState.FrameCount = 0;
    for (int i = 0; i < 3; ++i) TickAt(200, 20, WM_MOUSEMOVE);
    EXPECT_EQ(InputState.FrameCount, 3);
    EXPECT_TRUE(PresentFrame());
}

TEST_F(PanelTest, ReleaseActsOnlyWhileItIsTheLastMessage) {
    TickAt(50, 100, WM_MOUSEMOVE);
    EXPECT_FALSE(QuitPosted());
    TickAt(50, 100, WM_LBUTTONDOWN);
    EXPECT_FALSE(QuitPosted());
    TickAt(50, 100, WM_LBUTTONUP);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(PanelTest, StopClosesTheDeviceAndClearsPlaying) {
    PlaybackState.IsPlaying = 1;
    TickAt(185, 95, WM_MOUSEMOVE);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    TickAt(185, 95, WM_LBUTTONUP);
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
    TickAt(185, 95, WM_LBUTTONUP);   // repeats harmlessly while the pointer stays
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
}

TEST_F(PanelTest, ReleaseOnRow85ActsAsOpenOnly) {
    // While playing, the play request returns at once, but it is now the last
    // message, so Exit's click test in the same tick does not act.
    PlaybackState.IsPlaying = 1;
    TickAt(60, 85, WM_LBUTTONUP);
    EXPECT_EQ(InputState.LastMessageId, UINT(PlayRequest));
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
}

}  // namespace
