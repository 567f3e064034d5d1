// The sweep CSV reader on arbitrary bytes: it either accepts the file or throws a command error;
// a sweep it accepts has positive, finite, strictly increasing frequencies, one finite S21 each
// that no passive fixture exceeds, and a real S21 where the file has no phase.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandError.h"
#include "SweepCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::MeasuredSweep sweep;
    try {
        sweep = trellon::readSweepCsv(std::string_view(reinterpret_cast<const char*>(data), size),
                                      "fuzz.csv");
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const std::vector<double>& f = sweep.data.frequencyHz;
    if (f.empty() || f.size() != sweep.data.s21.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < f.size(); ++i) {
        const trellon::Complex s = sweep.data.s21[i];
        if (!(f[i] > 0) || !std::isfinite(f[i]) || (i > 0 && !(f[i] > f[i - 1]))) {
            std::abort();
        }
        if (!(std::hypot(s.re, s.im) <= 1 + 1e-12) || (!sweep.hasPhase && s.im != 0)) {
            std::abort();
        }
    }
    return 0;
}
