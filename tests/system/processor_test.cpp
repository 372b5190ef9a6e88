// The processor query against what the host's kernel reports, and EMMS shown
// to matter: x87 arithmetic right after an MMX instruction fails without it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "system/processor.h"

// 1 + 1 on the x87 stack after an MMX instruction, with or without EndMmx between.
static float X87SumAfterMmx(bool endMmx) {
    float sum = 0;
    asm volatile("pxor %%mm0, %%mm0" ::: "mm0");
    if (endMmx) EndMmx();
    asm volatile("fld1\n\tfld1\n\tfaddp\n\tfstps %0" : "=m"(sum));
    EndMmx();   // leave the x87 stack usable whatever happened
    return sum;
}

TEST(Processor, HasMmxMatchesTheKernelAndEndMmxLetsX87WorkAgain) {
    // Under Wine the tests run from a folder on Z:, the host's root, so this
    // is the host's file there too.
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string word;
    while (cpuinfo >> word && word != "mmx") {}   // a whole word "mmx" appears only among the flags
    ASSERT_EQ(HasMmx(), word == "mmx" ? 1 : 0);
    if (HasMmx() == 0) GTEST_SKIP() << "this processor has no MMX";
    EXPECT_TRUE(std::isnan(X87SumAfterMmx(false))) << "without EMMS the full x87 stack should overflow";
    EXPECT_EQ(X87SumAfterMmx(true), 2.0f);
}
