#include "SpiceExport.h"

#include <cmath>
#include <string>

#include "NumberText.h"

namespace trellon {

namespace {

std::string node(int n) {
    return n == 0 ? "0" : "n" + std::to_string(n);
}
std::string value(double v) {
    return FormatExact(v);
}

}  // namespace

const char* spiceDeckTitle(SpiceDeckCircuit circuit) {
    switch (circuit) {
        case SpiceDeckCircuit::CalculationModel:
            return "* Trellon crystal ladder filter: circuit model (series end capacitors to "
                   "Rsource)";
        case SpiceDeckCircuit::AsBuilt:
            return "* Trellon crystal ladder filter: circuit as built (Rin, shunt end capacitors)";
    }
    return "* Trellon crystal ladder filter";
}

void writeSpiceDeck(const Netlist& netlist, SpiceDeckCircuit circuit, const SpiceSweep& sweep,
                    std::ostream& out) {
    writeSpiceDeck(netlist, circuit, std::vector<SpiceSweep>{sweep}, out);
}

void writeSpiceDeck(const Netlist& netlist, SpiceDeckCircuit circuit,
                    const std::vector<SpiceSweep>& sweeps, std::ostream& out) {
    out << spiceDeckTitle(circuit) << '\n';
    for (int s = 1; s <= netlist.sourceCount; ++s) {
        const Source& source = netlist.sources[s];
        out << "V" << s << ' ' << node(source.sourceNode) << ' ' << node(source.referenceNode)
            << " DC 0 AC " << value(std::hypot(source.sourceVoltage.re, source.sourceVoltage.im))
            << ' '
            << value(std::atan2(source.sourceVoltage.im, source.sourceVoltage.re) * 180 /
                     3.14159265358979323846)
            << '\n';
    }
    for (int b = 1; b <= netlist.branchCount; ++b) {
        const Branch& branch = netlist.branches[b];
        const std::string ends = node(branch.fromNode) + ' ' + node(branch.toNode) + ' ';
        if (branch.conductance != 0) {
            out << "R" << b << ' ' << ends << value(1 / branch.conductance) << '\n';
        }
        if (branch.capacitance != 0) {
            out << "C" << b << ' ' << ends << value(branch.capacitance) << '\n';
        }
        if (branch.inductance > 0) {
            out << "L" << b << ' ' << ends << value(branch.inductance) << '\n';
        }
    }
    const Branch& load = netlist.branches[netlist.outputBranch];
    const std::string output =
        "vdb(" + node(load.fromNode) + (load.toNode == 0 ? "" : "," + node(load.toNode)) + ")";
    // The AC analyses run from a control block: only there does ngspice print a table with
    // more than six digits. Run with -b, it then leaves with success instead of complaining
    // that the deck itself asks for no printout.
    out << "* A linear circuit: the AC analyses need no operating point.\n";
    out << ".options noopac\n";
    out << ".control\n";
    out << "* The load voltage in dB to 15 significant digits, one table per sweep.\n";
    out << "set numdgt=15\n";
    for (const SpiceSweep& sweep : sweeps) {
        out << "ac lin " << sweep.points << ' ' << value(sweep.startHz) << ' '
            << value(sweep.stopHz) << '\n';
        out << "print " << output << '\n';
    }
    out << "if $?batchmode\n";
    out << "  quit 0\n";
    out << "end\n";
    out << ".endc\n";
    out << ".end\n";
}

}  // namespace trellon
