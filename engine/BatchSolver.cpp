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
    const Branch& load = n.branches[Netlist::kOutputBranch];
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

void BatchSolver::solve(const double* omega, int count) {
    LaneReal lanes;
    for (int l = 0; l < kLanes; ++l) {
        lanes.v[l / 2][l % 2] = omega[std::min(l, count - 1)];
    }
    assemble(lanes);
    eliminate();
    substituteBack();
    computeLoadVoltage();
}

// The stamps in branch order, as the one-at-a-time assembly adds them.
void BatchSolver::assemble(const LaneReal& omega) {
    for (LaneComplex& e : entries_) {
        e = LaneComplex{};
    }
    for (int k = 1; k <= rows_; ++k) {
        rhs_[k] = LaneComplex{};
    }
    for (std::size_t d = 0; d < inductances_.size(); ++d) {
        for (int p = 0; p < kPairs; ++p) {
            reciprocal_[d].v[p] = 1 / (omega.v[p] * inductances_[d]);
        }
    }
    for (const Stamp& stamp : stamps_) {
        const double conductance = stamp.conductance;
        for (int p = 0; p < kPairs; ++p) {
            Pair susceptance = omega.v[p] * stamp.capacitance;
            if (stamp.reciprocal != kNone) {
                susceptance = susceptance - reciprocal_[stamp.reciprocal].v[p];
            }
            if (stamp.fromDiagonal != kNone) {
                LaneComplex& m = entries_[stamp.fromDiagonal];
                m.re[p] = m.re[p] + conductance;
                m.im[p] = m.im[p] + susceptance;
            }
            if (stamp.toDiagonal != kNone) {
                LaneComplex& m = entries_[stamp.toDiagonal];
                m.re[p] = m.re[p] + conductance;
                m.im[p] = m.im[p] + susceptance;
            }
            if (stamp.offDiagonal != kNone) {
                LaneComplex& m = entries_[stamp.offDiagonal];
                m.re[p] = m.re[p] - conductance;
                m.im[p] = m.im[p] - susceptance;
            }
            if (stamp.injects) {
                const Complex emf = stamp.emf;
                const Pair currentRe = conductance * emf.re - susceptance * emf.im;
                const Pair currentIm = conductance * emf.im + susceptance * emf.re;
                if (stamp.fromRow != 0) {
                    LaneComplex& j = rhs_[stamp.fromRow];
                    j.re[p] = j.re[p] - currentRe;
                    j.im[p] = j.im[p] - currentIm;
                }
                if (stamp.toRow != 0) {
                    LaneComplex& j = rhs_[stamp.toRow];
                    j.re[p] = j.re[p] + currentRe;
                    j.im[p] = j.im[p] + currentIm;
                }
            }
        }
    }
}

// Row i -= f * row k, where f = M[k][i] / M[k][k]. A lane whose M[k][i] is exactly zero keeps
// its row as it was, as the one-at-a-time solve skips it; the choice is made on the bits.
void BatchSolver::eliminate() {
    for (const PivotStep& step : pivotSteps_) {
        const LaneComplex& pivot = entries_[step.pivot];
        const Elimination* end =
            eliminations_.data() + step.firstElimination + step.eliminationCount;
        for (const Elimination* el = eliminations_.data() + step.firstElimination; el != end;
             ++el) {
            const std::int32_t* firstPair = updates_.data() + 2 * el->firstUpdate;
            for (int p = 0; p < kPairs; ++p) {
                const Pair pivotRe = pivot.re[p];
                const Pair pivotIm = pivot.im[p];
                const Pair norm = pivotRe * pivotRe + pivotIm * pivotIm;
                const Pair mRe = entries_[el->multiplier].re[p];
                const Pair mIm = entries_[el->multiplier].im[p];
                const PairMask keep = (mRe == 0) & (mIm == 0);
                const Pair fRe = (mRe * pivotRe + mIm * pivotIm) / norm;
                const Pair fIm = (mIm * pivotRe - mRe * pivotIm) / norm;
                auto update = [&](LaneComplex& target, Pair byRe, Pair byIm) {
                    const Pair re = target.re[p] - (fRe * byRe - fIm * byIm);
                    const Pair im = target.im[p] - (fRe * byIm + fIm * byRe);
                    target.re[p] = (Pair)((keep & (PairMask)target.re[p]) | (~keep & (PairMask)re));
                    target.im[p] = (Pair)((keep & (PairMask)target.im[p]) | (~keep & (PairMask)im));
                };
                update(entries_[el->diagonal], mRe, mIm);
                const std::int32_t* pair = firstPair;
                for (int u = 0; u < el->updateCount; ++u, pair += 2) {
                    const LaneComplex& by = entries_[pair[1]];
                    update(entries_[pair[0]], by.re[p], by.im[p]);
                }
                const LaneComplex& by = rhs_[step.row];
                update(rhs_[el->row], by.re[p], by.im[p]);
            }
        }
    }
}

void BatchSolver::substituteBack() {
    PairMask failed[kPairs] = {};
    for (int k = rows_; k >= 1; --k) {
        for (int p = 0; p < kPairs; ++p) {
            Pair sumRe = rhs_[k].re[p];
            Pair sumIm = rhs_[k].im[p];
            for (int c = backFirst_[k]; c < backFirst_[k + 1]; ++c) {
                const LaneComplex& m = entries_[backEntries_[c]];
                const LaneComplex& v = rhs_[backRows_[c]];
                sumRe = sumRe - (m.re[p] * v.re[p] - m.im[p] * v.im[p]);
                sumIm = sumIm - (m.re[p] * v.im[p] + m.im[p] * v.re[p]);
            }
            const LaneComplex& d = entries_[diagonal_[k]];
            const Pair norm = d.re[p] * d.re[p] + d.im[p] * d.im[p];
            failed[p] = failed[p] | (norm < kPivotLimit);
            rhs_[k].re[p] = (sumRe * d.re[p] + sumIm * d.im[p]) / norm;
            rhs_[k].im[p] = (sumIm * d.re[p] - sumRe * d.im[p]) / norm;
        }
    }
    for (int l = 0; l < kLanes; ++l) {
        pivotFailed_[l] = failed[l / 2][l % 2] != 0;
    }
}

void BatchSolver::computeLoadVoltage() {
    for (const std::int32_t node : voltageNodes_) {
        nodeVoltage_[node] = rhs_[nodeRow_[node]];
    }
    for (const Source& source : sources_) {
        LaneComplex& voltage = nodeVoltage_[source.sourceNode];
        const LaneComplex reference = nodeVoltage_[source.referenceNode];
        for (int p = 0; p < kPairs; ++p) {
            voltage.re[p] = reference.re[p] + source.sourceVoltage.re;
            voltage.im[p] = reference.im[p] + source.sourceVoltage.im;
        }
    }
    const LaneComplex& from = nodeVoltage_[loadFrom_];
    const LaneComplex& to = nodeVoltage_[loadTo_];
    for (int p = 0; p < kPairs; ++p) {
        loadVoltage_.re[p] = from.re[p] - to.re[p];
        loadVoltage_.im[p] = from.im[p] - to.im[p];
    }
}

}  // namespace trellon
