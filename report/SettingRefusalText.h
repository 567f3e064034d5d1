#pragma once

#include <QString>

#include "SettingDeclaration.h"

namespace trellon {

// The range of a setting in the window's words, with its unit: "1…1000000", "0…100 %, кроме
// 100", "0 дБ и больше", "больше 0 Ом".
QString settingRangeText(const SettingDeclaration& declaration, char decimalSeparator);

// "Число испытаний: 0 вне допустимого диапазона 1…1000000": the window's refusal of a value
// typed into the setting's field, named by the field's caption.
QString settingRefusalText(const SettingDeclaration& declaration, const QString& typed,
                           char decimalSeparator);

}  // namespace trellon
