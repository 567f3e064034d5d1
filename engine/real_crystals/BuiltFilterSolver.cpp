#include "BuiltFilterSolver.h"

#include <algorithm>
#include <array>
#include <limits>

#include "CrystalFormulas.h"
#include "Engine.h"

namespace trellon {

namespace {

// Renumbers the nodes breadth first from the source node, so that each crystal's inner nodes sit
// beside its ends: the matrix becomes a narrow band and elimination fills in next to nothing.
// The netlist of the circuit as built appends the inner nodes after the ladder's, which would
// fill in the whole triangle and cost several times the solve.
void numberNodesAlongLadder(Netlist& netlist) {
    const int nodes = netlist.nodeCount;
    std::array<std::array<bool, Netlist::kMaxNode + 1>, Netlist::kMaxNode + 1> linked{};
    for (int b = 1; b <= netlist.branchCount; ++b) {
        const Branch& branch = netlist.branches[b];
        linked[branch.fromNode][branch.toNode] = true;
        linked[branch.toNode][branch.fromNode] = true;
    }
    std::array<int, Netlist::kMaxNode + 1> newNumber{};  // 0: not numbered yet
    std::array<int, Netlist::kMaxNode + 1> queue{};
    int numbered = 0;
    for (int start = 1; start <= nodes; ++start) {
        const int first = start == 1 ? netlist.sources[1].sourceNode : start;
        if (first == 0 || newNumber[first] != 0) {
            continue;
        }
        int head = numbered;
        queue[numbered] = first;
        newNumber[first] = ++numbered;
        while (head < numbered) {
            const int node = queue[head++];
            for (int next = 1; next <= nodes; ++next) {
                if (linked[node][next] && newNumber[next] == 0) {
                    queue[numbered] = next;
                    newNumber[next] = ++numbered;
                }
            }
        }
    }
    for (int b = 1; b <= netlist.branchCount; ++b) {
        Branch& branch = netlist.branches[b];
        branch.fromNode = newNumber[branch.fromNode];
        branch.toNode = newNumber[branch.toNode];
    }
    for (int s = 1; s <= netlist.sourceCount; ++s) {
        Source& source = netlist.sources[s];
        source.sourceNode = newNumber[source.sourceNode];
        source.referenceNode = newNumber[source.referenceNode];
    }
}

}  // namespace

BuiltFilterSolver::BuiltFilterSolver()
    : netlist_(std::make_unique<Netlist>()), solver_(std::make_unique<CircuitSolver>(*netlist_)) {}

void BuiltFilterSolver::prepare(const BuiltCircuit& circuit) {
    buildNetlist(circuit, *netlist_);
    numberNodesAlongLadder(*netlist_);
    solver_->prepare();
    batch_.prepare(*solver_);
}

void BuiltFilterSolver::solveLevels(std::span<const double> frequenciesHz,
                                    std::span<double> levelsDb) {
    double omega[BatchSolver::kLanes];
    for (std::size_t start = 0; start < frequenciesHz.size(); start += BatchSolver::kLanes) {
        const int count = static_cast<int>(
            std::min<std::size_t>(BatchSolver::kLanes, frequenciesHz.size() - start));
        for (int l = 0; l < count; ++l) {
            omega[l] = kTwoPi * frequenciesHz[start + l];
        }
        batch_.solve(omega, count);
        for (int l = 0; l < count; ++l) {
            levelsDb[start + l] = batch_.solved(l) ? CircuitSolver::levelOf(batch_.loadVoltage(l))
                                                   : -std::numeric_limits<double>::infinity();
        }
    }
}

}  // namespace trellon
