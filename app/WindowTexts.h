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

}  // namespace trellon::texts
