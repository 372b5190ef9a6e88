// The main window in this process: keys reaching the key table through real
// input, the tables WM_DESTROY frees, and no window at all. (Pointer input and
// the exit code after closing are seen end to end, in player_test.cpp.)
#include <gtest/gtest.h>

#include "app/window.h"
#include "harness/harness.h"
#include "mathlib/tables.h"
#include "surfaces/surface_state.h"

static LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindow, RecordsKeysShutsDownAndEndsWithoutAWindow) {
    HWND window = OpenPlayerWindow();
    ASSERT_NE(window, nullptr);
    SetFocus(window);
    for (bool release : {false, false, true}) {   // down, auto-repeat, up
        INPUT key = {INPUT_KEYBOARD, {}};
        key.ki = {VK_F5, 0, DWORD(release ? KEYEVENTF_KEYUP : 0), 0, 0};
        SendInput(1, &key, sizeof key);
        EXPECT_TRUE(WaitUntil(3000, [&] { return QueryKeyState(VK_F5) == std::uintptr_t(!release); })) << release;
    }
    DestroyWindow(window);
    EXPECT_TRUE(LookupTables.FixedCosTable == nullptr && LookupTables.SqrtTable == nullptr && LookupTables.NumberTable == nullptr);

    // Without a window no quit message would ever come: RunMainWindow ends at once, with 1.
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    EXPECT_EQ(RunMainWindow(GetModuleHandleA(nullptr)), 1);
    UnhookWindowsHookEx(hook);
}
