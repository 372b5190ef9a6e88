/// @file
/// Files, the program's own directory and the process command line.
/// Every procedure opens, uses and closes its file within the call and keeps no
/// state. Names are 8-bit (ANSI) zero-terminated strings. Blocks come from the
/// shared heap (common/alloc.h): free them with FreeBlock.
/// The Win32 build implements all of these; the native build implements the
/// file procedures on POSIX calls so the text document and its tool run there.
#pragma once
#include <cstdint>

struct HWND__;  // the platform's window handle type, without <windows.h>

/// @addtogroup text
/// @{

/// Length and start of a piece of the command line.
struct CommandLineText {
    std::uint32_t length;   ///< bytes
    const char* text;       ///< first byte
};

/// @name Read and write at the start of a file
/// The open creates a missing file (empty) and never truncates: writing 3 bytes
/// onto a 10-byte file leaves 10 bytes. ReadFileBytes asks for write access
/// too, so a read-only file reads 0 bytes. The results are those of closing the
/// file handle; a file that cannot be opened gives 0 bytes and the result 0.
/// @{
std::uint32_t ReadFileBytes(void* destination, const char* fileName, std::uint32_t* bytesRead,
                            std::uint32_t count);                                ///< nonzero when the handle was closed, 0 when the open failed
std::uint32_t WriteFileBytes(const void* source, const char* fileName, std::uint32_t* bytesWritten,
                             std::uint32_t count);                               ///< nonzero when the handle was closed, 0 when the open failed
std::uint32_t WriteWholeFile(const void* source, const char* fileName, std::uint32_t count);  ///< bytes written, 0 when nothing could be
void* ReadWholeFile(const char* fileName, std::uint32_t* bytesRead);             ///< new block: whole file + one zero byte, or null (missing, locked, unreadable)
int FileExists(const char* fileName);                                            ///< 1 when a file, directory or wildcard match exists, else 0
/// @}

/// @name The program's directory, the shell, the command line (Win32 build only)
/// @{
void ModuleDirectory(char* buffer);                                              ///< buffer of 128 bytes: executable's directory with trailing backslash
void ShellOpenRelative(HWND__* ownerWindow, const char* relativeName);           ///< shell "Open" on the program's directory + relativeName
CommandLineText CommandLineLength();                                             ///< the whole process command line and its length
CommandLineText CommandLineTail();                                               ///< what follows the program name (see CommandLineTailOf)
/// @}

/// @}
