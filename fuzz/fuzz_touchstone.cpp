// The Touchstone reader on arbitrary bytes: it either accepts the file or throws a command
// error, and what it accepts is written back in real and imaginary parts and read back exactly.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandError.h"
#include "Touchstone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::TwoPortData first;
    try {
        first = trellon::readTouchstone(std::string_view(reinterpret_cast<const char*>(data), size),
                                        "fuzz.s2p");
    } catch (const trellon::CommandError&) {
        return 0;
    }
    for (std::size_t i = 1; i < first.frequencyHz.size(); ++i) {
        if (!(first.frequencyHz[i - 1] < first.frequencyHz[i])) {
            std::abort();
        }
    }
    const std::string written =
        trellon::writeTouchstone(first, trellon::TouchstoneFormat::RealImaginary);
    if (!(trellon::readTouchstone(written, "copy.s2p") == first)) {
        std::abort();
    }
    try {
        trellon::readTouchstone(trellon::writeTouchstone(first, trellon::TouchstoneFormat::Decibel),
                                "copy.s2p");
    } catch (const trellon::CommandError&) {
        // Only magnitudes at the edge of the double range may fail.
        bool huge = false;
        for (const auto* values : {&first.s11, &first.s21, &first.s12, &first.s22}) {
            for (const trellon::Complex value : *values) {
                huge = huge || !(std::hypot(value.re, value.im) < 1e300);
            }
        }
        if (!huge) {
            std::abort();
        }
    }
    return 0;
}
