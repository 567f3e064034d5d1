#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "CircuitSolver.h"
#include "Complex.h"

namespace trellon {

// Solves one prepared circuit at several angular frequencies together, one frequency per lane.
// Each lane performs exactly the operations of CircuitSolver::solve in the same order, exact-zero
// skips and pivot test included, so its load voltage is bit for bit the one-at-a-time result;
// the lanes only let the independent chains of divisions overlap and share vector instructions.
// Solving allocates nothing; each thread needs its own instance.
class BatchSolver {
public:
    static constexpr int kLanes = 8;  // a multiple of 4

    // Takes the fill pattern and element values of the circuit that `solver` was last prepared
    // for. Call again after every CircuitSolver::prepare and whenever the values change.
    void prepare(const CircuitSolver& solver);

    // Solves at omega[0..count-1] (rad/s), 1 <= count <= kLanes.
    void solve(const double* omega, int count);

    // After solve: whether the lane's equations had a solution, and then its load voltage.
    bool solved(int lane) const { return !pivotFailed_[lane]; }
    Complex loadVoltage(int lane) const { return {loadVoltage_.re[lane], loadVoltage_.im[lane]}; }

    // Whether solves may use the AVX2 registers where the processor has them (the default).
    // The results are the same either way; the tests run both.
    static void useWideLanes(bool wide);

private:
    // Each value for all lanes side by side, read as vectors of two lanes (the baseline's
    // registers) or of four (AVX2, where the processor has it).
    struct alignas(64) LaneReal {
        double v[kLanes];
    };
    struct alignas(64) LaneComplex {
        double re[kLanes];
        double im[kLanes];
    };
    static constexpr std::int32_t kNone = -1;

    // One branch that reaches the matrix: where its admittance goes and what it is made of.
    struct Stamp {
        std::int32_t fromDiagonal;  // entry index, or kNone for the reference row
        std::int32_t toDiagonal;
        std::int32_t offDiagonal;
        std::int32_t fromRow;  // right-hand side row, 0 for the reference
        std::int32_t toRow;
        std::int32_t reciprocal;  // index into reciprocal_, or kNone without inductance
        double conductance;
        double capacitance;
        bool injects;  // the branch carries a source EMF
        Complex emf;
    };

    // One multiplier of the elimination: row i takes f = M[k][i] / M[k][k] times row k.
    struct Elimination {
        std::int32_t multiplier;   // entry M[k][i]
        std::int32_t diagonal;     // entry M[i][i]
        std::int32_t row;          // i
        std::int32_t firstUpdate;  // range in updates_ of (M[i][j], M[k][j]) pairs
        std::int32_t updateCount;
    };

    struct PivotStep {
        std::int32_t pivot;  // entry M[k][k]
        std::int32_t row;    // k
        std::int32_t firstElimination;
        std::int32_t eliminationCount;
    };

    void solveWide(LaneReal& omega);
    template <typename V, typename VMask>
    void solveIn(LaneReal& omega);
    template <typename V>
    void assembleIn(LaneReal& omega, int group);
    template <typename V, typename VMask>
    void eliminateIn();
    template <typename V, typename VMask>
    void substituteBackIn();
    void computeLoadVoltage();

    int rows_ = 0;
    std::vector<LaneComplex> entries_;  // the filled upper triangle, packed
    std::vector<LaneComplex> rhs_;      // [0] stays zero: the reference row
    std::vector<Stamp> stamps_;
    std::vector<double> inductances_;   // one per change of inductance along the stamps
    std::vector<LaneReal> reciprocal_;  // 1 / (omega L) for each of them
    std::vector<PivotStep> pivotSteps_;
    std::vector<Elimination> eliminations_;
    std::vector<std::int32_t> updates_;
    // Back substitution of row k: its entries M[k][j] and rows j, last column first.
    std::vector<std::int32_t> backFirst_;
    std::vector<std::int32_t> backEntries_;
    std::vector<std::int32_t> backRows_;
    std::vector<std::int32_t> diagonal_;  // entry of M[k][k]

    // Node voltages that the load voltage depends on: node rows, then the sources in order.
    std::vector<std::int32_t> voltageNodes_;
    std::vector<std::int32_t> nodeRow_;
    std::vector<Source> sources_;
    std::int32_t loadFrom_ = 0;
    std::int32_t loadTo_ = 0;
    std::vector<LaneComplex> nodeVoltage_;

    LaneComplex loadVoltage_{};
    bool pivotFailed_[kLanes] = {};

    static std::atomic<bool> wideLanes_;
};

}  // namespace trellon
