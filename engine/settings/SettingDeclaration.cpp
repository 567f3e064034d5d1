#include "SettingDeclaration.h"

#include "NumberText.h"

namespace trellon {

namespace {

std::string numberText(double value) {
    return FormatGeneral(value, 15, '.');
}

std::string withUnit(double value, std::string_view unit) {
    return numberText(value) + (unit.empty() ? "" : " " + std::string(unit));
}

constexpr std::size_t kHelpColumn = 26;

}  // namespace

std::string settingRefusal(const SettingDeclaration& declaration) {
    const SettingRange& r = declaration.range;
    std::string rule;
    if (std::isinf(r.high)) {
        rule = r.lowIncluded ? "is " + withUnit(r.low, declaration.unit) + " or more"
                             : "is above " + withUnit(r.low, declaration.unit);
    } else {
        rule = std::string(r.lowIncluded ? "lies from " : "lies above ") + numberText(r.low) +
               (r.lowIncluded ? " to " : " and ") + (r.highIncluded ? "" : "under ") +
               withUnit(r.high, declaration.unit);
    }
    return "the " + std::string(declaration.name) + " " + rule;
}

SettingRequirement settingRequirement(const SettingDeclaration& declaration) {
    using Form = SettingRequirement::Form;
    const SettingRange& r = declaration.range;
    const std::string low = numberText(r.low);
    if (declaration.whole) {
        return {Form::Whole, low, numberText(r.high)};
    }
    if (std::isinf(r.high)) {
        return {r.lowIncluded ? Form::AtLeast : Form::Above, low, ""};
    }
    const std::string high = numberText(r.high);
    if (r.lowIncluded) {
        return {r.highIncluded ? Form::FromTo : Form::FromBelow, low, high};
    }
    return {r.highIncluded ? Form::AboveAtMost : Form::AboveBelow, low, high};
}

std::string settingUsage(const SettingDeclaration& declaration) {
    std::string head = "  --" + std::string(declaration.option);
    if (!declaration.metavar.empty()) {
        head += " " + std::string(declaration.metavar);
    }
    std::string help(declaration.help);
    if (const std::size_t at = help.find("{}"); at != std::string::npos) {
        help.replace(at, 2, numberText(declaration.defaultValue));
    }
    if (help.empty()) {
        return head + "\n";
    }
    std::string text = head.size() < kHelpColumn
                           ? head + std::string(kHelpColumn - head.size(), ' ')
                           : head + "\n" + std::string(kHelpColumn, ' ');
    for (const char c : help) {
        text += c;
        if (c == '\n') {
            text += std::string(kHelpColumn, ' ');
        }
    }
    return text + "\n";
}

}  // namespace trellon
