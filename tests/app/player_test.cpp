// The player end to end, driven as a person would: the real executable under
// Wine, the pointer moved and clicked through the platform's input, the screen
// read back, the real dialogs answered, the sound captured, the exit code taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "harness/harness.h"
#include "support/png.h"
#include "surfaces/surfaces.h"

namespace {

constexpr int Width = 300, Height = 200;     // the panel the window shows
using Pixels = std::vector<std::uint32_t>;   // top row first, each 0x00RRGGBB

// Runs `draw` on a 32-bit memory bitmap holding a copy of `background` (if any); gives its pixels.
template <typename Draw> Pixels Drawn(const Pixels* background, Draw draw) {
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::uint32_t* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    SelectObject(dc, bitmap);
    if (background != nullptr) std::memcpy(bits, background->data(), Width * Height * 4);
    draw(dc);
    GdiFlush();
    Pixels p(bits, bits + Width * Height);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return p;
}

Pixels Capture(HWND window) {   // what the screen shows of the window's client area
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Pixels p = Drawn(nullptr, [&](HDC dc) { BitBlt(dc, 0, 0, Width, Height, screen, origin.x, origin.y, SRCCOPY); });
    ReleaseDC(nullptr, screen);
    return p;
}

// Red pixels of the top rows where the prompts, written at (10, 10) over
// `background` in red in the surfaces' font, would be.
std::vector<bool> RedOfTopRows(const Pixels& background, std::initializer_list<const char*> prompts = {}) {
    Pixels p = Drawn(&background, [&](HDC dc) {
        SelectObject(dc, CreateFontIndirectA(&SurfaceFont));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 0, 0));
        for (const char* text : prompts) TextOutA(dc, 10, 10, text, lstrlenA(text));
        DeleteObject(SelectObject(dc, GetStockObject(SYSTEM_FONT)));
    });
    std::vector<bool> red(Width * 40);
    for (int i = 0; i < Width * 40; ++i) red[i] = (p[i] >> 16 & 255) > 160 && (p[i] >> 8 & 255) < 100 && (p[i] & 255) < 100;
    return red;
}

template <typename Condition> bool Within(int ms, Condition ok) {   // polls until ok() or the time is up
    for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms); PumpFor(40))
        if (ok()) return true;
    return false;
}

// Each test's player, ended whatever happens (ctest would wait for it).
class Player : public ::testing::Test {
protected:
    void TearDown() override { EndPlayer(p); }
    // Starts the player from `dir` and waits for its panel with no prompt (a
    // display without a window manager keeps an ended player's last picture).
    Pixels Start(const std::string& dir) {
        MovePointerTo(nullptr, 700, 600);   // off the window, so the panel shows no prompt
        p = StartProgram(BuildPath("app/tunedeck.exe"), dir);
        p.window = WaitForWindow(p.processId, "TAV", "TAV-Tunedeck 1.0", 20000);
        Pixels shown;
        bool ok = p.window != nullptr && Within(5000, [&] {
            shown = Capture(p.window);
            return shown[0] == 0x00FCFC && RedOfTopRows(shown) == std::vector<bool>(Width * 40);
        });
        return ok ? shown : Pixels{};
    }
    void SavePng(const char* name, const Pixels& shown) {   // the client area, for a person to look at
        RECT r = {};
        GetClientRect(p.window, &r);
        WritePngBgrx(ArtifactPath(name), reinterpret_cast<const std::uint8_t*>(shown.data()), std::min<int>(r.right, Width),
                     std::min<int>(r.bottom, Height), Width * 4, false);
    }
    DWORD ClickExit() {
        ClickAt(p.window, 50, 100);
        DWORD code = 0xDEAD;
        WaitForExit(p, 10000, &code);
        return code;
    }
    PlayerProcess p = {};
};

TEST_F(Player, ShowsThePanelAndAnswersThePointer) {
    const Pixels idle = Start(PlayerAssetsDir());
    ASSERT_FALSE(idle.empty()) << "no panel";
    SavePng("panel.png", idle);
    // The gradient at the top, lower down and inside Open and Exit; Stop's face within what JPEG moves a channel.
    const struct { int x, y; std::uint32_t rgb; int tolerance; } samples[] = {
        {150, 2, 0x00FBFB, 0}, {5, 140, 0x00A3A3, 0}, {100, 52, 0x00F1F1, 0}, {100, 88, 0x00F1F1, 0}, {185, 95, 0xE6E2D6, 12}};
    for (const auto& s : samples)
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR(int(idle[s.y * Width + s.x] >> shift & 255), int(s.rgb >> shift & 255), s.tolerance) << s.x << ", " << s.y;

    // A case with no prompt follows one with a prompt, so the wait sees the change.
    const char *open = "Open a file and play it?", *exitNow = "Exit now?", *stop = "Stop playing?";
    const struct { int x, y; std::initializer_list<const char*> prompts; const char* what; } cases[] = {
        {50, 60, {open}, "Open"}, {116, 60, {}, "right of Open"}, {60, 85, {open, exitNow}, "row 85: both"},
        {50, 100, {exitNow}, "Exit"}, {210, 120, {}, "35.4 from Stop's centre"}, {10, 120, {exitNow}, "Exit's bottom-left corner"},
        {220, 95, {stop}, "Stop, 35 from its centre"}, {221, 95, {}, "just outside Stop"},
    };
    for (const auto& c : cases) {
        MovePointerTo(p.window, c.x, c.y);
        Pixels shown;
        EXPECT_TRUE(Within(3000, [&] { shown = Capture(p.window); return RedOfTopRows(shown) == RedOfTopRows(idle, c.prompts); })) << c.what;
        if (c.prompts.size() == 1 && *c.prompts.begin() == open) SavePng("panel_open_prompt.png", shown);
    }

    // Releases that are not the last message do nothing: one followed by a
    // move in the same batch of input, and one outside the window, after
    // which the prompt of the control left stays.
    MovePointerTo(p.window, 50, 100);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    MovePointerTo(p.window, 52, 101, MOUSEEVENTF_LEFTUP);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    MovePointerTo(nullptr, 700, 600);
    SendButton(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(WaitForExit(p, 1000, nullptr)) << "Exit acted";
    EXPECT_EQ(RedOfTopRows(Capture(p.window)), RedOfTopRows(idle, {exitNow}));
    EXPECT_EQ(ClickExit(), 0u);
}

TEST_F(Player, MissingPicturesAreReportedAndClosingEndsWithZero) {
    p = StartProgram(BuildPath("app/tunedeck.exe"), MakeTempDir("no-pictures"));
    char expected[500] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected, sizeof expected, nullptr);
    for (int box = 0; box < 2; ++box) {   // the button and its mask
        HWND w = WaitForWindow(p.processId, "#32770", nullptr, 20000);
        ASSERT_NE(w, nullptr) << "box " << box;
        EXPECT_EQ(DialogText(w), expected);
        PressDialogButton(w, IDOK);
        WaitForWindowGone(w, 5000);
    }
    p.window = WaitForWindow(p.processId, "TAV", "TAV-Tunedeck 1.0", 20000);
    ASSERT_NE(p.window, nullptr);
    RECT r = {};
    GetWindowRect(p.window, &r);
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 300 && r.bottom == 200);

    // Alt+F4 reaches the default procedure, which closes the window.
    EXPECT_TRUE(Within(3000, [&] { SetForegroundWindow(p.window); return GetForegroundWindow() == p.window; }));
    for (WORD key : {VK_MENU, VK_F4}) SendKey(key, false);
    for (WORD key : {VK_F4, VK_MENU}) SendKey(key, true);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitForExit(p, 15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(Player, OpenPlaysTheChosenFileAndStopStopsIt) {
    const std::string raw = CapturedSoundPath();
    ASSERT_FALSE(raw.empty()) << "no sound capture set up for this test";
    ClearCapturedSound();
    ASSERT_FALSE(Start(PlayerAssetsDir()).empty());
    ClickAt(p.window, 50, 60);
    HWND dialog = FindDialog("Open A File", 15000);
    ASSERT_NE(dialog, nullptr);
    MovePointerTo(p.window, 200, 20);   // away from Open, so the dialog's closing is not taken as a click
    ASSERT_TRUE(AnswerOpenDialog(dialog, BuildPath("tests/app/tone_660.wav")));

    std::vector<std::int16_t> played;   // up to the last audible frame
    long first = -1;
    EXPECT_TRUE(Within(10000, [&] {
        played = ReadCapturedSound(raw);
        first = FindSound(played).first;
        return first >= 0 && long(played.size() / 2) - first > 44100;
    }));
    EXPECT_NEAR(DominantFrequency(played, 44100), 660.0, 15.0);
    EXPECT_GT(SoundLevel({played.begin() + 2 * std::max(first, 0L), played.end()}), 1000.0);
    // While playing, a release on row 85 acts as Open only: the play request
    // it sends becomes the last message, so Exit does not act in that tick.
    ClickAt(p.window, 60, 85);
    EXPECT_FALSE(WaitForExit(p, 1000, nullptr)) << "Exit acted on row 85";

    // The 30 s tone is stopped early; nothing more may come after Stop.
    ClickAt(p.window, 185, 95);
    PumpFor(500);   // nothing to wait for but time: the check is that no more sound comes
    const std::size_t atStop = ReadCapturedSound(raw).size() / 2;
    PumpFor(2000);
    const std::size_t later = ReadCapturedSound(raw).size() / 2;
    EXPECT_LT(later - atStop, 4410u) << "sound went on after Stop";
    EXPECT_LT(later, 30u * 44100 * 8 / 10) << "the whole tone played";
    EXPECT_EQ(ClickExit(), 0u);
}

}  // namespace
