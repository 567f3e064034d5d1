#pragma once

#include "DesignView.h"
#include "Engine.h"

namespace trellon {

// The synthesis's last phase: builds and prepares the circuit of the design, solves it at Fo
// and keeps LevelAtFo and AttenuationAtFo. Returns false after "Решение невозможно !".
bool EvaluateAtCentre(Engine& engine, DesignView& view);

// Sets Frequency, solves at it and, on success, computes the output level. On failure shows
// "Решение невозможно !" and returns false.
bool SolveAtFrequency(Engine& engine, double frequencyHz, DesignView& view);

}  // namespace trellon
