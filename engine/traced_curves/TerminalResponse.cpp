#include "TerminalResponse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

#include "GridSolve.h"

namespace trellon {

namespace {

// The circuit driven by its 1 V source at each frequency: the voltage across the source
// resistance (its input current times Rin) and, when asked for, across the load.
struct DrivenCircuit {
    std::vector<GridPoint> sourceDrop;
    std::vector<GridPoint> load;
};

enum class LoadVoltage { Solved, NotNeeded };

DrivenCircuit drive(const BuiltCircuit& circuit, std::span<const double> frequenciesHz,
                    LoadVoltage load) {
    auto netlist = std::make_unique<Netlist>();
    buildNetlist(circuit, *netlist);
    DrivenCircuit driven;
    if (load == LoadVoltage::Solved) {
        driven.load = SolveNetlistGrid(*netlist, frequenciesHz);
    }
    // The same circuit read across the source resistance instead of the load.
    const Source& source = netlist->sources[1];
    const auto first = netlist->branches.begin() + 1;
    const auto last = first + netlist->branchCount;
    const auto resistor = std::find_if(first, last, [&](const Branch& b) {
        return b.fromNode == source.sourceNode && b.conductance != 0;
    });
    if (resistor == last) {
        throw std::logic_error("the built netlist has no source resistance");
    }
    netlist->outputBranch = static_cast<std::int32_t>(resistor - netlist->branches.begin());
    driven.sourceDrop = SolveNetlistGrid(*netlist, frequenciesHz);
    // Referred to a 1 V source, as the terminal quantities below read them.
    if (const double emf = source.sourceVoltage.re; emf != 1) {
        for (std::vector<GridPoint>* points : {&driven.load, &driven.sourceDrop}) {
            for (GridPoint& point : *points) {
                point.loadVoltage = point.loadVoltage / Complex{emf, 0};
            }
        }
    }
    return driven;
}

// With the 1 V source behind R and a drop u across R, the terminal sees (1 - u) volts and u / R
// amperes, and the reflection against R is (Z - R) / (Z + R) = 1 - 2u.
Complex reflection(Complex sourceDrop) {
    return Complex{1 - 2 * sourceDrop.re, -2 * sourceDrop.im};
}

BuiltCircuit reversed(const BuiltCircuit& circuit) {
    BuiltCircuit other = circuit;
    std::reverse(other.parts.begin(), other.parts.end());
    std::swap(other.sourceResistance, other.loadResistance);
    numberLadderNodes(other);
    return other;
}

}  // namespace

std::vector<TerminalPoint> inputTerminal(const BuiltCircuit& circuit,
                                         std::span<const double> frequenciesHz) {
    const DrivenCircuit driven = drive(circuit, frequenciesHz, LoadVoltage::NotNeeded);
    const double r = circuit.sourceResistance;
    std::vector<TerminalPoint> points(frequenciesHz.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const GridPoint& drop = driven.sourceDrop[i];
        TerminalPoint& point = points[i];
        point.solved = drop.solved;
        if (!point.solved) {
            continue;
        }
        const Complex u = drop.loadVoltage;
        point.inputImpedance = Complex{r * (1 - u.re), -r * u.im} / u;
        const double gamma = std::sqrt(squaredMagnitude(reflection(u)));
        point.returnLossDb =
            gamma == 0 ? std::numeric_limits<double>::infinity() : -20 * std::log10(gamma);
    }
    return points;
}

SParameters sParameters(const BuiltCircuit& circuit, std::span<const double> frequenciesHz) {
    BuiltCircuit referred = circuit;
    referred.loadResistance = circuit.sourceResistance;
    const DrivenCircuit forward = drive(referred, frequenciesHz, LoadVoltage::Solved);
    const DrivenCircuit backward = drive(reversed(referred), frequenciesHz, LoadVoltage::Solved);

    SParameters s;
    s.referenceOhm = circuit.sourceResistance;
    s.frequencyHz.assign(frequenciesHz.begin(), frequenciesHz.end());
    const std::size_t n = frequenciesHz.size();
    s.s11.resize(n);
    s.s21.resize(n);
    s.s12.resize(n);
    s.s22.resize(n);
    // The incident wave of a 1 V source behind the reference is half a volt: S21 = 2 V(load).
    for (std::size_t i = 0; i < n; ++i) {
        if (forward.load[i].solved && forward.sourceDrop[i].solved) {
            s.s11[i] = reflection(forward.sourceDrop[i].loadVoltage);
            s.s21[i] = Complex{2, 0} * forward.load[i].loadVoltage;
        }
        if (backward.load[i].solved && backward.sourceDrop[i].solved) {
            s.s22[i] = reflection(backward.sourceDrop[i].loadVoltage);
            s.s12[i] = Complex{2, 0} * backward.load[i].loadVoltage;
        }
    }
    return s;
}

}  // namespace trellon
