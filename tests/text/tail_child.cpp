// Child process for the command-line test: writes its command-line tail to
// tail.txt in its current directory.
#include "text/files.h"

int main() {
    CommandLineText tail = CommandLineTail();
    return WriteWholeFile(tail.text, "tail.txt", tail.length) == tail.length ? 0 : 1;
}
