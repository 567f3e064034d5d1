// The project file reader on arbitrary bytes: it either accepts the file or throws a command
// error, and what it accepts is saved (keeping the fields it does not know) and read back
// unchanged.
#include <cstdlib>

#include "ProjectFileHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!trellon::fuzz::CheckProjectFile(data, size)) {
        std::abort();
    }
    return 0;
}
