#include "CalculationReport.h"

#include <algorithm>
#include <string>
#include <vector>

#include "NumberText.h"
#include "TopologyDescription.h"

namespace trellon {

namespace {

// The figures of merit, formatted once and shared by the results view and the log.
struct FormattedFigures {
    std::string amin;
    std::string peakOffset;
    std::string attenuation;
    std::string level;
    std::string bandWidth;
    std::string swr;
    std::string kref;
};

FormattedFigures formatFigures(const DesignState& state, char separator) {
    return {FormatGeneral(state.Amin, 3, separator),
            FormatGeneral(state.FAmin - state.Fo * 1000, 4, separator),
            FormatGeneral(state.AttenuationAtFo, 4, separator),
            FormatGeneral(state.FrLevel, 15, separator),
            FormatGeneral(state.BandWidthAtLevel, 5, separator),
            FormatGeneral(state.SWR, 3, separator),
            FormatGeneral(state.Kref, 3, separator)};
}

std::vector<std::string> resultsLines(const DesignState& state, const ReportLayout& layout,
                                      const FormattedFigures& figures,
                                      const std::string& passBand) {
    std::vector<std::string> lines{layout.rule, "[" + state.TableKey + passBand + "]"};
    if (layout.printsCcorNote) {
        lines.push_back(state.CcorNote);
    }
    const std::string amin = "Amin=" + figures.amin + layout.aminEnd;
    const std::string peak = "F(Amin)=Fo+" + figures.peakOffset + " Hz;";
    if (layout.peakBeforeAmin) {
        lines.insert(lines.end(), {peak, amin});
    } else {
        lines.insert(lines.end(), {amin, peak});
    }
    lines.push_back("A(Fo)=" + figures.attenuation + layout.attenuationEnd);
    lines.push_back("dF(" + figures.level + " dB)=" + figures.bandWidth + layout.bandWidthEnd);
    lines.push_back("SWR=" + figures.swr + "; Kref=" + figures.kref + "%.");
    return lines;
}

// The label of the symmetric pair Ck and C(n+1-k), "C2=C8=", or "C5=" for the middle one.
std::string pairLabel(int k, int count) {
    const int mirror = count + 1 - k;
    return "C" + std::to_string(k) + "=" + (mirror == k ? "" : "C" + std::to_string(mirror) + "=");
}

// Rin first, then the capacitors of the symmetric schematic, broken into lines where the
// layout says; every line but the last ends with ";", the last with ".".
std::vector<std::string> elementLines(const DesignState& state,
                                      const TopologyDescription& description, char separator) {
    const ReportLayout& layout = description.report;
    const int count = description.capacitorCount();
    std::vector<std::string> lines;
    std::string line = "Rin=Rout=" + FormatGeneral(state.Rin, 4, separator) + " Ohm";
    for (int k = 1; 2 * k <= count + 1; ++k) {
        const int slot = description.capacitors[k - 1].capSlot;
        const std::string item =
            pairLabel(k, count) + FormatGeneral(state.Cap[slot], 4, separator) + " pF";
        if (std::ranges::find(layout.lineBreaksBefore, k) != layout.lineBreaksBefore.end()) {
            lines.push_back(line + ";");
            line = item;
        } else {
            line += ";  " + item;
        }
    }
    lines.push_back(line + ".");
    return lines;
}

std::vector<std::string> logLines(const DesignState& state, const TopologyDescription& description,
                                  const FormattedFigures& figures, const ReportTexts& texts,
                                  char separator) {
    const ReportLayout& layout = description.report;
    const std::string note = layout.printsCcorNote ? state.CcorNote + ";  " : "";
    std::vector<std::string> lines{
        " ", "---------------- [" + state.TableKey + texts.passBand + "] ----------------",
        texts.filterType + ";  " + note + "dF=" + texts.passBand + " Hz;  FR Level=" + texts.level +
            " dB;  SWR=" + figures.swr + ";  Kref=" + figures.kref + "%;",
        "Amin=" + figures.amin + " dB;  F(Amin)=Fo+" + figures.peakOffset +
            " Hz;  A(Fo)=" + figures.attenuation + " dB;  dF(" + figures.level +
            " dB)=" + figures.bandWidth + " Hz;"};
    const std::vector<std::string> elements = elementLines(state, description, separator);
    lines.insert(lines.end(), elements.begin(), elements.end());
    lines.push_back(std::string(57, '='));
    return lines;
}

}  // namespace

void WriteCalculationReport(DesignState& state, TextView& results, TextView& log,
                            const ReportTexts& texts, char decimalSeparator) {
    results.show();
    state.LogUnsaved = true;
    if (!isValidTopology(state.Topology)) {
        return;
    }
    const TopologyDescription& description = topologyDescription(state.Topology);
    const ReportLayout& layout = description.report;
    const FormattedFigures figures = formatFigures(state, decimalSeparator);

    for (const std::string& line : resultsLines(state, layout, figures, texts.passBand)) {
        results.appendLine(line);
    }
    const std::vector<std::string> logText =
        logLines(state, description, figures, texts, decimalSeparator);
    for (const std::string& line : logText) {
        log.appendLine(line);
    }
    state.LogLastLine += static_cast<int>(logText.size());
}

}  // namespace trellon
