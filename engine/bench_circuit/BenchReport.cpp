#include "BenchReport.h"

#include <cmath>

#include "NumberText.h"

namespace trellon {

namespace {

constexpr int kCapacitorsPerLine = 4;

std::string signedNumber(double value, int precision, char separator) {
    return (value > 0 ? "+" : "") + FormatGeneral(value, precision, separator);
}

std::string pf(double value, char separator) {
    return FormatGeneral(value, 4, separator);
}

std::string matchName(MatchKind kind) {
    switch (kind) {
        case MatchKind::SeriesLShuntC:
            return "series L, shunt C";
        case MatchKind::SeriesCShuntL:
            return "series C, shunt L";
        case MatchKind::Transformer:
            return "transformer";
        case MatchKind::None:
            break;
    }
    return "none";
}

std::string settingsLine(const BenchSettings& s, char separator) {
    std::string line = "As built: ";
    if (s.eSeries == 0) {
        line += "design values";
    } else {
        line += "E" + std::to_string(s.eSeries);
        if (s.parallelTolerancePercent) {
            line += " (pairs beyond " + FormatGeneral(*s.parallelTolerancePercent, 4, separator) +
                    " %)";
        }
    }
    line +=
        ";  stray " + FormatGeneral(s.strayPf, 4, separator) + " pF;  match " + matchName(s.match);
    if (s.match != MatchKind::None) {
        line += " to " + FormatGeneral(s.systemOhm, 4, separator) + " Ohm";
    }
    return line + ";";
}

std::string capacitorItem(const BenchCapacitor& c, char separator) {
    std::string fitted = pf(c.fittedPf, separator);
    if (c.standard && c.standard->second) {
        fitted = pf(c.standard->first, separator) + "+" + pf(*c.standard->second, separator);
    }
    return c.name + "=" + fitted + " pF (" + pf(c.designPf, separator) +
           (c.keptAtDesign ? ", kept" : "") + ")";
}

std::vector<std::string> capacitorLines(const BenchCircuit& bench, char separator) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bench.capacitors.size(); ++i) {
        if (i % kCapacitorsPerLine == 0 && i != 0) {
            lines.push_back(line + ";");
            line.clear();
        }
        line += (line.empty() ? "" : ";  ") + capacitorItem(bench.capacitors[i], separator);
    }
    lines.push_back(line + ".");
    return lines;
}

std::string networkLine(const BenchCircuit& bench, const CalculatedDesign& design, char separator) {
    const MatchingNetwork& n = bench.network;
    if (n.kind == MatchKind::Transformer) {
        return "Transformer at each end: n=" + FormatGeneral(n.turnsRatio, 4, separator) +
               " (filter side to system side).";
    }
    const bool seriesL = n.kind == MatchKind::SeriesLShuntC;
    const std::string uH = " uH";
    const std::string series =
        seriesL ? "Lin=Lout=" + FormatGeneral(n.seriesValue * 1e6, 4, separator) + uH
                : "Cin=Cout=" + pf(n.seriesValue * 1e12, separator) + " pF";
    const std::string shunt =
        seriesL ? "Cin=Cout=" + pf(n.shuntValue * 1e12, separator) + " pF"
                : "Lin=Lout=" + FormatGeneral(n.shuntValue * 1e6, 4, separator) + uH;
    const double centre = design.band.centreHz();
    return "Series " + series + ";  shunt " + shunt + ";  series on the " +
           (n.seriesOnFilterSide ? "filter" : "system") + " side;  at Fo+" +
           FormatGeneral(centre - design.foHz(), 4, separator) + " Hz.";
}

// "RL=23.41 dB", or "RL>60 dB" at the bound.
std::string returnLoss(const std::string& name, double db, char separator) {
    if (db >= kReturnLossBoundDb) {
        return name + ">" + FormatGeneral(kReturnLossBoundDb, 4, separator) + " dB";
    }
    return name + "=" + FormatGeneral(db, 4, separator) + " dB";
}

// The return loss at the centre, where the networks are designed, and the smallest in the band.
std::string returnLossLine(const PortReturnLoss& port, const CalculatedDesign& design,
                           const BenchCircuit& bench, char separator) {
    const auto fromFo = [&](double hz) {
        return "Fo+" + FormatGeneral(hz - design.foHz(), 4, separator);
    };
    return "Return loss at " + FormatGeneral(bench.systemOhm, 4, separator) +
           " Ohm: " + returnLoss("RL", port.centreDb, separator) + " at the centre " +
           fromFo(port.centreHz) + " Hz;  " + returnLoss("RLmin", port.worstDb, separator) +
           " at " + fromFo(port.worstHz) + " Hz (" + fromFo(port.passLowHz) + ".." +
           fromFo(port.passHighHz) + ");";
}

}  // namespace

BenchResult solveBench(const CalculatedDesign& design, const BenchCircuit& bench,
                       std::span<const double> frequenciesHz, int threads) {
    BenchResult result;
    result.built = solveBuiltFilter(design, bench.circuit, frequenciesHz, threads);
    BuiltFilterResult nominal = solveBuiltFilter(design, design.circuit, frequenciesHz, threads);
    result.ideal = nominal.figures;
    result.idealLevelsDb = std::move(nominal.levelsDb);
    if (const auto pass = passBand(frequenciesHz, result.built.levelsDb)) {
        result.port = portReturnLoss(bench, design.band, pass->first, pass->second);
    }
    return result;
}

BenchReportLines benchReportLines(const CalculatedDesign& design, const BenchSettings& settings,
                                  const BenchCircuit& bench, const BenchResult& result,
                                  char separator) {
    const CurveFigures& built = result.built.figures;
    const CurveFigures& ideal = result.ideal;
    const std::string level = FormatGeneral(design.frLevelDb, 15, separator);
    const std::string dAmin = signedNumber(built.amin - ideal.amin, 3, separator);
    // Whole hertz, as the built filter's block reads its bandwidth.
    const std::string dBand =
        signedNumber(std::round(built.bandwidth) - std::round(ideal.bandwidth), 5, separator);
    const std::string dRipple = signedNumber(built.ripple - ideal.ripple, 3, separator);

    BenchReportLines lines;
    lines.results = {"-- as built --", "dAmin=" + dAmin + " dB;", "d(dF)=" + dBand + " Hz;",
                     "dRipple=" + dRipple + " dB."};
    lines.log = {settingsLine(settings, separator)};
    const std::vector<std::string> capacitors = capacitorLines(bench, separator);
    lines.log.insert(lines.log.end(), capacitors.begin(), capacitors.end());
    if (bench.network.kind != MatchKind::None) {
        lines.log.push_back(networkLine(bench, design, separator));
    }
    const std::vector<std::string> kept = bench.keptAtDesignNames();
    if (!kept.empty()) {
        std::string names;
        for (const std::string& name : kept) {
            names += (names.empty() ? "" : ", ") + name;
        }
        lines.log.push_back("Nothing left to fit after the stray: " + names +
                            " kept at the design value.");
    }
    lines.log.push_back(
        "Amin=" + FormatGeneral(built.amin, 3, separator) + " dB (" + dAmin + ");  dF(" + level +
        " dB)=" + FormatGeneral(std::round(built.bandwidth), 5, separator) + " Hz (" + dBand +
        ");  Ripple=" + FormatGeneral(built.ripple, 3, separator) + " dB (" + dRipple + ");");
    if (result.port) {
        lines.results.push_back(returnLoss("RL", result.port->centreDb, separator) + ";");
        lines.results.push_back(returnLoss("RLmin", result.port->worstDb, separator) + ".");
        lines.log.push_back(returnLossLine(*result.port, design, bench, separator));
    }
    lines.log.push_back(std::string(57, '='));
    return lines;
}

}  // namespace trellon
