#include "CliRunner.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "AnyOrderRun.h"
#include "BuiltFilterSolver.h"
#include "Calculation.h"
#include "Catalogue.h"
#include "CliOutput.h"
#include "CommandError.h"
#include "CurveRecord.h"
#include "DesignAnalyses.h"
#include "Engine.h"
#include "GuardedRun.h"
#include "NullViews.h"
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

// The result fields the view was given, as "name=text" lines.
std::vector<std::string> fieldLines(const CliView& view, int topology) {
    std::vector<std::string> lines;
    for (ResultField field : writtenResultFields(topology)) {
        if (const auto found = view.fields.find(field); found != view.fields.end()) {
            lines.push_back(resultFieldName(field) + '=' + found->second);
        }
    }
    return lines;
}

// The figures of the classic design beside those of its curve.
void printClassicJson(const Engine& engine, const CliView& view, const AnalysisOutputs& outputs,
                      bool completed, std::ostream& out) {
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
    if (completed) {
        addCurveFiguresJson(json, *outputs.design);
        json["pointCount"] = engine.curve.size();
    }
    addAnalysisJson(json, outputs);
    printJson(json, out);
}

// The deck of `netlist`, with the traced points once the band is traced.
std::string spiceDeck(const Engine& engine, const Netlist& netlist, SpiceDeckCircuit circuit,
                      bool traced) {
    const DesignState& s = engine.state;
    std::optional<SpiceSweep> sweep;
    if (traced && engine.curve.size() > 0) {
        sweep = SpiceSweep{s.BandLow + 1, s.BandHigh, engine.curve.size()};
    }
    return spiceDeckText(netlist, circuit, s.Fo * 1000, sweep);
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

}  // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (options.fitOptions.any()) {
        return runCrystalFit(options.fitOptions, options.json, out, err);
    }
    if (options.anyOrderOptions.order) {
        return runAnyOrder(options, out, err);
    }
    const DesignTexts texts{options.fo, options.ld,   options.cs,
                            options.rd, options.ccor, options.dF};
    std::unique_ptr<CalculationRun> run = calculate(options, texts, err);
    // With --recentre the design is calculated again on the placed crystals; `run` is then that
    // calculation.
    const DesignSteps steps{.redesign =
                                [&](const CrystalInputTexts& recentred) {
                                    DesignTexts again = texts;
                                    again.fo = recentred.foKhz;
                                    again.ld = recentred.ldMh;
                                    again.rd = recentred.rdOhm;
                                    again.cs = recentred.csPf;
                                    run = calculate(options, again, err);
                                    return run->design;
                                },
                            .idealCurve =
                                [&](const CalculatedDesign& design) {
                                    return recordTracedCurve(*run->engine, "", design.circuit);
                                }};
    AnalysisOutputs outputs;
    if (run->design) {
        outputs = analyseDesign(run->design, options, steps, err);
    }
    const Engine& engine = *run->engine;
    const bool designed = run->outcome != CalculationOutcome::SynthesisStopped;
    const bool completed = run->outcome == CalculationOutcome::Completed;
    if (options.json) {
        printClassicJson(engine, run->view, outputs, completed, out);
    } else {
        std::vector<std::vector<std::string>> blocks;
        if (completed) {
            blocks = {run->results.lines, run->log.lines};
        }
        printAnalysisText(outputs, fieldLines(run->view, options.topology), blocks, out);
    }
    OutputFiles files(out, err);
    const BuiltCircuit* asBuilt = outputs.asBuilt();
    if (asBuilt) {
        files.write(
            options.spiceFile,
            [&] {
                BuiltFilterSolver built;
                built.prepare(*asBuilt);
                return spiceDeck(engine, built.netlist(), SpiceDeckCircuit::AsBuilt, completed);
            },
            "the SPICE deck");
    } else if (designed && !options.crystalOptions.anyCrystals() && !options.benchOptions.any()) {
        files.write(
            options.spiceFile,
            [&] {
                return spiceDeck(engine, engine.netlist, SpiceDeckCircuit::CalculationModel,
                                 completed);
            },
            "the SPICE deck");
    }
    if (completed) {
        writeAnalysisFiles(files, options, outputs, engine.curve.x(), engine.curve.y());
    }
    return completed && !outputs.failed() && !files.failed() ? 0 : 1;
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
