#include "AnyOrderRun.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "AnyOrderCalculatedDesign.h"
#include "AnyOrderReport.h"
#include "BuiltFilterSolver.h"
#include "CliOutput.h"
#include "CommandError.h"
#include "DesignAnalyses.h"
#include "DesignCurveRecord.h"
#include "NumberText.h"

namespace trellon::cli {

namespace {

// The inputs of --order and --family on the crystal typed as `crystal`, its Rd or, when given,
// its unloaded Q.
AnyOrderInputs anyOrderInputs(const CliOptions& options, const CrystalInputTexts& crystal,
                              std::optional<double> crystalQ) {
    const char separator = options.decimalSeparator;
    const AnyOrderOptions& any = options.anyOrderOptions;
    AnyOrderInputs inputs;
    inputs.family = any.family.value_or(AnyOrderFamily::Butterworth);
    inputs.order = *any.order;
    inputs.rippleDb = any.rippleDb.value_or(settings::kChebyshevRipple.defaultValue);
    inputs.bandwidthHz = TypedNumber(options.dF, separator);
    inputs.crystal = typedLadderCrystal(
        TypedNumber(crystal.foKhz, separator), TypedNumber(crystal.ldMh, separator),
        TypedNumber(crystal.csPf, separator), crystalQ ? 0 : TypedNumber(crystal.rdOhm, separator));
    if (crystalQ) {
        inputs.crystal.motionalResistance = motionalResistanceForQ(inputs.crystal, *crystalQ);
    }
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
    const SpiceSweep traced{design.band.lowHz() + 1, design.band.highHz(),
                            static_cast<int>(design.band.widthHz())};
    return spiceDeckText(built.netlist(), SpiceDeckCircuit::AsBuilt, design.foHz(), traced);
}

// Designs the ladder, its loss warning printed first; a design that cannot be done throws
// CommandError.
std::shared_ptr<const CalculatedDesign> designOn(const CliOptions& options,
                                                 const CrystalInputTexts& crystal,
                                                 std::optional<double> crystalQ,
                                                 std::optional<AnyOrderDesign>& design,
                                                 std::ostream& err) {
    design = designAnyOrder(anyOrderInputs(options, crystal, crystalQ));
    const std::string warning = anyOrderLossWarning(*design, options.decimalSeparator);
    if (!warning.empty()) {
        err << warning << '\n';
    }
    return anyOrderCalculatedDesign(*design, levelOf(options));
}

LevelMode levelModeOf(const CliOptions& options) {
    return options.absolute ? LevelMode::Absolute : LevelMode::RelativeToPeak;
}

}  // namespace

int runAnyOrder(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const char separator = options.decimalSeparator;
    std::optional<AnyOrderDesign> design;
    std::shared_ptr<const CalculatedDesign> calculated;
    try {
        calculated = designOn(options, {options.fo, options.ld, options.rd, options.cs},
                              options.anyOrderOptions.crystalQ, design, err);
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        return 1;
    }
    // Re-centred, the crystal is the placed crystals' medians, their resistance included.
    const DesignSteps steps{
        .redesign =
            [&](const CrystalInputTexts& recentred) -> std::shared_ptr<const CalculatedDesign> {
            try {
                return designOn(options, recentred, std::nullopt, design, err);
            } catch (const CommandError& error) {
                err << error.what() << '\n';
                return nullptr;
            }
        },
        .idealCurve =
            [&](const CalculatedDesign& d) {
                return designCurveRecord(d, levelModeOf(options), "");
            }};
    const AnalysisOutputs outputs = analyseDesign(calculated, options, steps, err);
    const CalculatedDesign* d = outputs.design.get();
    if (options.json) {
        nlohmann::ordered_json json;
        if (d) {
            json["design"] = designJson(*design);
            addCurveFiguresJson(json, *d);
            json["levelAtFo"] = d->levelAtFo;
            json["attenuationAtFo"] = d->attenuationAtFo;
        }
        addAnalysisJson(json, outputs);
        printJson(json, out);
    } else if (d) {
        printAnalysisText(outputs, anyOrderPartLines(*design, separator),
                          {anyOrderReportLines(*design, *d, separator)}, out);
    } else {
        printAnalysisText(outputs, {}, {}, out);
    }
    OutputFiles files(out, err);
    if (d) {
        const BuiltCircuit* asBuilt = outputs.asBuilt();
        files.write(
            options.spiceFile, [&] { return deckOf(*d, asBuilt ? *asBuilt : d->circuit); },
            "the SPICE deck");
        // The points of --points are the ideal curve's, the levels as it is drawn.
        const CurveRecord ideal = options.pointsFile ? steps.idealCurve(*d) : CurveRecord{};
        writeAnalysisFiles(files, options, outputs, ideal.detuningKhz, ideal.levelDb);
    }
    return outputs.failed() || files.failed() ? 1 : 0;
}

}  // namespace trellon::cli
