#include "CliOptions.h"

#include <functional>
#include <map>
#include <set>

#include "OptionValues.h"
#include "ResponseDescription.h"
#include "TopologyDescription.h"

namespace trellon::cli {

namespace {

// "3, 4, 6, 8 crystals, 4, 6, 8 crystals CW": the crystal counts of the plain topologies, then
// of the CW ones, in the order of their numbers.
std::string topologyList() {
    std::string plain;
    std::string cw;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        const TopologyDescription& description = topologyDescription(topology);
        std::string& list = description.cw ? cw : plain;
        list += (list.empty() ? "" : ", ") + std::to_string(description.crystals);
    }
    return plain + " crystals, " + cw + " crystals CW";
}

// The build sheet is written as its file's extension says.
std::string buildSheetFile(const std::string& path) {
    const auto endsWith = [&](const char* lower, const char* upper) {
        return path.size() > 4 && (path.ends_with(lower) || path.ends_with(upper));
    };
    if (!endsWith(".csv", ".CSV") && !endsWith(".pdf", ".PDF")) {
        throw UsageError("--build-sheet writes a .csv or a .pdf file, not '" + path + "'");
    }
    return path;
}

}  // namespace

std::string usageText() {
    return "Usage: trellon-cli [options]\n"
           "Designs a ladder filter of identical crystals and traces its response.\n"
           "  --topology N            1.." +
           std::to_string(kTopologyCount) + ": " + topologyList() +
           " (1)\n"
           "  --response N            1 Butterworth, 2.." +
           std::to_string(kResponseCount) +
           " Chebyshev 0.044..1.5 dB (1)\n"
           "  --fo TEXT               crystal series resonance, kHz (8863.682)\n"
           "  --ld TEXT               motional inductance, mH (17.15)\n"
           "  --cs TEXT               shunt capacitance, pF (3.3)\n"
           "  --rd TEXT               equivalent series resistance, ohm (5.7)\n"
           "  --ccor TEXT             CW frequency shift capacitance, pF (82)\n"
           "  --df TEXT               pass band, Hz (3100)\n"
           "  --level TEXT            response level, dB, negative (-10); write --level=-10\n"
           "  --decimal-separator C   '.' or ',' (the system's)\n"
           "  --absolute              absolute level mode instead of relative to Amin\n"
           "  --spice FILE            write the circuit as a SPICE deck\n"
           "  --points FILE           write the traced curve as CSV\n" +
           anyOrderUsageText() + responseUsageText() + crystalUsageText() + benchUsageText() +
           retrimUsageText() + fitUsageText() +
           "  --json                  print one JSON object instead of text\n"
           "  --help                  print this text\n";
}

CliOptions parseCliOptions(const std::vector<std::string>& arguments, char defaultSeparator) {
    CliOptions o;
    o.decimalSeparator = defaultSeparator;
    using Setter = std::function<void(const std::string&)>;
    std::map<std::string, Setter> valued{
        {"topology",
         [&](const std::string& v) { o.topology = wholeNumber("topology", v, 1, kTopologyCount); }},
        {"response",
         [&](const std::string& v) { o.response = wholeNumber("response", v, 1, kResponseCount); }},
        {"fo", [&](const std::string& v) { o.fo = v; }},
        {"ld", [&](const std::string& v) { o.ld = v; }},
        {"cs", [&](const std::string& v) { o.cs = v; }},
        {"rd", [&](const std::string& v) { o.rd = v; }},
        {"ccor", [&](const std::string& v) { o.ccor = v; }},
        {"df", [&](const std::string& v) { o.dF = v; }},
        {"level", [&](const std::string& v) { o.level = v; }},
        {"decimal-separator",
         [&](const std::string& v) {
             if (v != "." && v != ",") {
                 throw UsageError("--decimal-separator takes '.' or ','");
             }
             o.decimalSeparator = v[0];
         }},
        {"spice", [&](const std::string& v) { o.spiceFile = v; }},
        {"points", [&](const std::string& v) { o.pointsFile = v; }},
        {"build-sheet", [&](const std::string& v) { o.buildSheetFile = buildSheetFile(v); }},
    };
    for (const char* name : kResponseOptionNames) {
        valued.emplace(name, [&o, name](const std::string& v) {
            takeResponseOption(o.responseOptions, name, v);
        });
    }
    for (const char* name : kCrystalOptionNames) {
        valued.emplace(name, [&o, name](const std::string& v) {
            takeCrystalOption(o.crystalOptions, name, v);
        });
    }
    // --stray is one board capacitance: the Monte-Carlo adds it, the bench takes it off the
    // capacitors; both options take it.
    for (const char* name : kBenchOptionNames) {
        const auto take = [&o, name](const std::string& v) {
            takeBenchOption(o.benchOptions, name, v);
        };
        if (const auto [it, added] = valued.emplace(name, take); !added) {
            it->second = [first = it->second, take](const std::string& v) {
                first(v);
                take(v);
            };
        }
    }
    for (const char* name : kAnyOrderOptionNames) {
        valued.emplace(name, [&o, name](const std::string& v) {
            takeAnyOrderOption(o.anyOrderOptions, name, v);
        });
    }
    for (const char* name : kRetrimOptionNames) {
        valued.emplace(
            name, [&o, name](const std::string& v) { takeRetrimOption(o.retrimOptions, name, v); });
    }
    for (const char* name : kFitOptionNames) {
        valued.emplace(name,
                       [&o, name](const std::string& v) { takeFitOption(o.fitOptions, name, v); });
    }
    std::map<std::string, bool*> flags{{"json", &o.json},
                                       {"absolute", &o.absolute},
                                       {"help", &o.help},
                                       {"recentre", &o.crystalOptions.recentre},
                                       {"retrim", &o.retrimOptions.retrim},
                                       {"retrim-symmetric", &o.retrimOptions.symmetric}};
    for (const FitFlag& flag : fitFlags(o.fitOptions)) {
        flags.emplace(flag.name, flag.value);
    }

    std::set<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            throw UsageError("unexpected argument '" + argument + "'");
        }
        std::string name = argument.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        given.insert(name);
        if (const auto flag = flags.find(name); flag != flags.end()) {
            if (value) {
                throw UsageError("--" + name + " takes no value");
            }
            *flag->second = true;
            continue;
        }
        const auto setter = valued.find(name);
        if (setter == valued.end()) {
            throw UsageError("unknown option --" + name);
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                throw UsageError("--" + name + " needs a value");
            }
            value = arguments[++i];
        }
        setter->second(*value);
    }
    checkCrystalOptions(o.crystalOptions);
    checkRetrimOptions(o.retrimOptions, o.crystalOptions, given);
    checkFitOptions(o.fitOptions, given);
    checkAnyOrderOptions(o.anyOrderOptions, given);
    return o;
}

}  // namespace trellon::cli
