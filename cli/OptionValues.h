#pragma once

#include <charconv>
#include <limits>
#include <string>

#include "SettingDeclaration.h"
#include "UsageError.h"

namespace trellon::cli {

// The value of a whole-number option, from `low` to `high`; anything else is misuse.
template <typename Whole>
Whole wholeNumber(const std::string& name, const std::string& value, Whole low, Whole high) {
    Whole number = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, number);
    if (value.empty() || ec != std::errc() || ptr != end || number < low || number > high) {
        throw UsageError("--" + name + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + value + "'");
    }
    return number;
}

// The value of an option that is a number from 0 to below `below`, typed with either decimal
// mark; anything else is misuse.
double nonNegativeNumber(const std::string& name, const std::string& value,
                         double below = std::numeric_limits<double>::infinity());

// The value of the setting's option, typed with either decimal mark, within the setting's range;
// anything else is misuse.
double settingNumber(const SettingDeclaration& declaration, const std::string& value);

// The value of the setting's whole-number option within its range; anything else is misuse.
int settingCount(const SettingDeclaration& declaration, const std::string& value);

}  // namespace trellon::cli
