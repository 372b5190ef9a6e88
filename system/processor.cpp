// Processor query: CPUID and EMMS behind two small procedures. On a processor
// that is not x86 there is no MMX: HasMmx answers 0 and EndMmx does nothing.
#include "system/processor.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <mmintrin.h>
#endif

std::int32_t HasMmx() {
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // __get_cpuid also answers 0 where leaf 1 (or CPUID itself) is missing.
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return 0;
    return std::int32_t((edx >> 23) & 1u);
#else
    return 0;
#endif
}

void EndMmx() {
#if defined(__i386__) || defined(__x86_64__)
    _mm_empty();
#endif
}
