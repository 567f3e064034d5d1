#include "BenchOptions.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "BuiltFilter.h"
#include "NumberText.h"
#include "OptionValues.h"

namespace trellon::cli {

namespace {

int eSeriesOf(const std::string& value) {
    if (value == "none") {
        return 0;
    }
    for (int series : {6, 12, 24, 48, 96}) {
        if (value == std::to_string(series)) {
            return series;
        }
    }
    throw UsageError("--e-series takes 6, 12, 24, 48, 96 or none, not '" + value + "'");
}

MatchKind matchOf(const std::string& value) {
    if (value == "lc") {
        return MatchKind::SeriesLShuntC;
    }
    if (value == "cl") {
        return MatchKind::SeriesCShuntL;
    }
    if (value == "transformer") {
        return MatchKind::Transformer;
    }
    throw UsageError("--match takes lc, cl or transformer, not '" + value + "'");
}

nlohmann::ordered_json networkJson(const MatchingNetwork& n) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    switch (n.kind) {
        case MatchKind::SeriesLShuntC:
            json["lSeries_uH"] = n.seriesValue * 1e6;
            json["cShunt_pF"] = n.shuntValue * 1e12;
            break;
        case MatchKind::SeriesCShuntL:
            json["cSeries_pF"] = n.seriesValue * 1e12;
            json["lShunt_uH"] = n.shuntValue * 1e6;
            break;
        case MatchKind::Transformer:
            json["turnsRatio"] = n.turnsRatio;
            break;
        case MatchKind::None:
            break;
    }
    return json;
}

}  // namespace

BenchSettings BenchOptions::settings() const {
    BenchSettings s;
    s.eSeries = eSeries;
    s.parallelTolerancePercent = parallelTolerancePercent;
    s.strayPf = eSeries != 0 ? strayPf : 0;
    s.match = match.value_or(MatchKind::None);
    s.systemOhm = systemOhm;
    return s;
}

bool takeBenchOption(BenchOptions& options, const std::string& name, const std::string& value) {
    using namespace settings;
    if (name == kESeries.option) {
        options.eSeries = eSeriesOf(value);
    } else if (name == kParallelTolerance.option) {
        options.parallelTolerancePercent = settingNumber(kParallelTolerance, value);
    } else if (name == kBenchStray.option) {
        options.strayPf = settingNumber(kBenchStray, value);
    } else if (name == kSystemOhm.option) {
        options.systemOhm = settingNumber(kSystemOhm, value);
    } else if (name == kMatch.option) {
        options.match = matchOf(value);
    } else {
        return false;
    }
    return true;
}

std::string benchUsageText() {
    // The stray is listed with the Monte-Carlo's, whose option it shares.
    std::string text;
    for (const SettingDeclaration* declaration : settings::kBenchTable) {
        if (declaration != &settings::kBenchStray) {
            text += settingUsage(*declaration);
        }
    }
    return text;
}

BenchOutputs makeBenchOutputs(const CalculatedDesign& design, const BenchOptions& options,
                              const BuiltCircuit& asBuilt, char decimalSeparator) {
    const BenchSettings settings = options.settings();
    BenchOutputs outputs;
    outputs.bench = makeBenchCircuit(design.band, asBuilt, settings);
    outputs.result = solveBench(design, outputs.bench, builtCurveFrequencies(design.band));
    outputs.lines =
        benchReportLines(design, settings, outputs.bench, outputs.result, decimalSeparator);
    return outputs;
}

nlohmann::ordered_json benchJson(const BenchOutputs& outputs) {
    nlohmann::ordered_json capacitors = nlohmann::ordered_json::object();
    for (const BenchCapacitor& c : outputs.bench.capacitors) {
        nlohmann::ordered_json item;
        item["design"] = c.designPf;
        if (c.standard && c.standard->second) {
            item["standard"] = {c.standard->first, *c.standard->second};
        } else {
            item["standard"] = c.fittedPf;
        }
        for (const MergedCapacitor& m : c.merged) {
            item["merges"][m.name] = m.designPf;
        }
        capacitors[c.name] = item;
    }
    nlohmann::ordered_json json;
    json["capacitors"] = capacitors;
    if (outputs.bench.network.kind != MatchKind::None) {
        json["input"] = networkJson(outputs.bench.network);
        json["output"] = networkJson(outputs.bench.network);
    }
    return json;
}

nlohmann::ordered_json builtFiguresJson(const BenchResult& result) {
    const BuiltFilterResult& built = result.built;
    nlohmann::ordered_json json;
    json["levelAtFo"] = built.levelAtFo;
    json["amin"] = built.figures.amin;
    json["fAmin"] = built.figures.fAmin;
    json["bandLow"] = built.figures.bandLow;
    json["bandHigh"] = built.figures.bandHigh;
    json["bandwidth"] = built.figures.bandwidth;
    json["ripple"] = built.figures.ripple;
    if (result.port) {
        json["returnLossDb"] = result.port->centreDb;
        json["worstReturnLossDb"] = result.port->worstDb;
    }
    return json;
}

}  // namespace trellon::cli
