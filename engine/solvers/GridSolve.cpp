#include "GridSolve.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "BatchSolver.h"
#include "CrystalFormulas.h"
#include "Engine.h"

namespace trellon {

namespace {

// Points handed to a thread at a time: whole batches, few enough hand-overs to cost nothing.
constexpr std::size_t kChunk = 32 * BatchSolver::kLanes;

void solveChunks(const CircuitSolver& solver, std::span<const double> frequencies,
                 std::span<GridPoint> points, std::atomic<std::size_t>& nextChunk) {
    BatchSolver batch;
    batch.prepare(solver);
    double omega[BatchSolver::kLanes];
    for (;;) {
        const std::size_t first = nextChunk.fetch_add(kChunk);
        if (first >= frequencies.size()) {
            return;
        }
        const std::size_t last = std::min(first + kChunk, frequencies.size());
        for (std::size_t start = first; start < last; start += BatchSolver::kLanes) {
            const int count =
                static_cast<int>(std::min<std::size_t>(BatchSolver::kLanes, last - start));
            for (int l = 0; l < count; ++l) {
                omega[l] = kTwoPi * frequencies[start + l];
            }
            batch.solve(omega, count);
            for (int l = 0; l < count; ++l) {
                GridPoint& point = points[start + l];
                point.solved = batch.solved(l);
                if (point.solved) {
                    point.loadVoltage = batch.loadVoltage(l);
                    point.levelDb = CircuitSolver::levelOf(point.loadVoltage);
                }
            }
        }
    }
}

}  // namespace

std::vector<GridPoint> SolveGrid(const CircuitSolver& solver, std::span<const double> frequenciesHz,
                                 int threads) {
    std::vector<GridPoint> points(frequenciesHz.size());
    if (threads <= 0) {
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    }
    const std::size_t chunks = (frequenciesHz.size() + kChunk - 1) / kChunk;
    threads = static_cast<int>(std::min<std::size_t>(threads, std::max<std::size_t>(chunks, 1)));
    std::atomic<std::size_t> nextChunk{0};
    {
        std::vector<std::jthread> helpers;
        for (int t = 1; t < threads; ++t) {
            helpers.emplace_back([&] { solveChunks(solver, frequenciesHz, points, nextChunk); });
        }
        solveChunks(solver, frequenciesHz, points, nextChunk);
    }
    return points;
}

std::vector<GridPoint> SolveNetlistGrid(const Netlist& netlist,
                                        std::span<const double> frequenciesHz, int threads) {
    // The solver's fixed storage is large: keep it off the stack.
    auto solver = std::make_unique<CircuitSolver>(netlist);
    solver->prepare();
    return SolveGrid(*solver, frequenciesHz, threads);
}

}  // namespace trellon
