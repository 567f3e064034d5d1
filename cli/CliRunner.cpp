#include "CliRunner.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "AnyOrderRun.h"
#include "BenchOptions.h"
#include "BuiltFilterSolver.h"
#include "Calculation.h"
#include "Catalogue.h"
#include "CommandError.h"
#include "CrystalOutputs.h"
#include "Engine.h"
#include "GuardedRun.h"
#include "NullViews.h"
#include "NumberText.h"
#include "OutputFile.h"
#include "RecentredInputs.h"
#include "ResponseOptions.h"
#include "ResultFields.h"
#include "SchematicFields.h"
#include "SpiceExport.h"
#include "Synthesis.h"

namespace trellon::cli {

namespace {

// Stands in for the window: keeps the result fields and passes messages to standard error.
class CliView : public DesignView {
public:
    explicit CliView(std::ostream& err) : err_(err) {}
    void showWarning(const std::string& text) override {
        messages.push_back(text);
        err_ << text << '\n';
    }
    void showResultsPanel() override {}
    void setResultField(ResultField field, const std::string& text) override {
        fields[field] = text;
    }

    std::vector<std::string> messages;
    std::map<ResultField, std::string> fields;

private:
    std::ostream& err_;
};

class LineCollector : public TextView {
public:
    void show() override {}
    void appendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

void printFields(const CliView& view, int topology, std::ostream& out) {
    for (ResultField field : writtenResultFields(topology)) {
        const auto found = view.fields.find(field);
        if (found != view.fields.end()) {
            out << resultFieldName(field) << '=' << found->second << '\n';
        }
    }
}

// A band that runs off the measured file has no edges: null.
nlohmann::ordered_json measuredJson(const MeasuredResponse& measured) {
    nlohmann::ordered_json json;
    json["amin"] = measured.amin;
    json["bandLow"] = measured.bandFound ? nlohmann::ordered_json(measured.bandLowHz) : nullptr;
    json["bandHigh"] = measured.bandFound ? nlohmann::ordered_json(measured.bandHighHz) : nullptr;
    json["bandwidth"] = measured.bandFound ? nlohmann::ordered_json(measured.bandwidthHz) : nullptr;
    return json;
}

// Numbers are written in their shortest form that reads back as the same double; JSON has no
// infinity or NaN, so such a value is written as null. Text that is not valid UTF-8 is written
// with replacement characters rather than failing.
void printJson(const Engine& engine, const CliView& view, bool swept,
               const MeasuredResponse* measured, const nlohmann::ordered_json& crystals,
               const BenchOutputs* bench, std::ostream& out) {
    const DesignState& s = engine.state;
    nlohmann::ordered_json json;
    json["tableKey"] = s.TableKey;
    json["rterm"] = s.Rsource;
    json["rin"] = s.Rin;
    json["cq"] = s.Cq;
    json["cap"] = std::vector<double>(s.Cap.begin() + 1, s.Cap.end());
    json["levelAtFo"] = s.LevelAtFo;
    json["attenuationAtFo"] = s.AttenuationAtFo;
    json["messages"] = view.messages;
    if (swept) {
        json["amin"] = s.Amin;
        json["fAmin"] = s.FAmin;
        json["bandLow"] = s.BandLow;
        json["bandHigh"] = s.BandHigh;
        json["bandwidth"] = s.BandWidthAtLevel;
        json["frLevel"] = s.FrLevel;
        json["pointCount"] = engine.curve.size();
    }
    if (measured) {
        json["measured"] = measuredJson(*measured);
    }
    for (const auto& [key, value] : crystals.items()) {
        json[key] = value;
    }
    // The bench circuit holds the crystals too: its figures are the built filter's.
    if (bench) {
        json["bench"] = benchJson(*bench);
        json["built"] = builtFiguresJson(bench->result);
    }
    out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// The deck of `netlist` analyses Fo to Fo + 10 kHz and, once the band is traced, the traced
// points.
std::string spiceDeck(const Engine& engine, const Netlist& netlist, SpiceDeckCircuit circuit,
                      bool traced) {
    const DesignState& s = engine.state;
    const double fo = s.Fo * 1000;
    std::vector<SpiceSweep> sweeps{{fo, fo + 10000, 11}};
    if (traced && engine.curve.size() > 0) {
        sweeps.push_back({s.BandLow + 1, s.BandHigh, engine.curve.size()});
    }
    std::ostringstream deck;
    writeSpiceDeck(netlist, circuit, sweeps, deck);
    return deck.str();
}

std::string pointsTable(const CurvePoints& curve) {
    std::string table = "detuning_khz,level_db\n";
    for (int i = 0; i < curve.size(); ++i) {
        table += FormatExact(curve.x()[i]) + ',' + FormatExact(curve.y()[i]) + '\n';
    }
    return table;
}

// Output that could not be written fails the run, whatever was printed before. A stream that
// failed earlier is flushed once more for the system's reason.
int outputChecked(int status, std::ostream& out, std::ostream& err) {
    const bool failedBefore = out.fail();
    out.clear();
    errno = 0;
    out.flush();
    if (out && !failedBefore) {
        return status;
    }
    err << "Cannot write the standard output: "
        << (errno != 0 ? std::strerror(errno) : "the output failed") << '\n';
    return 1;
}

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

// One calculation with the views it wrote to.
struct CalculationRun {
    explicit CalculationRun(std::ostream& err) : view(err) {}
    std::unique_ptr<Engine> engine = makeEngine();
    CliView view;
    // The curve stays in the engine's storage; the command line prints or writes it from there.
    NullChart chart;
    LineCollector results;
    LineCollector log;
    CalculationOutcome outcome = CalculationOutcome::SynthesisStopped;
    std::shared_ptr<const CalculatedDesign> design;  // when completed
};

std::unique_ptr<CalculationRun> calculate(const CliOptions& options, const DesignTexts& texts,
                                          std::ostream& err) {
    auto run = std::make_unique<CalculationRun>(err);
    DesignState& s = run->engine->state;
    s.Topology = options.topology;
    s.Response = options.response;
    s.AbsoluteLevel = options.absolute;
    CalculationViews views{run->view, run->chart, run->chart, run->results, run->log};
    CalculationInputs inputs;
    inputs.design = texts;
    inputs.level = options.level;
    inputs.filterType = responseDisplayName(options.response);
    inputs.decimalSeparator = options.decimalSeparator;
    try {
        run->outcome = RunCalculation(*run->engine, inputs, views);
    } catch (const CommandError& error) {
        run->view.showWarning(error.what());
    }
    if (run->outcome == CalculationOutcome::Completed) {
        run->design = calculatedDesignOf(*run->engine);
    }
    return run;
}

// The inputs of the design re-centred on `placed`, as the lines printed first.
std::vector<std::string> recentredLines(const CrystalInputTexts& texts) {
    return {"Fo=" + texts.foKhz, "Ld=" + texts.ldMh, "Rd=" + texts.rdOhm, "Cs=" + texts.csPf};
}

}  // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (options.fitOptions.any()) {
        return runCrystalFit(options.fitOptions, options.json, out, err);
    }
    if (options.anyOrderOptions.order) {
        return runAnyOrder(options, out, err);
    }
    DesignTexts texts{options.fo, options.ld, options.cs, options.rd, options.ccor, options.dF};
    std::unique_ptr<CalculationRun> run = calculate(options, texts, err);
    const CrystalOptions& crystalOptions = options.crystalOptions;
    CrystalOutputs crystals;
    bool crystalsFailed = false;
    std::optional<CrystalInputTexts> recentred;
    if (run->design && crystalOptions.any()) {
        try {
            crystals = makeCrystalOutputs(*run->design, crystalOptions, options.absolute,
                                          options.decimalSeparator);
            if (crystalOptions.recentre) {
                recentred = recentredInputs(crystals.placed, options.decimalSeparator);
                texts.fo = recentred->foKhz;
                texts.ld = recentred->ldMh;
                texts.rd = recentred->rdOhm;
                texts.cs = recentred->csPf;
                run = calculate(options, texts, err);
                if (run->design) {
                    crystals = keptPlacementOutputs(*run->design, crystals, crystalOptions,
                                                    options.absolute, options.decimalSeparator);
                } else {
                    // Nothing is built on a design that did not complete; the choice stands.
                    CrystalOutputs choiceOnly;
                    choiceOnly.choiceLines = std::move(crystals.choiceLines);
                    crystals = std::move(choiceOnly);
                }
                crystals.json["recentred"] = {
                    {"fo", texts.fo}, {"ld", texts.ld}, {"rd", texts.rd}, {"cs", texts.cs}};
            }
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            crystalsFailed = true;
        }
    }
    Engine& engine = *run->engine;
    const CliView& view = run->view;
    const bool designed = run->outcome != CalculationOutcome::SynthesisStopped;
    const bool completed = run->outcome == CalculationOutcome::Completed;
    const std::shared_ptr<const CalculatedDesign>& design = run->design;
    // The bench starts from the filter with the given or chosen crystals.
    std::optional<BenchOutputs> bench;
    bool benchFailed = false;
    if (completed && !crystalsFailed && options.benchOptions.any()) {
        try {
            bench = makeBenchOutputs(*design, options.benchOptions,
                                     crystals.built ? *crystals.built : design->circuit,
                                     options.decimalSeparator);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            benchFailed = true;
        }
    }
    const BuiltCircuit* benchCircuit = bench ? &bench->bench.circuit : nullptr;
    if (completed && !crystalsFailed && !benchFailed && crystalOptions.monteCarloSamples) {
        const BuiltCircuit& around =
            benchCircuit ? *benchCircuit : (crystals.built ? *crystals.built : design->circuit);
        addMonteCarloOutputs(*design, around, crystalOptions,
                             bench && options.benchOptions.eSeries != 0, options.absolute,
                             options.decimalSeparator, crystals);
    }
    ResponseOutputs response;
    bool responseFailed = false;
    if (completed && options.responseOptions.any()) {
        try {
            response = makeResponseOutputs(
                engine, *design, options.responseOptions, options.level, options.decimalSeparator,
                bench ? &bench->bench : nullptr, crystals.built ? &*crystals.built : nullptr);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            responseFailed = true;
        }
    }
    const MeasuredResponse* measured = response.measured ? &*response.measured : nullptr;
    if (options.json) {
        printJson(engine, view, completed, measured, crystals.json, bench ? &*bench : nullptr, out);
    } else {
        if (recentred) {
            printLines(recentredLines(*recentred), out);
        }
        printLines(crystals.choiceLines, out);
        printFields(view, options.topology, out);
        if (completed) {
            out << "--\n";
            printLines(run->results.lines, out);
            out << "--\n";
            printLines(run->log.lines, out);
            printLines(response.measuredReport, out);
        }
        const auto printBlock = [&out](const std::vector<std::string>& block) {
            if (!block.empty()) {
                out << "--\n";
                printLines(block, out);
            }
        };
        // With the bench, its block "as built" stands for the built filter's.
        printBlock(bench ? bench->lines.log : crystals.builtReport);
        printBlock(crystals.monteCarloLines);
    }
    // The files come after the results, so that a file that cannot be written costs nothing
    // of what was printed; it still makes the run a failure, after every other file is written.
    bool filesFailed = false;
    const auto write = [&](const std::string& path, const auto& content, const char* what) {
        try {
            writeOutput(path, content(), what, out);
        } catch (const CommandError& error) {
            err << error.what() << '\n';
            filesFailed = true;
        }
    };
    const BuiltCircuit* deckCircuit =
        benchCircuit ? benchCircuit : (crystals.built ? &*crystals.built : nullptr);
    if (deckCircuit && options.spiceFile) {
        write(
            *options.spiceFile,
            [&] {
                BuiltFilterSolver built;
                built.prepare(*deckCircuit);
                return spiceDeck(engine, built.netlist(), SpiceDeckCircuit::AsBuilt, completed);
            },
            "the SPICE deck");
    } else if (designed && !crystalOptions.anyCrystals() && !options.benchOptions.any() &&
               options.spiceFile) {
        write(
            *options.spiceFile,
            [&] {
                return spiceDeck(engine, engine.netlist, SpiceDeckCircuit::CalculationModel,
                                 completed);
            },
            "the SPICE deck");
    }
    if (completed && options.pointsFile) {
        write(
            *options.pointsFile, [&] { return pointsTable(engine.curve); }, "the points file");
    }
    if (completed && !responseFailed && options.responseOptions.tableFile) {
        write(
            *options.responseOptions.tableFile, [&] { return response.table; },
            "the response table");
    }
    if (completed && !responseFailed && options.responseOptions.s2pFile) {
        write(
            *options.responseOptions.s2pFile, [&] { return response.touchstone; },
            "the Touchstone file");
    }
    if (!crystals.builtPoints.empty()) {
        write(
            *crystalOptions.builtPointsFile, [&] { return crystals.builtPoints; },
            "the built points file");
    }
    if (!crystals.envelope.empty()) {
        write(
            *crystalOptions.envelopeFile, [&] { return crystals.envelope; }, "the envelope file");
    }
    return completed && !responseFailed && !crystalsFailed && !benchFailed && !filesFailed ? 0 : 1;
}

int cliMain(const std::vector<std::string>& arguments, char defaultSeparator, std::ostream& out,
            std::ostream& err) {
    const int status = runGuarded(
        [&] {
            CliOptions options;
            try {
                options = parseCliOptions(arguments, defaultSeparator);
            } catch (const UsageError& error) {
                err << "trellon-cli: " << error.what() << '\n' << usageText();
                return 2;
            }
            if (options.help) {
                out << usageText();
                return 0;
            }
            return runCli(options, out, err);
        },
        err);
    return outputChecked(status, out, err);
}

}  // namespace trellon::cli
