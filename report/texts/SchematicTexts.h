#pragma once

// The texts of the schematic drawn from a circuit: the names of its terminations and the units
// of the values beside the parts. The names keep the report's notation.
namespace trellon::texts {

inline constexpr const char* kSchematicSourceName = "Rin";
inline constexpr const char* kSchematicLoadName = "Rout";
inline constexpr const char* kSchematicOhm = "Ом";
inline constexpr const char* kSchematicPicofarad = "пФ";
inline constexpr const char* kSchematicMicrohenry = "мкГн";
// The value beside a part: the number, then the unit.
inline constexpr const char* kSchematicValue = "%1 %2";
// In place of a value that is no number or not above zero.
inline constexpr const char* kSchematicNoValue = "—";
// Under the name of a part that stands for several crystals in parallel: how many.
inline constexpr const char* kSchematicCrystalCount = "%1 шт.";
inline constexpr const char* kSchematicAccessibleName = "Схема фильтра";

}  // namespace trellon::texts
