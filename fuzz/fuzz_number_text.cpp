// Number conversion and formatting: no input may crash them, and a formatted value must
// convert back to a value that formats to the same text at its precision.
#include <cmath>
#include <cstdlib>

#include "CommandError.h"
#include "FuzzInput.h"
#include "NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::fuzz::FuzzInput input(data, size);
    const char separator = input.pick(0, 2) == 0 ? ',' : (input.pick(0, 1) ? '.' : '\'');
    const int precision = input.pick(1, 17);
    const std::string text = input.line();
    const std::string normalized = trellon::NormalizeDecimalSeparator(text, separator);
    if (normalized.size() != text.size()) {
        std::abort();
    }
    try {
        trellon::TextToInt(text);
    } catch (const trellon::CommandError&) {
    }
    double value = 0;
    try {
        value = trellon::TextToFloat(normalized, separator);
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const std::string formatted = trellon::FormatGeneral(value, precision, separator);
    if (!std::isfinite(value)) {
        std::abort();
    }
    if (separator == '.' || separator == ',') {
        const double back = trellon::TextToFloat(formatted, separator);
        if (trellon::FormatGeneral(back, precision, separator) != formatted) {
            std::abort();
        }
    }
    return 0;
}
