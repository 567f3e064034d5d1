#include "CliRunner.h"

#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "Calculation.h"
#include "Catalogue.h"
#include "CommandError.h"
#include "Engine.h"
#include "JsonWriter.h"
#include "NullViews.h"
#include "NumberText.h"
#include "ResultFields.h"
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

void printJson(const Engine& engine, const CliView& view, bool swept, std::ostream& out) {
    const DesignState& s = engine.state;
    JsonWriter json(out);
    json.field("tableKey", s.TableKey);
    json.field("rterm", s.Rsource);
    json.field("rin", s.Rin);
    json.field("cq", s.Cq);
    json.field("cap", std::vector<double>(s.Cap.begin() + 1, s.Cap.end()));
    json.field("levelAtFo", s.LevelAtFo);
    json.field("attenuationAtFo", s.AttenuationAtFo);
    json.field("messages", view.messages);
    if (swept) {
        json.field("amin", s.Amin);
        json.field("fAmin", s.FAmin);
        json.field("bandLow", s.BandLow);
        json.field("bandHigh", s.BandHigh);
        json.field("bandwidth", s.BandWidthAtLevel);
        json.field("frLevel", s.FrLevel);
        json.field("pointCount", static_cast<double>(engine.curve.size()));
    }
    json.close();
}

std::ofstream createFile(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        throw CommandError("Cannot create file \"" + path + "\"");
    }
    return file;
}

void checkWritten(const std::ofstream& file, const std::string& path) {
    if (!file) {
        throw CommandError("Cannot write file \"" + path + "\"");
    }
}

// The deck analyses Fo to Fo + 10 kHz and, once the band is traced, the traced points.
void writeSpice(const Engine& engine, bool traced, const std::string& path) {
    std::ofstream file = createFile(path);
    const DesignState& s = engine.state;
    const double fo = s.Fo * 1000;
    std::vector<SpiceSweep> sweeps{{fo, fo + 10000, 11}};
    if (traced && engine.curve.size() > 0) {
        sweeps.push_back({s.BandLow + 1, s.BandHigh, engine.curve.size()});
    }
    writeSpiceDeck(engine.netlist, sweeps, file);
    checkWritten(file, path);
}

void writePoints(const CurvePoints& curve, const std::string& path) {
    std::ofstream file = createFile(path);
    file << "detuning_khz,level_db\n";
    for (int i = 0; i < curve.size(); ++i) {
        file << FormatExact(curve.x()[i]) << ',' << FormatExact(curve.y()[i]) << '\n';
    }
    checkWritten(file, path);
}

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

}  // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    auto engine = makeEngine();
    DesignState& s = engine->state;
    s.Topology = options.topology;
    s.Response = options.response;
    s.AbsoluteLevel = options.absolute;
    CliView view(err);
    // The curve stays in the engine's storage; the command line prints or writes it from there.
    NullChart chart;
    LineCollector results;
    LineCollector log;
    CalculationViews views{view, chart, chart, results, log};
    CalculationInputs inputs;
    inputs.design = {options.fo, options.ld, options.cs, options.rd, options.ccor, options.dF};
    inputs.level = options.level;
    inputs.filterType = responseDisplayName(options.response);
    inputs.decimalSeparator = options.decimalSeparator;

    CalculationOutcome outcome = CalculationOutcome::SynthesisStopped;
    try {
        outcome = RunCalculation(*engine, inputs, views);
        const bool designed = outcome != CalculationOutcome::SynthesisStopped;
        const bool completed = outcome == CalculationOutcome::Completed;
        if (designed && options.spiceFile) {
            writeSpice(*engine, completed, *options.spiceFile);
        }
        if (completed && options.pointsFile) {
            writePoints(engine->curve, *options.pointsFile);
        }
    } catch (const CommandError& error) {
        view.showWarning(error.what());
        outcome = CalculationOutcome::SynthesisStopped;
    }
    const bool completed = outcome == CalculationOutcome::Completed;
    if (options.json) {
        printJson(*engine, view, completed, out);
    } else {
        printFields(view, options.topology, out);
        if (completed) {
            out << "--\n";
            printLines(results.lines, out);
            out << "--\n";
            printLines(log.lines, out);
        }
    }
    return completed ? 0 : 1;
}

int cliMain(const std::vector<std::string>& arguments, char defaultSeparator, std::ostream& out,
            std::ostream& err) {
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
}

}  // namespace trellon::cli
