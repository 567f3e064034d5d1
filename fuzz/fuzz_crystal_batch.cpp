// The crystal batch reader on arbitrary bytes: it either accepts the file or throws a command
// error; every crystal it accepts lies in range, and the batch written in the program's columns
// reads back exactly.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandError.h"
#include "CrystalBatchCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::CrystalBatch first;
    try {
        first = trellon::readCrystalBatchCsv(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
    } catch (const trellon::CommandError&) {
        return 0;
    }
    for (const trellon::MeasuredCrystal& crystal : first.crystals) {
        if (trellon::crystalRangeProblem(crystal) != nullptr) {
            std::abort();
        }
    }
    if (!(trellon::readCrystalBatchCsv(trellon::writeCrystalBatchCsv(first), "copy.csv") ==
          first)) {
        std::abort();
    }
    return 0;
}
