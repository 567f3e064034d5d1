#include "SchematicFields.h"

#include "TopologyDescription.h"

namespace trellon {

std::string resultFieldLabel(ResultField field, int topology) {
    if (!isValidTopology(topology)) {
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
    if (!isValidTopology(topology)) {
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
