#pragma once

#include "BatchSolver.h"
#include "DesignView.h"
#include "Engine.h"

namespace trellon {

// Evaluates the frequencies of a walk in fixed steps a batch at a time, ahead of the walk. What
// the walk asks for in order is exactly what SolveAtFrequency gives, message and state included;
// the solves past the point where the walk stops leave no trace at all.
class SteppedEvaluation {
public:
    // Takes the circuit that engine.solver was last prepared for.
    explicit SteppedEvaluation(Engine& engine);

    // The walk that follows steps by stepHz from each frequency to the next.
    void startWalk(double stepHz);

    // As SolveAtFrequency(engine, frequencyHz, view).
    bool solveAt(double frequencyHz, DesignView& view);

private:
    void solveAhead(double frequencyHz);

    Engine& engine_;
    BatchSolver batch_;
    double step_ = 0;
    double frequency_[BatchSolver::kLanes] = {};
    int solved_ = 0;
    int next_ = 0;
};

}  // namespace trellon
