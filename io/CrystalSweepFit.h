#pragma once

#include <atomic>
#include <exception>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "CrystalBatch.h"
#include "CrystalFit.h"
#include "ParallelTasks.h"
#include "SweepCsv.h"
#include "Touchstone.h"

namespace trellon {

// The fixture as the user gives it: the port resistance is the file's reference resistance
// unless one is given; and what of the sweep the fit follows.
struct FixtureChoice {
    std::optional<double> portOhm;
    double lossDb = settings::kFixtureLoss.defaultValue;
    FitModel model{};
};

// Fits the crystal swept in a Touchstone two-port file (its S21). A file that cannot be read
// throws the reader's CommandError; a sweep that cannot be fitted throws CommandError
// "Cannot fit the crystal in '<file>': <reason>".
CrystalFitResult fitCrystalSweep(std::string_view bytes, std::string_view fileName,
                                 const FixtureChoice& fixture);

// The same for a file already read; `fileName` names it in the message.
CrystalFitResult fitCrystalSweep(const TwoPortData& data, std::string_view fileName,
                                 const FixtureChoice& fixture);

// The same for a sweep that may lack its phase: without one it is fitted on its magnitude alone
// (the one place where the fit's mode follows the sweep).
CrystalFitResult fitCrystalSweep(const MeasuredSweep& sweep, std::string_view fileName,
                                 const FixtureChoice& fixture);

// How a sweep file is written.
enum class SweepFormat { Touchstone, Csv };

// A sweep file to fit.
struct SweepFile {
    std::string path;
    SweepFormat format = SweepFormat::Touchstone;
};

// The format a file's name says: CSV for a ".csv" extension in any letter case, else Touchstone.
SweepFile sweepFileOf(const std::string& path);

// Reads the whole file, up to its format's size limit (docs/file-limits.md).
MeasuredSweep readSweepFile(const SweepFile& file);

// The fixture a sweep of `data` is fitted in.
CrystalFixture fixtureOf(const FixtureChoice& fixture, const TwoPortData& data);

// The crystal's name a sweep file gives: its file name without folder and extension.
std::string crystalNameOfFile(const std::string& path);

// `name`, or when it is taken the first of name-2, name-3, ... that is not.
std::string uniqueCrystalName(const std::string& name, const std::set<std::string>& taken);

// One sweep file's outcome: the fitted crystal under its unique name, the sweep it was fitted
// to and in which fixture, or the message saying why there is none and the refusal itself, for
// the window to word in its own language.
struct SweepFileOutcome {
    std::string path;
    std::optional<MeasuredCrystal> crystal;
    CrystalFitResult fit;
    TwoPortData sweep;
    bool hasPhase = true;
    CrystalFixture fixture;
    std::string message;
    std::exception_ptr failure;
};

// Reads and fits the files in order; names already in the batch are `taken`, and each fitted
// crystal's name is taken in turn. `progress` hears after each file; once `cancel` is set no
// further file is begun, and the outcomes so far are returned.
std::vector<SweepFileOutcome> fitCrystalSweepFiles(const std::vector<SweepFile>& files,
                                                   const FixtureChoice& fixture,
                                                   std::set<std::string> taken,
                                                   const ProgressCallback& progress = {},
                                                   const std::atomic<bool>* cancel = nullptr);

// The same for files whose format their names say (sweepFileOf).
std::vector<SweepFileOutcome> fitCrystalSweepFiles(const std::vector<std::string>& paths,
                                                   const FixtureChoice& fixture,
                                                   std::set<std::string> taken,
                                                   const ProgressCallback& progress = {},
                                                   const std::atomic<bool>* cancel = nullptr);

}  // namespace trellon
