#include "ProjectFields.h"

#include <algorithm>

#include "ProjectPhrases.h"
#include "TextReading.h"

namespace trellon {

namespace {

// The phrase that words a setting's requirement of the field.
const PhraseTemplate& requirementPhrase(SettingRequirement::Form form) {
    using Form = SettingRequirement::Form;
    switch (form) {
        case Form::Whole:
            return projectPhrase("field-whole");
        case Form::AtLeast:
            return projectPhrase("field-at-least");
        case Form::Above:
            return projectPhrase("field-above");
        case Form::FromTo:
            return projectPhrase("field-from-to");
        case Form::FromBelow:
            return projectPhrase("field-from-below");
        case Form::AboveAtMost:
            return projectPhrase("field-above-at-most");
        case Form::AboveBelow:
            break;
    }
    return projectPhrase("field-above-below");
}

}  // namespace

void failOnProject(std::string_view fileName, const PhraseTemplate& reason,
                   std::vector<PhraseArgument> arguments) {
    failOnFile(kProjectFileKind, fileName, {{&reason, std::move(arguments)}});
}

void ProjectFields::fail(std::string_view key, const PhraseTemplate& reason,
                         std::vector<PhraseArgument> arguments) const {
    arguments.insert(arguments.begin(), quotedArgument(name(key)));
    failOnProject(fileName_, reason, std::move(arguments));
}

const ProjectFields::Json& ProjectFields::required(std::string_view key) const {
    const auto found = object_.find(key);
    if (found == object_.end()) {
        fail(key, projectPhrase("field-missing"));
    }
    return *found;
}

std::string ProjectFields::text(std::string_view key) const {
    const Json& value = required(key);
    if (!value.is_string()) {
        fail(key, projectPhrase("field-text"));
    }
    return value.get<std::string>();
}

double ProjectFields::number(std::string_view key, Bound bound) const {
    const Json& value = required(key);
    if (!value.is_number()) {
        fail(key, projectPhrase("field-number"));
    }
    const double number = value.get<double>();
    if (bound == Bound::NotNegative && !(number >= 0)) {
        fail(key, projectPhrase("field-not-negative"));
    }
    if (bound == Bound::Positive && !(number > 0)) {
        fail(key, projectPhrase("field-positive"));
    }
    return number;
}

double ProjectFields::setting(const SettingDeclaration& declaration) const {
    const double value = number(declaration.key);
    if (!declaration.accepts(value)) {
        const SettingRequirement requirement = settingRequirement(declaration);
        std::vector<PhraseArgument> bounds = {{requirement.low}};
        if (!requirement.high.empty()) {
            bounds.push_back({requirement.high});
        }
        fail(declaration.key, requirementPhrase(requirement.form), std::move(bounds));
    }
    return value;
}

std::optional<double> ProjectFields::optionalSetting(const SettingDeclaration& declaration) const {
    return has(declaration.key) ? std::optional<double>(setting(declaration)) : std::nullopt;
}

int ProjectFields::count(const SettingDeclaration& declaration) const {
    return integer(declaration.key, static_cast<int>(declaration.range.low),
                   static_cast<int>(declaration.range.high));
}

int ProjectFields::integer(std::string_view key, int low, int high) const {
    const Json& value = required(key);
    if (!value.is_number_integer() || value.get<std::int64_t>() < low ||
        value.get<std::int64_t>() > high) {
        fail(key, projectPhrase("field-whole"), {{std::to_string(low)}, {std::to_string(high)}});
    }
    return value.get<int>();
}

std::uint64_t ProjectFields::unsignedInteger(std::string_view key) const {
    const Json& value = required(key);
    if (!value.is_number_unsigned()) {
        fail(key, projectPhrase("field-whole-from"), {{"0"}});
    }
    return value.get<std::uint64_t>();
}

std::size_t ProjectFields::choiceIndex(std::string_view key, const std::string_view* names,
                                       std::size_t count) const {
    const std::string value = text(key);
    const std::string_view* end = names + count;
    const std::string_view* found = std::find(names, end, value);
    if (found == end) {
        std::string list;
        for (const std::string_view* known = names; known != end; ++known) {
            list += (list.empty() ? "" : ", ") + std::string(*known);
        }
        fail(key, projectPhrase("field-one-of"), {{list}});
    }
    return static_cast<std::size_t>(found - names);
}

ProjectFields ProjectFields::object(std::string_view key) const {
    const Json& value = required(key);
    if (!value.is_object()) {
        fail(key, projectPhrase("field-object"));
    }
    return ProjectFields(value, name(key), fileName_);
}

const ProjectFields::Json& ProjectFields::array(std::string_view key) const {
    const Json& value = required(key);
    if (!value.is_array()) {
        fail(key, projectPhrase("field-array"));
    }
    return value;
}

std::string ProjectFields::name(std::string_view key) const {
    return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
}

std::string ProjectFields::elementName(std::string_view key, std::size_t index) const {
    return name(key) + "[" + std::to_string(index) + "]";
}

}  // namespace trellon
