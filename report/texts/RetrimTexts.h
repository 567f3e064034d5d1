#pragma once

// The retrim panel of the bench and tuning windows, and the report block of a retrim.
namespace trellon::texts {

// --- the panel ---------------------------------------------------------------------------------
inline constexpr const char* kRetrimCaption = "Подбор конденсаторов под установленные кварцы";
inline constexpr const char* kRetrimColumns[] = {"Конденсатор", "Сейчас, пФ", "свободен"};
inline constexpr const char* kRetrimSymmetric = "Симметрично";
inline constexpr const char* kRetrimSymmetricHint = "Mirror capacitors keep equal values";
inline constexpr const char* kRetrimTrimmers = "Подстроечные конденсаторы";
inline constexpr const char* kRetrimTrimmersHint =
    "A series capacitor in line with each crystal, or none (shorted)";
inline constexpr const char* kRetrimTrimmerFrom = "от";
inline constexpr const char* kRetrimTrimmerTo = "до, пФ";
inline constexpr const char* kRetrimRun = "Подобрать конденсаторы";
inline constexpr const char* kRetrimRunHint =
    "Find the capacitor values that bring the curve closest to the design's";
inline constexpr const char* kRetrimCancel = "Отмена";

// --- why it does not run, and how a run ended ----------------------------------------------------
inline constexpr const char* kRetrimNoDesign = "Сначала выполните расчет.";
inline constexpr const char* kRetrimNothingFree = "Отметьте хотя бы один свободный конденсатор.";
inline constexpr const char* kRetrimTrimmerRange =
    "Наименьший подстроечный конденсатор должен быть меньше наибольшего.";
inline constexpr const char* kRetrimRunning = "Подбор идет...";
inline constexpr const char* kRetrimCancelled = "Подбор отменен; настройка не изменилась.";
inline constexpr const char* kRetrimOutdated =
    "Пока шел подбор, схема изменилась; его результат отброшен.";

// --- the report block (%1... the values) ---------------------------------------------------------
inline constexpr const char* kRetrimHeading = "Подбор конденсаторов:";
inline constexpr const char* kRetrimMeasure = "Мера формы: до %1 дБ, после %2 дБ";
// The common shift each measure was taken at: the builder's oscillator follows it.
inline constexpr const char* kRetrimShift = "Общий сдвиг частоты: до %1 Гц, после %2 Гц";
inline constexpr const char* kRetrimPlainRounding =
    "Мера формы при простом округлении (E%1): %2 дБ";
inline constexpr const char* kRetrimCapacitor = "%1: %2 → %3 пФ";
inline constexpr const char* kRetrimTrimmer = "%1: %2 пФ";
inline constexpr const char* kRetrimShorted = "%1: закорочен";

}  // namespace trellon::texts
