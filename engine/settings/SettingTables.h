#pragma once

// Every setting a user chooses, declared once: its name and unit, default and range, its key in
// the project file, its option and usage text on the command line, and its caption and tooltip
// in the window. The checks, the project file, the command line and the windows read these.

#include "SettingDeclaration.h"

// g++ 12 asks for every member in a designated initializer even when the member has a default
// (it leaves out the defaulted ones here on purpose); clang does not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace trellon::settings {

constexpr int wholeDefault(const SettingDeclaration& declaration) {
    return static_cast<int>(declaration.defaultValue);
}

// --- the bench: from the design to the board -------------------------------------------------

// The board's stray capacitance, the same on the bench and in the Monte-Carlo.
inline constexpr SettingRange kStrayRange{.low = 0, .high = 1e6};

inline constexpr SettingDeclaration kESeries{
    .name = "series",
    .key = "eSeries",
    .option = "e-series",
    .metavar = "N",
    .help = "round the capacitors to E6, E12, E24, E48 or E96 (none)",
    .label = "Ряд",
    .hint = "Round every capacitor to the nearest value of the series",
    .defaultValue = 0,
    .range = {.low = 0, .high = 96, .highIncluded = true},
    .whole = true};

inline constexpr SettingDeclaration kParallelTolerance{
    .name = "parallel tolerance",
    .unit = "%",
    .key = "parallelTolerancePercent",
    .option = "parallel-tolerance",
    .metavar = "P",
    .help = "two parallel values where one lies beyond P %",
    .label = "пара параллельно, допуск %",
    .hint = "Tolerance of a single standard value, per cent",
    .defaultValue = 2,
    .range = {.low = 0, .high = 100}};

inline constexpr SettingDeclaration kBenchStray{
    .name = "stray capacitance",
    .unit = "pF",
    .key = "strayPf",
    .option = "stray",
    .label = "Монтажная емкость, пФ",
    .hint = "Board capacitance at each node with a shunt capacitor, pF",
    .defaultValue = 0,
    .range = kStrayRange};

inline constexpr SettingDeclaration kMatch{
    .name = "match",
    .key = "match",
    .option = "match",
    .metavar = "KIND",
    .help = "lc, cl or transformer to --match-ohm at both ends",
    .label = "Согласование",
    .hint = "Match both ends to the system resistance"};

inline constexpr SettingDeclaration kSystemOhm{.name = "system resistance",
                                               .unit = "ohm",
                                               .key = "systemOhm",
                                               .option = "match-ohm",
                                               .metavar = "R",
                                               .help = "system resistance, ohm ({})",
                                               .quantity = "resistance",
                                               .label = "Сопротивление тракта, Ом",
                                               .hint = "System resistance, ohm",
                                               .defaultValue = 50,
                                               .range = {.low = 1e-3, .high = 1e9}};

// --- the Monte-Carlo: the spread of the parts ------------------------------------------------

// Wide enough for any real batch; a deviate that would make a part non-physical is drawn again.
inline constexpr SettingRange kSigmaFsRange{.low = 0, .high = 1e5};
inline constexpr SettingRange kSigmaPercentRange{.low = 0, .high = 100};

inline constexpr SettingDeclaration kSigmaFs{
    .name = "deviation of Fs",
    .unit = "Hz",
    .key = "sigmaFsHz",
    .option = "sigma-fs",
    .metavar = "HZ",
    .help = "standard deviation of each crystal's Fs ({})",
    .label = "σ Fs, Гц",
    .hint = "Standard deviation of the series frequency, Hz",
    .range = kSigmaFsRange};

inline constexpr SettingDeclaration kSigmaLm{
    .name = "deviation of Lm",
    .unit = "%",
    .key = "sigmaLmPercent",
    .option = "sigma-lm",
    .metavar = "PCT",
    .help = "standard deviations of Lm, Rm and C0, per cent ({})",
    .label = "σ Lm, %",
    .hint = "Standard deviation of Lm, per cent",
    .range = kSigmaPercentRange};

inline constexpr SettingDeclaration kSigmaRm{.name = "deviation of Rm",
                                             .unit = "%",
                                             .key = "sigmaRmPercent",
                                             .option = "sigma-rm",
                                             .metavar = "PCT",
                                             .label = "σ Rm, %",
                                             .hint = "Standard deviation of Rm, per cent",
                                             .range = kSigmaPercentRange};

inline constexpr SettingDeclaration kSigmaC0{.name = "deviation of C0",
                                             .unit = "%",
                                             .key = "sigmaC0Percent",
                                             .option = "sigma-c0",
                                             .metavar = "PCT",
                                             .label = "σ C0, %",
                                             .hint = "Standard deviation of C0, per cent",
                                             .range = kSigmaPercentRange};

inline constexpr SettingDeclaration kCapTolerance{
    .name = "capacitor tolerance",
    .unit = "%",
    .key = "capTolerancePercent",
    .option = "cap-tolerance",
    .metavar = "PCT",
    .help = "each capacitor uniform within +- this, per cent ({})",
    .label = "Допуск конденсаторов, ±%",
    .hint = "Capacitors uniform within plus or minus this, per cent",
    .range = {.low = 0, .high = 100}};

inline constexpr SettingDeclaration kSpreadStray{
    .name = "stray capacitance",
    .unit = "pF",
    .key = "strayPf",
    .option = "stray",
    .metavar = "PF",
    .help =
        "board capacitance at each node with a shunt capacitor:\n"
        "added by the Monte-Carlo, taken off the capacitors\n"
        "before rounding with --e-series ({})",
    .label = "Паразитная емкость, пФ",
    .hint = "Added at each node that has a shunt capacitor, pF",
    .range = kStrayRange};

// --- the Monte-Carlo: the sampling -----------------------------------------------------------

inline constexpr SettingDeclaration kSamples{
    .name = "number of samples",
    .key = "samples",
    .option = "monte-carlo",
    .metavar = "K",
    .help = "K samples of the filter as built with spread parts",
    .label = "Число испытаний",
    .hint = "Number of samples",
    .defaultValue = 1000,
    .range = {.low = 1, .high = 1e6, .highIncluded = true},
    .whole = true};

inline constexpr SettingDeclaration kSeed{.name = "seed",
                                          .key = "seed",
                                          .option = "seed",
                                          .metavar = "N",
                                          .help = "seed of the samples ({})",
                                          .label = "Начальное число",
                                          .hint = "Seed of the random numbers",
                                          .defaultValue = 1,
                                          .range = {.low = 0, .high = 18446744073709551616.0},
                                          .whole = true};

// Of the choice of crystals and of the samples; neither result depends on it.
inline constexpr SettingDeclaration kThreads{
    .name = "number of threads",
    .option = "threads",
    .metavar = "N",
    .help = "threads of the choice and the samples ({}: per core)",
    .defaultValue = 0,
    .range = {.low = 0, .high = 256, .highIncluded = true},
    .whole = true};

inline constexpr SettingDeclaration kGridPoints{
    .name = "number of grid points",
    .key = "gridPoints",
    .option = "grid-points",
    .metavar = "N",
    .help = "frequencies of each sample ({})",
    .label = "Точек по частоте",
    .hint = "Frequencies of each sample's curve",
    .defaultValue = 801,
    .range = {.low = 2, .high = 1e6, .highIncluded = true},
    .whole = true};

// Every sample's curve is kept for the envelopes: samples times grid points is at most this.
inline constexpr double kMaxSampledLevels = 5e7;

constexpr bool sampledLevelsFit(int samples, int gridPoints) {
    return static_cast<double>(samples) * gridPoints <= kMaxSampledLevels;
}

// --- the Monte-Carlo: what a sample must meet ------------------------------------------------

// Relative targets follow the ideal filter: its loss and ripple plus the margins below, its
// bandwidth within the tolerance. Absolute ones are the largest ripple and loss as typed.
inline constexpr SettingDeclaration kTargetKind{
    .name = "kind of targets",
    .key = "targetKind",
    .option = "targets",
    .metavar = "KIND",
    .help =
        "yield targets relative to the ideal filter (its loss\n"
        "and ripple plus the margins) or absolute; relative\n"
        "unless --max-ripple or --max-loss is given",
    .label = "Вид требований",
    .hint = "Relative to the ideal filter's loss and ripple, or absolute figures"};

inline constexpr SettingDeclaration kRippleMargin{
    .name = "ripple margin",
    .unit = "dB",
    .key = "rippleMarginDb",
    .option = "ripple-margin",
    .metavar = "DB",
    .help = "relative: ripple at most the ideal's plus DB ({})",
    .label = "Запас по неравномерности, дБ",
    .hint = "Ripple at most the ideal filter's plus this, dB",
    .defaultValue = 1};

inline constexpr SettingDeclaration kLossMargin{
    .name = "loss margin",
    .unit = "dB",
    .key = "lossMarginDb",
    .option = "loss-margin",
    .metavar = "DB",
    .help = "and loss at most the ideal's plus DB ({}),",
    .label = "Запас по потерям, дБ",
    .hint = "Loss (Amin) at most the ideal filter's plus this, dB",
    .defaultValue = 1};

inline constexpr SettingDeclaration kMaxRipple{.name = "largest ripple",
                                               .unit = "dB",
                                               .key = "maxRippleDb",
                                               .option = "max-ripple",
                                               .metavar = "DB",
                                               .help = "absolute: ripple at most ({})",
                                               .label = "Неравномерность не более, дБ",
                                               .hint = "Largest ripple, dB",
                                               .defaultValue = 1};

inline constexpr SettingDeclaration kBandwidthTolerance{
    .name = "bandwidth tolerance",
    .unit = "%",
    .key = "bandwidthTolerancePercent",
    .option = "bandwidth-tolerance",
    .metavar = "PCT",
    .help = "bandwidth within +- PCT of the ideal's ({}),",
    .label = "Отклонение полосы не более, ±%",
    .hint = "Bandwidth at the level within plus or minus this of the ideal curve's, per cent",
    .defaultValue = 10};

inline constexpr SettingDeclaration kMaxLoss{.name = "largest loss",
                                             .unit = "dB",
                                             .key = "maxLossDb",
                                             .option = "max-loss",
                                             .metavar = "DB",
                                             .help = "and loss at most ({})",
                                             .label = "Потери не более, дБ",
                                             .hint = "Largest loss (Amin), dB",
                                             .defaultValue = 6};

// --- the wide span ---------------------------------------------------------------------------

inline constexpr SettingDeclaration kSpanKhz{
    .name = "span's half width",
    .unit = "kHz",
    .key = "spanKhz",
    .option = "span-khz",
    .metavar = "X",
    .help = "make --table and --s2p cover +-X kHz around the band\ncentre instead",
    .label = "Центр полосы ± (кГц):",
    .range = {.low = 0, .lowIncluded = false, .high = 1e6}};

inline constexpr SettingDeclaration kSpanPoints{
    .name = "number of span points",
    .key = "spanPoints",
    .option = "span-points",
    .metavar = "N",
    .help = "points of that span ({})",
    .defaultValue = 2001,
    .range = {.low = 2, .high = 1e6, .highIncluded = true},
    .whole = true};

// A span's frequencies stay above 0 Hz and at least this far apart, so that every file written
// over it holds increasing positive frequencies: a check of both settings and the band centre.
inline constexpr double kSmallestSpanStepHz = 1e-3;

constexpr bool spanFitsCentre(double centreHz, double halfWidthHz, int points) {
    return centreHz - halfWidthHz > 0 && 2 * halfWidthHz / (points - 1) >= kSmallestSpanStepHz;
}

// --- the fixture a crystal is swept in -------------------------------------------------------

inline constexpr SettingDeclaration kFixtureOhm{.name = "fixture resistance",
                                                .unit = "ohm",
                                                .option = "fixture-ohm",
                                                .metavar = "R",
                                                .help =
                                                    "the fixture's port resistance (the file's "
                                                    "reference)",
                                                .quantity = "resistance",
                                                .defaultValue = 50,
                                                .range = {.low = 0, .lowIncluded = false}};

inline constexpr SettingDeclaration kFixtureLoss{
    .name = "fixture loss",
    .unit = "dB",
    .option = "fixture-loss",
    .metavar = "DB",
    .help = "the fixture's own loss, flat over the sweep ({})",
    .quantity = "loss",
    .defaultValue = 0,
    .range = {.low = 0, .high = 100, .highIncluded = true}};

// --- the tables, in the order the usage text lists them --------------------------------------

inline constexpr const SettingDeclaration* kBenchTable[] = {&kESeries, &kParallelTolerance, &kMatch,
                                                            &kSystemOhm, &kBenchStray};
inline constexpr const SettingDeclaration* kSpreadTable[] = {
    &kSigmaFs, &kSigmaLm, &kSigmaRm, &kSigmaC0, &kCapTolerance, &kSpreadStray};
inline constexpr const SettingDeclaration* kSamplingTable[] = {&kSamples, &kSeed, &kThreads,
                                                               &kGridPoints};
inline constexpr const SettingDeclaration* kTargetTable[] = {
    &kTargetKind, &kBandwidthTolerance, &kRippleMargin, &kLossMargin, &kMaxRipple, &kMaxLoss};
inline constexpr const SettingDeclaration* kSpanTable[] = {&kSpanKhz, &kSpanPoints};
inline constexpr const SettingDeclaration* kFixtureTable[] = {&kFixtureOhm, &kFixtureLoss};

}  // namespace trellon::settings

#pragma GCC diagnostic pop
