/// @file
/// Zero-terminated strings, the command line and hexadecimal numbers, on text
/// already in memory (platform-free).
#pragma once
#include <cstdint>

#include "files.h"

/// @addtogroup text
/// @{

/// A parsed hexadecimal number; value is 0xFFFFFFFF (-1) when ok is false.
struct HexNumber {
    std::uint32_t value;   ///< the number
    bool ok;               ///< false when the text held a byte that is no hex digit
};

std::uint32_t StringLength(const char* text);                                   ///< bytes before the first zero; reads only the aligned words up to it
void AppendString(char* destination, const char* source);                       ///< copies source, zero included, onto destination's end (unbounded)
void FillBytes(void* destination, std::uint32_t count, std::uint32_t value);    ///< count bytes set to value's low byte
CommandLineText CommandLineTailOf(const char* line);                            ///< text after the program name: see below
HexNumber ParseHexNumber(const char* text);                                     ///< digits up to a zero or CR; value * 16 + digit, in 32 bits
void CutToDirectory(char* path, std::uint32_t length, std::uint32_t size);      ///< path of an executable -> its directory: see below

/// @fn CommandLineTailOf
/// The program name ends at the first space after the first
/// character; exactly one space is skipped, further spaces belong to the tail.
/// A name starting with a double quote ends at its closing quote instead (how
/// Windows starts a program under a path with a space); with no closing quote
/// the whole line is the name. No tail (length 0) gives the line itself.

/// @fn CutToDirectory
/// Length is the path's length as the platform reported it,
/// size the buffer's. The last five characters are never taken as the
/// directory's end (the file name is at least x.exe). When the path was cut to
/// the buffer (length >= size, as the platform reports a cut) or has no backslash at or before index
/// length - 6, the buffer holds the empty string: relative names then resolve
/// against the current directory.

/// @}
