#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace trellon {

inline constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// The values a setting may take: from `low` to `high`, each end included or not. An open end at
// infinity still asks for a finite number.
struct SettingRange {
    double low = 0;
    bool lowIncluded = true;
    double high = kNoLimit;
    bool highIncluded = false;

    constexpr bool contains(double value) const {
        const bool aboveLow = lowIncluded ? value >= low : value > low;
        const bool belowHigh = highIncluded ? value <= high : value < high;
        return aboveLow && belowHigh;
    }
};

// One setting a user chooses, as every place that shows, reads or keeps it knows it.
struct SettingDeclaration {
    std::string_view name;  // in the engine's refusals: "the <name> lies ..."
    std::string_view unit;  // after a number in those refusals; empty when it has none
    std::string_view key;   // the member of its group in the project file
    // The command line: the option without its dashes (empty when there is none), the value's
    // name in the usage text, and the usage text itself, whose further lines are indented under
    // the first; "{}" stands for the default.
    std::string_view option;
    std::string_view metavar;
    std::string_view help;
    // A refusal of the command line reads "--option takes a <quantity> from L to H <unit>"
    // when a quantity is given; otherwise it follows the range alone.
    std::string_view quantity;
    std::string_view label;  // the window's caption
    std::string_view hint;   // the window's tooltip
    double defaultValue = 0;
    SettingRange range;
    bool whole = false;  // a count: a whole number within the range

    bool accepts(double value) const {
        return range.contains(value) && (!whole || value == std::floor(value));
    }
};

// "the stray capacitance is 0 pF or more": the engine's refusal of a value out of range.
std::string settingRefusal(const SettingDeclaration& declaration);

// The form of what a stored value must be, with the bounds it names as numbers in the files'
// notation: the project file words it when it refuses a value ("must be from 0 to below 100").
struct SettingRequirement {
    enum class Form { Whole, AtLeast, Above, FromTo, FromBelow, AboveAtMost, AboveBelow };
    Form form;
    std::string low;
    std::string high;  // empty for AtLeast and Above
};
SettingRequirement settingRequirement(const SettingDeclaration& declaration);

// The usage lines of an option, laid out as the command line's --help lays out every option.
std::string settingUsage(const SettingDeclaration& declaration);

}  // namespace trellon
