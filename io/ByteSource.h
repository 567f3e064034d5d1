#pragma once

#include <cstddef>

namespace trellon {

// Where a file's bytes come from: the opened file itself, or in the tests a source that fails
// part way through.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Up to `size` bytes into `buffer`: how many were read, 0 at the end, or -1 with errno set.
    virtual long read(char* buffer, std::size_t size) = 0;
};

}  // namespace trellon
