/// @file
/// Heap blocks: every block of the system is fixed and zero-filled.
/// Platform-free header; the Win32 build takes blocks from GlobalAlloc.
#pragma once
#include <cstdint>

/// @addtogroup common
/// @{

/// Exit code of a process whose heap could not supply a block.
constexpr int AllocFailureExitCode = 3;

void* AllocZeroed(std::uint32_t size);  ///< zero-filled block, or the "Memory allocation error" box and process end
void FreeBlock(void* block);            ///< releases a block from AllocZeroed; null is ignored

/// @}
