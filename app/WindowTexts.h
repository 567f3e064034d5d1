#pragma once

namespace trellon::texts {

inline constexpr const char* kWindowCaption = "Расчет кварцевых фильтров - Trellon - Ostrel";
inline constexpr const char* kApplicationTitle = "TRLN 6.3.0.0.";
inline constexpr const char* kWindowHint = "Trellon";
inline constexpr const char* kSaveLogQuestion = "           Сохранить протокол?";
inline constexpr const char* kLogFileFilters = "Text files (*.txt);;All files (*)";
inline constexpr const char* kDesignFileOpenFilters = "Datafiles on quartzs (*.qua);;All files (*)";
inline constexpr const char* kDesignFileSaveFilters = "Datafiles of quartz (*.qua)";
// Lower case, as the program writes it: file names are case-sensitive here.
inline constexpr const char* kDesignFileDefaultExtension = "qua";

inline constexpr const char* kLevelRelativeAtStart = "Frequency Response Level - Relative to Amin";
inline constexpr const char* kLevelRelative = "Frequency Response Level - Relative to Amin.";
inline constexpr const char* kLevelAbsolute = "Frequency Response Level - Absolute.";

// The builder's tuning before a new calculation replaces the design it was made on (%1: how
// many parts it changes), and the log's line when a new circuit lacks some of its parts.
inline constexpr const char* kDropTuningQuestion =
    "Новый расчёт сбросит настройку фильтра (изменено деталей: %1). Продолжить?";
inline constexpr const char* kTuningDroppedLine =
    "Настройка фильтра снята: новый расчёт заменил схему, на которой она сделана.";
inline constexpr const char* kTuningPartsDroppedLine =
    "Настройка фильтра: в новой схеме нет %1, их настройка снята.";

}  // namespace trellon::texts
