#pragma once

#include <string>

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

}  // namespace trellon
