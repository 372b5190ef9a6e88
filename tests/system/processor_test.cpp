// Processor query: every x86-64 processor has MMX, and after MMX code EndMmx
// gives the x87 registers back (without EMMS, x87 arithmetic yields NaN).
#include <gtest/gtest.h>

#include "system/processor.h"

TEST(Processor, ReportsMmxAndEndMmxFreesTheX87Registers) {
    asm volatile("pxor %%mm0, %%mm0" ::: "mm0");   // MMX code: every x87 register now counts as in use
    EndMmx();
    volatile long double x = 3;
    EXPECT_TRUE(double(x * x + 1) == 10.0 && (HasMmx() == 1 || sizeof(void*) == 4));   // a 32-bit processor may lack MMX
}
