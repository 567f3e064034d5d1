#pragma once

// The captions and messages of the Monte-Carlo window beyond its fields.
namespace trellon::texts {

inline constexpr const char* kMonteCarloDesign = "Расчет: ";
inline constexpr const char* kMonteCarloNoDesign = "Расчет: еще не выполнен";
// Put after the design's caption when the results belong to an earlier calculation.
inline constexpr const char* kMonteCarloStale =
    " - результаты устарели: с тех пор выполнен новый расчет, запустите испытания снова";
inline constexpr const char* kMonteCarloMostMissed = "Чаще всего не выполнено: ";
inline constexpr const char* kMonteCarloNoneMissed = "Все требования выполнены у всех образцов";
inline constexpr const char* kMonteCarloMissOf = " из ";
inline constexpr const char* kMonteCarloBandwidthTarget = "полоса";
inline constexpr const char* kMonteCarloRippleTarget = "неравномерность";
inline constexpr const char* kMonteCarloLossTarget = "потери";
// The kinds of targets, in the order of TargetKind.
inline constexpr const char* kMonteCarloTargetKinds[] = {"от идеального фильтра", "абсолютные"};
// Put before the targets the ideal filter itself misses, each with its figure.
inline constexpr const char* kMonteCarloIdealMisses = "Идеальный фильтр сам не выполняет (дБ): ";
inline constexpr const char* kMonteCarloExport = "Экспорт CSV...";
inline constexpr const char* kMonteCarloExportHint =
    "Write every sample's bandwidth, ripple and loss and the targets it meets";
inline constexpr const char* kMonteCarloNothingToExport = "Испытания еще не выполнены.";
inline constexpr const char* kMonteCarloFileFilters = "CSV (*.csv);;Все файлы (*)";

}  // namespace trellon::texts
