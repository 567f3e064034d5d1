#include "RecentredInputs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "NumberText.h"

namespace trellon {

namespace {

template <typename Value>
double median(std::span<const MeasuredCrystal> crystals, Value value) {
    std::vector<double> values;
    for (const MeasuredCrystal& crystal : crystals) {
        values.push_back(value(crystal));
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Digits that keep a frequency in kHz to the hertz.
int hertzDigits(double kilohertz) {
    return std::max(1, static_cast<int>(std::floor(std::log10(std::abs(kilohertz)))) + 1) + 3;
}

}  // namespace

CrystalInputTexts recentredInputs(std::span<const MeasuredCrystal> chosen, char decimalSeparator) {
    const double fs = median(chosen, [](const MeasuredCrystal& c) { return c.fsKhz; });
    const auto text = [decimalSeparator](double value, int digits) {
        return FormatGeneral(value, digits, decimalSeparator);
    };
    return {text(fs, hertzDigits(fs)),
            text(median(chosen, [](const MeasuredCrystal& c) { return c.lmMh; }), 4),
            text(median(chosen, [](const MeasuredCrystal& c) { return c.rmOhm; }), 4),
            text(median(chosen, [](const MeasuredCrystal& c) { return c.c0Pf; }), 4)};
}

}  // namespace trellon
