#include "CrystalLadder.h"

#include <algorithm>
#include <cmath>
#include "CrystalFormulas.h"

#include "AnyOrderPhrases.h"
#include "CrystalPositions.h"
#include "NumberText.h"

namespace trellon {

namespace {

// The crystal's reactance and effective inductance at one frequency.
struct CrystalReactance {
    double reactance = 0;            // ohm
    double effectiveInductance = 0;  // H
};

CrystalReactance reactanceAt(const LadderCrystal& crystal, double frequencyHz) {
    const double omega = kTwoPiExact * frequencyHz;
    const CrystalModel model = crystalModel(crystal);
    const double xm = omega * model.motionalInductance - 1 / (omega * model.motionalCapacitance);
    const double xmSlope =
        model.motionalInductance + 1 / (omega * omega * model.motionalCapacitance);
    if (crystal.holderCapacitance == 0) {
        return {xm, xmSlope / 2};
    }
    const double x0 = -1 / (omega * crystal.holderCapacitance);
    const double x0Slope = 1 / (omega * omega * crystal.holderCapacitance);
    const double sum = xm + x0;
    return {xm * x0 / sum, (xmSlope * x0 * x0 + x0Slope * xm * xm) / (2 * sum * sum)};
}

double largestMeshSum(const CoupledPrototype& prototype) {
    double largest = 0;
    for (int i = 0; i < prototype.order(); ++i) {
        largest = std::max(largest, meshSum(prototype, i));
    }
    return largest;
}

// The bandwidth at which a mesh with coupling sum 1 resonates at f with no series capacitor:
// X(f) = 2π·Leff(f)·BW.
double unitSumBandwidth(const LadderCrystal& crystal, double frequencyHz) {
    const CrystalReactance x = reactanceAt(crystal, frequencyHz);
    return x.reactance / (kTwoPiExact * x.effectiveInductance);
}

double parallelFrequency(const LadderCrystal& crystal) {
    const CrystalModel model = crystalModel(crystal);
    return crystal.seriesFrequencyHz *
           std::sqrt(1 + model.motionalCapacitance / crystal.holderCapacitance);
}

// The frequency between Fs and Fp where unitSumBandwidth peaks, by golden section.
double widestFrequency(const LadderCrystal& crystal) {
    double low = crystal.seriesFrequencyHz;
    double high = parallelFrequency(crystal);
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 200 && high - low > 1e-9 * low; ++i) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        if (unitSumBandwidth(crystal, a) < unitSumBandwidth(crystal, b)) {
            low = a;
        } else {
            high = b;
        }
    }
    return 0.5 * (low + high);
}

[[noreturn]] void refuseTooWide(double limitHz) {
    // In whole hertz, rounded down: a bound, and a number without a decimal mark in any language.
    refuseAnyOrder(anyOrderPhrase("any-order-too-wide"),
                   {{std::to_string(static_cast<long long>(std::floor(limitHz)))}});
}

[[noreturn]] void refuseCapacitor(const std::string& name) {
    refuseAnyOrder(anyOrderPhrase("any-order-capacitor"), {{name}});
}

BuiltPart capacitorPart(BuiltPartKind kind, const std::string& name, double reactance,
                        double omega) {
    const double farads = 1 / (omega * reactance);
    if (!(farads > 0) || !std::isfinite(farads)) {
        refuseCapacitor(name);
    }
    BuiltPart part;
    part.kind = kind;
    part.name = name;
    part.value = farads;
    return part;
}

}  // namespace

CrystalModel crystalModel(const LadderCrystal& crystal) {
    const double omega = kTwoPiExact * crystal.seriesFrequencyHz;
    return {crystal.motionalInductance, 1 / (omega * omega * crystal.motionalInductance),
            crystal.motionalResistance, crystal.holderCapacitance};
}

double largestBandwidth(const LadderCrystal& crystal, const CoupledPrototype& prototype) {
    if (crystal.holderCapacitance == 0) {
        return INFINITY;
    }
    return unitSumBandwidth(crystal, widestFrequency(crystal)) / largestMeshSum(prototype);
}

CrystalLadder crystalLadder(const LadderCrystal& crystal, const CoupledPrototype& prototype,
                            double designBandwidthHz) {
    const double sumMax = largestMeshSum(prototype);
    const double limit = largestBandwidth(crystal, prototype);
    if (designBandwidthHz >= limit) {
        refuseTooWide(limit);
    }
    // fd lies where the largest mesh needs no series capacitor: X(fd) = 2π·Leff·BW·Smax, the
    // lower root, below the frequency where the crystal allows the widest band.
    double low = crystal.seriesFrequencyHz;
    double high = crystal.holderCapacitance == 0 ? low : widestFrequency(crystal);
    if (crystal.holderCapacitance == 0) {
        while (unitSumBandwidth(crystal, high) < designBandwidthHz * sumMax) {
            high += designBandwidthHz * sumMax;
        }
    }
    for (int i = 0; i < 200 && high - low > 1e-12 * low; ++i) {
        const double middle = 0.5 * (low + high);
        (unitSumBandwidth(crystal, middle) < designBandwidthHz * sumMax ? low : high) = middle;
    }
    CrystalLadder ladder;
    ladder.designFrequencyHz = 0.5 * (low + high);
    const CrystalReactance x = reactanceAt(crystal, ladder.designFrequencyHz);
    const double omega = kTwoPiExact * ladder.designFrequencyHz;
    const double leff = x.effectiveInductance;
    ladder.effectiveInductance = leff;
    const double unitReactance = kTwoPiExact * leff * designBandwidthHz;  // of a coupling k = 1

    BuiltCircuit& circuit = ladder.circuit;
    const int order = prototype.order();
    circuit.sourceResistance = unitReactance / (crystalsInMesh(prototype, 0) * prototype.q1);
    circuit.loadResistance = unitReactance / (crystalsInMesh(prototype, order - 1) * prototype.qN);
    for (int mesh = 0; mesh < order; ++mesh) {
        const std::string number = std::to_string(mesh + 1);
        // The series capacitor's reactance that brings the mesh to resonance at fd, where the
        // crystal's reactance equals the largest mesh's couplings: none for the largest meshes.
        const double shortfall = sumMax - meshSum(prototype, mesh);
        const bool corrected = shortfall > 1e-9 * sumMax;
        const double crystals = crystalsInMesh(prototype, mesh);
        const double correction = unitReactance * shortfall / crystals;
        BuiltPart series;
        if (corrected) {
            series =
                capacitorPart(BuiltPartKind::SeriesCapacitor, "Cs" + number, correction, omega);
        }
        if (corrected && mesh + 1 < order) {
            circuit.parts.push_back(series);
        }
        BuiltPart quartz;
        quartz.kind = BuiltPartKind::Crystal;
        quartz.name = "ZQ" + number;
        const PartCrystal nominal{crystalModel(crystal), {}};
        const std::vector<PartCrystal> pair(static_cast<std::size_t>(crystals), nominal);
        setPartCrystals(quartz, pair);
        circuit.parts.push_back(quartz);
        if (corrected && mesh + 1 == order) {
            circuit.parts.push_back(series);
        }
        if (mesh + 1 < order) {
            circuit.parts.push_back(
                capacitorPart(BuiltPartKind::ShuntCapacitor, "C" + number,
                              unitReactance * prototype.k[mesh] /
                                  std::sqrt(crystals * crystalsInMesh(prototype, mesh + 1)),
                              omega));
        }
    }
    if (!(circuit.sourceResistance > 0 && circuit.loadResistance > 0 &&
          std::isfinite(circuit.sourceResistance) && std::isfinite(circuit.loadResistance))) {
        refuseTooWide(limit);
    }
    numberLadderNodes(circuit);
    return ladder;
}

}  // namespace trellon
