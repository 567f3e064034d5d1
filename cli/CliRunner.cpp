#include "CliRunner.h"

#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "CommandError.h"
#include "Engine.h"
#include "JsonWriter.h"
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

void printFields(const CliView& view, int topology, std::ostream& out) {
    for (ResultField field : writtenResultFields(topology)) {
        const auto found = view.fields.find(field);
        if (found != view.fields.end()) {
            out << resultFieldName(field) << '=' << found->second << '\n';
        }
    }
}

void printJson(const DesignState& s, const CliView& view, std::ostream& out) {
    JsonWriter json(out);
    json.field("tableKey", s.TableKey);
    json.field("rterm", s.Rsource);
    json.field("rin", s.Rin);
    json.field("cq", s.Cq);
    json.field("cap", std::vector<double>(s.Cap.begin() + 1, s.Cap.end()));
    json.field("levelAtFo", s.LevelAtFo);
    json.field("attenuationAtFo", s.AttenuationAtFo);
    json.field("messages", view.messages);
    json.close();
}

void writeSpice(const Engine& engine, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        throw CommandError("Cannot create file \"" + path + "\"");
    }
    const double fo = engine.state.Fo * 1000;
    writeSpiceDeck(engine.netlist, SpiceSweep{fo, fo + 10000, 11}, file);
    if (!file) {
        throw CommandError("Cannot write file \"" + path + "\"");
    }
}

}  // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    auto engine = std::make_unique<Engine>();
    engine->state.Topology = options.topology;
    engine->state.Response = options.response;
    CliView view(err);
    const DesignTexts texts{options.fo, options.ld, options.cs,
                            options.rd, options.ccor, options.dF};
    bool completed = false;
    try {
        completed = SynthesizeFilter(*engine, texts, options.decimalSeparator, view);
        if (completed && options.spiceFile) {
            writeSpice(*engine, *options.spiceFile);
        }
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        return 1;
    }
    if (options.json) {
        printJson(engine->state, view, out);
    } else {
        printFields(view, options.topology, out);
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
