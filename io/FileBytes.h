#pragma once

#include <cstddef>
#include <string>

#include "ByteSource.h"

namespace trellon {

// A file to read: its path, what it is for messages ("the crystal batch"), the most bytes read
// from it, and, when not 0, the line after which reading stops.
struct FileToRead {
    std::string path;
    std::string what;
    std::size_t limitBytes = 0;
    int lineCount = 0;
};

// The source's bytes up to its end, or up to the end of line `lineCount`. A failed read throws
// CommandError "Cannot read <what> '<path>': <the system's reason>", and so do more bytes than
// the limit, which reading stops at.
std::string readBytes(ByteSource& source, const FileToRead& file);

// The same from the file itself; a file that cannot be opened throws CommandError "Cannot open
// <what> '<path>': <the system's reason>".
std::string readFileBytes(const FileToRead& file);

}  // namespace trellon
