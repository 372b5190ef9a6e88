// AllocZeroed: zero-filled blocks, and a failed allocation shown and ended.
#include <gtest/gtest.h>

#include "common/alloc.h"
#include "harness/harness.h"

namespace {

TEST(AllocZeroed, BlocksAreZeroFilledAndWritable) {
    for (std::uint32_t size : {1u, 40u, 4096u, 6u * 1024 * 1024}) {
        auto* block = static_cast<unsigned char*>(AllocZeroed(size));
        ASSERT_NE(block, nullptr);
        for (std::uint32_t i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << size << " @" << i;
        block[size - 1] = 0xAB;
        FreeBlock(block);
    }
    FreeBlock(nullptr);   // ignored
}

// The child exhausts its address space, then asks for a block: it must show
// the message, and once that is answered, end with the failure code instead of
// running on with a null block.
TEST(AllocZeroed, FailureShowsTheMessageAndEndsTheProcess) {
    std::string exe = BuildPath("tests/common/alloc_failure_child.exe");
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    PlayerProcess child = {pi.hProcess, pi.dwProcessId, nullptr};
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
