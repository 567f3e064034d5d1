#include "BatchSolver.h"

#include <algorithm>
#include <array>

namespace trellon {

namespace {

constexpr double kPivotLimit = 1e-34;

}  // namespace

void BatchSolver::prepare(const CircuitSolver& solver) {
    const Netlist& n = solver.netlist_;
    const int rows = solver.rowCount_;
    rows_ = rows;

    // Pack the diagonal and the filled columns of every row, in row order.
    std::vector<std::array<std::int32_t, CircuitSolver::kMaxRows + 1>> entry(rows + 1);
    int entryCount = 0;
    diagonal_.assign(rows + 1, kNone);
    for (int k = 1; k <= rows; ++k) {
        entry[k].fill(kNone);
        entry[k][k] = entryCount++;
        diagonal_[k] = entry[k][k];
        for (int c = 0; c < solver.rowColumnCount_[k]; ++c) {
            entry[k][solver.rowColumns_[k][c]] = entryCount++;
        }
    }
    entries_.assign(entryCount, LaneComplex{});
    rhs_.assign(rows + 1, LaneComplex{});

    stamps_.clear();
    inductances_.clear();
    double lastInductance = 0;
    for (int s = 0; s < solver.stampedCount_; ++s) {
        const CircuitSolver::StampedBranch& stamped = solver.stamped_[s];
        const Branch& branch = *stamped.branch;
        const int r = stamped.from;
        const int e = stamped.to;
        Stamp stamp{};
        stamp.fromDiagonal = r != 0 ? entry[r][r] : kNone;
        stamp.toDiagonal = e != 0 ? entry[e][e] : kNone;
        stamp.offDiagonal = r != 0 && e != 0 ? entry[std::min(r, e)][std::max(r, e)] : kNone;
        stamp.fromRow = r;
        stamp.toRow = e;
        stamp.reciprocal = kNone;
        // The same reciprocals as the one-at-a-time solve's cache of the last inductance.
        if (branch.inductance > 0) {
            if (branch.inductance != lastInductance) {
                lastInductance = branch.inductance;
                inductances_.push_back(branch.inductance);
            }
            stamp.reciprocal = static_cast<std::int32_t>(inductances_.size()) - 1;
        }
        stamp.conductance = branch.conductance;
        stamp.capacitance = branch.capacitance;
        stamp.injects = !isZero(stamped.emf);
        stamp.emf = stamped.emf;
        stamps_.push_back(stamp);
    }
    reciprocal_.assign(inductances_.size(), LaneReal{});

    pivotSteps_.clear();
    eliminations_.clear();
    updates_.clear();
    for (int k = 1; k <= rows - 1; ++k) {
        const std::int32_t* columns = solver.rowColumns_[k].data();
        const int count = solver.rowColumnCount_[k];
        pivotSteps_.push_back({entry[k][k], k, static_cast<std::int32_t>(eliminations_.size()),
                               static_cast<std::int32_t>(count)});
        for (int a = 0; a < count; ++a) {
            const int i = columns[a];
            eliminations_.push_back({entry[k][i], entry[i][i], i,
                                     static_cast<std::int32_t>(updates_.size() / 2),
                                     static_cast<std::int32_t>(count - a - 1)});
            for (int c = a + 1; c < count; ++c) {
                const int j = columns[c];
                updates_.push_back(entry[i][j]);
                updates_.push_back(entry[k][j]);
            }
        }
    }

    backFirst_.assign(rows + 2, 0);
    backEntries_.clear();
    backRows_.clear();
    for (int k = 1; k <= rows; ++k) {
        backFirst_[k] = static_cast<std::int32_t>(backEntries_.size());
        for (int c = solver.rowColumnCount_[k] - 1; c >= 0; --c) {
            const int j = solver.rowColumns_[k][c];
            backEntries_.push_back(entry[k][j]);
            backRows_.push_back(j);
        }
    }
    backFirst_[rows + 1] = static_cast<std::int32_t>(backEntries_.size());

    // Only the nodes that the load voltage can depend on are worked out.
    const Branch& load = n.branches[n.outputBranch];
    loadFrom_ = load.fromNode;
    loadTo_ = load.toNode;
    sources_.assign(n.sources.begin() + 1, n.sources.begin() + 1 + n.sourceCount);
    voltageNodes_ = {0, loadFrom_, loadTo_};
    for (const Source& source : sources_) {
        voltageNodes_.push_back(source.sourceNode);
        voltageNodes_.push_back(source.referenceNode);
    }
    std::sort(voltageNodes_.begin(), voltageNodes_.end());
    voltageNodes_.erase(std::unique(voltageNodes_.begin(), voltageNodes_.end()),
                        voltageNodes_.end());
    nodeRow_.assign(Netlist::kMaxNode + 1, 0);
    for (int node = 1; node <= n.nodeCount; ++node) {
        nodeRow_[node] = solver.rowIndex_[node];
    }
    nodeVoltage_.assign(Netlist::kMaxNode + 1, LaneComplex{});
}

// Lane arithmetic over vectors of `width` lanes, V and its comparison mask VMask; inlined into
// the baseline and the AVX2 build of the solve.
using Pair = double __attribute__((vector_size(16), may_alias));
using PairMask = std::int64_t __attribute__((vector_size(16), may_alias));
using Quad = double __attribute__((vector_size(32), may_alias));
using QuadMask = std::int64_t __attribute__((vector_size(32), may_alias));

template <typename V>
[[gnu::always_inline]] inline V& lanes(double* values, int group) {
    return reinterpret_cast<V*>(values)[group];
}

namespace {

// Also runs before the processor detection's own constructor may have.
bool processorHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

}  // namespace

std::atomic<bool> BatchSolver::wideLanes_{processorHasAvx2()};

void BatchSolver::useWideLanes(bool wide) {
    wideLanes_.store(wide && processorHasAvx2(), std::memory_order_relaxed);
}

template <typename V, typename VMask>
[[gnu::always_inline]] inline void BatchSolver::solveIn(LaneReal& omega) {
    constexpr int groups = kLanes * sizeof(double) / sizeof(V);
    for (int g = 0; g < groups; ++g) {
        assembleIn<V>(omega, g);
    }
    eliminateIn<V, VMask>();
    substituteBackIn<V, VMask>();
}

// The stamps in branch order, as the one-at-a-time assembly adds them.
template <typename V>
[[gnu::always_inline]] inline void BatchSolver::assembleIn(LaneReal& omegaLanes, int g) {
    const V omega = lanes<V>(omegaLanes.v, g);
    for (std::size_t d = 0; d < inductances_.size(); ++d) {
        lanes<V>(reciprocal_[d].v, g) = 1 / (omega * inductances_[d]);
    }
    for (const Stamp& stamp : stamps_) {
        const double conductance = stamp.conductance;
        V susceptance = omega * stamp.capacitance;
        if (stamp.reciprocal != kNone) {
            susceptance = susceptance - lanes<V>(reciprocal_[stamp.reciprocal].v, g);
        }
        // The real part is the conductance itself where a branch has no EMF to multiply.
        auto add = [&](LaneComplex& m, const auto& re, const V& im) {
            lanes<V>(m.re, g) = lanes<V>(m.re, g) + re;
            lanes<V>(m.im, g) = lanes<V>(m.im, g) + im;
        };
        auto subtract = [&](LaneComplex& m, const auto& re, const V& im) {
            lanes<V>(m.re, g) = lanes<V>(m.re, g) - re;
            lanes<V>(m.im, g) = lanes<V>(m.im, g) - im;
        };
        if (stamp.fromDiagonal != kNone) {
            add(entries_[stamp.fromDiagonal], conductance, susceptance);
        }
        if (stamp.toDiagonal != kNone) {
            add(entries_[stamp.toDiagonal], conductance, susceptance);
        }
        if (stamp.offDiagonal != kNone) {
            subtract(entries_[stamp.offDiagonal], conductance, susceptance);
        }
        if (stamp.injects) {
            const Complex emf = stamp.emf;
            const V currentRe = conductance * emf.re - susceptance * emf.im;
            const V currentIm = conductance * emf.im + susceptance * emf.re;
            if (stamp.fromRow != 0) {
                subtract(rhs_[stamp.fromRow], currentRe, currentIm);
            }
            if (stamp.toRow != 0) {
                add(rhs_[stamp.toRow], currentRe, currentIm);
            }
        }
    }
}

// Row i -= f * row k, where f = M[k][i] / M[k][k]. A lane whose M[k][i] is exactly zero keeps
// its row as it was, as the one-at-a-time solve skips it; the choice is made on the bits.
template <typename V, typename VMask>
[[gnu::always_inline]] inline void BatchSolver::eliminateIn() {
    constexpr int groups = kLanes * sizeof(double) / sizeof(V);
    for (const PivotStep& step : pivotSteps_) {
        LaneComplex& pivot = entries_[step.pivot];
        const Elimination* end =
            eliminations_.data() + step.firstElimination + step.eliminationCount;
        for (const Elimination* el = eliminations_.data() + step.firstElimination; el != end;
             ++el) {
            const std::int32_t* firstPair = updates_.data() + 2 * el->firstUpdate;
            for (int g = 0; g < groups; ++g) {
                const V pivotRe = lanes<V>(pivot.re, g);
                const V pivotIm = lanes<V>(pivot.im, g);
                const V norm = pivotRe * pivotRe + pivotIm * pivotIm;
                const V mRe = lanes<V>(entries_[el->multiplier].re, g);
                const V mIm = lanes<V>(entries_[el->multiplier].im, g);
                const VMask keep = (mRe == 0) & (mIm == 0);
                const V fRe = (mRe * pivotRe + mIm * pivotIm) / norm;
                const V fIm = (mIm * pivotRe - mRe * pivotIm) / norm;
                auto update = [&](LaneComplex& target, const V& byRe, const V& byIm) {
                    V& re = lanes<V>(target.re, g);
                    V& im = lanes<V>(target.im, g);
                    const V newRe = re - (fRe * byRe - fIm * byIm);
                    const V newIm = im - (fRe * byIm + fIm * byRe);
                    re = (V)((keep & (VMask)re) | (~keep & (VMask)newRe));
                    im = (V)((keep & (VMask)im) | (~keep & (VMask)newIm));
                };
                update(entries_[el->diagonal], mRe, mIm);
                const std::int32_t* pair = firstPair;
                for (int u = 0; u < el->updateCount; ++u, pair += 2) {
                    LaneComplex& by = entries_[pair[1]];
                    update(entries_[pair[0]], lanes<V>(by.re, g), lanes<V>(by.im, g));
                }
                LaneComplex& by = rhs_[step.row];
                update(rhs_[el->row], lanes<V>(by.re, g), lanes<V>(by.im, g));
            }
        }
    }
}

template <typename V, typename VMask>
[[gnu::always_inline]] inline void BatchSolver::substituteBackIn() {
    constexpr int groups = kLanes * sizeof(double) / sizeof(V);
    VMask failed[groups] = {};
    for (int k = rows_; k >= 1; --k) {
        for (int g = 0; g < groups; ++g) {
            V sumRe = lanes<V>(rhs_[k].re, g);
            V sumIm = lanes<V>(rhs_[k].im, g);
            for (int c = backFirst_[k]; c < backFirst_[k + 1]; ++c) {
                LaneComplex& m = entries_[backEntries_[c]];
                LaneComplex& v = rhs_[backRows_[c]];
                const V mRe = lanes<V>(m.re, g);
                const V mIm = lanes<V>(m.im, g);
                const V vRe = lanes<V>(v.re, g);
                const V vIm = lanes<V>(v.im, g);
                sumRe = sumRe - (mRe * vRe - mIm * vIm);
                sumIm = sumIm - (mRe * vIm + mIm * vRe);
            }
            LaneComplex& d = entries_[diagonal_[k]];
            const V dRe = lanes<V>(d.re, g);
            const V dIm = lanes<V>(d.im, g);
            const V norm = dRe * dRe + dIm * dIm;
            failed[g] = failed[g] | (norm < kPivotLimit);
            lanes<V>(rhs_[k].re, g) = (sumRe * dRe + sumIm * dIm) / norm;
            lanes<V>(rhs_[k].im, g) = (sumIm * dRe - sumRe * dIm) / norm;
        }
    }
    constexpr int width = kLanes / groups;
    for (int l = 0; l < kLanes; ++l) {
        pivotFailed_[l] = failed[l / width][l % width] != 0;
    }
}

void BatchSolver::solve(const double* omega, int count) {
    LaneReal lanes;
    for (int l = 0; l < kLanes; ++l) {
        lanes.v[l] = omega[std::min(l, count - 1)];
    }
    for (LaneComplex& e : entries_) {
        e = LaneComplex{};
    }
    for (int k = 1; k <= rows_; ++k) {
        rhs_[k] = LaneComplex{};
    }
    if (wideLanes_.load(std::memory_order_relaxed)) {
        solveWide(lanes);
    } else {
        solveIn<Pair, PairMask>(lanes);
    }
    computeLoadVoltage();
}

// The wider registers only hold more lanes: FMA stays off, so every lane rounds as before.
__attribute__((target("avx2"))) void BatchSolver::solveWide(LaneReal& omega) {
    solveIn<Quad, QuadMask>(omega);
}

void BatchSolver::computeLoadVoltage() {
    for (const std::int32_t node : voltageNodes_) {
        nodeVoltage_[node] = rhs_[nodeRow_[node]];
    }
    for (const Source& source : sources_) {
        LaneComplex& voltage = nodeVoltage_[source.sourceNode];
        const LaneComplex reference = nodeVoltage_[source.referenceNode];
        for (int l = 0; l < kLanes; ++l) {
            voltage.re[l] = reference.re[l] + source.sourceVoltage.re;
            voltage.im[l] = reference.im[l] + source.sourceVoltage.im;
        }
    }
    const LaneComplex& from = nodeVoltage_[loadFrom_];
    const LaneComplex& to = nodeVoltage_[loadTo_];
    for (int l = 0; l < kLanes; ++l) {
        loadVoltage_.re[l] = from.re[l] - to.re[l];
        loadVoltage_.im[l] = from.im[l] - to.im[l];
    }
}

}  // namespace trellon
