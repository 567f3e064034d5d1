// Number conversion and formatting on arbitrary texts, separators and precisions.
#include <cstdlib>

#include "EngineHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!trellon::fuzz::CheckNumberText(data, size)) {
        std::abort();
    }
    return 0;
}
