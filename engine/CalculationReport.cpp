#include "CalculationReport.h"

#include <array>
#include <string>
#include <vector>

#include "NumberText.h"

namespace trellon {

namespace {

// One schematic capacitor as the log names it and the table slot that holds its value.
struct CapacitorItem {
    const char* label;
    int slot;
    bool startsLine = false;  // the element list goes on to a new log line before this item
};

// What sets the report of one topology apart from the plain 3-crystal one; the code that writes
// the report is shared by all seven.
struct ReportLayout {
    const char* rule = "----------------";  // first results line
    bool printsCcorNote = false;            // the CW variants
    bool peakBeforeAmin = false;            // results line F(Amin) ahead of Amin
    const char* aminEnd = " dB;";           // after the Amin value in the results view
    const char* attenuationEnd = " dB;";    // after the A(Fo) value in the results view
    const char* bandWidthEnd = " Hz;";      // after the dF(level) value in the results view
    std::vector<CapacitorItem> capacitors;
};

constexpr const char* kCwRule = "------------------";

const std::array<ReportLayout, 7> kLayouts{{
    {.capacitors = {{"C1=C4=", 11}, {"C2=C3=", 1}}},
    {.capacitors = {{"C1=C5=", 11}, {"C2=C4=", 1}, {"C3=", 2}}},
    {.peakBeforeAmin = true,
     .capacitors = {{"C1=C9=", 11}, {"C2=C8=", 1}, {"C3=C7=", 2}, {"C4=C6=", 5, true}, {"C5=", 6}}},
    {.aminEnd = "dB;",
     .bandWidthEnd = "Hz;",
     .capacitors = {{"C1=C13=", 11},
                    {"C2=C12=", 1},
                    {"C3=C11=", 2},
                    {"C4=C10=", 15, true},
                    {"C5=C9=", 13},
                    {"C6=C8=", 16},
                    {"C7=", 4}}},
    {.rule = kCwRule,
     .printsCcorNote = true,
     .bandWidthEnd = " Hz.",
     .capacitors = {{"C1=C7=", 11}, {"C2=C6=", 1}, {"C3=C5=", 21}, {"C4=", 20}}},
    {.rule = kCwRule,
     .printsCcorNote = true,
     .capacitors = {{"C1=C11=", 11},
                    {"C2=C10=", 1},
                    {"C3=C9=", 25, true},
                    {"C4=C8=", 23},
                    {"C5=C7=", 24},
                    {"C6=", 3}}},
    {.rule = kCwRule,
     .printsCcorNote = true,
     .aminEnd = "  dB;",
     .attenuationEnd = "  dB;",
     .capacitors = {{"C1=C15=", 18},
                    {"C2=C14=", 2},
                    {"C3=C13=", 3, true},
                    {"C4=C12=", 4},
                    {"C5=C11=", 5},
                    {"C6=C10=", 6, true},
                    {"C7=C9=", 7},
                    {"C8=", 8}}},
}};

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

// Rin first, then the capacitors of the symmetric schematic, broken into lines where the
// layout says; every line but the last ends with ";", the last with ".".
std::vector<std::string> elementLines(const DesignState& state, const ReportLayout& layout,
                                      char separator) {
    std::vector<std::string> lines;
    std::string line = "Rin=Rout=" + FormatGeneral(state.Rin, 4, separator) + " Ohm";
    for (const CapacitorItem& capacitor : layout.capacitors) {
        const std::string item =
            capacitor.label + FormatGeneral(state.Cap[capacitor.slot], 4, separator) + " pF";
        if (capacitor.startsLine) {
            lines.push_back(line + ";");
            line = item;
        } else {
            line += ";  " + item;
        }
    }
    lines.push_back(line + ".");
    return lines;
}

std::vector<std::string> logLines(const DesignState& state, const ReportLayout& layout,
                                  const FormattedFigures& figures, const ReportTexts& texts,
                                  char separator) {
    const std::string note = layout.printsCcorNote ? state.CcorNote + ";  " : "";
    std::vector<std::string> lines{
        " ", "---------------- [" + state.TableKey + texts.passBand + "] ----------------",
        texts.filterType + ";  " + note + "dF=" + texts.passBand + " Hz;  FR Level=" + texts.level +
            " dB;  SWR=" + figures.swr + ";  Kref=" + figures.kref + "%;",
        "Amin=" + figures.amin + " dB;  F(Amin)=Fo+" + figures.peakOffset +
            " Hz;  A(Fo)=" + figures.attenuation + " dB;  dF(" + figures.level +
            " dB)=" + figures.bandWidth + " Hz;"};
    const std::vector<std::string> elements = elementLines(state, layout, separator);
    lines.insert(lines.end(), elements.begin(), elements.end());
    lines.push_back(std::string(57, '='));
    return lines;
}

}  // namespace

void WriteCalculationReport(DesignState& state, TextView& results, TextView& log,
                            const ReportTexts& texts, char decimalSeparator) {
    results.show();
    state.LogUnsaved = true;
    if (state.Topology < 1 || state.Topology > static_cast<int>(kLayouts.size())) {
        return;
    }
    const ReportLayout& layout = kLayouts[state.Topology - 1];
    const FormattedFigures figures = formatFigures(state, decimalSeparator);

    for (const std::string& line : resultsLines(state, layout, figures, texts.passBand)) {
        results.appendLine(line);
    }
    const std::vector<std::string> logText =
        logLines(state, layout, figures, texts, decimalSeparator);
    for (const std::string& line : logText) {
        log.appendLine(line);
    }
    state.LogLastLine += static_cast<int>(logText.size());
}

}  // namespace trellon
