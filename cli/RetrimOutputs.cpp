#include "RetrimOutputs.h"

#include <atomic>
#include <cmath>

#include "BuiltFilter.h"
#include "CommandError.h"
#include "CrystalOutputs.h"
#include "NumberText.h"

namespace trellon::cli {

namespace {

// Every free capacitor must be one the parts list names.
void requireFreeCapacitors(const BenchCircuit& bench, const std::vector<std::string>& names) {
    std::string known;
    for (const BenchCapacitor& c : bench.capacitors) {
        known += (known.empty() ? "" : ", ") + c.name;
    }
    for (const std::string& name : names) {
        bool found = false;
        for (const BenchCapacitor& c : bench.capacitors) {
            found |= c.name == name;
        }
        if (!found) {
            throw CommandError("--retrim-free: the filter has no capacitor " + name +
                               " (its capacitors: " + known + ")");
        }
    }
}

// "47 pF", "47 || 3.9 pF" for a parallel pair as soldered.
std::string solderedText(const BenchCircuit& tuned, const RetrimChange& change, char separator) {
    for (const BenchCapacitor& c : tuned.capacitors) {
        if (c.name == change.name && c.standard && c.standard->second) {
            return FormatGeneral(c.standard->first, 4, separator) + " || " +
                   FormatGeneral(*c.standard->second, 4, separator) + " pF";
        }
    }
    return FormatGeneral(change.toPf, 4, separator) + " pF";
}

// A shift in whole hertz with its sign: "+523 Hz".
std::string shiftText(double hz, char separator) {
    const double whole = std::round(hz);
    return (whole > 0 ? "+" : "") + FormatGeneral(whole == 0 ? 0.0 : whole, 15, separator) + " Hz";
}

std::vector<std::string> retrimLines(const RetrimResult& r, const BenchCircuit& tuned,
                                     char separator) {
    const auto db = [separator](double value) {
        return FormatGeneral(value, 4, separator) + " dB";
    };
    std::vector<std::string> lines{"Retrim: shape measure " + db(r.measureBefore) + " before, " +
                                   db(r.measureAfter) + " after"};
    lines.push_back("Common shift: " + shiftText(r.shiftBeforeHz, separator) + " before, " +
                    shiftText(r.shiftAfterHz, separator) + " after");
    if (r.plainRoundingMeasure) {
        lines.push_back("Plain rounding: " + db(*r.plainRoundingMeasure));
    }
    for (const RetrimChange& c : r.capacitors) {
        lines.push_back(c.name + ": " + FormatGeneral(c.fromPf, 4, separator) + " pF -> " +
                        solderedText(tuned, c, separator));
    }
    for (const RetrimTrimmer& t : r.trimmers) {
        lines.push_back(t.crystal + ": " +
                        (t.pf ? FormatGeneral(*t.pf, 4, separator) + " pF" : "short"));
    }
    return lines;
}

nlohmann::ordered_json retrimJson(const RetrimResult& r, bool trimmers) {
    nlohmann::ordered_json json;
    json["before"] = r.measureBefore;
    json["after"] = r.measureAfter;
    json["shiftBefore"] = r.shiftBeforeHz;
    json["shiftAfter"] = r.shiftAfterHz;
    if (r.plainRoundingMeasure) {
        json["plainRounding"] = *r.plainRoundingMeasure;
    }
    json["capacitors"] = nlohmann::ordered_json::object();
    for (const RetrimChange& c : r.capacitors) {
        json["capacitors"][c.name] = {{"from", c.fromPf}, {"to", c.toPf}};
    }
    if (trimmers) {
        json["trimmers"] = nlohmann::ordered_json::object();
        for (const RetrimTrimmer& t : r.trimmers) {
            json["trimmers"][t.crystal] =
                t.pf ? nlohmann::ordered_json(*t.pf) : nlohmann::ordered_json("short");
        }
    }
    return json;
}

}  // namespace

RetrimOutputs makeRetrimOutputs(const CalculatedDesign& design, const BenchCircuit& start,
                                const BenchSettings& settings, const CliOptions& options) {
    const RetrimOptions& retrimOptions = options.retrimOptions;
    const int threads = options.crystalOptions.threads;
    requireFreeCapacitors(start, retrimOptions.freeCapacitors);
    std::atomic<bool> cancel{false};
    RetrimOutputs outputs;
    outputs.result = *retrim(design, start, settings, CircuitTuning{},
                             retrimOptions.settings(threads), nullptr, cancel);
    outputs.tuned = tunedBenchCircuit(start, outputs.result.tuning, settings);
    outputs.lines = retrimLines(outputs.result, outputs.tuned, options.decimalSeparator);
    outputs.json = retrimJson(outputs.result, retrimOptions.trimmerMinPf.has_value());
    if (options.crystalOptions.builtPointsFile) {
        const BuiltFilterResult built = solveBuiltFilter(
            design, outputs.tuned.circuit, builtCurveFrequencies(design.band), threads);
        outputs.builtPoints =
            builtPointsCsv(design, outputs.tuned.circuit, built.figures, options.absolute, threads);
    }
    return outputs;
}

}  // namespace trellon::cli
