#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "SettingDeclaration.h"
#include "TextReading.h"

namespace trellon {

using ProjectJson = nlohmann::ordered_json;

inline constexpr std::string_view kProjectFileKind = "project file";

// One JSON object of the file, with its dotted path for messages.
class ProjectFields {
public:
    ProjectFields(const ProjectJson& object, std::string path, std::string_view fileName)
        : object_(object), path_(std::move(path)), fileName_(fileName) {}

    [[noreturn]] void fail(std::string_view key, std::string_view reason) const {
        failOnFile(kProjectFileKind, fileName_,
                   "the field '" + name(key) + "' " + std::string(reason));
    }

    bool has(std::string_view key) const { return object_.contains(key); }

    const ProjectJson& required(std::string_view key) const {
        const auto found = object_.find(key);
        if (found == object_.end()) {
            fail(key, "is missing");
        }
        return *found;
    }

    std::string text(std::string_view key) const {
        const ProjectJson& value = required(key);
        if (!value.is_string()) {
            fail(key, "must be a text");
        }
        return value.get<std::string>();
    }

    enum class Bound { Any, NotNegative, Positive };

    double number(std::string_view key, Bound bound = Bound::Any) const {
        const ProjectJson& value = required(key);
        if (!value.is_number()) {
            fail(key, "must be a number");
        }
        const double number = value.get<double>();
        if (bound == Bound::NotNegative && !(number >= 0)) {
            fail(key, "must be 0 or more");
        }
        if (bound == Bound::Positive && !(number > 0)) {
            fail(key, "must be above 0");
        }
        return number;
    }

    // The setting's value under its key, refused outside its range.
    double setting(const SettingDeclaration& declaration) const {
        const double value = number(declaration.key);
        if (!declaration.accepts(value)) {
            fail(declaration.key, settingRequirement(declaration));
        }
        return value;
    }

    std::optional<double> optionalSetting(const SettingDeclaration& declaration) const {
        return has(declaration.key) ? std::optional<double>(setting(declaration)) : std::nullopt;
    }

    int count(const SettingDeclaration& declaration) const {
        return integer(declaration.key, static_cast<int>(declaration.range.low),
                       static_cast<int>(declaration.range.high));
    }

    int integer(std::string_view key, int low, int high) const {
        const ProjectJson& value = required(key);
        if (!value.is_number_integer() || value.get<std::int64_t>() < low ||
            value.get<std::int64_t>() > high) {
            fail(key, "must be a whole number from " + std::to_string(low) + " to " +
                          std::to_string(high));
        }
        return value.get<int>();
    }

    std::uint64_t unsignedInteger(std::string_view key) const {
        const ProjectJson& value = required(key);
        if (!value.is_number_unsigned()) {
            fail(key, "must be a whole number from 0");
        }
        return value.get<std::uint64_t>();
    }

    template <typename Choice, std::size_t N>
    Choice choice(std::string_view key, const std::array<std::string_view, N>& names) const {
        const std::string value = text(key);
        const auto found = std::find(names.begin(), names.end(), value);
        if (found == names.end()) {
            std::string list;
            for (const std::string_view known : names) {
                list += (list.empty() ? "" : ", ") + std::string(known);
            }
            fail(key, "must be one of " + list);
        }
        return static_cast<Choice>(found - names.begin());
    }

    ProjectFields object(std::string_view key) const {
        const ProjectJson& value = required(key);
        if (!value.is_object()) {
            fail(key, "must be an object");
        }
        return ProjectFields(value, name(key), fileName_);
    }

    const ProjectJson& array(std::string_view key) const {
        const ProjectJson& value = required(key);
        if (!value.is_array()) {
            fail(key, "must be an array");
        }
        return value;
    }

    std::string name(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }

private:
    const ProjectJson& object_;
    std::string path_;
    std::string_view fileName_;
};

inline std::string elementPath(const ProjectFields& owner, std::string_view key,
                               std::size_t index) {
    return owner.name(key) + "[" + std::to_string(index) + "]";
}

}  // namespace trellon
