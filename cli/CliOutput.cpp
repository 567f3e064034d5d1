#include "CliOutput.h"

#include <sstream>

#include "CommandError.h"
#include "NumberText.h"
#include "OutputFile.h"

namespace trellon::cli {

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

void printBlock(const std::vector<std::string>& block, std::ostream& out) {
    if (!block.empty()) {
        out << "--\n";
        printLines(block, out);
    }
}

void OutputFiles::writeText(const std::string& path, const std::function<std::string()>& content,
                            const char* what) {
    try {
        writeOutput(path, content(), what, out_);
    } catch (const CommandError& error) {
        err_ << error.what() << '\n';
        failed_ = true;
    }
}

void addCurveFiguresJson(nlohmann::ordered_json& json, const CalculatedDesign& design) {
    json["amin"] = design.amin;
    json["fAmin"] = design.fAmin;
    json["bandLow"] = design.band.lowHz();
    json["bandHigh"] = design.band.highHz();
    json["bandwidth"] = design.bandwidthAtLevel;
    json["frLevel"] = design.frLevelDb;
}

nlohmann::ordered_json measuredJson(const MeasuredResponse& measured) {
    nlohmann::ordered_json json;
    json["amin"] = measured.amin;
    json["bandLow"] = measured.bandFound ? nlohmann::ordered_json(measured.bandLowHz) : nullptr;
    json["bandHigh"] = measured.bandFound ? nlohmann::ordered_json(measured.bandHighHz) : nullptr;
    json["bandwidth"] = measured.bandFound ? nlohmann::ordered_json(measured.bandwidthHz) : nullptr;
    return json;
}

void printJson(const nlohmann::ordered_json& json, std::ostream& out) {
    out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

std::string pointsTable(std::span<const double> detuningKhz, std::span<const double> levelDb) {
    std::string table = "detuning_khz,level_db\n";
    for (std::size_t i = 0; i < detuningKhz.size(); ++i) {
        table += FormatExact(detuningKhz[i]) + ',' + FormatExact(levelDb[i]) + '\n';
    }
    return table;
}

std::string spiceDeckText(const Netlist& netlist, SpiceDeckCircuit circuit, double foHz,
                          const std::optional<SpiceSweep>& traced) {
    std::vector<SpiceSweep> sweeps{{foHz, foHz + 10000, 11}};
    if (traced) {
        sweeps.push_back(*traced);
    }
    std::ostringstream deck;
    writeSpiceDeck(netlist, circuit, sweeps, deck);
    return deck.str();
}

}  // namespace trellon::cli
