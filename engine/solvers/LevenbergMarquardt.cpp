#include "LevenbergMarquardt.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace trellon {

namespace {

constexpr double kFirstDamping = 1e-3;
constexpr double kLeastDamping = 1e-12;
constexpr double kMostDamping = 1e16;

double sumOfSquares(const std::vector<double>& r) {
    double sum = 0;
    for (double value : r) {
        sum += value * value;
    }
    return sum;
}

bool allFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Solves the n by n system `a` x = b (row-major, overwritten) by elimination with partial
// pivoting; false when it is singular.
bool solveInPlace(std::vector<double>& a, std::vector<double>& b) {
    const std::size_t n = b.size();
    for (std::size_t column = 0; column < n; ++column) {
        std::size_t pivot = column;
        for (std::size_t row = column + 1; row < n; ++row) {
            if (std::abs(a[row * n + column]) > std::abs(a[pivot * n + column])) {
                pivot = row;
            }
        }
        if (!(std::abs(a[pivot * n + column]) > 0)) {
            return false;
        }
        if (pivot != column) {
            for (std::size_t k = 0; k < n; ++k) {
                std::swap(a[pivot * n + k], a[column * n + k]);
            }
            std::swap(b[pivot], b[column]);
        }
        for (std::size_t row = column + 1; row < n; ++row) {
            const double factor = a[row * n + column] / a[column * n + column];
            for (std::size_t k = column; k < n; ++k) {
                a[row * n + k] -= factor * a[column * n + k];
            }
            b[row] -= factor * b[column];
        }
    }
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k) {
            sum -= a[row * n + k] * b[k];
        }
        b[row] = sum / a[row * n + row];
    }
    return allFinite(b);
}

}  // namespace

LeastSquaresResult levenbergMarquardt(const ResidualFunction& residuals, std::vector<double> start,
                                      const LeastSquaresSettings& settings) {
    const std::size_t n = start.size();
    LeastSquaresResult result;
    result.parameters = std::move(start);
    std::vector<double> r;
    residuals(result.parameters, r);
    result.sumOfSquares = sumOfSquares(r);
    if (!std::isfinite(result.sumOfSquares)) {
        result.status = LeastSquaresStatus::NotFinite;
        return result;
    }
    const std::size_t m = r.size();
    std::vector<double> jacobian(m * n);  // column-major: one parameter's derivatives together
    std::vector<double> shifted = result.parameters;
    std::vector<double> plus, minus, trial;
    double damping = kFirstDamping;

    for (result.iterations = 1; result.iterations <= settings.maxIterations; ++result.iterations) {
        for (std::size_t j = 0; j < n; ++j) {
            const double h = settings.differenceSteps[j];
            shifted[j] = result.parameters[j] + h;
            residuals(shifted, plus);
            shifted[j] = result.parameters[j] - h;
            residuals(shifted, minus);
            shifted[j] = result.parameters[j];
            for (std::size_t i = 0; i < m; ++i) {
                jacobian[j * m + i] = (plus[i] - minus[i]) / (2 * h);
            }
        }
        std::vector<double> normal(n * n), gradient(n);
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k <= j; ++k) {
                double sum = 0;
                for (std::size_t i = 0; i < m; ++i) {
                    sum += jacobian[j * m + i] * jacobian[k * m + i];
                }
                normal[j * n + k] = sum;
                normal[k * n + j] = sum;
            }
            double sum = 0;
            for (std::size_t i = 0; i < m; ++i) {
                sum += jacobian[j * m + i] * r[i];
            }
            gradient[j] = -sum;
        }
        if (!allFinite(normal) || !allFinite(gradient)) {
            result.status = LeastSquaresStatus::NotFinite;
            return result;
        }

        bool lowered = false;
        bool anyFinite = false;
        std::vector<double> step;
        double trialSum = 0;
        while (damping <= kMostDamping) {
            std::vector<double> system = normal;
            for (std::size_t j = 0; j < n; ++j) {
                // A parameter the residuals do not depend on still gets some damping.
                system[j * n + j] += damping * std::max(normal[j * n + j], 1e-300);
            }
            step = gradient;
            if (solveInPlace(system, step)) {
                std::vector<double> candidate = result.parameters;
                for (std::size_t j = 0; j < n; ++j) {
                    candidate[j] += step[j];
                }
                residuals(candidate, trial);
                trialSum = sumOfSquares(trial);
                anyFinite = anyFinite || std::isfinite(trialSum);
                if (trialSum < result.sumOfSquares) {
                    result.parameters = std::move(candidate);
                    lowered = true;
                    break;
                }
            }
            damping *= 10;
        }
        if (!lowered) {
            // No step, however short, lowers the sum: the parameters are at its least value as
            // closely as the arithmetic tells.
            result.status =
                anyFinite ? LeastSquaresStatus::Converged : LeastSquaresStatus::NotFinite;
            return result;
        }
        const double reduction = result.sumOfSquares - trialSum;
        result.sumOfSquares = trialSum;
        r.swap(trial);
        // A short step under heavy damping says little about the distance to the least value.
        const bool gaussNewtonLike = damping <= 1;
        damping = std::max(damping / 10, kLeastDamping);
        bool small = gaussNewtonLike;
        for (std::size_t j = 0; j < n; ++j) {
            small = small && std::abs(step[j]) <= settings.differenceSteps[j];
        }
        if (small || (gaussNewtonLike && reduction <= settings.relativeTolerance * trialSum)) {
            result.status = LeastSquaresStatus::Converged;
            return result;
        }
    }
    result.iterations = settings.maxIterations;
    result.status = LeastSquaresStatus::IterationLimit;
    return result;
}

}  // namespace trellon
