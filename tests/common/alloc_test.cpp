// AllocZeroed: zero-filled blocks, and a failed allocation shown and ended.
#include <gtest/gtest.h>

#include "common/alloc.h"
#include "harness/harness.h"

namespace {

TEST(AllocZeroed, BlocksAreZeroFilledAndWritable) {
    for (std::uint32_t size : {1u, 40u, 6u * 1024 * 1024}) {
        auto* block = static_cast<unsigned char*>(AllocZeroed(size));
        ASSERT_NE(block, nullptr);
        for (std::uint32_t i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << size << " @" << i;
        block[size - 1] = 0xAB;
        FreeBlock(block);
    }
    FreeBlock(nullptr);   // ignored
}

// Once the message is answered the child ends with the failure code instead of
// running on with a null block.
TEST(AllocZeroed, FailureShowsTheMessageAndEndsTheProcess) {
    PlayerProcess child = StartProgram(BuildPath("tests/common/alloc_failure_child.exe"), "");
    ASSERT_NE(child.process, nullptr);
    HWND box = WaitForWindow(child.processId, "#32770", nullptr, 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(DialogText(box), "Memory allocation error");
    PressDialogButton(box, IDOK);
    DWORD code = 0;
    EXPECT_TRUE(WaitForExit(child, 15000, &code));
    EXPECT_EQ(code, DWORD(AllocFailureExitCode));
    EndPlayer(child);
}

}  // namespace
