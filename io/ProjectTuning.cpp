#include "ProjectTuning.h"

#include "NumberText.h"
#include "ProjectPhrases.h"

namespace trellon {

namespace {

using Json = ProjectFields::Json;

std::string shown(double value) {
    return FormatGeneral(value, 15, '.');
}

// The members of the group `key` of `tuning`, each a number strictly between `low` and `high`.
std::map<std::string, double> readValues(const ProjectFields& tuning, std::string_view key,
                                         double low, double high) {
    std::map<std::string, double> values;
    if (!tuning.has(key)) {
        return values;
    }
    const ProjectFields group = tuning.object(key);
    for (const auto& [name, value] : tuning.required(key).items()) {
        if (name.empty() || name.size() > kTuningNameLimit) {
            tuning.fail(key, projectPhrase("field-part-name"),
                        {{std::to_string(kTuningNameLimit)}});
        }
        const double number = group.number(name);
        if (!(number > low && number < high)) {
            group.fail(name, projectPhrase("field-above-below"), {{shown(low)}, {shown(high)}});
        }
        values[name] = number;
    }
    return values;
}

// An empty group is written as null, so that a kept document loses the one it had.
void addValues(Json& tuning, std::string_view key, const std::map<std::string, double>& values) {
    if (values.empty()) {
        tuning[std::string(key)] = nullptr;
        return;
    }
    Json group = Json::object();
    for (const auto& [name, value] : values) {
        group[name] = value;
    }
    tuning[std::string(key)] = std::move(group);
}

}  // namespace

CircuitTuning readProjectTuning(const ProjectFields& group) {
    return {.capacitorsPf = readValues(group, "capacitors", 0, kTunedPfLimit),
            .trimmersPf = readValues(group, "trimmers", 0, kTunedPfLimit),
            .fsShiftsHz = readValues(group, "fsShifts", -kFsShiftLimitHz, kFsShiftLimitHz)};
}

ProjectFields::Json projectTuningJson(const CircuitTuning& tuning) {
    Json group = Json::object();
    addValues(group, "capacitors", tuning.capacitorsPf);
    addValues(group, "trimmers", tuning.trimmersPf);
    addValues(group, "fsShifts", tuning.fsShiftsHz);
    return group;
}

}  // namespace trellon
