#include "BuiltFilterSolver.h"

#include <algorithm>
#include <limits>

#include "Engine.h"

namespace trellon {

BuiltFilterSolver::BuiltFilterSolver()
    : netlist_(std::make_unique<Netlist>()), solver_(std::make_unique<CircuitSolver>(*netlist_)) {}

void BuiltFilterSolver::prepare(const BuiltCircuit& circuit) {
    buildNetlist(circuit, *netlist_);
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
