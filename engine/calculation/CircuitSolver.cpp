#include "CircuitSolver.h"

#include <cmath>

#include "FloatingPoint.h"

namespace trellon {

void CircuitSolver::prepare() {
    const Netlist& n = netlist_;
    auto isSourceNode = [&n](int node) {
        for (int s = 1; s <= n.sourceCount; ++s) {
            if (n.sources[s].sourceNode == node) {
                return true;
            }
        }
        return false;
    };
    int counter = 0;
    rowIndex_[0] = 0;
    for (int node = 1; node <= n.nodeCount; ++node) {
        if (!isSourceNode(node)) {
            ++counter;
        }
        rowIndex_[node] = counter;
    }
    for (int s = 1; s <= n.sourceCount; ++s) {
        rowIndex_[n.sources[s].sourceNode] = rowIndex_[n.sources[s].referenceNode];
    }
    rowCount_ = n.nodeCount - n.sourceCount;

    for (int b = 1; b <= n.branchCount; ++b) {
        Complex emf;
        for (int s = 1; s <= n.sourceCount; ++s) {
            if (n.branches[b].fromNode == n.sources[s].sourceNode) {
                emf = emf + n.sources[s].sourceVoltage;
            }
            if (n.branches[b].toNode == n.sources[s].sourceNode) {
                emf = emf - n.sources[s].sourceVoltage;
            }
        }
        branchEmf_[b] = emf;
    }

    stampedCount_ = 0;
    for (int b = 1; b <= n.branchCount; ++b) {
        const int r = rowIndex_[n.branches[b].fromNode];
        const int e = rowIndex_[n.branches[b].toNode];
        if (r != e) {
            stamped_[stampedCount_++] = StampedBranch{r, e, &n.branches[b], branchEmf_[b]};
        }
    }

    // Symbolic elimination: which upper-triangle entries can ever be non-zero.
    const int rows = rowCount_;
    std::array<std::array<bool, kMaxRows + 1>, kMaxRows + 1> filled{};
    for (int b = 1; b <= n.branchCount; ++b) {
        const int r = rowIndex_[n.branches[b].fromNode];
        const int e = rowIndex_[n.branches[b].toNode];
        if (r != 0 && e != 0 && r != e) {
            filled[std::min(r, e)][std::max(r, e)] = true;
        }
    }
    for (int k = 1; k <= rows; ++k) {
        int count = 0;
        for (int j = k + 1; j <= rows; ++j) {
            if (filled[k][j]) {
                rowColumns_[k][count++] = j;
            }
        }
        rowColumnCount_[k] = count;
        for (int a = 0; a < count; ++a) {
            for (int c = a + 1; c < count; ++c) {
                filled[rowColumns_[k][a]][rowColumns_[k][c]] = true;
            }
        }
    }
    for (auto& row : matrix_) {
        row.fill(Complex{});
    }
}

void CircuitSolver::assemble(double omega) {
    const int rows = rowCount_;
    for (int k = 1; k <= rows; ++k) {
        for (int j = k; j <= rows; ++j) {
            matrix_[k][j] = Complex{};
        }
        rhs_[k] = Complex{};
    }
    const Netlist& n = netlist_;
    for (int b = 1; b <= n.branchCount; ++b) {
        const Branch& branch = n.branches[b];
        double susceptance = omega * branch.capacitance;
        if (branch.inductance > 0) {
            susceptance -= 1 / (omega * branch.inductance);
        }
        const Complex y{branch.conductance, susceptance};
        const Complex current = y * branchEmf_[b];
        const int r = rowIndex_[branch.fromNode];
        const int e = rowIndex_[branch.toNode];
        if (r == e) {
            continue;
        }
        // Only the upper triangle is kept: the matrix is symmetric by construction.
        if (r != 0) {
            matrix_[r][r] = matrix_[r][r] + y;
            rhs_[r] = rhs_[r] - current;
        }
        if (e != 0) {
            matrix_[e][e] = matrix_[e][e] + y;
            rhs_[e] = rhs_[e] + current;
        }
        if (r != 0 && e != 0) {
            Complex& offDiagonal = r < e ? matrix_[r][e] : matrix_[e][r];
            offDiagonal = offDiagonal - y;
        }
    }
}

// Adds the stamps in branch order, as the plain assembly does; a branch without an EMF
// injects no current, and skipping its zero current leaves every entry as it was.
void CircuitSolver::assembleStamped(double omega) {
    const int rows = rowCount_;
    for (int k = 1; k <= rows; ++k) {
        matrix_[k][k] = Complex{};
        const std::int32_t* columns = rowColumns_[k].data();
        for (int c = 0; c < rowColumnCount_[k]; ++c) {
            matrix_[k][columns[c]] = Complex{};
        }
        rhs_[k] = Complex{};
    }
    // Every crystal has the same inductance: its reactance is worked out once per solve.
    double lastInductance = 0;
    double lastInverse = 0;
    for (int s = 0; s < stampedCount_; ++s) {
        const StampedBranch& stamp = stamped_[s];
        const Branch& branch = *stamp.branch;
        double susceptance = omega * branch.capacitance;
        if (branch.inductance > 0) {
            if (branch.inductance != lastInductance) {
                lastInductance = branch.inductance;
                lastInverse = 1 / (omega * branch.inductance);
            }
            susceptance -= lastInverse;
        }
        const Complex y{branch.conductance, susceptance};
        const int r = stamp.from;
        const int e = stamp.to;
        if (r != 0) {
            matrix_[r][r] = matrix_[r][r] + y;
        }
        if (e != 0) {
            matrix_[e][e] = matrix_[e][e] + y;
        }
        if (r != 0 && e != 0) {
            Complex& offDiagonal = r < e ? matrix_[r][e] : matrix_[e][r];
            offDiagonal = offDiagonal - y;
        }
        if (!isZero(stamp.emf)) {
            const Complex current = y * stamp.emf;
            if (r != 0) {
                rhs_[r] = rhs_[r] - current;
            }
            if (e != 0) {
                rhs_[e] = rhs_[e] + current;
            }
        }
    }
}

bool CircuitSolver::solveReference(double omega) {
    assemble(omega);
    const int rows = rowCount_;
    for (int k = 1; k <= rows - 1; ++k) {
        if (pivotFails(k)) {
            return solveOk = false;
        }
        const Complex pivot = matrix_[k][k];
        for (int i = k + 1; i <= rows; ++i) {
            const Complex f = matrix_[k][i] / pivot;
            for (int j = i; j <= rows; ++j) {
                matrix_[i][j] = matrix_[i][j] - f * matrix_[k][j];
            }
            rhs_[i] = rhs_[i] - f * rhs_[k];
        }
    }
    for (int k = rows; k >= 1; --k) {
        Complex sum = rhs_[k];
        for (int j = rows; j >= k + 1; --j) {
            sum = sum - matrix_[k][j] * rhs_[j];
        }
        if (pivotFails(k)) {
            return solveOk = false;
        }
        rhs_[k] = sum / matrix_[k][k];
    }
    return solveOk = true;
}

bool CircuitSolver::solve(double omega) {
    assembleStamped(omega);
    const int rows = rowCount_;
    for (int k = 1; k <= rows - 1; ++k) {
        if (pivotFails(k)) {
            return solveOk = false;
        }
        const Complex pivot = matrix_[k][k];
        const double pivotNorm = squaredMagnitude(pivot);
        const std::int32_t* columns = rowColumns_[k].data();
        const int count = rowColumnCount_[k];
        for (int a = 0; a < count; ++a) {
            const int i = columns[a];
            if (isZero(matrix_[k][i])) {
                continue;
            }
            const Complex f = divide(matrix_[k][i], pivot, pivotNorm);
            matrix_[i][i] = matrix_[i][i] - f * matrix_[k][i];
            for (int c = a + 1; c < count; ++c) {
                const int j = columns[c];
                matrix_[i][j] = matrix_[i][j] - f * matrix_[k][j];
            }
            rhs_[i] = rhs_[i] - f * rhs_[k];
        }
    }
    for (int k = rows; k >= 1; --k) {
        Complex sum = rhs_[k];
        const std::int32_t* columns = rowColumns_[k].data();
        for (int c = rowColumnCount_[k] - 1; c >= 0; --c) {
            const int j = columns[c];
            sum = sum - matrix_[k][j] * rhs_[j];
        }
        if (pivotFails(k)) {
            return solveOk = false;
        }
        rhs_[k] = sum / matrix_[k][k];
    }
    return solveOk = true;
}

double CircuitSolver::computeOutputLevel() {
    const Netlist& n = netlist_;
    nodeVoltage_[0] = Complex{};
    for (int node = 1; node <= n.nodeCount; ++node) {
        nodeVoltage_[node] = rhs_[rowIndex_[node]];
    }
    for (int s = 1; s <= n.sourceCount; ++s) {
        const Source& source = n.sources[s];
        nodeVoltage_[source.sourceNode] = nodeVoltage_[source.referenceNode] + source.sourceVoltage;
    }
    const Branch& output = n.branches[n.outputBranch];
    const Complex u = nodeVoltage_[output.fromNode] - nodeVoltage_[output.toNode];
    outputVoltage = u;
    outputLevelDb = expressibleLevelOf(u);
    return outputLevelDb;
}

double CircuitSolver::levelOf(Complex u) {
    return 20 * std::log10(std::sqrt(u.re * u.re + u.im * u.im));
}

double CircuitSolver::expressibleLevelOf(Complex u) {
    const double magnitude = std::sqrt(u.re * u.re + u.im * u.im);
    // A silent output has no level in dB: the logarithm of zero is a division by zero.
    if (magnitude == 0) {
        throw CommandError(kDivisionByZeroText);
    }
    const double level = 20 * std::log10(magnitude);
    requireFinite(level);
    return level;
}

}  // namespace trellon
