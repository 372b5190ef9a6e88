// LoadTextDocument: reads at most TextDocumentSize bytes of a file into a
// fresh text block and indexes it. Built beside the platform's file calls.
#include "common/alloc.h"
#include "text/document.h"
#include "text/files.h"

TextDocument* LoadTextDocument(const char* fileName) {
    if (FileExists(fileName) != 1) return nullptr;  // the read below would create the file
    char* text = static_cast<char*>(AllocZeroed(TextDocumentSize));
    std::uint32_t length = 0;
    ReadFileBytes(text, fileName, &length, TextDocumentSize);
    return IndexTextDocument(text, length);
}
