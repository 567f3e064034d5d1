#include "BuiltFilterReport.h"

#include <cmath>

#include "CrystalPositions.h"
#include "NumberText.h"

namespace trellon {

namespace {

// Offsets from Fo read as the usual report's "Fo+" figures do.
std::string fromFo(double frequencyHz, const CalculatedDesign& design, char separator) {
    return "Fo+" + FormatGeneral(frequencyHz - design.foHz(), 4, separator);
}

}  // namespace

BuiltFilterReportLines builtFilterReportLines(const CalculatedDesign& design,
                                              const BuiltFilterResult& built,
                                              std::span<const std::string> crystalNames,
                                              char separator) {
    const CurveFigures& f = built.figures;
    const std::string amin = FormatGeneral(f.amin, 3, separator);
    const std::string peak = fromFo(f.fAmin, design, separator);
    const std::string attenuation = FormatGeneral(built.attenuationAtFo, 4, separator);
    // Whole hertz, as the usual report's bandwidth of 1 Hz steps reads.
    const std::string band = "dF(" + FormatGeneral(design.frLevelDb, 15, separator) +
                             " dB)=" + FormatGeneral(std::round(f.bandwidth), 5, separator) + " Hz";
    const std::string ripple = FormatGeneral(f.ripple, 3, separator);

    BuiltFilterReportLines lines;
    lines.results = {"-- built --",
                     "Amin=" + amin + " dB;",
                     "F(Amin)=" + peak + " Hz;",
                     "A(Fo)=" + attenuation + " dB;",
                     band + ";",
                     "Ripple=" + ripple + " dB."};
    lines.log = {"Built: Amin=" + amin + " dB;  F(Amin)=" + peak + " Hz;  A(Fo)=" + attenuation +
                 " dB;  " + band + " (" + fromFo(f.bandLow, design, separator) + ".." +
                 fromFo(f.bandHigh, design, separator) + ");  Ripple=" + ripple + " dB;"};
    if (!crystalNames.empty()) {
        const std::vector<std::string> positions = crystalPositionNames(design.circuit);
        std::string placement;
        for (std::size_t i = 0; i < crystalNames.size() && i < positions.size(); ++i) {
            placement += (i == 0 ? "" : ";  ") + positions[i] + "=" + crystalNames[i];
        }
        lines.log.push_back(placement + ".");
    }
    lines.log.push_back(std::string(57, '='));
    return lines;
}

}  // namespace trellon
