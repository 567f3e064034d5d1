#include "ResultFields.h"

#include <array>

namespace trellon {

namespace {

struct FieldEntry {
    const char* name;
    std::array<const char*, 7> labels;  // per topology 1..7
};

constexpr std::array<FieldEntry, kResultFieldCount> kFields{{
    {"EditRin", {"Rin", "Rin", "Rin", "Rin", "Rin", "Rin", "Rin"}},
    {"EditC1", {"C1", "C1", "C1", "C1", "C1", "C1", "C1"}},
    {"EditC2", {"C2", "C2", "C2", "C2", "C2", "C2", "C2"}},
    {"EditC3", {"C3", "C3", "C3", "C3", "C3", "C3", "C3"}},
    {"EditC4Cw8", {"", "", "", "", "C4", "C4", "C4"}},
    {"EditC5Cw8", {"C4", "C4", "C4", "C4", "C5", "C5", "C5"}},
    {"EditC5", {"Rout", "", "C5", "C5", "", "", ""}},
    {"EditC6Cw8", {"", "C5", "C6", "C6", "C6", "C6", "C6"}},
    {"EditRout4", {"", "Rout", "", "", "", "", ""}},
    {"EditC7Cw8", {"", "", "C7", "C7", "C7", "C7", "C7"}},
    {"EditC8Cw8", {"", "", "", "", "Rout", "C8", "C8"}},
    {"EditC9Cw8", {"", "", "C8", "C8", "", "C9", "C9"}},
    {"EditC9", {"", "", "", "C9", "", "", ""}},
    {"EditC10Cw8", {"", "", "C9", "C10", "", "C10", "C10"}},
    {"EditRout6", {"", "", "Rout", "", "", "", ""}},
    {"EditC11Cw8", {"", "", "", "C11", "", "C11", "C11"}},
    {"EditC12Cw8", {"", "", "", "", "", "Rout", "C12"}},
    {"EditC13Cw8", {"", "", "", "C12", "", "", "C13"}},
    {"EditC14Cw8", {"", "", "", "C13", "", "", "C14"}},
    {"EditRout8", {"", "", "", "Rout", "", "", ""}},
    {"EditC15Cw8", {"", "", "", "", "", "", "C15"}},
    {"EditRoutCw8", {"", "", "", "", "", "", "Rout"}},
}};

const FieldEntry& entry(ResultField field) {
    return kFields[static_cast<int>(field)];
}

// The label text that the synthesis writes first after Rin, then C1, C2, ...
std::string labelAt(int position) {
    return position == 0 ? "Rout" : "C" + std::to_string(position);
}

}  // namespace

std::string resultFieldName(ResultField field) {
    return entry(field).name;
}

std::string resultFieldLabel(ResultField field, int topology) {
    if (topology < 1 || topology > 7) {
        return "";
    }
    return entry(field).labels[topology - 1];
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
    std::vector<ResultField> fields{ResultField::EditRin};
    const std::vector<ResultField> visible = visibleResultFields(topology);
    for (int position = 0;; ++position) {
        const std::string wanted = labelAt(position);
        bool found = false;
        for (ResultField field : visible) {
            if (resultFieldLabel(field, topology) == wanted) {
                fields.push_back(field);
                found = true;
            }
        }
        if (!found) {
            return fields;
        }
    }
}

}  // namespace trellon
