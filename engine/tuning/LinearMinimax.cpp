#include "LinearMinimax.h"

#include <algorithm>
#include <cmath>

namespace trellon {

namespace {

// A dense simplex tableau for: maximise c x subject to A x <= b, x >= 0, with b >= 0, so that
// the slacks make the first basis.
class Tableau {
public:
    Tableau(std::size_t rows, std::size_t columns)
        : rows_(rows),
          columns_(columns),
          width_(columns + rows + 1),
          cells_((rows + 1) * width_),
          basis_(rows) {
        for (std::size_t r = 0; r < rows; ++r) {
            at(r, columns + r) = 1;
            basis_[r] = columns + r;
        }
    }

    double& at(std::size_t row, std::size_t column) { return cells_[row * width_ + column]; }
    double& rhs(std::size_t row) { return at(row, width_ - 1); }
    // The objective row holds -c.
    double& cost(std::size_t column) { return at(rows_, column); }

    void solve() {
        const std::size_t limit = 50 * (rows_ + columns_);
        for (std::size_t iteration = 0; iteration < limit; ++iteration) {
            std::size_t entering = width_;
            double mostNegative = -1e-12;
            for (std::size_t c = 0; c + 1 < width_; ++c) {
                if (cost(c) < mostNegative) {
                    mostNegative = cost(c);
                    entering = c;
                }
            }
            if (entering == width_) {
                return;
            }
            std::size_t leaving = rows_;
            double least = HUGE_VAL;
            for (std::size_t r = 0; r < rows_; ++r) {
                const double a = at(r, entering);
                if (a > 1e-12 && rhs(r) / a < least) {
                    least = rhs(r) / a;
                    leaving = r;
                }
            }
            if (leaving == rows_) {
                return;  // unbounded: the bounds of every variable rule it out
            }
            pivot(leaving, entering);
        }
    }

    // The value of structural variable `column` in the basic solution.
    double value(std::size_t column) {
        for (std::size_t r = 0; r < rows_; ++r) {
            if (basis_[r] == column) {
                return rhs(r);
            }
        }
        return 0;
    }

private:
    void pivot(std::size_t row, std::size_t column) {
        const double scale = at(row, column);
        for (std::size_t c = 0; c < width_; ++c) {
            at(row, c) /= scale;
        }
        for (std::size_t r = 0; r <= rows_; ++r) {
            const double factor = at(r, column);
            if (r == row || factor == 0) {
                continue;
            }
            for (std::size_t c = 0; c < width_; ++c) {
                at(r, c) -= factor * at(row, c);
            }
        }
        basis_[row] = column;
    }

    std::size_t rows_;
    std::size_t columns_;
    std::size_t width_;
    std::vector<double> cells_;
    std::vector<std::size_t> basis_;
};

}  // namespace

LinearMinimax linearMinimax(const std::vector<double>& deviations,
                            const std::vector<std::vector<double>>& slopes,
                            const std::vector<double>& lowest, const std::vector<double>& highest) {
    // Variables: y = dx - lowest in [0, highest - lowest], the offset o + reach in [0, 2 reach],
    // and u = big - t >= 0 for the half range t, which is maximised. Every constraint then holds
    // at y = 0, o = -reach, u = 0, so the slacks are a first basis.
    const std::size_t n = lowest.size();
    const std::size_t count = deviations.size();
    double reach = 1;
    for (std::size_t k = 0; k < count; ++k) {
        double span = std::abs(deviations[k]);
        for (std::size_t i = 0; i < n; ++i) {
            span += std::abs(slopes[k][i]) * std::max(-lowest[i], highest[i]);
        }
        reach = std::max(reach, span + 1);
    }
    const double big = 3 * reach;
    const std::size_t offset = n;
    const std::size_t spare = n + 1;
    Tableau tableau(2 * count + n + 1, n + 2);
    for (std::size_t k = 0; k < count; ++k) {
        double atLowest = deviations[k];
        for (std::size_t i = 0; i < n; ++i) {
            atLowest += slopes[k][i] * lowest[i];
        }
        // d + J dx - o <= t and -(d + J dx - o) <= t.
        for (const double sign : {1.0, -1.0}) {
            const std::size_t row = sign > 0 ? 2 * k : 2 * k + 1;
            for (std::size_t i = 0; i < n; ++i) {
                tableau.at(row, i) = sign * slopes[k][i];
            }
            tableau.at(row, offset) = -sign;
            tableau.at(row, spare) = 1;
            tableau.rhs(row) = big - sign * (atLowest + reach);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        tableau.at(2 * count + i, i) = 1;
        tableau.rhs(2 * count + i) = highest[i] - lowest[i];
    }
    tableau.at(2 * count + n, offset) = 1;
    tableau.rhs(2 * count + n) = 2 * reach;
    tableau.cost(spare) = -1;
    tableau.solve();
    LinearMinimax result;
    for (std::size_t i = 0; i < n; ++i) {
        result.step.push_back(tableau.value(i) + lowest[i]);
    }
    result.worst = big - tableau.value(spare);
    return result;
}

}  // namespace trellon
