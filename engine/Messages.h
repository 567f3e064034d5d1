#pragma once

namespace trellon::messages {

inline constexpr const char* kMissingData = "Необходимо задать все данные для расчета !";
inline constexpr const char* kZeroResistance =
    "Активное сопротивление должно быть отлично от нуля !";
inline constexpr const char* kNoSolution = "Решение невозможно !";

}  // namespace trellon::messages
