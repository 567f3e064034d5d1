#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "CalculatedDesign.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CrystalOutputs.h"
#include "CurveRecord.h"
#include "RecentredInputs.h"
#include "ResponseOptions.h"
#include "RetrimOutputs.h"

namespace trellon::cli {

// What the crystal, bench, Monte-Carlo and response options made of a completed design, the
// same for every kind of design.
struct AnalysisOutputs {
    // The design analysed: the one re-centred on the placed crystals with --recentre, null when
    // that one did not complete.
    std::shared_ptr<const CalculatedDesign> design;
    std::optional<CrystalInputTexts> recentred;
    CrystalOutputs crystals;
    std::optional<BenchOutputs> bench;
    // The filter as placed with no bench options, for the retrim and the build sheet.
    std::optional<BenchCircuit> unfitted;
    std::optional<RetrimOutputs> retrim;
    ResponseOutputs response;
    bool crystalsFailed = false;
    bool benchFailed = false;
    bool retrimFailed = false;
    bool responseFailed = false;

    bool failed() const {
        return !design || crystalsFailed || benchFailed || retrimFailed || responseFailed;
    }
    // The filter as built with real parts: retrimmed, else at the bench, else with the given or
    // chosen crystals; null for the nominal one.
    const BuiltCircuit* asBuilt() const;
    // The filter as soldered: retrimmed, else at the bench, else as placed; null when none of
    // them was made.
    const BenchCircuit* soldered() const;
};

// How a kind of design is done again and traced.
struct DesignSteps {
    // The same design on the re-centred crystal inputs; null, its messages printed, when it
    // does not complete.
    std::function<std::shared_ptr<const CalculatedDesign>(const CrystalInputTexts&)> redesign;
    // The record of a design's ideal curve, its circuit as built the nominal one.
    std::function<CurveRecord(const CalculatedDesign&)> idealCurve;
};

// Builds `design` with the given or chosen crystals (re-centring it on them with --recentre),
// takes it to the bench, runs the Monte-Carlo and makes the response outputs, as the options ask.
// A step that fails prints its message on `err` and leaves out the steps that need it.
AnalysisOutputs analyseDesign(std::shared_ptr<const CalculatedDesign> design,
                              const CliOptions& options, const DesignSteps& steps,
                              std::ostream& err);

// The text of a run: the re-centred inputs and the choice first, then `head`, then each of
// `blocks` after a "--" line with the measured report after the last, then the blocks of the
// filter as built, of the Monte-Carlo and of the retrim.
void printAnalysisText(const AnalysisOutputs& outputs, const std::vector<std::string>& head,
                       const std::vector<std::vector<std::string>>& blocks, std::ostream& out);

// Adds "measured", the crystals' objects, with the bench "bench" and its "built", and with the
// retrim "retrim" to `json`.
void addAnalysisJson(nlohmann::ordered_json& json, const AnalysisOutputs& outputs);

// Writes the files of the design's options after the deck: the traced points (`detuningKhz`,
// `levelDb`), the response table, the Touchstone file, the built points, the envelope and the
// build sheet.
void writeAnalysisFiles(OutputFiles& files, const CliOptions& options,
                        const AnalysisOutputs& outputs, std::span<const double> detuningKhz,
                        std::span<const double> levelDb);

}  // namespace trellon::cli
