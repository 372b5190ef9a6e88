// The main window in this process: class record, input recording through real
// pointer and key input, and shut-down by WM_DESTROY.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/input.h"
#include "app/window.h"
#include "harness/harness.h"
#include "mathlib/tables.h"
#include "surfaces/surfaces.h"

namespace {

HWND Window = nullptr;

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Window = OpenPlayerWindow(); }
    void SetUp() override { ASSERT_NE(Window, nullptr); }
};

TEST_F(MainWindowTest, ClassTitleAndPlace) {
    char text[64] = {};
    GetClassNameA(Window, text, sizeof text);
    EXPECT_STREQ(text, "TAV");
    GetWindowTextA(Window, text, sizeof text);
    EXPECT_STREQ(text, "TAV-Tunedeck 1.0");
    RECT r = {};
    GetWindowRect(Window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 200);
    EXPECT_EQ(GetClassLongPtrA(Window, GCL_STYLE), ULONG_PTR(CS_HREDRAW | CS_VREDRAW));   // no CS_DBLCLKS
    EXPECT_EQ(GetClassLongPtrA(Window, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_BTNFACE + 1));
    EXPECT_EQ(LONG(GetWindowLongPtrA(Window, GWL_STYLE) & WS_OVERLAPPEDWINDOW), LONG(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(MainWindow, Window);
}

TEST_F(MainWindowTest, StartUpMadeSurfacesTablesAndKeyTable) {
    EXPECT_NE(SurfaceState.WindowDC, nullptr);
    EXPECT_NE(GetPixelBuffer(), nullptr);
    EXPECT_NE(GetScreenDC(), nullptr);
    EXPECT_NE(GetWorkBits(), nullptr);
    EXPECT_NE(SurfaceState.keyStateTable, nullptr);
    EXPECT_NE(LookupTables.FixedCosTable, nullptr);
    EXPECT_NE(LookupTables.NumberTable, nullptr);
}

TEST_F(MainWindowTest, PointerMovesAndButtonsAreRecorded) {
    MovePointerTo(Window, 37, 41);
    PumpFor(150);
    EXPECT_EQ(InputState.MouseX, 37u);
    EXPECT_EQ(InputState.MouseY, 41u);

    PressLeft();
    PumpFor(100);
    EXPECT_EQ(InputState.LeftButtonDown, 1);
    ReleaseLeft();
    PumpFor(100);
    EXPECT_EQ(InputState.LeftButtonDown, 0);
    // With the pointer still, the release stays the last message: the panel's
    // click test depends on that.
    PumpFor(300);
    EXPECT_EQ(InputState.LastMessageId, UINT(WM_LBUTTONUP));

    // A quick second click arrives as a press, never as a double click.
    PressLeft();
    PumpFor(50);
    EXPECT_EQ(InputState.LeftButtonDown, 1);
    EXPECT_EQ(InputState.LastMessageId, UINT(WM_LBUTTONDOWN));
    ReleaseLeft();
    PumpFor(100);
}

TEST_F(MainWindowTest, LeavingTheWindowKeepsTheLastPositionAndButton) {
    MovePointerTo(Window, 120, 60);
    PumpFor(100);
    PressLeft();
    PumpFor(50);
    MovePointerToScreen(700, 600);   // well outside the 300x200 window
    PumpFor(100);
    ReleaseLeft();                   // no capture: the release goes elsewhere
    PumpFor(150);
    EXPECT_EQ(InputState.MouseX, 120u);
    EXPECT_EQ(InputState.MouseY, 60u);
    EXPECT_EQ(InputState.LeftButtonDown, 1);
    ClickAt(Window, 250, 30);   // on no control: lets go of the button inside again
    PumpFor(100);
}

TEST_F(MainWindowTest, KeysAreRecordedWhileDown) {
    SetForegroundWindow(Window);
    SetFocus(Window);
    PumpFor(100);
    PressKey('K');
    PumpFor(100);
    EXPECT_EQ(QueryKeyState('K'), 1u);
    PressKey('K');   // auto-repeat keeps it down
    PumpFor(50);
    EXPECT_EQ(QueryKeyState('K'), 1u);
    ReleaseKey('K');
    PumpFor(100);
    EXPECT_EQ(QueryKeyState('K'), 0u);
    EXPECT_EQ(InputState.LastMessageId, UINT(WM_KEYUP));
}

TEST_F(MainWindowTest, RefreshTicksAreCountedEachSecond) {
    PumpFor(2200);
    // About 25 on an idle machine; the figure is reported, not judged.
    EXPECT_GT(InputState.FramesPerSecond, 0);
    std::printf("frames per second: %d\n", int(InputState.FramesPerSecond));
    RecordProperty("FramesPerSecond", InputState.FramesPerSecond);
}

// Runs last: destroying the window ends the test window's life.
TEST_F(MainWindowTest, DestroyFreesTablesAndPostsQuit) {
    float sinAt900 = FloatSin(900);
    DestroyWindow(Window);
    EXPECT_EQ(LookupTables.FixedCosTable, nullptr);
    EXPECT_EQ(LookupTables.SqrtTable, nullptr);
    EXPECT_EQ(LookupTables.NumberTable, nullptr);
    EXPECT_EQ(FloatSin(900), sinAt900);   // the float tables live on
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    Window = nullptr;
}

}  // namespace
