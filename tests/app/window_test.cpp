// The main window in this process: its class, keys reaching the key table
// through real input, shut-down by WM_DESTROY, and no window at all. (Pointer input is seen end
// to end, in player_test.cpp.)
#include <gtest/gtest.h>

#include "app/window.h"
#include "harness/harness.h"
#include "mathlib/tables.h"
#include "surfaces/surface_state.h"

namespace {

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindow, RecordsKeysShutsDownAndEndsWithoutAWindow) {
    HWND window = OpenPlayerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), ULONG_PTR(CS_HREDRAW | CS_VREDRAW));   // no double clicks
    SetFocus(window);
    for (bool release : {false, false, true}) {   // down, auto-repeat, up
        SendKey(VK_F5, release);
        std::uintptr_t down = !release;
        EXPECT_TRUE(WaitUntil(3000, [](void* d) { return QueryKeyState(VK_F5) == *static_cast<std::uintptr_t*>(d); }, &down)) << release;
    }
    const float sinAt900 = FloatSin(900);
    DestroyWindow(window);
    EXPECT_TRUE(LookupTables.FixedCosTable == nullptr && LookupTables.SqrtTable == nullptr && LookupTables.NumberTable == nullptr);
    EXPECT_TRUE(FloatSin(900) == sinAt900 && LookupTables.RowOffsetTable[768] == 786432);   // the float and row tables live on
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);

    // Without a window no quit message would ever come: RunMainWindow ends at once, with 1.
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    EXPECT_EQ(RunMainWindow(GetModuleHandleA(nullptr)), 1);
    UnhookWindowsHookEx(hook);
}

}  // namespace
