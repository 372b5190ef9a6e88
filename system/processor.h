/// @file
/// Processor query for fast-drawing code: whether MMX exists, and leaving MMX
/// use so that x87 floating point works again. Platform-free.
#pragma once
#include <cstdint>

/// @addtogroup system
/// @{

std::int32_t HasMmx();   ///< 1 when CPUID leaf 1 reports MMX (EDX bit 23), else 0
void EndMmx();           ///< EMMS: marks the MMX/x87 registers empty; call after MMX code, before x87 code

/// @}
