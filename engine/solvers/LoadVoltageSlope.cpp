#include "LoadVoltageSlope.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "CrystalFormulas.h"
#include "ParallelTasks.h"

namespace trellon {

namespace {

// Below this squared magnitude a pivot counts as zero, as in the circuit solver.
constexpr double kPivotLimit = 1e-34;
// Frequencies handed to a thread at a time.
constexpr std::size_t kChunk = 64;
constexpr int kGround = -1;

// The nodal equations of one netlist: a row for every node but ground and the source nodes,
// which stand on their reference node's row, their source's voltage carried by the branches
// that touch them as an EMF.
class NodalSystem {
public:
    explicit NodalSystem(const Netlist& netlist);
    LoadVoltageSlope solve(double omega);

private:
    struct Stamp {
        int from;  // row, or kGround
        int to;
        const Branch* branch;
        Complex emf;
    };

    Complex& entry(int r, int c) { return matrix_[static_cast<std::size_t>(r * rows_ + c)]; }
    Complex entry(int r, int c) const { return matrix_[static_cast<std::size_t>(r * rows_ + c)]; }
    Complex rowValue(const std::vector<Complex>& x, int row) const {
        return row == kGround ? Complex{} : x[static_cast<std::size_t>(row)];
    }
    void assemble(double omega);
    void assembleSlopeSide(double omega);
    bool factorise();
    void substitute(std::vector<Complex>& x) const;

    const Netlist& netlist_;
    int rows_ = 0;
    std::vector<int> rowOfNode_;
    std::vector<Complex> sourceVoltageOfNode_;
    std::vector<Stamp> stamps_;
    // After factorise: PY = LU, the unit lower triangle's multipliers below the diagonal.
    std::vector<Complex> matrix_;
    std::vector<int> pivotRow_;
    std::vector<Complex> voltage_;
    std::vector<Complex> slope_;
};

NodalSystem::NodalSystem(const Netlist& netlist) : netlist_(netlist) {
    const auto nodes = static_cast<std::size_t>(netlist.nodeCount + 1);
    rowOfNode_.assign(nodes, kGround);
    sourceVoltageOfNode_.assign(nodes, Complex{});
    std::vector<bool> isSource(nodes, false);
    for (int s = 1; s <= netlist.sourceCount; ++s) {
        isSource[netlist.sources[s].sourceNode] = true;
        sourceVoltageOfNode_[netlist.sources[s].sourceNode] = netlist.sources[s].sourceVoltage;
    }
    for (int node = 1; node <= netlist.nodeCount; ++node) {
        if (!isSource[node]) {
            rowOfNode_[node] = rows_++;
        }
    }
    for (int s = 1; s <= netlist.sourceCount; ++s) {
        rowOfNode_[netlist.sources[s].sourceNode] = rowOfNode_[netlist.sources[s].referenceNode];
    }
    for (int b = 1; b <= netlist.branchCount; ++b) {
        const Branch& branch = netlist.branches[b];
        const int from = rowOfNode_[branch.fromNode];
        const int to = rowOfNode_[branch.toNode];
        if (from != to) {
            stamps_.push_back(
                Stamp{from, to, &branch,
                      sourceVoltageOfNode_[branch.fromNode] - sourceVoltageOfNode_[branch.toNode]});
        }
    }
    const auto rows = static_cast<std::size_t>(rows_);
    matrix_.resize(rows * rows);
    pivotRow_.resize(rows);
    voltage_.resize(rows);
    slope_.resize(rows);
}

// Y V = I: a branch of admittance y from row r to row e with an EMF E in it drives the current
// y (V_r - V_e + E) out of r and into e.
void NodalSystem::assemble(double omega) {
    std::fill(matrix_.begin(), matrix_.end(), Complex{});
    std::fill(voltage_.begin(), voltage_.end(), Complex{});
    for (const Stamp& stamp : stamps_) {
        const Branch& branch = *stamp.branch;
        double susceptance = omega * branch.capacitance;
        if (branch.inductance > 0) {
            susceptance -= 1 / (omega * branch.inductance);
        }
        const Complex y{branch.conductance, susceptance};
        const Complex current = y * stamp.emf;
        if (stamp.from != kGround) {
            entry(stamp.from, stamp.from) = entry(stamp.from, stamp.from) + y;
            voltage_[stamp.from] = voltage_[stamp.from] - current;
        }
        if (stamp.to != kGround) {
            entry(stamp.to, stamp.to) = entry(stamp.to, stamp.to) + y;
            voltage_[stamp.to] = voltage_[stamp.to] + current;
        }
        if (stamp.from != kGround && stamp.to != kGround) {
            entry(stamp.from, stamp.to) = entry(stamp.from, stamp.to) - y;
            entry(stamp.to, stamp.from) = entry(stamp.to, stamp.from) - y;
        }
    }
}

// Y V' = I' - Y' V, branch by branch: the branch's current changes by y' (V_r - V_e + E) with
// the voltages held.
void NodalSystem::assembleSlopeSide(double omega) {
    std::fill(slope_.begin(), slope_.end(), Complex{});
    for (const Stamp& stamp : stamps_) {
        const Branch& branch = *stamp.branch;
        double susceptanceSlope = branch.capacitance;
        if (branch.inductance > 0) {
            susceptanceSlope += 1 / (omega * omega * branch.inductance);
        }
        const Complex across =
            rowValue(voltage_, stamp.from) - rowValue(voltage_, stamp.to) + stamp.emf;
        const Complex change = Complex{0, susceptanceSlope} * across;
        if (stamp.from != kGround) {
            slope_[stamp.from] = slope_[stamp.from] - change;
        }
        if (stamp.to != kGround) {
            slope_[stamp.to] = slope_[stamp.to] + change;
        }
    }
}

// Gaussian elimination with partial pivoting, skipping the rows with nothing to eliminate.
bool NodalSystem::factorise() {
    for (int k = 0; k < rows_; ++k) {
        int pivot = k;
        for (int i = k + 1; i < rows_; ++i) {
            if (squaredMagnitude(entry(i, k)) > squaredMagnitude(entry(pivot, k))) {
                pivot = i;
            }
        }
        if (!(squaredMagnitude(entry(pivot, k)) >= kPivotLimit)) {
            return false;
        }
        pivotRow_[k] = pivot;
        if (pivot != k) {
            for (int j = 0; j < rows_; ++j) {
                std::swap(entry(k, j), entry(pivot, j));
            }
        }
        const Complex diagonal = entry(k, k);
        for (int i = k + 1; i < rows_; ++i) {
            if (isZero(entry(i, k))) {
                continue;
            }
            const Complex f = entry(i, k) / diagonal;
            entry(i, k) = f;
            for (int j = k + 1; j < rows_; ++j) {
                entry(i, j) = entry(i, j) - f * entry(k, j);
            }
        }
    }
    return true;
}

void NodalSystem::substitute(std::vector<Complex>& x) const {
    for (int k = 0; k < rows_; ++k) {
        std::swap(x[k], x[pivotRow_[k]]);
    }
    for (int k = 0; k < rows_; ++k) {
        for (int i = k + 1; i < rows_; ++i) {
            x[i] = x[i] - entry(i, k) * x[k];
        }
    }
    for (int k = rows_ - 1; k >= 0; --k) {
        Complex sum = x[k];
        for (int j = k + 1; j < rows_; ++j) {
            sum = sum - entry(k, j) * x[j];
        }
        x[k] = sum / entry(k, k);
    }
}

LoadVoltageSlope NodalSystem::solve(double omega) {
    LoadVoltageSlope result;
    assemble(omega);
    if (!factorise()) {
        return result;
    }
    substitute(voltage_);
    assembleSlopeSide(omega);
    substitute(slope_);
    const Branch& load = netlist_.branches[netlist_.outputBranch];
    const int from = rowOfNode_[load.fromNode];
    const int to = rowOfNode_[load.toNode];
    result.solved = true;
    result.voltage = rowValue(voltage_, from) + sourceVoltageOfNode_[load.fromNode] -
                     rowValue(voltage_, to) - sourceVoltageOfNode_[load.toNode];
    result.slope = rowValue(slope_, from) - rowValue(slope_, to);
    return result;
}

}  // namespace

std::vector<LoadVoltageSlope> solveLoadVoltageSlopes(const Netlist& netlist,
                                                     std::span<const double> frequencyHz,
                                                     int threads) {
    std::vector<LoadVoltageSlope> points(frequencyHz.size());
    const std::size_t chunks = (frequencyHz.size() + kChunk - 1) / kChunk;
    std::vector<std::unique_ptr<NodalSystem>> systems(
        static_cast<std::size_t>(taskThreads(threads, chunks)));
    std::atomic<bool> cancel{false};
    runParallelTasks(
        chunks, threads,
        [&](std::size_t chunk, int worker) {
            std::unique_ptr<NodalSystem>& system = systems[static_cast<std::size_t>(worker)];
            if (!system) {
                system = std::make_unique<NodalSystem>(netlist);
            }
            const std::size_t last = std::min(frequencyHz.size(), (chunk + 1) * kChunk);
            for (std::size_t i = chunk * kChunk; i < last; ++i) {
                points[i] = system->solve(kTwoPi * frequencyHz[i]);
            }
        },
        {}, cancel);
    return points;
}

std::vector<double> circuitGroupDelayUs(const Netlist& netlist, std::span<const double> frequencyHz,
                                        int threads) {
    const std::vector<LoadVoltageSlope> points =
        solveLoadVoltageSlopes(netlist, frequencyHz, threads);
    std::vector<double> delay(points.size(), std::numeric_limits<double>::quiet_NaN());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Complex u = points[i].voltage;
        if (!points[i].solved || isZero(u)) {
            continue;
        }
        const double tau = -(points[i].slope / u).im * 1e6;
        if (std::isfinite(tau)) {
            delay[i] = tau;
        }
    }
    return delay;
}

}  // namespace trellon
