#pragma once

// The captions of the tuning window and of the report block it writes.
namespace trellon::texts {

inline constexpr const char* kTuningWindowTitle = "Настройка фильтра";

inline constexpr const char* kUndo = "Отменить";
inline constexpr const char* kRedo = "Повторить";
inline constexpr const char* kReset = "Сбросить";
inline constexpr const char* kAddTrimmer = "Добавить подстроечный";
inline constexpr const char* kShortTrimmer = "Закоротить";

inline constexpr const char* kPickAPart = "Выберите конденсатор или кварц на схеме";
inline constexpr const char* kPartNotTuned = ": не настраивается";
inline constexpr const char* kNoDesignToTune = "Сначала выполните расчет фильтра";
inline constexpr const char* kBeforeTuning = "до настройки: ";
inline constexpr const char* kShiftCaption = "сдвиг ";
inline constexpr const char* kTrimmerCaption = "подстроечный кварца ";
inline constexpr const char* kNotAPositiveNumber = "Введите положительное число";
inline constexpr const char* kStepsHint =
    "Колесо мыши, ↑/↓ или ползунок; Shift: мельче шаг, Ctrl: крупнее шаг";

// The chart of the window.
inline constexpr const char* kTuningFrequencyAxis = "Расстройка, кГц";
inline constexpr const char* kTuningLevelAxis = "Уровень, дБ";
inline constexpr const char* kIdealCurve = "идеальный";
inline constexpr const char* kTunedCurve = "настроенный";

// The report block, and the curve it draws in the main window.
inline constexpr const char* kTuningHeading = "Настройка фильтра";
// Short lines: the results panel is narrow.
inline constexpr const char* kMeasureCaption = "Отклонение формы:";
inline constexpr const char* kMeasureBefore = "до настройки ";
inline constexpr const char* kMeasureNow = "после ";
inline constexpr const char* kDbUnit = " дБ";
inline constexpr const char* kPfUnit = " пФ";
inline constexpr const char* kHzUnit = " Гц";
inline constexpr const char* kFsShift = ": Fs ";
inline constexpr const char* kArrow = " → ";
inline constexpr const char* kNothingTuned = "Значения как рассчитаны";

}  // namespace trellon::texts
