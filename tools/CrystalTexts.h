#pragma once

// The captions and messages of the crystal batch and Monte-Carlo windows.
namespace trellon::texts {

inline constexpr const char* kBatchWindowTitle = "Партия кварцев";
inline constexpr const char* kMonteCarloWindowTitle = "Разброс параметров (Монте-Карло)";
inline constexpr const char* kCrystalFileFilters = "CSV (*.csv);;All files (*)";
inline constexpr const char* kSweepFileFilters = "Touchstone (*.s2p);;All files (*)";

inline constexpr const char* kNoCalculatedDesign =
    "Нет рассчитанного фильтра: сначала выполните РАСЧЕТ.";
inline constexpr const char* kTooFewCrystals = "В партии меньше кварцев, чем нужно фильтру: ";
inline constexpr const char* kChooseCrystalCount =
    "Выделите столько кварцев, сколько их в фильтре: ";
inline constexpr const char* kNoPlacement = "Кварцы не расставлены по позициям.";
inline constexpr const char* kNoChoiceToApply = "Подбор еще не выполнен.";
inline constexpr const char* kPlacementOutsideBatch =
    "В расстановке есть кварцы, которых нет в партии: разместите кварцы заново.";
inline constexpr const char* kFitFailedFiles = "Кварцы из этих файлов не добавлены:";
inline constexpr const char* kNoFittedCrystal =
    "Выделите кварц, подогнанный по файлу Touchstone в этом окне.";
inline constexpr const char* kBadFixtureOhm =
    "Сопротивление оснастки: положительное число Ом или пусто (из файла).";
inline constexpr const char* kBadFixtureLoss = "Потери оснастки: от 0 до 100 дБ.";

// The chart of a crystal's sweep and its fitted model.
inline constexpr const char* kSweepFitTitle = "Подгонка кварца ";
inline constexpr const char* kSweepFitAxis = "Частота (kHz)";
inline constexpr const char* kSweepFitLevelAxis = "|S21| (dB)";
inline constexpr const char* kSweepMeasured = " измерено";
inline constexpr const char* kSweepFitted = " подгонка";

// What the choice minimises, in the builder's terms.
inline constexpr const char* kChoiceMeasure =
    "Мера: наибольшее отклонение (дБ) затухания собранного фильтра от идеальной АЧХ "
    "в полосе пропускания по уровню; меньше - ближе к расчету.";

}  // namespace trellon::texts
