#pragma once

#include <array>
#include <cstdint>

#include "Complex.h"
#include "Netlist.h"

namespace trellon {

// Nodal analysis of the current netlist at one angular frequency, reduced to the level of the
// load voltage in dB relative to the 1 V source. All storage is fixed and allocated once.
class CircuitSolver {
public:
    explicit CircuitSolver(const Netlist& netlist) : netlist_(netlist) {}

    // Numbers the matrix rows, computes the branch EMFs and the fill pattern of the
    // elimination. Call once after every buildNetlist.
    void prepare();

    // Assembles and solves at omega (rad/s). Skips the multiply-adds whose multiplier or
    // operand is exactly zero, which leaves every result bit for bit as the plain elimination.
    bool solve(double omega);

    // The plain symmetric elimination over the whole upper triangle; the reference that
    // solve() must agree with.
    bool solveReference(double omega);

    // Valid after a successful solve: the load voltage's level in dB. A level that cannot be
    // expressed (a silent or overflowing output) throws CommandError.
    double computeOutputLevel();

    // 20 log10 |u| for a load voltage u: minus infinity for a silent output.
    static double levelOf(Complex u);
    // The same level, throwing CommandError where computeOutputLevel does.
    static double expressibleLevelOf(Complex u);

    bool solveOk = false;
    double outputLevelDb = 0;
    // The load voltage that outputLevelDb was computed from, for the 1 V source.
    Complex outputVoltage;

private:
    // The batch solve repeats this solver's operations from its prepared fill pattern.
    friend class BatchSolver;

    static constexpr int kMaxRows = 100;
    static constexpr double kPivotLimit = 1e-34;

    // Plain assembly over every branch and the whole upper triangle.
    void assemble(double omega);
    // The same matrix, touching only the branches and entries that can be non-zero.
    void assembleStamped(double omega);
    bool pivotFails(int k) const { return squaredMagnitude(matrix_[k][k]) < kPivotLimit; }

    const Netlist& netlist_;
    std::array<std::int32_t, Netlist::kMaxNode + 1> rowIndex_{};
    std::int32_t rowCount_ = 0;
    std::array<Complex, Netlist::kMaxBranches + 1> branchEmf_{};
    std::array<std::array<Complex, kMaxRows + 1>, kMaxRows + 1> matrix_{};
    std::array<Complex, kMaxRows + 1> rhs_{};
    std::array<Complex, Netlist::kMaxNode + 1> nodeVoltage_{};

    // Columns j > k that may hold a non-zero in row k of the upper triangle once elimination
    // has filled it in, in increasing order.
    std::array<std::array<std::int32_t, kMaxRows>, kMaxRows + 1> rowColumns_{};
    std::array<std::int32_t, kMaxRows + 1> rowColumnCount_{};

    // The branches that reach the matrix (their ends lie on different rows), with their rows.
    struct StampedBranch {
        std::int32_t from;
        std::int32_t to;
        const Branch* branch;
        Complex emf;
    };
    std::array<StampedBranch, Netlist::kMaxBranches> stamped_{};
    std::int32_t stampedCount_ = 0;
};

}  // namespace trellon
