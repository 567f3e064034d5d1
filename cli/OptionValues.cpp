#include "OptionValues.h"

#include <cmath>
#include <exception>

#include "NumberText.h"

namespace trellon::cli {

namespace {

// The number typed, or NaN when it is none.
double typedOrNan(const std::string& value) {
    try {
        return TypedNumber(value, '.');
    } catch (const std::exception&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

std::string numberText(double value) {
    return FormatGeneral(value, 15, '.');
}

[[noreturn]] void refuse(const SettingDeclaration& declaration, const std::string& what,
                         const std::string& value) {
    throw UsageError("--" + std::string(declaration.option) + " takes " + what + ", not '" + value +
                     "'");
}

}  // namespace

double nonNegativeNumber(const std::string& name, const std::string& value, double below) {
    const double number = typedOrNan(value);
    if (!(number >= 0 && number < below)) {
        throw UsageError(
            "--" + name + " takes a number from 0" +
            (std::isinf(below) ? std::string(" up") : " to below " + numberText(below)) +
            ", not '" + value + "'");
    }
    return number;
}

double settingNumber(const SettingDeclaration& declaration, const std::string& value) {
    const SettingRange& r = declaration.range;
    if (!declaration.quantity.empty()) {
        const double number = typedOrNan(value);
        if (!r.contains(number)) {
            const std::string span =
                std::isinf(r.high) ? " above " + numberText(r.low)
                                   : " from " + numberText(r.low) + " to " + numberText(r.high);
            refuse(declaration,
                   "a " + std::string(declaration.quantity) + span +
                       (declaration.unit.empty() ? "" : " " + std::string(declaration.unit)),
                   value);
        }
        return number;
    }
    if (!r.lowIncluded && std::isinf(r.high)) {
        const double number = typedOrNan(value);
        if (!r.contains(number)) {
            refuse(declaration, "a positive number", value);
        }
        return number;
    }
    // From 0 to below the top, and above 0 when 0 itself is left out.
    const double number = nonNegativeNumber(std::string(declaration.option), value, r.high);
    if (!r.contains(number)) {
        refuse(declaration, "a positive number", value);
    }
    return number;
}

int settingCount(const SettingDeclaration& declaration, const std::string& value) {
    return wholeNumber(std::string(declaration.option), value,
                       static_cast<int>(declaration.range.low),
                       static_cast<int>(declaration.range.high));
}

}  // namespace trellon::cli
