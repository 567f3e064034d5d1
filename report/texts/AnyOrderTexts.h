#pragma once

#include "FileContentTexts.h"

// The captions and messages of the ladder of any order: its window, its report block in the
// results and the log, and why a design is refused.
namespace trellon::texts {

inline constexpr const char* kAnyOrderWindowTitle = "Синтез любого порядка";
inline constexpr const char* kAnyOrderCrystalGroup = "Кварц";
inline constexpr const char* kAnyOrderFilterGroup = "Фильтр";
inline constexpr const char* kAnyOrderFo = "Fo, кГц";
inline constexpr const char* kAnyOrderLd = "Ld, мГн";
inline constexpr const char* kAnyOrderCs = "Cs, пФ";
inline constexpr const char* kAnyOrderRd = "Rd, Ом";
inline constexpr const char* kAnyOrderBandwidth = "Полоса, Гц";
inline constexpr const char* kAnyOrderMedians = "Медианы партии";
inline constexpr const char* kAnyOrderMediansHint =
    "Fo, Ld, Cs и Rd - медианы кварцев партии (окно «Партия кварцев...»)";
inline constexpr const char* kAnyOrderDesign = "Рассчитать";
inline constexpr const char* kAnyOrderDesignHint =
    "Рассчитать фильтр и показать его в главном окне вместо схемы";

// In the order of AnyOrderFamily.
inline constexpr const char* kAnyOrderFamilies[] = {
    "Баттерворт",
    "Чебышев",
    "Бессель",
    "Гаусс",
    "Гаусс до 6 дБ",
    "Гаусс до 12 дБ",
    "Линейная фаза 0,05°",
    "Линейная фаза 0,5°",
    "Равные емкости",
    "Квазиравноволновой (по два кварца на концах)",
};

// --- the report block: %1, %2, ... are the figures of anyOrderReportLines ---------------------

inline constexpr const char* kAnyOrderHeading = "[%1%2]";
inline constexpr const char* kAnyOrderFrequencies = "Fo=%1 кГц;  fd=%2 Гц;";
inline constexpr const char* kAnyOrderBandAtHalfPower =
    "Полоса %1 Гц по уровню -3 дБ (%2..%3);  наибольшая для кварца %4 Гц;";
inline constexpr const char* kAnyOrderBandAtRipple =
    "Полоса %1 Гц по краям неравномерности %2 дБ (%3..%4);  наибольшая для кварца %5 Гц;";
inline constexpr const char* kAnyOrderLosses =
    "q0=%1 (наименьшая для АЧХ %2);  потери: ожидаемые %3 дБ, по расчету %4 дБ;";
inline constexpr const char* kAnyOrderFigures =
    "Amin=%1 дБ;  F(Amin)=%2 Гц;  A(Fo)=%3 дБ;  dF(%4 дБ)=%5 Гц.";
// The narrow results panel: the same figures, one to a line.
inline constexpr const char* kAnyOrderShortFd = "fd=%1 Гц;";
inline constexpr const char* kAnyOrderShortBand = "Полоса=%1 Гц;";
inline constexpr const char* kAnyOrderShortLargest = "Наибольшая=%1 Гц;";
inline constexpr const char* kAnyOrderShortQ0 = "q0=%1 (мин. %2);";
inline constexpr const char* kAnyOrderShortLoss = "Потери=%1 (%2) дБ;";
inline constexpr const char* kAnyOrderShortAmin = "Amin=%1 дБ;";
inline constexpr const char* kAnyOrderShortPeak = "F(Amin)=%1 Гц;";
inline constexpr const char* kAnyOrderShortAttenuation = "A(Fo)=%1 дБ;";
inline constexpr const char* kAnyOrderShortBandAtLevel = "dF(%1 дБ)=%2 Гц.";

inline constexpr const char* kAnyOrderTooLossy =
    "Добротность кварцев слишком мала для этой АЧХ и порядка: q0 = Qu*BW/F0 = %1, меньше "
    "наименьшей %2; фильтр не получит заданной АЧХ.";

// The same in the narrow results panel, one line each.
inline constexpr const char* kAnyOrderShortTooLossy[] = {"Добротность мала:", "q0=%1 < %2,",
                                                         "АЧХ будет иной."};

// The design file holds only the seven topologies.
inline constexpr const char* kAnyOrderNotInDesignFile =
    "Фильтр любого порядка нельзя сохранить в файл .qua: сохраните его как проект "
    "(«Файл» - «Сохранить проект...»).";

// Why a design is refused, by the ids of engine/any_order/AnyOrderPhrases.h.
inline constexpr PhraseText kAnyOrderPhrases[] = {
    {"any-order-range", "в фильтре должно быть от 2 до 16 кварцев"},
    {"any-order-range-gaussian-6db", "АЧХ «Гаусс до 6 дБ» табулирована только для %1…%2 кварцев"},
    {"any-order-range-gaussian-12db", "АЧХ «Гаусс до 12 дБ» табулирована только для %1…%2 кварцев"},
    {"any-order-range-linear-phase-0.05",
     "АЧХ «Линейная фаза 0,05°» табулирована только для %1…%2 кварцев"},
    {"any-order-range-linear-phase-0.5",
     "АЧХ «Линейная фаза 0,5°» табулирована только для %1…%2 кварцев"},
    {"any-order-qer-orders",
     "квазиравноволновая АЧХ табулирована только для 4…8, 10 и 12 резонаторов (пара кварцев "
     "на каждом конце считается одним)"},
    {"any-order-ripple-range", "неравномерность АЧХ Чебышева должна быть от 0,01 до 3 дБ"},
    {"any-order-crystal", "у кварца Fo, Ld и Rd должны быть больше 0, а Cs - не меньше 0"},
    {"any-order-bandwidth", "полоса должна быть больше 0 и меньше Fo"},
    {"any-order-too-wide", "кварц позволяет для этой АЧХ и порядка полосу не больше %1 Гц"},
    {"any-order-capacitor", "фильтру нужен нулевой или отрицательный конденсатор %1"},
    {"any-order-no-convergence",
     "расчетную полосу не удается приблизить к заданной точнее чем на 1 %"},
};

}  // namespace trellon::texts
