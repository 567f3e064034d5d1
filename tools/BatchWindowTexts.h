#pragma once

// The captions and messages the batch and bench windows added to the crystal windows' own.
namespace trellon::texts {

inline constexpr const char* kImportQuestion =
    "В таблице уже есть кварцы. Заменить партию кварцами из файла или добавить их к ней?\n"
    "При замене подогнанные кварцы и расстановка теряются.";
inline constexpr const char* kImportReplace = "Заменить";
inline constexpr const char* kImportAppend = "Добавить";

inline constexpr const char* kPositionHint = "The position the selected crystal is put into";
inline constexpr const char* kPutIntoPosition = "В позицию";
inline constexpr const char* kPutIntoPositionHint =
    "Put the selected crystal into the chosen position; the crystal standing there takes its "
    "place";
inline constexpr const char* kSelectOneCrystal = "Выделите один кварц для этой позиции.";

inline constexpr const char* kPartsListCaption = "Перечень деталей (схема как собрана):";
inline constexpr const char* kCopyPartsList = "Копировать";
inline constexpr const char* kCopyPartsListHint = "Copy the parts list to the clipboard";

// The parts list's lines; the part's name and value are put in.
inline constexpr const char* kPartsSource = "Rin = %1 Ом";
inline constexpr const char* kPartsLoad = "Rout = %1 Ом";
inline constexpr const char* kPartsCapacitor = "%1 = %2 пФ (по расчету %3 пФ)";
inline constexpr const char* kPartsCapacitorKept =
    "%1 = %2 пФ (по расчету; емкость монтажа больше)";
inline constexpr const char* kPartsNetworkCapacitor = "%1 = %2 пФ (подстроить)";
inline constexpr const char* kPartsInductor = "%1 = %2 мкГн (намотать)";
inline constexpr const char* kPartsCrystal = "%1: кварц %2";
inline constexpr const char* kPartsNominalCrystal = "%1: номинальный кварц";
inline constexpr const char* kPartsTransformer =
    "%1: трансформатор, n = %2 (сторона фильтра к стороне системы)";
inline constexpr const char* kPartsStray = "Емкость монтажа: %1 пФ на каждом узле с конденсатором";

}  // namespace trellon::texts
