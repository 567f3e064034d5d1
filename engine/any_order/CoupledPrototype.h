#pragma once

#include <complex>
#include <span>
#include <vector>

namespace trellon {

// A low-pass prototype in the coupling form of a resonator filter: the end q and the couplings
// between neighbouring resonators. Normalised to band edges at ±1 rad/s.
struct CoupledPrototype {
    double q1 = 0;          // the source end's
    double qN = 0;          // the load end's
    std::vector<double> k;  // k12, k23, ..., one fewer than the resonators
    // Whether each end resonator is two crystals in parallel, of half the inductance; the k are
    // normalised to each resonator's own inductance.
    bool doubledEnds = false;

    int order() const { return static_cast<int>(k.size()) + 1; }
};

// From the ladder values g1..g(N+1) of a prototype with g0 = 1: q1 = g1, qN = gN·g(N+1),
// k(i,i+1) = 1/sqrt(gi·g(i+1)).
CoupledPrototype coupledFromLadder(std::span<const double> g);

// The ladder values g1..g(N+1) back from the coupling form.
std::vector<double> ladderFromCoupled(const CoupledPrototype& prototype);

// The prototype with its band edge moved from 1 to `edge` rad/s, given in the present scale:
// the q grow and the k shrink by that factor.
CoupledPrototype scaledToEdge(const CoupledPrototype& prototype, double edge);

// The transducer loss (dB) of the doubly terminated low-pass ladder at `omega` rad/s.
double prototypeLossDb(const CoupledPrototype& prototype, double omega);

// The poles of the ladder's transfer function.
std::vector<std::complex<double>> prototypePoles(const CoupledPrototype& prototype);

// The least q0 = Qu·BW/F0 with which the prototype can still be built: 1/min|Re p|.
double minimumUnloadedQ(const CoupledPrototype& prototype);

// The crystals in parallel that resonator `mesh` (from 0) is built of: 1, or 2 at a doubled end.
int crystalsInMesh(const CoupledPrototype& prototype, int mesh);

// The sum of the couplings of resonator `mesh` with its neighbours, in units of one crystal's
// inductance: k(i,j)·sqrt(pi/pj) summed over both neighbours j, with p the crystals in each.
double meshSum(const CoupledPrototype& prototype, int mesh);

// The sum g1 + ... + gN, which sets the loss that the resonators' own losses add.
double sumOfLadderValues(const CoupledPrototype& prototype);

// The outermost frequency (rad/s) where the loss first reaches `lossDb` coming down from far
// outside the band.
double outermostEdge(const CoupledPrototype& prototype, double lossDb);

}  // namespace trellon
