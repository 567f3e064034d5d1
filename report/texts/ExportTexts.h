#pragma once

// The messages, dialogs and file filters of the exports, the project file and the import of a
// measurement.
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
inline constexpr const char* kPdfFileFilters = "PDF (*.pdf)";
inline constexpr const char* kProjectFileFilters = "Проект Trellon (*.json);;Все файлы (*)";

// --- the chart size ---------------------------------------------------------------------------

inline constexpr const char* kChartSizeTitle = "Размер графика";
inline constexpr const char* kPixels = "пиксели";
inline constexpr const char* kMillimetres = "мм";
inline constexpr const char* kWidthCaption = "Ширина:";
inline constexpr const char* kHeightCaption = "Высота:";
inline constexpr const char* kUnitCaption = "Единицы:";

// --- the wide span ----------------------------------------------------------------------------

inline constexpr const char* kWideSpanTitle = "Широкая полоса";
inline constexpr const char* kTenPassBands = "10 × dF";

// --- CSV and Touchstone formats ---------------------------------------------------------------

inline constexpr const char* kCsvStyleTitle = "Формат CSV";
inline constexpr const char* kDecimalPoint = "Десятичная точка, столбцы через «,»";
inline constexpr const char* kDecimalComma = "Десятичная запятая, столбцы через «;»";
inline constexpr const char* kTouchstoneFormatTitle = "Формат Touchstone";
// In the order of TouchstoneFormat: MA, DB, RI.
inline constexpr const char* kTouchstoneFormats[] = {"Модуль и угол (MA)", "дБ и угол (DB)",
                                                     "Действительная и мнимая части (RI)"};

}  // namespace trellon::texts
