#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "BuiltCircuit.h"
#include "CalculatedDesign.h"
#include "CrystalOptions.h"
#include "CurveFigures.h"

namespace trellon::cli {

// What the crystal options produce for a completed calculation, ready to print and write.
struct CrystalOutputs {
    std::vector<std::string> choiceLines;      // ZQk=name, printed before everything else
    std::vector<std::string> builtReport;      // the built filter's report block
    std::vector<std::string> monteCarloLines;  // the Monte-Carlo's figures and yield
    nlohmann::ordered_json json;               // "built", "choice", "measure", "monteCarlo"
    std::optional<BuiltCircuit> built;         // the filter with the given or chosen crystals
    std::vector<MeasuredCrystal> placed;       // those crystals in position order
    std::string builtPoints;                   // CSV, when asked for
    std::string envelope;                      // CSV, when asked for
};

// Reads the batch when one is asked for, builds and solves the filter with its crystals, chooses
// them first with --choose-from. A batch that cannot be read, is
// malformed or holds the wrong number of crystals throws CommandError naming the file.
CrystalOutputs makeCrystalOutputs(const CalculatedDesign& design, const CrystalOptions& options,
                                  bool absolute, char decimalSeparator);

// The outputs of `earlier` for the filter built with its crystals in the same positions on
// `design`, the design re-centred on them: the choice's lines and figures are the earlier ones.
CrystalOutputs keptPlacementOutputs(const CalculatedDesign& design, const CrystalOutputs& earlier,
                                    const CrystalOptions& options, bool absolute,
                                    char decimalSeparator);

// The curve of `circuit` at the ideal traced curve's frequencies as CSV (detuning_khz,level_db),
// the levels shown relative to the Amin of `figures` unless `absolute`.
std::string builtPointsCsv(const CalculatedDesign& design, const BuiltCircuit& circuit,
                           const CurveFigures& figures, bool absolute, int threads);

// Runs the Monte-Carlo around `circuit` (the filter as built with its crystals, at the bench when
// asked for) into `outputs`. With `strayCompensated` the board's stray is already part of
// `circuit` and is not added again.
void addMonteCarloOutputs(const CalculatedDesign& design, const BuiltCircuit& circuit,
                          const CrystalOptions& options, bool strayCompensated, bool absolute,
                          char decimalSeparator, CrystalOutputs& outputs);

}  // namespace trellon::cli
