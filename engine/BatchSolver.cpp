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

void BatchSolver::solve(const double* omega, int count) {
    Lanes lanes;
    for (int l = 0; l < kLanes; ++l) {
        lanes[l] = omega[std::min(l, count - 1)];
    }
    assemble(lanes);
    eliminate();
    substituteBack();
    computeLoadVoltage();
}

// The stamps in branch order, as the one-at-a-time assembly adds them.
void BatchSolver::assemble(const Lanes& omega) {
    for (LaneComplex& e : entries_) {
        e = LaneComplex{};
    }
    for (int k = 1; k <= rows_; ++k) {
        rhs_[k] = LaneComplex{};
    }
    for (std::size_t d = 0; d < inductances_.size(); ++d) {
        reciprocal_[d].v = 1 / (omega * inductances_[d]);
    }
    for (const Stamp& stamp : stamps_) {
        Lanes susceptance = omega * stamp.capacitance;
        if (stamp.reciprocal != kNone) {
            susceptance = susceptance - reciprocal_[stamp.reciprocal].v;
        }
        const double conductance = stamp.conductance;
        if (stamp.fromDiagonal != kNone) {
            LaneComplex& m = entries_[stamp.fromDiagonal];
            m.re = m.re + conductance;
            m.im = m.im + susceptance;
        }
        if (stamp.toDiagonal != kNone) {
            LaneComplex& m = entries_[stamp.toDiagonal];
            m.re = m.re + conductance;
            m.im = m.im + susceptance;
        }
        if (stamp.offDiagonal != kNone) {
            LaneComplex& m = entries_[stamp.offDiagonal];
            m.re = m.re - conductance;
            m.im = m.im - susceptance;
        }
        if (stamp.injects) {
            const Complex emf = stamp.emf;
            const Lanes currentRe = conductance * emf.re - susceptance * emf.im;
            const Lanes currentIm = conductance * emf.im + susceptance * emf.re;
            if (stamp.fromRow != 0) {
                LaneComplex& j = rhs_[stamp.fromRow];
                j.re = j.re - currentRe;
                j.im = j.im - currentIm;
            }
            if (stamp.toRow != 0) {
                LaneComplex& j = rhs_[stamp.toRow];
                j.re = j.re + currentRe;
                j.im = j.im + currentIm;
            }
        }
    }
}

// Row i -= f * row k, where f = M[k][i] / M[k][k]. A lane whose M[k][i] is exactly zero keeps
// its row as it was, as the one-at-a-time solve skips it.
void BatchSolver::eliminate() {
    for (const PivotStep& step : pivotSteps_) {
        const LaneComplex pivot = entries_[step.pivot];
        const Lanes norm = pivot.re * pivot.re + pivot.im * pivot.im;
        const Elimination* end =
            eliminations_.data() + step.firstElimination + step.eliminationCount;
        for (const Elimination* el = eliminations_.data() + step.firstElimination; el != end;
             ++el) {
            const LaneComplex m = entries_[el->multiplier];
            const Mask keep = (m.re == 0) & (m.im == 0);
            const Lanes fRe = (m.re * pivot.re + m.im * pivot.im) / norm;
            const Lanes fIm = (m.im * pivot.re - m.re * pivot.im) / norm;
            auto update = [&](LaneComplex& target, const LaneComplex& by) {
                const Lanes re = target.re - (fRe * by.re - fIm * by.im);
                const Lanes im = target.im - (fRe * by.im + fIm * by.re);
                target.re = keep ? target.re : re;
                target.im = keep ? target.im : im;
            };
            update(entries_[el->diagonal], m);
            const std::int32_t* pair = updates_.data() + 2 * el->firstUpdate;
            for (int u = 0; u < el->updateCount; ++u, pair += 2) {
                update(entries_[pair[0]], entries_[pair[1]]);
            }
            update(rhs_[el->row], rhs_[step.row]);
        }
    }
}

void BatchSolver::substituteBack() {
    Mask failed{};
    for (int k = rows_; k >= 1; --k) {
        LaneComplex sum = rhs_[k];
        for (int c = backFirst_[k]; c < backFirst_[k + 1]; ++c) {
            const LaneComplex& m = entries_[backEntries_[c]];
            const LaneComplex& v = rhs_[backRows_[c]];
            sum.re = sum.re - (m.re * v.re - m.im * v.im);
            sum.im = sum.im - (m.re * v.im + m.im * v.re);
        }
        const LaneComplex d = entries_[diagonal_[k]];
        const Lanes norm = d.re * d.re + d.im * d.im;
        failed = failed | (norm < kPivotLimit);
        rhs_[k].re = (sum.re * d.re + sum.im * d.im) / norm;
        rhs_[k].im = (sum.im * d.re - sum.re * d.im) / norm;
    }
    for (int l = 0; l < kLanes; ++l) {
        pivotFailed_[l] = failed[l] != 0;
    }
}

void BatchSolver::computeLoadVoltage() {
    for (const std::int32_t node : voltageNodes_) {
        nodeVoltage_[node] = rhs_[nodeRow_[node]];
    }
    for (const Source& source : sources_) {
        const LaneComplex reference = nodeVoltage_[source.referenceNode];
        nodeVoltage_[source.sourceNode] = {reference.re + source.sourceVoltage.re,
                                           reference.im + source.sourceVoltage.im};
    }
    const LaneComplex& from = nodeVoltage_[loadFrom_];
    const LaneComplex& to = nodeVoltage_[loadTo_];
    loadVoltage_ = {from.re - to.re, from.im - to.im};
}

}  // namespace trellon
