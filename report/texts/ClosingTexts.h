#pragma once

// The questions asked before the log's when the main window closes.
namespace trellon::texts {

inline constexpr const char* kRunGoingQuestion =
    "Идет расчет (подгонка, подбор кварцев или Монте-Карло). Прервать его и закрыть программу?";
inline constexpr const char* kStopAndClose = "Прервать и закрыть";
inline constexpr const char* kUnsavedWorkQuestion =
    "Партия кварцев или проект не сохранены. Сохранить проект?";

}  // namespace trellon::texts
