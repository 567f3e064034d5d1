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
// In the design column of a crystal's series trimmer: its crystal's name is put in.
inline constexpr const char* kTrimmerOf = "подстроечный %1";
inline constexpr const char* kPicofarad = "пФ";
inline constexpr const char* kMicrohenry = "мкГн";
inline constexpr const char* kKeptAtDesign =
    " (оставлен расчетным: монтажная емкость не меньше него)";
// The legend of the sheet's chart.
inline constexpr const char* kSheetBuiltCurve = "как собран";
inline constexpr const char* kSheetIdealCurve = "идеальный";

// --- the parts list as built ---------------------------------------------------------
inline constexpr const char* kPartsListCaption = "Перечень деталей (схема как собрана):";
inline constexpr const char* kCopyPartsList = "Копировать";
inline constexpr const char* kCopyPartsListHint = "Copy the parts list to the clipboard";

// The parts list's lines; the part's name and value are put in.
inline constexpr const char* kPartsSource = "Rin = %1 Ом";
inline constexpr const char* kPartsLoad = "Rout = %1 Ом";
inline constexpr const char* kPartsCapacitor = "%1 = %2 пФ (по расчету %3 пФ)";
// Below a part that stands for the capacitors of one node: them with their design values.
inline constexpr const char* kPartsMerged = "    (одна деталь вместо %1)";
inline constexpr const char* kPartsCapacitorKept =
    "%1 = %2 пФ (по расчету; емкость монтажа больше)";
inline constexpr const char* kPartsTrimmer = "%1 = %2 пФ (подстроечный %3)";
inline constexpr const char* kPartsNetworkCapacitor = "%1 = %2 пФ (подстроить)";
inline constexpr const char* kPartsInductor = "%1 = %2 мкГн (намотать)";
inline constexpr const char* kPartsCrystal = "%1: кварц %2";
inline constexpr const char* kPartsNominalCrystal = "%1: номинальный кварц";
inline constexpr const char* kPartsTransformer =
    "%1: трансформатор, n = %2 (сторона фильтра к стороне системы)";
inline constexpr const char* kPartsStray = "Емкость монтажа: %1 пФ на каждом узле с конденсатором";

}  // namespace trellon::texts
