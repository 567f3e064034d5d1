#pragma once

namespace trellon::messages {

inline constexpr const char* kMissingData = "Необходимо задать все данные для расчета !";
inline constexpr const char* kZeroResistance =
    "Активное сопротивление должно быть отлично от нуля !";
inline constexpr const char* kNoSolution = "Решение невозможно !";

}  // namespace trellon::messages

namespace trellon::messages {

inline constexpr const char* kBandwidthLimit =
    "The filter bandwidth has exceeded +/-30 kHz limits\r"
    "      for a given frequency response level. \r"
    "            Please check your input. ";
inline constexpr const char* kBandwidthLimitRussian =
    "При заданном уровне АЧХ полоса пропускания\r"
    "        превысила пределы +/-30кГц.\r"
    "  Проверьте правильность исходных данных.";
inline constexpr const char* kNoLevel = "Задайте уровень АЧХ!";
inline constexpr const char* kBadLevel = "Уровень АЧХ задан не корректно!";

}  // namespace trellon::messages
