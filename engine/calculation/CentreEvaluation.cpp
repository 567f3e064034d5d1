#include "CentreEvaluation.h"

#include <cmath>

#include "Catalogue.h"
#include "CrystalFormulas.h"
#include "Messages.h"

namespace trellon {

bool SolveAtFrequency(Engine& engine, double frequencyHz, DesignView& view) {
    engine.state.Frequency = frequencyHz;
    const double omega = kTwoPi * frequencyHz;
    if (!engine.solver.solve(omega)) {
        view.showWarning(messages::kNoSolution);
        return false;
    }
    engine.solver.computeOutputLevel();
    return true;
}

bool EvaluateAtCentre(Engine& engine, DesignView& view) {
    DesignState& s = engine.state;
    buildNetlist(indexFromTopology(s.Topology), s, engine.netlist);
    engine.solver.prepare();
    if (!SolveAtFrequency(engine, s.Fo * 1000, view)) {
        return false;
    }
    s.LevelAtFo = engine.solver.outputLevelDb;
    s.AttenuationAtFo = -engine.solver.outputLevelDb - kMatchedLoadLossDb;
    return true;
}

}  // namespace trellon
