#pragma once

#include <array>
#include <string>
#include <vector>

namespace trellon {

// The 22 value fields laid over the schematic, in the order of their places on it.
enum class ResultField {
    EditRin,
    EditC1,
    EditC2,
    EditC3,
    EditC4Cw8,
    EditC5Cw8,
    EditC5,
    EditC6Cw8,
    EditRout4,
    EditC7Cw8,
    EditC8Cw8,
    EditC9Cw8,
    EditC9,
    EditC10Cw8,
    EditRout6,
    EditC11Cw8,
    EditC12Cw8,
    EditC13Cw8,
    EditC14Cw8,
    EditRout8,
    EditC15Cw8,
    EditRoutCw8,
};

inline constexpr int kResultFieldCount = 22;

std::string resultFieldName(ResultField field);

// What the field shows on the schematic of `topology` ("Rin", "C4", "Rout"), or "" when it is
// hidden for that topology.
std::string resultFieldLabel(ResultField field, int topology);

// True for a field that shows Rin or Rout on every schematic that shows it at all.
bool holdsOnlyResistance(ResultField field);

// The fields that the schematic of `topology` shows, in table order.
std::vector<ResultField> visibleResultFields(int topology);

// The fields the synthesis writes for `topology`, in the order it writes them: Rin, the
// output resistance, then the capacitors C1..Cn.
std::vector<ResultField> writtenResultFields(int topology);

}  // namespace trellon
