#include "BuiltFilter.h"

#include <limits>
#include <memory>
#include <stdexcept>

#include "BuiltFilterSolver.h"
#include "CommandError.h"
#include "CrystalPhrases.h"
#include "Engine.h"
#include "GridSolve.h"
#include "MeasuredCrystalModel.h"

namespace trellon {

namespace {

double levelOf(const GridPoint& point) {
    return point.solved ? point.levelDb : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::vector<double> builtCurveFrequencies(const TracedBand& band) {
    const double width = band.widthHz();
    const double first = band.lowHz() - width / 2;
    const auto steps = static_cast<std::size_t>(2 * width);
    std::vector<double> frequencies(steps + 1);
    for (std::size_t k = 0; k <= steps; ++k) {
        frequencies[k] = first + static_cast<double>(k);
    }
    return frequencies;
}

std::vector<double> idealTraceFrequencies(const TracedBand& band) {
    const auto steps = static_cast<std::size_t>(band.widthHz());
    std::vector<double> frequencies(steps);
    for (std::size_t k = 0; k < steps; ++k) {
        frequencies[k] = band.lowHz() + static_cast<double>(k + 1);
    }
    return frequencies;
}

std::vector<double> widenedBandGrid(const TracedBand& band, int count) {
    const double width = band.widthHz();
    const double first = band.lowHz() - width / 2;
    const double span = 2 * width;
    std::vector<double> frequencies(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        frequencies[static_cast<std::size_t>(k)] = first + span * k / (count - 1);
    }
    return frequencies;
}

BuiltCircuit makeBuiltFilter(const CalculatedDesign& design,
                             std::span<const MeasuredCrystal> crystals) {
    const int positions = design.crystalCount();
    if (crystals.size() != static_cast<std::size_t>(positions)) {
        throw PhrasedError(
            {{&crystalPhrase("batch-one-per-position"), {{std::to_string(positions)}}}});
    }
    BuiltCircuit circuit = design.circuit;
    std::size_t next = 0;
    for (BuiltPart& part : circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal) {
            std::vector<PartCrystal> held;
            for (int k = 0; k < part.parallelCrystals; ++k) {
                held.push_back(partCrystalOf(crystals[next++]));
            }
            setPartCrystals(part, held);
        }
    }
    requireSimulable(circuit);
    return circuit;
}

void requireSimulable(const BuiltCircuit& circuit) {
    const auto netlist = std::make_unique<Netlist>();
    try {
        buildNetlist(circuit, *netlist);
    } catch (const std::length_error&) {
        throw PhrasedError({{&crystalPhrase("spur-too-many"), std::vector<PhraseArgument>{}}});
    }
}

BuiltFilterResult solveBuiltFilter(const CalculatedDesign& design, const BuiltCircuit& circuit,
                                   std::span<const double> frequenciesHz, int threads) {
    BuiltFilterSolver solver;
    solver.prepare(circuit);
    BuiltFilterResult result;
    result.frequenciesHz.assign(frequenciesHz.begin(), frequenciesHz.end());
    for (const GridPoint& point : SolveGrid(solver.solver(), frequenciesHz, threads)) {
        result.levelsDb.push_back(levelOf(point));
    }
    const double fo = design.foHz();
    solver.solveLevels({&fo, 1}, {&result.levelAtFo, 1});
    result.attenuationAtFo = attenuationOf(result.levelAtFo);
    if (!frequenciesHz.empty()) {
        result.figures = measureCurve(frequenciesHz, result.levelsDb, design.frLevelDb);
    }
    if (!figuresFinite(result.figures) || !std::isfinite(result.attenuationAtFo)) {
        throw PhrasedError({Phrase{&crystalPhrase("built-not-finite"), {}}});
    }
    return result;
}

double displayedLevel(double levelDb, const CurveFigures& figures, bool absolute) {
    const double matched = levelDb + kMatchedLoadLossDb;
    return absolute ? matched : matched + figures.amin;
}

}  // namespace trellon
