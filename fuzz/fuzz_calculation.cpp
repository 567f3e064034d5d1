// The whole calculation on arbitrary texts, topologies, responses and level modes.
#include <cstdlib>

#include "EngineHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!trellon::fuzz::CheckCalculation(data, size)) {
        std::abort();
    }
    return 0;
}
