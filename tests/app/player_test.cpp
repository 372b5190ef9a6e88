// The player end to end, driven as a person would: the real executable under
// Wine, started from the folder the Windows download unpacks into (the test
// app_package_unpack makes the zip and unpacks it), the pointer moved and
// clicked through the platform's input, the screen read back, the real dialogs
// answered, the sound captured, the exit code taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "harness/harness.h"
#include "support/png.h"
#include "surfaces/surfaces.h"

constexpr int Width = 300, Height = 200;     // the panel the window shows
using Pixels = std::vector<std::uint32_t>;   // top row first, each 0x00RRGGBB

// What the screen shows of the window's client area; or, given a background,
// `prompts` written over a copy of it at (10, 10) in red in the surfaces' font.
static Pixels Shown(HWND window, const Pixels* background = nullptr, std::initializer_list<const char*> prompts = {}) {
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::uint32_t* bits = nullptr;
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HFONT font = CreateFontIndirectA(&SurfaceFont);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    if (background == nullptr) BitBlt(dc, 0, 0, Width, Height, screen, origin.x, origin.y, SRCCOPY);
    else std::memcpy(bits, background->data(), Width * Height * 4);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 0));
    for (const char* text : prompts) TextOutA(dc, 10, 10, text, lstrlenA(text));
    GdiFlush();
    Pixels p(bits, bits + Width * Height);
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return p;
}

static std::vector<bool> RedOfTopRows(const Pixels& p) {   // where the prompts are written
    std::vector<bool> red(Width * 40);
    for (int i = 0; i < Width * 40; ++i) red[i] = (p[i] >> 16 & 255) > 160 && (p[i] >> 8 & 255) < 100 && (p[i] & 255) < 100;
    return red;
}

static void SavePng(const char* name, HWND window, const Pixels& shown) {   // the client area, for a person to look at
    RECT r = {};
    GetClientRect(window, &r);
    WritePngBgrx(ArtifactPath(name), reinterpret_cast<const std::uint8_t*>(shown.data()), std::min<int>(r.right, Width), std::min<int>(r.bottom, Height), Width * 4, false);
}

static std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct RunningPlayer : PlayerProcess {   // ended whatever happens: ctest would wait for it
    ~RunningPlayer() { EndPlayer(*this); }
};

// A person's session: the panel and its prompts, a dialog cancelled, a file
// that is no tune, a tune that plays until "Stop", and "Exit".
TEST(Player, PanelPromptsOpenPlayStopAndExit) {
    const std::string notes = MakeTempDir("player") + "\\notes.TEXT", raw = CapturedSoundPath();
    ASSERT_TRUE(WriteTextFile(notes, "Not a tune.\r\n"));
    ClearCapturedSound();
    MovePointerTo(nullptr, 700, 600);   // off the window, so the panel shows no prompt
    RunningPlayer p{StartProgram(BuildPath("package-test/tunedeck.exe"), BuildPath("package-test"))};
    p.window = WaitForWindow(p.processId, "TAV", "TAV-Tunedeck 1.0", 20000);
    ASSERT_NE(p.window, nullptr);
    // Wait for the panel without a prompt: the screen may still hold an ended player's last picture.
    Pixels idle;
    ASSERT_TRUE(WaitUntil(5000, [&] {
        idle = Shown(p.window);
        return idle[0] == 0x00FCFC && RedOfTopRows(idle) == std::vector<bool>(Width * 40);
    }));
    SavePng("panel.png", p.window, idle);
    // The Stop button's picture, as assets/stop_button.txt draws it: a light face, a dark rim.
    for (const auto& [x, y, colour] : {std::tuple(185, 70, 0xE6E2D6u), std::tuple(152, 95, 0x4A4A4Au)}) {
        int off = 0;
        for (int shift : {0, 8, 16}) off += std::abs(int(idle[y * Width + x] >> shift & 255) - int(colour >> shift & 255));
        EXPECT_LE(off, 30) << x << ", " << y << ": " << std::hex << idle[y * Width + x];
    }

    // A case with no prompt follows one with a prompt, so the wait sees the change.
    const char *open = "Open a file and play it?", *exitNow = "Exit now?", *stop = "Stop playing?";
    const struct { int x, y; std::initializer_list<const char*> prompts; const char* what; } cases[] = {
        {50, 60, {open}, "Open"}, {116, 60, {}, "right of Open"}, {60, 85, {open, exitNow}, "row 85: both"},
        {50, 100, {exitNow}, "Exit"}, {210, 120, {}, "35.4 from Stop's centre"}, {10, 120, {exitNow}, "Exit's bottom-left corner"},
        {220, 95, {stop}, "Stop, 35 from its centre"}, {221, 95, {}, "just outside Stop"},
    };
    for (const auto& c : cases) {
        MovePointerTo(p.window, c.x, c.y);
        const std::vector<bool> expected = RedOfTopRows(Shown(p.window, &idle, c.prompts));
        Pixels shown;
        EXPECT_TRUE(WaitUntil(3000, [&] { shown = Shown(p.window); return RedOfTopRows(shown) == expected; })) << c.what;
        if (c.prompts.size() == 1 && *c.prompts.begin() == open) SavePng("panel_open_prompt.png", p.window, shown);
    }

    // Nothing chosen, or nothing playable, leaves the player idle, so Open asks
    // again. The dialog has no owner: Open clicked again while it is up (moved
    // aside, it covers the player) must bring up no second one over it. Tunes
    // named in any script are heard, until Stop; a path under 260 characters
    // but over the 260-byte buffer in UTF-8 plays nothing.
    const std::wstring dir(notes.begin(), notes.end() - 10), tone = Wide(BuildPath("tests/app/tone_660.mp3"));
    const std::wstring tooLong = dir + std::wstring(60, L'\x416') + L"\\" + std::wstring(60, L'\x436') + L".mp3";
    CreateDirectoryW(tooLong.substr(0, dir.size() + 60).c_str(), nullptr);
    const struct { std::wstring file; bool heard; } picks[] = {{L"", false}, {Wide(notes), false}, {tooLong, false},
        {dir + L"Лебединое озеро.mp3", true}, {dir + L"Ωδή στη χαρά.mp3", true}, {dir + L"歓喜の歌.mp3", true},
        {dir + L"\U0001F3B5 joy.mp3", true}, {tone, false}};   // the last is heard below
    for (const auto& [file, heard] : picks) {
        SCOPED_TRACE(testing::PrintToString(file));
        if (heard || file == tooLong) { ASSERT_TRUE(CopyFileW(tone.c_str(), file.c_str(), FALSE)); }
        ClearCapturedSound();
        ClickAt(p.window, 50, 60);
        HWND dialog = WaitForWindow(p.processId, "#32770", "Open A File", 15000);
        ASSERT_NE(dialog, nullptr);
        SetWindowPos(dialog, nullptr, 320, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ClickAt(p.window, 50, 60);
        EXPECT_FALSE(WaitUntil(500, [&] { return FindWindowExA(nullptr, nullptr, "#32770", "Open A File") != dialog; })) << "a second dialog";
        MovePointerTo(p.window, 200, 20);   // off Open, so the dialog's closing is not taken as a click
        SetDlgItemTextW(dialog, 0x47C, file.c_str());   // "File name" (cmb13)
        PressDialogButton(dialog, file.empty() ? IDCANCEL : IDOK);
        ASSERT_TRUE(WaitUntil(5000, [&] { return !IsWindow(dialog); }));
        if (!heard) continue;
        EXPECT_TRUE(WaitUntil(10000, [&] { return FindSound(ReadCapturedSound(raw)).first >= 0; })) << "not heard";
        ClickAt(p.window, 185, 95);   // Stop
        EXPECT_TRUE(WaitForSoundEnd(3000));
    }
    SoundSpan s = {};
    EXPECT_TRUE(WaitUntil(10000, [&] {
        s = FindSound(ReadCapturedSound(raw));
        return s.first >= 0 && s.last - s.first > 44100;
    })) << "no tone heard in " << raw;
    EXPECT_NEAR(s.upCrossings * 44100.0 / double(s.heard), 660.0, 15.0) << "the chosen tone";

    // While it plays, a release on row 85 acts as Open only, which opens no
    // dialog now; its play request becomes the last message, so Exit does not act.
    ClickAt(p.window, 60, 85);
    EXPECT_EQ(WaitForWindow(p.processId, "#32770", "Open A File", 1000), nullptr);
    EXPECT_FALSE(WaitForExit(p, 0, nullptr)) << "Exit acted on row 85";

    // The 30 s tone ends when "Stop" is clicked.
    MovePointerTo(p.window, 185, 95);
    const long clicked = long(ReadCapturedSound(raw, true).size() / 2);
    Click();
    EXPECT_TRUE(WaitForSoundEnd(3000)) << "sound went on after Stop";
    const long latencyMs = (FindSound(ReadCapturedSound(raw)).last - clicked) * 1000 / 44100;
    std::printf("[ figures  ] Stop: sound ended %ld ms after the click\n", latencyMs);
    // The ALSA file capture runs ahead of time: no latency to read there.
    EXPECT_TRUE(!SoundCaptureKeepsTime() || latencyMs <= 200) << latencyMs << " ms";

    ClickAt(p.window, 50, 100);   // Exit
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitForExit(p, 15000, &code));
    EXPECT_EQ(code, 0u);
}
