// File procedures on the Windows kernel: creating on read, writing without
// truncating, whole-file blocks, existence, the program's directory and the
// tail of the command line. ctest starts this program from a folder with a
// space in its name, with two arguments.
#include <gtest/gtest.h>

#include "common/alloc.h"
#include "harness/harness.h"
#include "text/files.h"

TEST(Files, ReadWriteAndExistence) {
    std::string dir = MakeTempDir("files") + "\\";
    std::uint32_t buffer[2], read = 99, written = 0;
    ASSERT_TRUE(WriteTextFile(dir + "ten.txt", "0123456789"));
    EXPECT_TRUE(ReadFileBytes(buffer, (dir + "made.txt").c_str(), &read, 8) && read == 0);
    EXPECT_TRUE(WriteFileBytes("abc", (dir + "ten.txt").c_str(), &written, 3) && written == 3);
    EXPECT_EQ(WriteWholeFile("XY", (dir + "ten.txt").c_str(), 2), 2u);
    EXPECT_EQ(WriteWholeFile("XY", (dir + "no\\such.txt").c_str(), 2), 0u);
    const struct { const char* name; std::string block; } files[] = {   // whole-file blocks end in a zero byte
        {"made.txt", std::string(1, '\0')}, {"ten.txt", std::string("XYc3456789", 11)}, {"no\\such.txt", "null"}};
    for (const auto& c : files) {   // made.txt: created by the read; ten.txt: not truncated
        std::uint32_t size = 0;
        char* block = static_cast<char*>(ReadWholeFile((dir + c.name).c_str(), &size));
        EXPECT_EQ(block ? std::string(block, size + 1) : "null", c.block) << c.name;
        FreeBlock(block);
    }
    const struct { std::string name; int exists; } names[] = {
        {dir + "ten.txt", 1}, {dir.substr(0, dir.size() - 1), 1}, {dir + "*.txt", 1}, {dir + "t?n.*", 1},
        {dir + "*.none", 0}, {dir + "missing.txt", 0}};
    for (const auto& c : names) EXPECT_EQ(FileExists(c.name.c_str()), c.exists) << c.name;
}

TEST(Files, ProgramDirectoryAndCommandLineTail) {
    char directory[128] = {};
    ModuleDirectory(directory);
    EXPECT_EQ(lstrcmpiA(directory, (BuildPath("tests\\text\\with space") + "\\").c_str()), 0) << directory;
    CommandLineText tail = CommandLineTail();
    EXPECT_EQ(std::string(tail.text, tail.length), "song.mid \"My Music\"") << GetCommandLineA();
}
