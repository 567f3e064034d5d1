#pragma once

#include <functional>
#include <vector>

namespace trellon {

// The residuals of a least-squares problem at the given parameters, written into `residuals`
// (always the same count).
using ResidualFunction =
    std::function<void(const std::vector<double>& parameters, std::vector<double>& residuals)>;

struct LeastSquaresSettings {
    // The step of each parameter for the central differences of the Jacobian; a step no larger
    // than these in every parameter ends the search as converged.
    std::vector<double> differenceSteps;
    int maxIterations = 200;
    // A step that lowers the sum of squares by less than this share of it ends the search.
    double relativeTolerance = 1e-13;
};

enum class LeastSquaresStatus { Converged, IterationLimit, NotFinite };

struct LeastSquaresResult {
    std::vector<double> parameters;
    double sumOfSquares = 0;
    int iterations = 0;
    LeastSquaresStatus status = LeastSquaresStatus::IterationLimit;
};

// Minimises the sum of squared residuals from `start` by Levenberg-Marquardt with Marquardt's
// scaling (the damping follows the diagonal of JᵀJ), the Jacobian by central differences. Every
// iteration is bounded: at most maxIterations, each trying at most a fixed number of dampings.
// Residuals that are not finite at the start, or for every damping tried, give NotFinite.
LeastSquaresResult levenbergMarquardt(const ResidualFunction& residuals, std::vector<double> start,
                                      const LeastSquaresSettings& settings);

}  // namespace trellon
