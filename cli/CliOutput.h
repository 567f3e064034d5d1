#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "CalculatedDesign.h"
#include "MeasuredResponse.h"
#include "Netlist.h"
#include "SpiceExport.h"

namespace trellon::cli {

// One line each.
void printLines(const std::vector<std::string>& lines, std::ostream& out);

// A "--" line, then the lines; nothing for an empty block.
void printBlock(const std::vector<std::string>& block, std::ostream& out);

// Writes the run's files after its results, so that a file that cannot be written costs nothing
// of what was printed; the failure is printed on `err` and still fails the run, after every other
// file is written.
class OutputFiles {
public:
    OutputFiles(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // Writes what `content()` returns to `path`, when there is one.
    template <typename Content>
    void write(const std::optional<std::string>& path, const Content& content, const char* what) {
        if (path) {
            writeText(
                *path, [&] { return std::string(content()); }, what);
        }
    }

    bool failed() const { return failed_; }

private:
    void writeText(const std::string& path, const std::function<std::string()>& content,
                   const char* what);

    std::ostream& out_;
    std::ostream& err_;
    bool failed_ = false;
};

// The figures of a design's ideal curve: amin, fAmin, the band's edges, its width and the level.
void addCurveFiguresJson(nlohmann::ordered_json& json, const CalculatedDesign& design);

// The JSON object "measured"; a band that runs off the measured file has no edges: null.
nlohmann::ordered_json measuredJson(const MeasuredResponse& measured);

// Prints `json` on one line. Numbers are written in their shortest form that reads back as the
// same double; JSON has no infinity or NaN, so such a value is written as null. Text that is not
// valid UTF-8 is written with replacement characters rather than failing.
void printJson(const nlohmann::ordered_json& json, std::ostream& out);

// The traced points as CSV: detuning_khz,level_db.
std::string pointsTable(std::span<const double> detuningKhz, std::span<const double> levelDb);

// The deck of `netlist` analyses Fo to Fo + 10 kHz and then, when given, the traced points.
std::string spiceDeckText(const Netlist& netlist, SpiceDeckCircuit circuit, double foHz,
                          const std::optional<SpiceSweep>& traced);

}  // namespace trellon::cli
