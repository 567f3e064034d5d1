#pragma once

// The messages and file filters of the exports and the import of a measurement.
namespace trellon::texts {

inline constexpr const char* kNoDesignToExport =
    "Нет рассчитанного фильтра: сначала выполните РАСЧЕТ.";
inline constexpr const char* kNoCurvesToExport = "На графике нет кривых для экспорта.";

inline constexpr const char* kWideSpanDoesNotFit =
    "Полоса не помещается: ее нижний край должен быть выше 0 Гц, а точки - не ближе 1 мГц "
    "друг к другу.";

inline constexpr const char* kChartFileFilters = "PNG (*.png);;SVG (*.svg);;PDF (*.pdf)";
inline constexpr const char* kCsvFileFilters = "CSV (*.csv)";
inline constexpr const char* kSpiceFileFilters = "SPICE (*.cir)";
inline constexpr const char* kTouchstoneFileFilters = "Touchstone (*.s2p)";

}  // namespace trellon::texts
