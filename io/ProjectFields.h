#pragma once

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Phrase.h"
#include "SettingDeclaration.h"

namespace trellon {

// What the project reader says of its files; the window names them by this kind.
inline constexpr std::string_view kProjectFileKind = "project file";

// Throws the project file's FileContentError for a fault of the whole file.
[[noreturn]] void failOnProject(std::string_view fileName, const PhraseTemplate& reason,
                                std::vector<PhraseArgument> arguments = {});

// One JSON object of a project file, with its dotted path for messages: each reading refuses a
// value of the wrong kind or out of range, naming the field.
class ProjectFields {
public:
    using Json = nlohmann::ordered_json;

    ProjectFields(const Json& object, std::string path, std::string_view fileName)
        : object_(object), path_(std::move(path)), fileName_(fileName) {}

    // Refuses the field `key` for `reason`, whose %1 is the field's path and %2... `arguments`.
    [[noreturn]] void fail(std::string_view key, const PhraseTemplate& reason,
                           std::vector<PhraseArgument> arguments = {}) const;

    bool has(std::string_view key) const { return object_.contains(key); }
    const Json& required(std::string_view key) const;
    std::string text(std::string_view key) const;

    enum class Bound { Any, NotNegative, Positive };
    double number(std::string_view key, Bound bound = Bound::Any) const;

    // The setting's value under its key, refused outside its range.
    double setting(const SettingDeclaration& declaration) const;
    std::optional<double> optionalSetting(const SettingDeclaration& declaration) const;
    int count(const SettingDeclaration& declaration) const;
    int integer(std::string_view key, int low, int high) const;
    std::uint64_t unsignedInteger(std::string_view key) const;

    // The index of the field's text among `names`.
    std::size_t choiceIndex(std::string_view key, const std::string_view* names,
                            std::size_t count) const;
    template <typename Choice, std::size_t N>
    Choice choice(std::string_view key, const std::array<std::string_view, N>& names) const {
        return static_cast<Choice>(choiceIndex(key, names.data(), N));
    }

    ProjectFields object(std::string_view key) const;
    const Json& array(std::string_view key) const;

    // The dotted path of a member, and of an array's element.
    std::string name(std::string_view key) const;
    std::string elementName(std::string_view key, std::size_t index) const;

    std::string_view fileName() const { return fileName_; }

private:
    const Json& object_;
    std::string path_;
    std::string_view fileName_;
};

}  // namespace trellon
