#include "DesignAnalyses.h"

#include "BuildSheetFile.h"
#include "CommandError.h"

namespace trellon::cli {

namespace {

// The inputs of the design re-centred on the placed crystals, as the lines printed first.
std::vector<std::string> recentredLines(const CrystalInputTexts& texts) {
    return {"Fo=" + texts.foKhz, "Ld=" + texts.ldMh, "Rd=" + texts.rdOhm, "Cs=" + texts.csPf};
}

// Builds with the crystals and, with --recentre, designs again on them keeping their places.
void buildWithCrystals(const CliOptions& options, const DesignSteps& steps,
                       AnalysisOutputs& outputs, std::ostream& err) {
    const CrystalOptions& crystalOptions = options.crystalOptions;
    const char separator = options.decimalSeparator;
    try {
        outputs.crystals =
            makeCrystalOutputs(*outputs.design, crystalOptions, options.absolute, separator);
        if (!crystalOptions.recentre) {
            return;
        }
        const CrystalInputTexts& texts =
            outputs.recentred.emplace(recentredInputs(outputs.crystals.placed, separator));
        outputs.design = steps.redesign(texts);
        if (outputs.design) {
            outputs.crystals = keptPlacementOutputs(*outputs.design, outputs.crystals,
                                                    crystalOptions, options.absolute, separator);
        } else {
            // Nothing is built on a design that did not complete; the choice stands.
            CrystalOutputs choiceOnly;
            choiceOnly.choiceLines = std::move(outputs.crystals.choiceLines);
            outputs.crystals = std::move(choiceOnly);
        }
        outputs.crystals.json["recentred"] = {
            {"fo", texts.foKhz}, {"ld", texts.ldMh}, {"rd", texts.rdOhm}, {"cs", texts.csPf}};
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        outputs.crystalsFailed = true;
    }
}

// Retrims the filter with its crystals as the bench fits it, and keeps it as placed for the build
// sheet when the bench does not fit it.
void retrimAndKeep(const CliOptions& options, const BuiltCircuit& placed, AnalysisOutputs& outputs,
                   std::ostream& err) {
    const CalculatedDesign& d = *outputs.design;
    const BenchSettings settings = options.benchOptions.settings();
    try {
        if (!outputs.bench) {
            outputs.unfitted = makeBenchCircuit(d.band, placed, settings);
        }
        if (options.retrimOptions.retrim) {
            const BenchCircuit& start = outputs.bench ? outputs.bench->bench : *outputs.unfitted;
            outputs.retrim = makeRetrimOutputs(d, start, settings, options);
        }
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        outputs.retrimFailed = true;
    }
}

}  // namespace

const BuiltCircuit* AnalysisOutputs::asBuilt() const {
    if (retrim) {
        return &retrim->tuned.circuit;
    }
    return bench ? &bench->bench.circuit : (crystals.built ? &*crystals.built : nullptr);
}

const BenchCircuit* AnalysisOutputs::soldered() const {
    if (retrim) {
        return &retrim->tuned;
    }
    return bench ? &bench->bench : (unfitted ? &*unfitted : nullptr);
}

AnalysisOutputs analyseDesign(std::shared_ptr<const CalculatedDesign> design,
                              const CliOptions& options, const DesignSteps& steps,
                              std::ostream& err) {
    AnalysisOutputs outputs;
    outputs.design = std::move(design);
    const char separator = options.decimalSeparator;
    if (options.crystalOptions.any()) {
        buildWithCrystals(options, steps, outputs, err);
    }
    if (!outputs.design) {
        return outputs;
    }
    const CalculatedDesign& d = *outputs.design;
    const BuiltCircuit* withCrystals = outputs.crystals.built ? &*outputs.crystals.built : nullptr;
    // The bench starts from the filter with the given or chosen crystals.
    if (!outputs.crystalsFailed && options.benchOptions.any()) {
        try {
            outputs.bench = makeBenchOutputs(d, options.benchOptions,
                                             withCrystals ? *withCrystals : d.circuit, separator);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            outputs.benchFailed = true;
        }
    }
    if (!outputs.crystalsFailed && !outputs.benchFailed &&
        (options.retrimOptions.retrim || options.buildSheetFile)) {
        retrimAndKeep(options, withCrystals ? *withCrystals : d.circuit, outputs, err);
    }
    if (!outputs.crystalsFailed && !outputs.benchFailed && !outputs.retrimFailed &&
        options.crystalOptions.monteCarloSamples) {
        const BuiltCircuit* around = outputs.asBuilt();
        addMonteCarloOutputs(d, around ? *around : d.circuit, options.crystalOptions,
                             outputs.bench && options.benchOptions.eSeries != 0, options.absolute,
                             separator, outputs.crystals);
    }
    if (options.responseOptions.any()) {
        try {
            const BenchCircuit* bench = outputs.retrim  ? &outputs.retrim->tuned
                                        : outputs.bench ? &outputs.bench->bench
                                                        : nullptr;
            outputs.response = makeResponseOutputs(steps.idealCurve(d), d, options.responseOptions,
                                                   options.level, separator, bench, withCrystals);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            outputs.responseFailed = true;
        }
    }
    return outputs;
}

void printAnalysisText(const AnalysisOutputs& outputs, const std::vector<std::string>& head,
                       const std::vector<std::vector<std::string>>& blocks, std::ostream& out) {
    if (outputs.recentred) {
        printLines(recentredLines(*outputs.recentred), out);
    }
    printLines(outputs.crystals.choiceLines, out);
    printLines(head, out);
    for (const std::vector<std::string>& block : blocks) {
        out << "--\n";
        printLines(block, out);
    }
    if (!blocks.empty()) {
        printLines(outputs.response.measuredReport, out);
    }
    // With the bench, its block "as built" stands for the built filter's.
    printBlock(outputs.bench ? outputs.bench->lines.log : outputs.crystals.builtReport, out);
    printBlock(outputs.crystals.monteCarloLines, out);
    if (outputs.retrim) {
        printBlock(outputs.retrim->lines, out);
    }
}

void addAnalysisJson(nlohmann::ordered_json& json, const AnalysisOutputs& outputs) {
    if (outputs.response.measured) {
        json["measured"] = measuredJson(*outputs.response.measured);
    }
    for (const auto& [key, value] : outputs.crystals.json.items()) {
        json[key] = value;
    }
    // The bench circuit holds the crystals too: its figures are the built filter's.
    if (outputs.bench) {
        json["bench"] = benchJson(*outputs.bench);
        json["built"] = builtFiguresJson(outputs.bench->result);
    }
    if (outputs.retrim) {
        json["retrim"] = outputs.retrim->json;
    }
}

void writeAnalysisFiles(OutputFiles& files, const CliOptions& options,
                        const AnalysisOutputs& outputs, std::span<const double> detuningKhz,
                        std::span<const double> levelDb) {
    files.write(
        options.pointsFile, [&] { return pointsTable(detuningKhz, levelDb); }, "the points file");
    if (!outputs.responseFailed) {
        const ResponseOptions& response = options.responseOptions;
        files.write(
            response.tableFile, [&] { return outputs.response.table; }, "the response table");
        files.write(
            response.s2pFile, [&] { return outputs.response.touchstone; }, "the Touchstone file");
    }
    const CrystalOutputs& crystals = outputs.crystals;
    // The retrimmed filter's points stand for those of the filter as placed.
    const std::string& builtPoints =
        outputs.retrim ? outputs.retrim->builtPoints : crystals.builtPoints;
    if (!builtPoints.empty()) {
        files.write(
            options.crystalOptions.builtPointsFile, [&] { return builtPoints; },
            "the built points file");
    }
    if (!crystals.envelope.empty()) {
        files.write(
            options.crystalOptions.envelopeFile, [&] { return crystals.envelope; },
            "the envelope file");
    }
    if (const BenchCircuit* soldered = outputs.soldered()) {
        std::vector<std::string> names;
        for (const MeasuredCrystal& crystal : crystals.placed) {
            names.push_back(crystal.name);
        }
        files.write(
            options.buildSheetFile,
            [&] {
                return buildSheetFile(
                    *options.buildSheetFile, *outputs.design, options.benchOptions.settings(),
                    *soldered, names,
                    outputs.retrim ? outputs.retrim->lines : std::vector<std::string>{},
                    options.decimalSeparator);
            },
            "the build sheet");
    }
}

}  // namespace trellon::cli
