#include "AnyOrderReport.h"

#include <cmath>

#include "FamilyPrototype.h"
#include "NumberText.h"

namespace trellon {

namespace {

std::string number(double value, int digits, char separator) {
    return FormatGeneral(value, digits, separator);
}

}  // namespace

std::vector<std::string> anyOrderPartLines(const AnyOrderDesign& design, char separator) {
    std::vector<std::string> lines{"Rin=" + number(design.circuit.sourceResistance, 4, separator),
                                   "Rout=" + number(design.circuit.loadResistance, 4, separator)};
    for (const BuiltPart& part : design.circuit.parts) {
        if (part.kind == BuiltPartKind::SeriesCapacitor ||
            part.kind == BuiltPartKind::ShuntCapacitor) {
            lines.push_back(part.name + "=" + number(part.value * 1e12, 4, separator));
        }
    }
    return lines;
}

std::vector<std::string> anyOrderReportLines(const AnyOrderDesign& design,
                                             const CalculatedDesign& calculated, char separator) {
    const double fo = calculated.foHz();
    const auto fromFo = [&](double hz) {
        const double offset = std::round(hz - fo);
        return std::string(offset < 0 ? "Fo" : "Fo+") + number(offset, 7, separator);
    };
    const bool ripple = design.edgeLossDb != kHalfPowerDb;
    return {"[" + calculated.name + number(calculated.passBandHz, 15, separator) + "]",
            "Fo=" + number(calculated.foKhz, 15, separator) +
                " kHz;  fd=" + fromFo(design.designFrequencyHz) + " Hz;",
            "Band " + number(std::round(design.simulatedBandwidthHz()), 6, separator) +
                " Hz between its " +
                (ripple ? number(design.edgeLossDb, 3, separator) + " dB ripple edges"
                        : std::string("3 dB points")) +
                " (" + fromFo(design.simulatedLowerHz) + ".." + fromFo(design.simulatedUpperHz) +
                ");  widest the crystal allows " +
                number(std::round(design.largestBandwidthHz), 6, separator) + " Hz;",
            "q0=" + number(design.unloadedQ0, 4, separator) + " (the family's least " +
                number(design.minimumQ0, 3, separator) + ");  loss expected " +
                number(design.expectedLossDb, 3, separator) + " dB, simulated " +
                number(design.simulatedLossDb, 3, separator) + " dB;",
            "Amin=" + number(calculated.amin, 4, separator) +
                " dB;  F(Amin)=" + fromFo(calculated.fAmin) +
                " Hz;  A(Fo)=" + number(calculated.attenuationAtFo, 4, separator) + " dB;  dF(" +
                number(calculated.frLevelDb, 15, separator) +
                " dB)=" + number(std::round(calculated.bandwidthAtLevel), 6, separator) + " Hz."};
}

std::string anyOrderLossWarning(const AnyOrderDesign& design, char separator) {
    if (!design.tooLossy()) {
        return {};
    }
    return "The crystals are too lossy for this response and order: q0 = Qu*BW/F0 = " +
           number(design.unloadedQ0, 4, separator) + ", below the least " +
           number(design.minimumQ0, 3, separator) +
           " it needs; the filter will not have the response asked for.";
}

}  // namespace trellon
