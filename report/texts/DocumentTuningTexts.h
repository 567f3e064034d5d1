#pragma once

// The builder's tuning of the document's filter when the design, crystals or bench change.
namespace trellon::texts {

// The builder's tuning before a new calculation replaces the design it was made on (%1: how
// many parts it changes), and the log's line when a new circuit lacks some of its parts.
inline constexpr const char* kDropTuningQuestion =
    "Новый расчёт сбросит настройку фильтра (изменено деталей: %1). Продолжить?";
inline constexpr const char* kTuningDroppedLine =
    "Настройка фильтра снята: новый расчёт заменил схему, на которой она сделана.";
inline constexpr const char* kTuningPartsDroppedLine =
    "Настройка фильтра: в новой схеме нет %1, их настройка снята.";

}  // namespace trellon::texts
