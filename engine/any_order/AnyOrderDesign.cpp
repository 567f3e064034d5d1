#include "AnyOrderDesign.h"

#include <cmath>
#include "CrystalFormulas.h"

#include "AnyOrderPhrases.h"
#include "Engine.h"
#include "FamilyPrototype.h"
#include "SimulatedBand.h"

namespace trellon {

namespace {

constexpr double kAimedError = 1e-3;    // the correction stops within this of the target
constexpr double kRefusedError = 1e-2;  // and refuses a design it cannot bring within this
constexpr int kCorrections = 12;

void requireInputs(const AnyOrderInputs& inputs) {
    const LadderCrystal& q = inputs.crystal;
    if (!(q.seriesFrequencyHz > 0 && q.motionalInductance > 0 && q.holderCapacitance >= 0 &&
          q.motionalResistance > 0 && std::isfinite(q.seriesFrequencyHz) &&
          std::isfinite(q.motionalInductance) && std::isfinite(q.holderCapacitance) &&
          std::isfinite(q.motionalResistance))) {
        refuseAnyOrder(anyOrderPhrase("any-order-crystal"));
    }
    if (!(inputs.bandwidthHz > 0 && inputs.bandwidthHz < q.seriesFrequencyHz)) {
        refuseAnyOrder(anyOrderPhrase("any-order-bandwidth"));
    }
}

// Designs the ladder for `targetHz` between the points `edgeLossDb` below its least loss,
// starting from the closed form for the bandwidth asked for, keeping in `design` the closest met;
// returns its relative error. The simulated band is nearly proportional to the design's: scale it
// at first, then take secant steps. A lossy ladder's band can jump where a ripple's dip crosses the
// edge's level: a step beyond the widest band the crystal allows ends the correction.
double correctedLadder(const AnyOrderInputs& inputs, const CoupledPrototype& prototype,
                       double edgeLossDb, double targetHz, AnyOrderDesign& design) {
    BuiltFilterSolver solver;
    // The closed form's own bandwidth: the prototype's edges, the ripple's for Chebyshev.
    double bandwidth = inputs.bandwidthHz;
    double bestError = INFINITY;
    double previousBandwidth = 0;
    double previousWidth = 0;
    for (int i = 0; i < kCorrections && std::abs(bestError) > kAimedError; ++i) {
        CrystalLadder ladder = crystalLadder(inputs.crystal, prototype, bandwidth);
        solver.prepare(ladder.circuit);
        const SimulatedBand band =
            simulatedBand(solver, ladder.designFrequencyHz, bandwidth, edgeLossDb);
        if (!(band.widthHz() > 0)) {
            break;
        }
        const double error = band.widthHz() / targetHz - 1;
        if (std::abs(error) < std::abs(bestError)) {
            bestError = error;
            design.circuit = std::move(ladder.circuit);
            design.designFrequencyHz = ladder.designFrequencyHz;
            design.designBandwidthHz = bandwidth;
            design.simulatedLowerHz = band.lowerHz;
            design.simulatedUpperHz = band.upperHz;
            // The source's EMF makes the level the loss against its available power.
            design.simulatedLossDb = -(band.highestLevelDb + kMatchedLoadLossDb);
        }
        const double secant = previousBandwidth > 0 && band.widthHz() != previousWidth
                                  ? bandwidth + (targetHz - band.widthHz()) *
                                                    (bandwidth - previousBandwidth) /
                                                    (band.widthHz() - previousWidth)
                                  : 0;
        previousBandwidth = bandwidth;
        previousWidth = band.widthHz();
        bandwidth = secant > 0 ? secant : bandwidth / (1 + error);
        if (!(bandwidth < design.largestBandwidthHz)) {
            break;
        }
    }
    return bestError;
}

}  // namespace

double motionalResistanceForQ(const LadderCrystal& crystal, double q) {
    return kTwoPiExact * crystal.seriesFrequencyHz * crystal.motionalInductance / q;
}

AnyOrderDesign designAnyOrder(const AnyOrderInputs& inputs) {
    requireInputs(inputs);
    const FamilyPrototype prototype = familyPrototype(inputs.family, inputs.order, inputs.rippleDb);
    AnyOrderDesign design;
    design.inputs = inputs;
    design.edgeLossDb = prototype.edgeLossDb;
    design.doubledEnds = prototype.values.doubledEnds;
    design.largestBandwidthHz = largestBandwidth(inputs.crystal, prototype.values);

    double error =
        correctedLadder(inputs, prototype.values, design.edgeLossDb, inputs.bandwidthHz, design);
    // A Chebyshev ladder's bandwidth is its ripple's, but the crystals' loss rounds the ripple
    // edges away: the points one ripple below the top then lie well inside the band, and the
    // ladder corrected on them comes out too wide. Where its 3 dB points miss those of the
    // lossless ladder by more than 1 %, they are set there instead, and the band is reported
    // between them.
    if (inputs.family == AnyOrderFamily::Chebyshev) {
        const double halfPowerTarget =
            inputs.bandwidthHz * chebyshevHalfPowerEdge(inputs.order, inputs.rippleDb);
        bool kept = std::abs(error) <= kRefusedError;
        if (kept) {
            BuiltFilterSolver solver;
            solver.prepare(design.circuit);
            const SimulatedBand halfPower = simulatedBand(solver, design.designFrequencyHz,
                                                          design.designBandwidthHz, kHalfPowerDb);
            kept = std::abs(halfPower.widthHz() / halfPowerTarget - 1) <= kRefusedError;
        }
        if (!kept) {
            design.edgeLossDb = kHalfPowerDb;
            error =
                correctedLadder(inputs, prototype.values, kHalfPowerDb, halfPowerTarget, design);
        }
    }
    if (!(std::abs(error) <= kRefusedError)) {
        refuseAnyOrder(anyOrderPhrase("any-order-no-convergence"));
    }
    const CrystalModel model = crystalModel(inputs.crystal);
    const double qu = kTwoPiExact * inputs.crystal.seriesFrequencyHz * model.motionalInductance /
                      model.motionalResistance;
    design.unloadedQ0 = qu * inputs.bandwidthHz / design.designFrequencyHz;
    design.minimumQ0 = minimumUnloadedQ(prototype.values);
    design.expectedLossDb =
        10 / std::log(10.0) * sumOfLadderValues(prototype.values) / design.unloadedQ0;
    return design;
}

}  // namespace trellon
