#include "SteppedEvaluation.h"

#include "CrystalFormulas.h"
#include "Messages.h"

namespace trellon {

SteppedEvaluation::SteppedEvaluation(Engine& engine) : engine_(engine) {
    batch_.prepare(engine.solver);
}

void SteppedEvaluation::startWalk(double stepHz) {
    step_ = stepHz;
    solved_ = 0;
    next_ = 0;
}

// The walk reaches each frequency by adding the step to the last one, so the lanes do the same.
void SteppedEvaluation::solveAhead(double frequencyHz) {
    double omega[BatchSolver::kLanes];
    for (int l = 0; l < BatchSolver::kLanes; ++l) {
        frequency_[l] = l == 0 ? frequencyHz : frequency_[l - 1] + step_;
        omega[l] = kTwoPi * frequency_[l];
    }
    batch_.solve(omega, BatchSolver::kLanes);
    solved_ = BatchSolver::kLanes;
    next_ = 0;
}

bool SteppedEvaluation::solveAt(double frequencyHz, DesignView& view) {
    if (next_ == solved_ || frequency_[next_] != frequencyHz) {
        solveAhead(frequencyHz);
    }
    const int lane = next_++;
    engine_.state.Frequency = frequencyHz;
    CircuitSolver& solver = engine_.solver;
    solver.solveOk = batch_.solved(lane);
    if (!solver.solveOk) {
        view.showWarning(messages::kNoSolution);
        return false;
    }
    solver.outputVoltage = batch_.loadVoltage(lane);
    solver.outputLevelDb = CircuitSolver::expressibleLevelOf(solver.outputVoltage);
    return true;
}

}  // namespace trellon
