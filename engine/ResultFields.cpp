#include "ResultFields.h"

#include <array>

#include "TopologyDescription.h"

namespace trellon {

namespace {

constexpr std::array<const char*, kResultFieldCount> kNames{
    "EditRin",    "EditC1",     "EditC2",     "EditC3",      "EditC4Cw8",  "EditC5Cw8",
    "EditC5",     "EditC6Cw8",  "EditRout4",  "EditC7Cw8",   "EditC8Cw8",  "EditC9Cw8",
    "EditC9",     "EditC10Cw8", "EditRout6",  "EditC11Cw8",  "EditC12Cw8", "EditC13Cw8",
    "EditC14Cw8", "EditRout8",  "EditC15Cw8", "EditRoutCw8",
};

}  // namespace

std::string resultFieldName(ResultField field) {
    return kNames[static_cast<int>(field)];
}

std::string resultFieldLabel(ResultField field, int topology) {
    if (topology < 1 || topology > kTopologyCount) {
        return "";
    }
    const TopologyDescription& description = topologyDescription(topology);
    if (field == ResultField::EditRin) {
        return "Rin";
    }
    if (field == description.outputResistanceField) {
        return "Rout";
    }
    for (int i = 0; i < description.capacitorCount(); ++i) {
        if (description.capacitors[i].field == field) {
            return "C" + std::to_string(i + 1);
        }
    }
    return "";
}

bool holdsOnlyResistance(ResultField field) {
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        if (resultFieldLabel(field, topology).starts_with('C')) {
            return false;
        }
    }
    return true;
}

std::vector<ResultField> visibleResultFields(int topology) {
    std::vector<ResultField> fields;
    for (int i = 0; i < kResultFieldCount; ++i) {
        const auto field = static_cast<ResultField>(i);
        if (!resultFieldLabel(field, topology).empty()) {
            fields.push_back(field);
        }
    }
    return fields;
}

std::vector<ResultField> writtenResultFields(int topology) {
    if (topology < 1 || topology > kTopologyCount) {
        return {ResultField::EditRin};
    }
    const TopologyDescription& description = topologyDescription(topology);
    std::vector<ResultField> fields{ResultField::EditRin, description.outputResistanceField};
    for (const SchematicCapacitor& capacitor : description.capacitors) {
        fields.push_back(capacitor.field);
    }
    return fields;
}

}  // namespace trellon
