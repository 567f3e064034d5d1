// The crystal fit on an arbitrary sweep file: it either fits a crystal a batch can hold, with
// finite figures, or throws a command error saying why not.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandError.h"
#include "CrystalBatch.h"
#include "CrystalSweepFit.h"

namespace {

bool finite(const trellon::CrystalCircuit& circuit) {
    return std::isfinite(circuit.fsHz) && std::isfinite(circuit.lmH) &&
           std::isfinite(circuit.rmOhm) && std::isfinite(circuit.c0F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the fixture: the file's own port resistance or a given one, and a
    // loss; the rest is the file.
    if (size == 0) {
        return 0;
    }
    trellon::FixtureChoice fixture;
    if ((data[0] & 1) != 0) {
        fixture.portOhm = 1.0 + (data[0] >> 1);
    }
    fixture.lossDb = (data[0] >> 4) * 2.0;
    trellon::CrystalFitResult fit;
    try {
        fit = trellon::fitCrystalSweep(
            std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz.s2p",
            fixture);
    } catch (const trellon::CommandError&) {
        return 0;
    }
    if (!finite(fit.circuit) || !finite(fit.start) || !(fit.q > 0 && std::isfinite(fit.q)) ||
        !(fit.residual >= 0 && std::isfinite(fit.residual))) {
        std::abort();
    }
    if (trellon::crystalRangeProblem(trellon::measuredCrystalOf(fit.circuit, "X")) != nullptr) {
        std::abort();
    }
    return 0;
}
