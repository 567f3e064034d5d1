#include "CircuitSolver.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "BatchSolver.h"
#include "Catalogue.h"
#include "CommandError.h"
#include "CrystalFormulas.h"
#include "DesignRun.h"
#include "GridSolve.h"

namespace trellon {
namespace {

// What SmallCircuit::level gives when a solve fails.
const double kNoLevel = std::numeric_limits<double>::quiet_NaN();

Branch resistor(int from, int to, double ohms) {
    return {from, to, 1 / ohms, 0, 0};
}
Branch capacitor(int from, int to, double farads) {
    return {from, to, 0, farads, 0};
}
Branch inductor(int from, int to, double henries) {
    return {from, to, 0, 0, henries};
}

// A small circuit with its load at the output position. The positions before it that the
// circuit does not fill hold empty branches, which must contribute nothing.
struct SmallCircuit {
    SmallCircuit(int nodes, std::vector<Source> sources, std::vector<Branch> chain, Branch load,
                 std::vector<Branch> after = {}) {
        netlist.nodeCount = nodes;
        netlist.sourceCount = static_cast<int>(sources.size());
        for (std::size_t s = 0; s < sources.size(); ++s) {
            netlist.sources[s + 1] = sources[s];
        }
        int position = 1;
        for (const Branch& b : chain) {
            netlist.branches[position++] = b;
        }
        while (position < Netlist::kOutputBranch) {
            netlist.branches[position++] = Branch{1, 2, 0, 0, 0};
        }
        netlist.branches[position++] = load;
        for (const Branch& b : after) {
            netlist.branches[position++] = b;
        }
        netlist.branchCount = position - 1;
        solver->prepare();
    }

    // The level after solving with the fast and with the reference elimination, which must
    // agree; NaN when either fails.
    double level(double omega) {
        const bool fast = solver->solve(omega);
        const double fastLevel = fast ? solver->computeOutputLevel() : kNoLevel;
        const bool reference = solver->solveReference(omega);
        EXPECT_EQ(fast, reference);
        if (!reference) {
            return kNoLevel;
        }
        EXPECT_EQ(solver->computeOutputLevel(), fastLevel);
        return fastLevel;
    }

    Netlist netlist;
    std::unique_ptr<CircuitSolver> solver = std::make_unique<CircuitSolver>(netlist);
};

const Source kOneVoltAt1{1, 0, {1, 0}};

double db(double ratio) {
    return 20 * std::log10(ratio);
}

bool sameBits(const GridPoint& a, const GridPoint& b) {
    return a.solved == b.solved &&
           std::bit_cast<std::uint64_t>(a.loadVoltage.re) ==
               std::bit_cast<std::uint64_t>(b.loadVoltage.re) &&
           std::bit_cast<std::uint64_t>(a.loadVoltage.im) ==
               std::bit_cast<std::uint64_t>(b.loadVoltage.im);
}

TEST(CircuitSolver, ResistiveDividerGivesTheExactLevel) {
    // Source at the first node, as most ladders have it.
    SmallCircuit first(3, {kOneVoltAt1}, {resistor(1, 2, 1), resistor(2, 3, 1)}, resistor(3, 0, 1));
    EXPECT_DOUBLE_EQ(first.level(1), db(1.0 / 3));
    // Source at the last node, as the 3- and 4-crystal ladders have it: it gets no row.
    SmallCircuit last(3, {{3, 0, {1, 0}}}, {resistor(3, 1, 1), resistor(1, 2, 1)},
                      resistor(2, 0, 1));
    EXPECT_DOUBLE_EQ(last.level(1), db(1.0 / 3));
    // Unequal resistors: 0.25 of the source across the load.
    SmallCircuit unequal(2, {kOneVoltAt1}, {resistor(1, 2, 300)}, resistor(2, 0, 100));
    EXPECT_DOUBLE_EQ(unequal.level(1), db(0.25));
}

TEST(CircuitSolver, ReactiveBranchesUseOmega) {
    // A series capacitor or inductor whose reactance equals the load: 1/sqrt(2) of the source.
    SmallCircuit rc(2, {kOneVoltAt1}, {capacitor(1, 2, 1e-9)}, resistor(2, 0, 1000));
    EXPECT_NEAR(rc.level(1e6), db(std::sqrt(0.5)), 1e-12);
    SmallCircuit rl(2, {kOneVoltAt1}, {inductor(1, 2, 1e-3)}, resistor(2, 0, 1000));
    EXPECT_NEAR(rl.level(1e6), db(std::sqrt(0.5)), 1e-12);
    // An inductance of 0 or below adds no inductive term.
    SmallCircuit notInductive(2, {kOneVoltAt1}, {Branch{1, 2, 0, 1e-9, -1e-3}},
                              resistor(2, 0, 1000));
    EXPECT_NEAR(notInductive.level(1e6), db(std::sqrt(0.5)), 1e-12);
    // Series resonance of L and C through an inner node: the two equal resistors halve it.
    const double l = 1e-3, c = 1e-9;
    SmallCircuit resonant(4, {kOneVoltAt1},
                          {resistor(1, 2, 50), inductor(2, 3, l), capacitor(3, 4, c)},
                          resistor(4, 0, 50));
    EXPECT_NEAR(resonant.level(1 / std::sqrt(l * c)), db(0.5), 1e-9);
}

// A source from node 3 to node 2 makes node 3 share node 2's row. A branch across that source
// then has both ends on one row and adds nothing, whatever it carries.
TEST(CircuitSolver, SourceNodeSharesItsReferenceRow) {
    const Source floating{3, 2, {0.5, 0}};
    SmallCircuit plain(3, {kOneVoltAt1, floating}, {resistor(1, 2, 1)}, resistor(3, 0, 1));
    // Node 2 at 0.25 V: the 1 V source drives (1 - U2) into U2 + 0.5 through equal resistors.
    EXPECT_DOUBLE_EQ(plain.level(1), db(0.75));
    SmallCircuit shorted(3, {kOneVoltAt1, floating}, {resistor(1, 2, 1)}, resistor(3, 0, 1),
                         {Branch{3, 2, 7, 1e-6, 1e-3}});
    EXPECT_EQ(shorted.level(1e3), plain.level(1e3));
}

TEST(CircuitSolver, NodeReachedOnlyThroughEmptyBranchesIsSingular) {
    // The floating node is the last row: the back substitution finds its zero pivot.
    SmallCircuit lastRow(3, {kOneVoltAt1}, {resistor(1, 2, 1)}, resistor(2, 0, 1),
                         {Branch{2, 3, 0, 0, 0}});
    EXPECT_TRUE(std::isnan(lastRow.level(1)));
    EXPECT_FALSE(lastRow.solver->solveOk);
    // The floating node is the first row: the elimination stops at once.
    SmallCircuit firstRow(3, {{3, 0, {1, 0}}}, {resistor(3, 2, 1)}, resistor(2, 0, 1),
                          {Branch{1, 2, 0, 0, 0}});
    EXPECT_TRUE(std::isnan(firstRow.level(1)));
    // Admittances below the pivot limit of 1e-17 S count as none.
    SmallCircuit tiny(2, {kOneVoltAt1}, {resistor(1, 2, 1e18)}, resistor(2, 0, 1e18));
    EXPECT_TRUE(std::isnan(tiny.level(1)));
}

// The fast elimination skips work on exact zeros only, so it must reproduce the reference bit
// for bit on every designed ladder, across and far beyond the pass band; the batch lanes must
// reproduce the fast solve, and the grid must not depend on how many threads share it.
TEST(CircuitSolver, FastBatchAndGridSolvesReproduceTheReferenceOnEveryLadder) {
    std::vector<double> frequencies;
    for (int step = -200; step <= 200; ++step) {
        frequencies.push_back(8863682.0 + 100.25 * step);
    }
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        for (int response : {1, 4, 8}) {
            for (const char* cs : {"3.3", "0"}) {
                DesignRun run;
                DesignTexts texts = startupTexts();
                texts.cs = cs;
                ASSERT_TRUE(run.synthesize(topology, response, texts));
                CircuitSolver& solver = run.engine->solver;
                // Two-lane vectors on one thread, the AVX2 width (where there is one) on two.
                BatchSolver::useWideLanes(false);
                const std::vector<GridPoint> one = SolveGrid(solver, frequencies, 1);
                BatchSolver::useWideLanes(true);
                const std::vector<GridPoint> two = SolveGrid(solver, frequencies, 2);
                int mismatches = 0;
                for (std::size_t p = 0; p < frequencies.size(); ++p) {
                    const double omega = frequencies[p] * kTwoPi;
                    ASSERT_TRUE(solver.solve(omega));
                    const double fast = solver.computeOutputLevel();
                    ASSERT_TRUE(solver.solveReference(omega));
                    const double reference = solver.computeOutputLevel();
                    mismatches += fast != reference || !one[p].solved || one[p].levelDb != fast ||
                                  !sameBits(one[p], two[p]);
                }
                EXPECT_EQ(mismatches, 0) << run.state().TableKey << ", Cs " << cs;
            }
        }
    }
}

// Lanes of one batch fail or succeed on their own: a node held only by a series LC branch has
// a pivot that passes the 1e-34 limit away from the branch's resonance only.
TEST(CircuitSolver, BatchLanesFailOnTheirOwnPivots) {
    SmallCircuit circuit(3, {kOneVoltAt1}, {resistor(1, 2, 50)}, resistor(2, 0, 50),
                         {Branch{2, 3, 0, 1e-18, 1e18}});
    const std::vector<double> omegas{1, 2, 1000, 5, 20, 1e-3, 0.5, 100, 15};
    std::vector<double> frequencies;
    for (double omega : omegas) {
        frequencies.push_back(omega / kTwoPi);
    }
    const std::vector<GridPoint> points = SolveGrid(*circuit.solver, frequencies, 1);
    int failures = 0;
    for (std::size_t p = 0; p < omegas.size(); ++p) {
        const double omega = frequencies[p] * kTwoPi;
        const double level = circuit.level(omega);
        EXPECT_EQ(points[p].solved, !std::isnan(level)) << omegas[p];
        if (points[p].solved) {
            EXPECT_EQ(points[p].levelDb, level);
            EXPECT_NEAR(points[p].levelDb, db(0.5), 1e-9);
        }
        failures += !points[p].solved;
    }
    EXPECT_EQ(failures, 4);  // omega 1, 2, 0.5 and 5, where |Y| is at most 4.8e-18 S
}

// A node shorted to ground by a vanishing inductance (infinite admittance) and joined to the
// load only by a capacitance that underflows to exactly zero at the lowest frequency: only the
// lanes whose multiplier is exactly zero skip the elimination and keep a finite level; where the
// capacitance does not underflow, the infinite row spreads NaN, as it does one at a time.
TEST(CircuitSolver, BatchLanesSkipExactZerosOnTheirOwn) {
    SmallCircuit circuit(3, {kOneVoltAt1}, {resistor(1, 3, 50)}, resistor(3, 0, 50),
                         {capacitor(2, 3, 1e-320), inductor(2, 0, 1e-320)});
    const std::vector<double> frequencies{1e6, 1e-6, 1e3, 1e-6, 1e-6, 1e6, 1e-6, 1e6};
    for (bool wide : {false, true}) {
        BatchSolver::useWideLanes(wide);
        const std::vector<GridPoint> points = SolveGrid(*circuit.solver, frequencies, 1);
        for (std::size_t p = 0; p < frequencies.size(); ++p) {
            const bool low = frequencies[p] < 1;
            ASSERT_TRUE(circuit.solver->solve(frequencies[p] * kTwoPi));
            ASSERT_TRUE(points[p].solved);
            if (low) {
                EXPECT_EQ(points[p].levelDb, circuit.solver->computeOutputLevel());
                EXPECT_NEAR(points[p].levelDb, db(0.5), 1e-12);
            } else {
                EXPECT_THROW(circuit.solver->computeOutputLevel(), CommandError);
                EXPECT_TRUE(std::isnan(points[p].levelDb));
            }
        }
    }
    BatchSolver::useWideLanes(true);
}

// The load voltage keeps its phase: a series capacitor whose reactance equals the load turns
// it 45 degrees ahead of the source, U = R / (R - jX) = (1 + j) / 2.
TEST(CircuitSolver, GridGivesTheLoadVoltageWithItsPhase) {
    SmallCircuit rc(2, {kOneVoltAt1}, {capacitor(1, 2, 1e-9)}, resistor(2, 0, 1000));
    const std::vector<double> frequency{1e6 / kTwoPi};
    const GridPoint point = SolveGrid(*rc.solver, frequency).front();
    ASSERT_TRUE(point.solved);
    EXPECT_NEAR(point.loadVoltage.re, 0.5, 1e-12);
    EXPECT_NEAR(point.loadVoltage.im, 0.5, 1e-12);
    EXPECT_EQ(point.levelDb, rc.level(frequency[0] * kTwoPi));
}

}  // namespace
}  // namespace trellon
