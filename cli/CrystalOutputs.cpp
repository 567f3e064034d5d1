#include "CrystalOutputs.h"

#include <atomic>
#include <cmath>
#include <span>

#include "BuiltFilter.h"
#include "BuiltFilterReport.h"
#include "CrystalBatchCsv.h"
#include "CrystalChooser.h"
#include "CrystalPhrases.h"
#include "CrystalPositions.h"
#include "FileBytes.h"
#include "MonteCarlo.h"
#include "MonteCarloReport.h"
#include "NumberColumnsCsv.h"
#include "NumberText.h"
#include "ReadLimits.h"
#include "TextReading.h"

namespace trellon::cli {

namespace {

constexpr const char* kBatchKind = "crystal batch";

CrystalBatch readBatch(const std::string& path) {
    return readCrystalBatchCsv(
        readFileBytes(
            {.path = path, .what = "the crystal batch", .limitBytes = kCrystalBatchLimit}),
        path);
}

// The crystals in position order and their names, from the file or chosen from the batch.
struct Placed {
    std::vector<MeasuredCrystal> crystals;
    std::vector<std::string> names;
};

Placed inPositionOrder(std::vector<MeasuredCrystal> crystals) {
    Placed placed;
    for (const MeasuredCrystal& crystal : crystals) {
        placed.names.push_back(crystal.name);
    }
    placed.crystals = std::move(crystals);
    return placed;
}

Placed givenCrystals(const std::string& path, int positions) {
    CrystalBatch batch = readBatch(path);
    if (batch.crystals.size() != static_cast<std::size_t>(positions)) {
        failOnFile(kBatchKind, path,
                   {{&crystalPhrase("batch-file-one-per-position"),
                     {{std::to_string(positions)}, {std::to_string(batch.crystals.size())}}}});
    }
    return inPositionOrder(std::move(batch.crystals));
}

Placed chosenCrystals(const CalculatedDesign& design, const CrystalOptions& options, int positions,
                      CrystalOutputs& outputs) {
    const std::string& path = *options.chooseFromFile;
    const CrystalBatch batch = readBatch(path);
    if (batch.crystals.size() < static_cast<std::size_t>(positions)) {
        failOnFile(kBatchKind, path,
                   {{&crystalPhrase("batch-file-too-few"),
                     {{std::to_string(positions)}, {std::to_string(batch.crystals.size())}}}});
    }
    ChoiceSettings settings;
    settings.threads = options.threads;
    settings.measure = options.chooseMeasure.value_or(ChoiceMeasure::Shape);
    std::atomic<bool> cancel{false};
    const CrystalChoice choice = *ChooseCrystals(design, batch, settings, nullptr, cancel);
    Placed placed;
    placed.names = placementNames(batch, choice.placement);
    for (std::size_t index : choice.placement) {
        placed.crystals.push_back(batch.crystals[index]);
    }
    const std::vector<std::string> names = crystalPositionNames(design.circuit);
    for (std::size_t i = 0; i < placed.names.size(); ++i) {
        outputs.choiceLines.push_back(names[i] + "=" + placed.names[i]);
    }
    outputs.json["choice"] = placed.names;
    outputs.json["measure"] = {{"best", choice.measure}, {"naive", choice.naiveMeasure}};
    if (settings.measure == ChoiceMeasure::Shape) {
        outputs.json["measure"]["shiftHz"] = choice.shiftHz;
        outputs.json["measure"]["offsetDb"] = choice.offsetDb;
    }
    return placed;
}

std::vector<double> detuningKhz(const CalculatedDesign& design,
                                std::span<const double> frequenciesHz) {
    std::vector<double> detuning;
    for (double f : frequenciesHz) {
        detuning.push_back((f - design.foHz()) / 1000);
    }
    return detuning;
}

// The built filter's figures, report block and points at the ideal traced curve's frequencies.
void reportBuiltFilter(const CalculatedDesign& design, const BuiltCircuit& circuit,
                       const Placed& placed, const CrystalOptions& options, bool absolute,
                       char separator, CrystalOutputs& outputs) {
    const BuiltFilterResult built =
        solveBuiltFilter(design, circuit, builtCurveFrequencies(design.band), options.threads);
    const BuiltFilterReportLines lines =
        builtFilterReportLines(design, built, placed.names, separator);
    outputs.builtReport = lines.results;
    outputs.builtReport.insert(outputs.builtReport.end(), lines.log.begin(), lines.log.end());
    const CurveFigures& f = built.figures;
    outputs.json["built"] = {{"levelAtFo", built.levelAtFo},
                             {"amin", f.amin},
                             {"fAmin", f.fAmin},
                             {"bandLow", f.bandLow},
                             {"bandHigh", f.bandHigh},
                             {"bandwidth", f.bandwidth},
                             {"ripple", f.ripple}};
    if (options.builtPointsFile) {
        outputs.builtPoints = builtPointsCsv(design, circuit, f, absolute, options.threads);
    }
}

// The targets as the samples were held to them, and for relative ones the margins.
nlohmann::ordered_json targetsJson(const YieldTargets& targets, const TargetLimits& limits) {
    const bool relative = targets.kind == TargetKind::Relative;
    nlohmann::ordered_json json = {{"kind", relative ? "relative" : "absolute"},
                                   {"maxLossDb", limits.maxLossDb},
                                   {"maxRippleDb", limits.maxRippleDb},
                                   {"bandwidthTolerancePercent", limits.bandwidthTolerancePercent}};
    if (relative) {
        json["lossMarginDb"] = targets.lossMarginDb;
        json["rippleMarginDb"] = targets.rippleMarginDb;
    }
    return json;
}

}  // namespace

std::string builtPointsCsv(const CalculatedDesign& design, const BuiltCircuit& circuit,
                           const CurveFigures& figures, bool absolute, int threads) {
    const std::vector<double> frequencies = idealTraceFrequencies(design.band);
    const BuiltFilterResult points = solveBuiltFilter(design, circuit, frequencies, threads);
    std::vector<double> levels;
    for (double level : points.levelsDb) {
        levels.push_back(displayedLevel(level, figures, absolute));
    }
    const std::vector<double> detuning = detuningKhz(design, frequencies);
    return writeNumberColumnsCsv({"detuning_khz", "level_db"},
                                 {std::span(detuning), std::span(levels)});
}

void addMonteCarloOutputs(const CalculatedDesign& design, const BuiltCircuit& circuit,
                          const CrystalOptions& options, bool strayCompensated, bool absolute,
                          char separator, CrystalOutputs& outputs) {
    MonteCarloSettings settings;
    settings.samples = *options.monteCarloSamples;
    settings.gridPoints = options.gridPoints;
    settings.seed = options.seed;
    settings.threads = options.threads;
    settings.spread = options.spread;
    if (strayCompensated) {
        settings.spread.strayPf = 0;  // already on the board of `circuit`
    }
    settings.targets = targetsInUse(options);
    std::atomic<bool> cancel{false};
    const MonteCarloResult result = *RunMonteCarlo(design, circuit, settings, nullptr, cancel);

    const auto percentiles = [](const Percentiles& p) {
        return nlohmann::ordered_json{{"p5", p.p5}, {"p50", p.p50}, {"p95", p.p95}};
    };
    outputs.json["monteCarlo"] = {{"samples", result.samples},
                                  {"yield", result.yield},
                                  {"bandwidth", percentiles(result.bandwidthPercentiles)},
                                  {"ripple", percentiles(result.ripplePercentiles)},
                                  {"loss", percentiles(result.lossPercentiles)},
                                  {"targets", targetsJson(settings.targets, result.limits)}};

    outputs.monteCarloLines = monteCarloReportLines(design, result, settings.targets, separator);

    if (options.envelopeFile) {
        // Relative levels are to the design's Amin, so the envelopes sit beside the ideal curve.
        CurveFigures ideal;
        ideal.amin = design.amin;
        std::vector<std::vector<double>> envelopes;
        for (const std::vector<double>* levels : {&result.p5Db, &result.p50Db, &result.p95Db}) {
            std::vector<double>& shown = envelopes.emplace_back();
            for (double level : *levels) {
                shown.push_back(displayedLevel(level, ideal, absolute));
            }
        }
        const std::vector<double> detuning = detuningKhz(design, result.frequenciesHz);
        outputs.envelope =
            writeNumberColumnsCsv({"detuning_khz", "p5_db", "p50_db", "p95_db"},
                                  {std::span(detuning), std::span(envelopes[0]),
                                   std::span(envelopes[1]), std::span(envelopes[2])});
    }
}

CrystalOutputs makeCrystalOutputs(const CalculatedDesign& design, const CrystalOptions& options,
                                  bool absolute, char separator) {
    CrystalOutputs outputs;
    const int positions = design.crystalCount();
    std::optional<Placed> placed;
    if (options.crystalsFile) {
        placed = givenCrystals(*options.crystalsFile, positions);
    } else if (options.chooseFromFile) {
        placed = chosenCrystals(design, options, positions, outputs);
    }
    if (placed) {
        outputs.built = makeBuiltFilter(design, placed->crystals);
        reportBuiltFilter(design, *outputs.built, *placed, options, absolute, separator, outputs);
        outputs.placed = std::move(placed->crystals);
    }
    return outputs;
}

CrystalOutputs keptPlacementOutputs(const CalculatedDesign& design, const CrystalOutputs& earlier,
                                    const CrystalOptions& options, bool absolute, char separator) {
    CrystalOutputs outputs;
    outputs.choiceLines = earlier.choiceLines;
    for (const char* key : {"choice", "measure"}) {
        if (earlier.json.contains(key)) {
            outputs.json[key] = earlier.json[key];
        }
    }
    Placed placed = inPositionOrder(earlier.placed);
    outputs.built = makeBuiltFilter(design, placed.crystals);
    reportBuiltFilter(design, *outputs.built, placed, options, absolute, separator, outputs);
    outputs.placed = std::move(placed.crystals);
    return outputs;
}

}  // namespace trellon::cli
