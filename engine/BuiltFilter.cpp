#include "BuiltFilter.h"

#include <limits>

#include "BuiltFilterSolver.h"
#include "CommandError.h"
#include "Engine.h"
#include "GridSolve.h"
#include "MeasuredCrystalModel.h"
#include "TopologyDescription.h"

namespace trellon {

namespace {

double levelOf(const GridPoint& point) {
    return point.solved ? point.levelDb : -std::numeric_limits<double>::infinity();
}

}  // namespace

void requireTracedBand(const DesignState& state) {
    if (!(state.BandLow < state.BandHigh)) {
        throw CommandError("the design has no traced band: calculate it first");
    }
}

std::vector<double> builtCurveFrequencies(const DesignState& state) {
    requireTracedBand(state);
    const double width = state.BandHigh - state.BandLow;
    const double first = state.BandLow - width / 2;
    const auto steps = static_cast<std::size_t>(2 * width);
    std::vector<double> frequencies(steps + 1);
    for (std::size_t k = 0; k <= steps; ++k) {
        frequencies[k] = first + static_cast<double>(k);
    }
    return frequencies;
}

std::vector<double> idealTraceFrequencies(const DesignState& state) {
    requireTracedBand(state);
    const auto steps = static_cast<std::size_t>(state.BandHigh - state.BandLow);
    std::vector<double> frequencies(steps);
    for (std::size_t k = 0; k < steps; ++k) {
        frequencies[k] = state.BandLow + static_cast<double>(k + 1);
    }
    return frequencies;
}

std::vector<double> widenedBandGrid(const DesignState& state, int count) {
    requireTracedBand(state);
    const double width = state.BandHigh - state.BandLow;
    const double first = state.BandLow - width / 2;
    const double span = 2 * width;
    std::vector<double> frequencies(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        frequencies[static_cast<std::size_t>(k)] = first + span * k / (count - 1);
    }
    return frequencies;
}

BuiltCircuit makeBuiltFilter(const DesignState& state, std::span<const MeasuredCrystal> crystals) {
    const int positions = topologyDescription(state.Topology).crystals;
    if (crystals.size() != static_cast<std::size_t>(positions)) {
        throw CommandError("the filter needs " + std::to_string(positions) +
                           " crystals, one per position");
    }
    std::vector<CrystalModel> models;
    for (const MeasuredCrystal& crystal : crystals) {
        models.push_back(crystalModelOf(crystal));
    }
    return makeBuiltCircuit(state, models);
}

BuiltFilterResult solveBuiltFilter(const DesignState& state, const BuiltCircuit& circuit,
                                   std::span<const double> frequenciesHz, int threads) {
    BuiltFilterSolver solver;
    solver.prepare(circuit);
    BuiltFilterResult result;
    result.frequenciesHz.assign(frequenciesHz.begin(), frequenciesHz.end());
    for (const GridPoint& point : SolveGrid(solver.solver(), frequenciesHz, threads)) {
        result.levelsDb.push_back(levelOf(point));
    }
    const double fo = state.Fo * 1000;
    solver.solveLevels({&fo, 1}, {&result.levelAtFo, 1});
    result.attenuationAtFo = attenuationOf(result.levelAtFo);
    if (!frequenciesHz.empty()) {
        result.figures = measureCurve(frequenciesHz, result.levelsDb, state.FrLevel);
    }
    return result;
}

double displayedLevel(double levelDb, const CurveFigures& figures, bool absolute) {
    const double matched = levelDb + kMatchedLoadLossDb;
    return absolute ? matched : matched + figures.amin;
}

}  // namespace trellon
