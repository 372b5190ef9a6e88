// The play request through the real "Open A File" dialog, answered from a
// helper thread as a person would while the window's thread is inside the
// request.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "app/playback.h"
#include "app/window.h"
#include "harness/harness.h"
#include "playback/playback_support.h"

namespace {

// A device id nobody opened: shows that a request left DeviceId alone.
constexpr MCIDEVICEID UntouchedId = 0x5A5A;

class PlayRequestDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(PlayerWindow(), nullptr);
        ResetIdle();
        PlaybackState.DeviceId = UntouchedId;
    }
    void TearDown() override { ResetIdle(); }
};

TEST_F(PlayRequestDialog, CancelLeavesThePlayerIdleAndTheNextRequestAsksAgain) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        DialogScript script = CancelScript(8000);
        SendPlayRequestWith(script);
        EXPECT_TRUE(script.found);
        EXPECT_EQ(PlaybackState.IsPlaying, 0);
        EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);
        EXPECT_EQ(PlaybackState.FileNameBuffer[0], '\0');
    }
    const OPENFILENAMEA& ofn = PlaybackState.OpenFileRecord;
    EXPECT_EQ(ofn.lStructSize, DWORD(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(OpenFileRecordSize, DWORD(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(ofn.Flags & 0x281000u, 0x281000u);
    EXPECT_EQ(ofn.hwndOwner, nullptr);
    EXPECT_EQ(ofn.nMaxFile, 260u);
    EXPECT_STREQ(ofn.lpstrTitle, "Open A File");
    EXPECT_EQ(ofn.lpstrCustomFilter, nullptr);
    EXPECT_EQ(ofn.lpstrInitialDir, nullptr);
}

TEST_F(PlayRequestDialog, OffersTwoFiltersAndPreselectsTheLastOneChosen) {
    PlaybackState.OpenFileRecord.nFilterIndex = 0;
    std::string notes = ScratchFile("notes.TEXT", "Not a tune.\r\n");

    DialogScript first = AnswerScript(notes, 1);
    SendPlayRequestWith(first);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(first.filterItems, (std::vector<std::string>{"All files", "Text files"}));
    EXPECT_EQ(first.preselectedFilter, 0);
    EXPECT_STREQ(PlaybackState.FileNameBuffer, notes.c_str());
    EXPECT_EQ(PlaybackState.OpenFileRecord.nFilterIndex, 2u);
    // A text file is no tune: nothing plays and the player stays idle.
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
    EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);

    DialogScript second = CancelScript(8000);
    SendPlayRequestWith(second);
    ASSERT_TRUE(second.found);
    EXPECT_EQ(second.preselectedFilter, 1);
}

TEST_F(PlayRequestDialog, ChosenTunePlaysToItsEnd) {
    ClearCapture();
    DialogScript script = AnswerScript(MediaPath("tone440.mp3"));
    SendPlayRequestWith(script);
    DWORD answered = GetTickCount();
    ASSERT_TRUE(script.found);
    EXPECT_STREQ(PlaybackState.FileNameBuffer, MediaPath("tone440.mp3").c_str());
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    MCIDEVICEID device = PlaybackState.DeviceId;
    EXPECT_NE(device, UntouchedId);
    EXPECT_TRUE(DeviceIsOpen(device));

    int toSound = WaitForSound(answered, 8000);
    EXPECT_GE(toSound, 0);
    EXPECT_TRUE(WaitForIdle(10000)) << "no completion notice";
    EXPECT_FALSE(DeviceIsOpen(device));
    double heard = DominantFrequency(CapturedSound(), 44100);
    EXPECT_NEAR(heard, 440.0, 440.0 * 0.03);
    std::printf("[ figures  ] play request: request returned to sound %d ms, heard %.1f Hz\n", toSound, heard);
}

TEST_F(PlayRequestDialog, RequestWhilePlayingOpensNoDialog) {
    MCIDEVICEID device = OpenAndPlayMpegVideo(PlayerWindow(), MediaPath("long1000.mp3").c_str());
    ASSERT_NE(device, 0u);
    PlaybackState.DeviceId = device;
    PlaybackState.IsPlaying = 1;
    DialogScript script = CancelScript(1500);
    SendPlayRequestWith(script);
    EXPECT_FALSE(script.found);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    EXPECT_EQ(PlaybackState.DeviceId, device);
    EXPECT_TRUE(DeviceIsOpen(device));
}

TEST_F(PlayRequestDialog, RequestFromInsideTheDialogOpensNoSecondDialog) {
    DialogScript script = CancelScript(8000);
    script.nestedRequest = true;
    SendPlayRequestWith(script);
    ASSERT_TRUE(script.found);
    EXPECT_TRUE(script.nestedReturned);
    EXPECT_EQ(script.dialogsDuringNested, 1);
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
    // The guard is lifted once the dialog is gone.
    DialogScript again = CancelScript(8000);
    SendPlayRequestWith(again);
    EXPECT_TRUE(again.found);
}

TEST_F(PlayRequestDialog, ChosenFileThatIsNoTuneLeavesThePlayerIdle) {
    const std::string files[] = {
        ScratchFile("letter.mp3", "Dear reader,\r\nthis is text.\r\n"),
        ScratchFile("nothing.mp3", ""),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        DialogScript script = AnswerScript(file);
        SendPlayRequestWith(script);
        ASSERT_TRUE(script.found);
        EXPECT_STREQ(PlaybackState.FileNameBuffer, file.c_str());
        PumpFor(300);
        EXPECT_EQ(PlaybackState.IsPlaying, 0);
        EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);
    }
}

}  // namespace
