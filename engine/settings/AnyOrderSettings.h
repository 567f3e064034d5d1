#pragma once

#include "SettingDeclaration.h"

// As in SettingTables.h: the defaulted members are left out on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// The settings of a ladder of any order; the crystal, the pass band and the level are the
// design's inputs as typed.
namespace trellon::settings {

inline constexpr SettingDeclaration kOrder{
    .name = "number of crystals",
    .key = "order",
    .option = "order",
    .metavar = "N",
    .help =
        "design a ladder of N identical crystals, 2 to 16, instead\n"
        "of --topology, --response and --ccor; every other option\n"
        "works with it",
    .label = "Число кварцев",
    .hint = "Number of crystals in the ladder",
    .defaultValue = 4,
    .range = {.low = 2, .high = 16, .highIncluded = true},
    .whole = true};

inline constexpr SettingDeclaration kFamily{
    .name = "response family",
    .key = "family",
    .option = "family",
    .metavar = "NAME",
    .help =
        "with --order: butterworth (the default), chebyshev,\n"
        "bessel, gaussian, gaussian-6db, gaussian-12db,\n"
        "linear-phase-0.05, linear-phase-0.5, equal-c or qer",
    .label = "Вид АЧХ",
    .hint = "The response of the ladder"};

inline constexpr SettingDeclaration kChebyshevRipple{
    .name = "ripple",
    .unit = "dB",
    .key = "rippleDb",
    .option = "ripple",
    .metavar = "DB",
    .help = "with --family chebyshev: the ripple, 0.01 to 3 dB ({})",
    .quantity = "ripple",
    .label = "Неравномерность, дБ",
    .hint = "Chebyshev ripple, dB",
    .defaultValue = 0.1,
    .range = {.low = 0.01, .high = 3, .highIncluded = true}};

inline constexpr SettingDeclaration kCrystalQ{
    .name = "unloaded Q",
    .key = "crystalQ",
    .option = "crystal-q",
    .metavar = "Q",
    .help = "with --order: the crystal's unloaded Q instead of --rd",
    .quantity = "Q",
    .label = "Добротность кварца",
    .hint = "The crystal's unloaded Q; sets Rd",
    .defaultValue = 100000,
    .range = {.low = 100, .high = 1e8, .highIncluded = true}};

inline constexpr const SettingDeclaration* kAnyOrderTable[] = {&kOrder, &kFamily, &kChebyshevRipple,
                                                               &kCrystalQ};

}  // namespace trellon::settings

#pragma GCC diagnostic pop
