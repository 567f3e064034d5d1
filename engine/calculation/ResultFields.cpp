#include "ResultFields.h"

#include <array>

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

}  // namespace trellon
