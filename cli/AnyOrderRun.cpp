#include "AnyOrderRun.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "AnyOrderCalculatedDesign.h"
#include "AnyOrderReport.h"
#include "BenchOptions.h"
#include "BuiltFilterSolver.h"
#include "CommandError.h"
#include "CrystalOutputs.h"
#include "NumberText.h"
#include "OutputFile.h"
#include "SpiceExport.h"

namespace trellon::cli {

namespace {

AnyOrderInputs anyOrderInputs(const CliOptions& options) {
    const char separator = options.decimalSeparator;
    const AnyOrderOptions& any = options.anyOrderOptions;
    AnyOrderInputs inputs;
    inputs.family = any.family.value_or(AnyOrderFamily::Butterworth);
    inputs.order = *any.order;
    inputs.rippleDb = any.rippleDb.value_or(settings::kChebyshevRipple.defaultValue);
    inputs.bandwidthHz = TypedNumber(options.dF, separator);
    inputs.crystal = {TypedNumber(options.fo, separator) * 1e3,
                      TypedNumber(options.ld, separator) * 1e-3,
                      TypedNumber(options.cs, separator) * 1e-12, 0};
    inputs.crystal.motionalResistance = any.crystalQ
                                            ? motionalResistanceForQ(inputs.crystal, *any.crystalQ)
                                            : TypedNumber(options.rd, separator);
    return inputs;
}

double levelOf(const CliOptions& options) {
    const double level = TypedNumber(options.level, options.decimalSeparator);
    if (!(level < 0)) {
        throw CommandError("The level '" + options.level + "' must be below 0 dB");
    }
    return level;
}

nlohmann::ordered_json designJson(const AnyOrderDesign& design) {
    nlohmann::ordered_json capacitors = nlohmann::ordered_json::object();
    for (const BuiltPart& part : design.circuit.parts) {
        if (part.kind == BuiltPartKind::SeriesCapacitor ||
            part.kind == BuiltPartKind::ShuntCapacitor) {
            capacitors[part.name] = part.value * 1e12;
        }
    }
    return {{"order", design.inputs.order},
            {"family", std::string(familyName(design.inputs.family))},
            {"rin", design.circuit.sourceResistance},
            {"rout", design.circuit.loadResistance},
            {"capacitors", capacitors},
            {"designFrequency", design.designFrequencyHz},
            {"q0", design.unloadedQ0},
            {"q0Minimum", design.minimumQ0},
            {"expectedLossDb", design.expectedLossDb},
            {"simulatedLossDb", design.simulatedLossDb}};
}

// The deck of the circuit as built: Fo to Fo + 10 kHz, then the traced band 1 Hz apart.
std::string deckOf(const CalculatedDesign& design, const BuiltCircuit& circuit) {
    BuiltFilterSolver built;
    built.prepare(circuit);
    const double fo = design.foHz();
    const int points = static_cast<int>(design.band.widthHz());
    std::ostringstream deck;
    writeSpiceDeck(built.netlist(), SpiceDeckCircuit::AsBuilt,
                   {SpiceSweep{fo, fo + 10000, 11},
                    SpiceSweep{design.band.lowHz() + 1, design.band.highHz(), points}},
                   deck);
    return deck.str();
}

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

}  // namespace

int runAnyOrder(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const char separator = options.decimalSeparator;
    std::optional<AnyOrderDesign> design;
    std::shared_ptr<const CalculatedDesign> calculated;
    CrystalOutputs crystals;
    std::optional<BenchOutputs> bench;
    try {
        design = designAnyOrder(anyOrderInputs(options));
        if (const std::string warning = anyOrderLossWarning(*design, separator); !warning.empty()) {
            err << warning << '\n';
        }
        calculated = anyOrderCalculatedDesign(*design, levelOf(options));
        const CalculatedDesign& d = *calculated;
        if (options.crystalOptions.any()) {
            crystals = makeCrystalOutputs(d, options.crystalOptions, options.absolute, separator);
        }
        if (options.benchOptions.any()) {
            bench = makeBenchOutputs(d, options.benchOptions,
                                     crystals.built ? *crystals.built : d.circuit, separator);
        }
        if (options.crystalOptions.monteCarloSamples) {
            const BuiltCircuit& around =
                bench ? bench->bench.circuit : (crystals.built ? *crystals.built : d.circuit);
            addMonteCarloOutputs(d, around, options.crystalOptions,
                                 bench && options.benchOptions.eSeries != 0, options.absolute,
                                 separator, crystals);
        }
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        return 1;
    }
    const CalculatedDesign& d = *calculated;
    if (options.json) {
        nlohmann::ordered_json json;
        json["design"] = designJson(*design);
        json["amin"] = d.amin;
        json["fAmin"] = d.fAmin;
        json["bandLow"] = d.band.lowHz();
        json["bandHigh"] = d.band.highHz();
        json["bandwidth"] = d.bandwidthAtLevel;
        json["frLevel"] = d.frLevelDb;
        json["levelAtFo"] = d.levelAtFo;
        json["attenuationAtFo"] = d.attenuationAtFo;
        for (const auto& [key, value] : crystals.json.items()) {
            json[key] = value;
        }
        if (bench) {
            json["bench"] = benchJson(*bench);
            json["built"] = builtFiguresJson(bench->result);
        }
        out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        printLines(crystals.choiceLines, out);
        printLines(anyOrderPartLines(*design, separator), out);
        out << "--\n";
        printLines(anyOrderReportLines(*design, d, separator), out);
        for (const std::vector<std::string>* block :
             {bench ? &bench->lines.log : &crystals.builtReport, &crystals.monteCarloLines}) {
            if (!block->empty()) {
                out << "--\n";
                printLines(*block, out);
            }
        }
    }
    // As for a classic design, the files come after the results, and a file that cannot be
    // written fails the run after every other file is written.
    bool filesFailed = false;
    const auto write = [&](const std::optional<std::string>& path, const auto& content,
                           const char* what) {
        if (!path) {
            return;
        }
        try {
            writeOutput(*path, content(), what, out);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            filesFailed = true;
        }
    };
    const BuiltCircuit& circuit =
        bench ? bench->bench.circuit : (crystals.built ? *crystals.built : d.circuit);
    write(
        options.spiceFile, [&] { return deckOf(d, circuit); }, "the SPICE deck");
    write(
        options.crystalOptions.builtPointsFile, [&] { return crystals.builtPoints; },
        "the built points file");
    write(
        options.crystalOptions.envelopeFile, [&] { return crystals.envelope; },
        "the envelope file");
    return filesFailed ? 1 : 0;
}

}  // namespace trellon::cli
