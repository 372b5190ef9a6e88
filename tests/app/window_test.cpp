// The main window in this process: its class, what real pointer and key input
// records, and shut-down by WM_DESTROY.
#include <gtest/gtest.h>

#include "app/window.h"
#include "common/input.h"
#include "harness/harness.h"
#include "mathlib/tables.h"
#include "surfaces/surface_state.h"

namespace {

constexpr WORD Key = VK_F5;   // a key that makes no character, so WM_KEYDOWN stays the last message

struct Expected { std::uint32_t x, y; std::int32_t down; UINT last; std::uint32_t key; };

bool Reached(void* context) {
    const auto& e = *static_cast<const Expected*>(context);
    return InputState.MouseX == e.x && InputState.MouseY == e.y && InputState.LeftButtonDown == e.down &&
           InputState.LastMessageId == e.last && QueryKeyState(Key) == e.key;
}

TEST(MainWindow, RecordsRealInputAndShutsDown) {
    HWND window = OpenPlayerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), ULONG_PTR(CS_HREDRAW | CS_VREDRAW));   // no double clicks
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_BTNFACE + 1));
    SetFocus(window);
    // Each step's input, and the state the window procedure must reach from it.
    const struct { const char* what; void (*input)(HWND); Expected state; } steps[] = {
        {"move", [](HWND w) { MovePointerTo(w, 37, 41); }, {37, 41, 0, WM_MOUSEMOVE, 0}},
        {"press", [](HWND) { SendButton(MOUSEEVENTF_LEFTDOWN); }, {37, 41, 1, WM_LBUTTONDOWN, 0}},
        {"release", [](HWND) { SendButton(MOUSEEVENTF_LEFTUP); }, {37, 41, 0, WM_LBUTTONUP, 0}},
        {"key down", [](HWND) { SendKey(Key, false); }, {37, 41, 0, WM_KEYDOWN, 1}},
        // A repeat keeps the key down; the release of another key after it shows it has gone by.
        {"key repeat", [](HWND) { SendKey(Key, false); SendKey(VK_SHIFT, true); }, {37, 41, 0, WM_KEYUP, 1}},
        {"key up", [](HWND) { SendKey(Key, true); }, {37, 41, 0, WM_KEYUP, 0}},
        // Pressed inside, released outside (no capture): the window keeps the
        // last position and the button down. The key after it shows that the
        // release has gone by.
        {"release outside", [](HWND w) {
             MovePointerTo(w, 120, 60);
             SendButton(MOUSEEVENTF_LEFTDOWN);
             MovePointerTo(nullptr, 700, 600);
             SendButton(MOUSEEVENTF_LEFTUP);
             SendKey(Key, false);
         }, {120, 60, 1, WM_KEYDOWN, 1}},
    };
    for (const auto& s : steps) {
        s.input(window);
        Expected e = s.state;
        EXPECT_TRUE(WaitUntil(3000, Reached, &e)) << s.what << ": at " << InputState.MouseX << ", " << InputState.MouseY
            << " down " << InputState.LeftButtonDown << " last 0x" << std::hex << InputState.LastMessageId;
    }
    SendKey(Key, true);

    const float sinAt900 = FloatSin(900);
    DestroyWindow(window);
    EXPECT_TRUE(LookupTables.FixedCosTable == nullptr && LookupTables.SqrtTable == nullptr && LookupTables.NumberTable == nullptr);
    EXPECT_EQ(FloatSin(900), sinAt900);   // the float tables live on
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

}  // namespace
