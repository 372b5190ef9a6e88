// The play request through the real "Open A File" dialog, answered from a
// helper thread as a person would while the window's thread is inside the
// request.
#include <gtest/gtest.h>

#include <cstdio>

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

TEST_F(PlayRequestDialog, OffersTwoFiltersAndPreselectsTheLastOneChosen) {
    PlaybackState.OpenFileRecord.nFilterIndex = 0;
    std::string notes = ScratchFile("notes.TEXT", "Not a tune.\r\n");

    DialogScript first(notes, 1);
    SendPlayRequestWith(first);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(first.filterItems, (std::vector<std::string>{"All files", "Text files"}));
    EXPECT_EQ(first.preselectedFilter, 0);
    EXPECT_STREQ(PlaybackState.FileNameBuffer, notes.c_str());
    // A text file is no tune: nothing plays and the player stays idle.
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
    EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);

    DialogScript second;
    SendPlayRequestWith(second);
    ASSERT_TRUE(second.found);
    EXPECT_EQ(second.preselectedFilter, 1);
}

TEST_F(PlayRequestDialog, ChosenTunePlaysToItsEndAndARequestMeanwhileOpensNoDialog) {
    ClearCapture();
    DialogScript script(MediaPath("long1000.mp3"));
    SendPlayRequestWith(script);
    DWORD answered = GetTickCount();
    ASSERT_TRUE(script.found);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    MCIDEVICEID device = PlaybackState.DeviceId;
    int toSound = WaitForSound(answered, 8000);
    EXPECT_GE(toSound, 0);

    DialogScript meanwhile;
    meanwhile.waitMs = 1500;
    SendPlayRequestWith(meanwhile);
    EXPECT_FALSE(meanwhile.found);
    EXPECT_EQ(PlaybackState.IsPlaying, 1);
    EXPECT_EQ(PlaybackState.DeviceId, device);

    EXPECT_TRUE(WaitForIdle(15000)) << "no completion notice";
    EXPECT_FALSE(DeviceIsOpen(device));
    double heard = DominantFrequency(CapturedSound(), 44100);
    EXPECT_NEAR(heard, 1000.0, 1000.0 * 0.03);
    std::printf("[ figures  ] play request: request returned to sound %d ms, heard %.1f Hz\n", toSound, heard);
}

// Cancelling, with a second request sent from inside the open dialog.
TEST_F(PlayRequestDialog, CancelLeavesThePlayerIdleAndANestedRequestOpensNoSecondDialog) {
    DialogScript script;
    script.nestedRequest = true;
    SendPlayRequestWith(script);
    ASSERT_TRUE(script.found);
    EXPECT_TRUE(script.nestedReturned);
    EXPECT_EQ(script.dialogsDuringNested, 1);
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
    EXPECT_EQ(PlaybackState.DeviceId, UntouchedId);
    // Neither the cancel nor the guard against nesting outlives the dialog.
    DialogScript again;
    SendPlayRequestWith(again);
    EXPECT_TRUE(again.found);
    EXPECT_EQ(PlaybackState.IsPlaying, 0);
}

}  // namespace
