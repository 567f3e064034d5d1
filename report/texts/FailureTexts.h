#pragma once

// The window's messages of a failure: a value out of its setting's range, a file that cannot be
// read or written, and anything unforeseen. The command line keeps its own English texts.
namespace trellon::texts {

inline constexpr const char* kInternalError = "Внутренняя ошибка: ";
inline constexpr const char* kOutOfMemory = "не хватает памяти";
inline constexpr const char* kUnknownFailure = "неизвестное исключение";

// --- a typed setting -------------------------------------------------------------------------

// "<caption>: <typed> вне допустимого диапазона <range>".
inline constexpr const char* kOutOfRange = "%1: %2 вне допустимого диапазона %3";
inline constexpr const char* kNotANumber = "%1: «%2» - не число";
inline constexpr const char* kNotAWholeNumber = "%1: «%2» - не целое число";
// The range: "1…1000000", "0…100 %, кроме 100", "0 дБ и больше", "больше 0 Ом".
inline constexpr const char* kRangeBetween = "%1…%2";
inline constexpr const char* kRangeWithoutLow = ", кроме %1";
inline constexpr const char* kRangeWithoutHigh = ", кроме %1";
inline constexpr const char* kRangeWithoutEnds = ", кроме %1 и %2";
inline constexpr const char* kRangeFrom = "%1 и больше";
inline constexpr const char* kRangeAbove = "больше %1";

// The units of the settings, by the unit the engine gives them.
struct UnitText {
    const char* engine;
    const char* window;
};
inline constexpr UnitText kUnits[] = {{"Hz", "Гц"},  {"kHz", "кГц"}, {"pF", "пФ"},
                                      {"ohm", "Ом"}, {"dB", "дБ"},   {"%", "%"}};

// --- files -----------------------------------------------------------------------------------

// "Не удалось прочитать файл партии кварцев «x.csv»: No such file or directory": the reason is
// the system's own.
inline constexpr const char* kCannotOpen = "Не удалось открыть %1 «%2»: %3";
inline constexpr const char* kCannotRead = "Не удалось прочитать %1 «%2»: %3";
inline constexpr const char* kCannotCreate = "Не удалось создать %1 «%2»: %3";
inline constexpr const char* kCannotWrite = "Не удалось записать %1 «%2»: %3";

// The files of the new windows, by the name the engine's message gives them; a file not listed
// here (the design file, the log) keeps its message as the engine words it.
struct FileText {
    const char* engine;
    const char* window;
};
inline constexpr FileText kFiles[] = {
    {"the crystal file", "файл партии кварцев"}, {"the Touchstone file", "файл Touchstone"},
    {"the project file", "файл проекта"},        {"the chart file", "файл графика"},
    {"the curve file", "файл кривых"},           {"the SPICE deck", "файл SPICE"},
    {"the build sheet", "лист сборки"},          {"the sweep CSV", "файл измерения CSV"}};

}  // namespace trellon::texts
