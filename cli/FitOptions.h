#pragma once

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "CrystalFit.h"
#include "CrystalSweepFit.h"
#include "SettingTables.h"

namespace trellon::cli {

// The options that fit crystals to swept files instead of designing a filter.
struct FitOptions {
    std::vector<SweepFile> files;  // one crystal each, in the order given
    std::optional<double> fixtureOhm;
    std::optional<double> fixtureLossDb;
    std::optional<std::string> batchFile;
    FitModel model;
    bool phaseGiven = false;
    bool strict = false;  // a fit with a warning fails the run

    bool any() const { return !files.empty(); }
};

// Takes the option `name` with its value when it is one of the fit options; returns false for
// any other name. Throws UsageError for a value it cannot take.
bool takeFitOption(FitOptions& options, const std::string& name, const std::string& value);

// Throws UsageError when the fixture or batch options come without a file to fit, or when a file
// to fit comes with an option (of those `given`, without dashes) that only a design uses.
void checkFitOptions(const FitOptions& options, const std::set<std::string>& given);

// The names of the fit options that take a value.
inline constexpr const char* kFitOptionNames[] = {"fit-crystal",
                                                  "sweep-csv",
                                                  settings::kFixtureOhm.option.data(),
                                                  settings::kFixtureLoss.option.data(),
                                                  "batch-out",
                                                  "fit-phase"};

// The fit's options without a value, and where each is kept.
struct FitFlag {
    const char* name;
    bool* value;
};
std::vector<FitFlag> fitFlags(FitOptions& options);

// The usage lines of the fit options.
std::string fitUsageText();

// Fits every file and prints the crystals as the batch's CSV, or as JSON, then writes the batch
// file when asked for; a file that cannot be fitted prints its message on `err` and the others
// are still fitted. Each warning of a fit is one line on `err` naming the file; with --strict a
// fit with a warning gives no crystal. Returns 0 when every file gave a crystal (and the batch
// file was written), 1 otherwise.
int runCrystalFit(const FitOptions& options, bool json, std::ostream& out, std::ostream& err);

}  // namespace trellon::cli
