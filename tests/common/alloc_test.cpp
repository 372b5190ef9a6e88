// A block AllocZeroed cannot supply: the message, and once it is answered the
// process ends with the failure code instead of running on with a null block.
#include <gtest/gtest.h>

#include "common/alloc.h"
#include "harness/harness.h"

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
