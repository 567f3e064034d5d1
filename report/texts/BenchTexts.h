#pragma once

// The captions of the bench window and of the build sheet it writes. The sheet's first lines
// keep the report's notation ("Fo=", "Rin=Rout=").
namespace trellon::texts {

// --- the bench window --------------------------------------------------------------------------

inline constexpr const char* kBenchWindowTitle = "От расчета к плате";
inline constexpr const char* kNoRounding = "не округлять";
inline constexpr const char* kMatchKinds[] = {"нет", "посл. L, парал. C", "посл. C, парал. L",
                                              "трансформатор"};
inline constexpr const char* kShowBench = "Показать";
inline constexpr const char* kBuildSheetPdf = "Лист сборки PDF...";
inline constexpr const char* kBuildSheetCsv = "Лист сборки CSV...";

// The curve of the filter at the bench and of the filter built with measured crystals.
inline constexpr const char* kAsBuiltCurve = "как собран";
inline constexpr const char* kBuiltCurve = "собранный";

// --- the build sheet -------------------------------------------------------------------------

inline constexpr const char* kBuildSheetTitle = "Лист сборки";
inline constexpr const char* kBuildSheetHeading = "Лист сборки: ";
inline constexpr const char* kPartColumns[] = {"Элемент", "Расчет", "Подбор", "Монтаж, пФ", "Ед."};
inline constexpr const char* kTurnsRatio = "коэфф. трансформации, фильтр : тракт";
inline constexpr const char* kCrystalPart = "кварц";
inline constexpr const char* kWindOrTrim = "намотать / подстроить";
inline constexpr const char* kPicofarad = "пФ";
inline constexpr const char* kMicrohenry = "мкГн";
inline constexpr const char* kKeptAtDesign =
    " (оставлен расчетным: монтажная емкость не меньше него)";
// The legend of the sheet's chart.
inline constexpr const char* kSheetBuiltCurve = "как собран";
inline constexpr const char* kSheetIdealCurve = "идеальный";

}  // namespace trellon::texts
