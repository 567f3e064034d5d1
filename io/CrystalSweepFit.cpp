#include "CrystalSweepFit.h"

#include <filesystem>

#include "CommandError.h"
#include "FileBytes.h"
#include "ReadLimits.h"
#include "ReadPhrases.h"
#include "TextReading.h"
#include "Touchstone.h"

namespace trellon {

CrystalFitResult fitCrystalSweep(std::string_view bytes, std::string_view fileName,
                                 const FixtureChoice& fixture) {
    return fitCrystalSweep(readTouchstone(bytes, fileName), fileName, fixture);
}

CrystalFixture fixtureOf(const FixtureChoice& fixture, const TwoPortData& data) {
    return {fixture.portOhm.value_or(data.referenceOhm), fixture.lossDb};
}

CrystalFitResult fitCrystalSweep(const TwoPortData& data, std::string_view fileName,
                                 const FixtureChoice& fixture) {
    try {
        return fitCrystal(data.frequencyHz, data.s21, fixtureOf(fixture, data), fixture.model);
    } catch (const PhrasedError& error) {
        std::vector<Phrase> phrases{{&readPhrase("sweep-fit"), {{std::string(fileName)}}}};
        phrases.insert(phrases.end(), error.phrases().begin(), error.phrases().end());
        throw PhrasedError(std::move(phrases));
    } catch (const CommandError& error) {
        throw CommandError("Cannot fit the crystal in '" + std::string(fileName) +
                           "': " + error.what());
    }
}

CrystalFitResult fitCrystalSweep(const MeasuredSweep& sweep, std::string_view fileName,
                                 const FixtureChoice& fixture) {
    // A sweep without its phase is fitted on its magnitude alone, whatever was asked.
    FixtureChoice choice = fixture;
    choice.model.magnitudeOnly = choice.model.magnitudeOnly || !sweep.hasPhase;
    return fitCrystalSweep(sweep.data, fileName, choice);
}

SweepFile sweepFileOf(const std::string& path) {
    const bool csv = lowerCase(std::filesystem::path(path).extension().string()) == ".csv";
    return {path, csv ? SweepFormat::Csv : SweepFormat::Touchstone};
}

MeasuredSweep readSweepFile(const SweepFile& file) {
    if (file.format == SweepFormat::Csv) {
        return readSweepCsv(
            readFileBytes(
                {.path = file.path, .what = "the sweep CSV", .limitBytes = kSweepCsvLimit}),
            file.path);
    }
    return {readTouchstone(readFileBytes({.path = file.path,
                                          .what = "the Touchstone file",
                                          .limitBytes = kTouchstoneLimit}),
                           file.path),
            true};
}

std::string crystalNameOfFile(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string uniqueCrystalName(const std::string& name, const std::set<std::string>& taken) {
    std::string unique = name;
    for (int suffix = 2; taken.count(unique) != 0; ++suffix) {
        unique = name + '-' + std::to_string(suffix);
    }
    return unique;
}

std::vector<SweepFileOutcome> fitCrystalSweepFiles(const std::vector<std::string>& paths,
                                                   const FixtureChoice& fixture,
                                                   std::set<std::string> taken,
                                                   const ProgressCallback& progress,
                                                   const std::atomic<bool>* cancel) {
    std::vector<SweepFile> files;
    for (const std::string& path : paths) {
        files.push_back(sweepFileOf(path));
    }
    return fitCrystalSweepFiles(files, fixture, std::move(taken), progress, cancel);
}

std::vector<SweepFileOutcome> fitCrystalSweepFiles(const std::vector<SweepFile>& files,
                                                   const FixtureChoice& fixture,
                                                   std::set<std::string> taken,
                                                   const ProgressCallback& progress,
                                                   const std::atomic<bool>* cancel) {
    std::vector<SweepFileOutcome> outcomes;
    for (const auto& [path, format] : files) {
        if (cancel != nullptr && *cancel) {
            break;
        }
        SweepFileOutcome outcome;
        outcome.path = path;
        try {
            // The batch's CSV cannot hold a name across lines: the file is refused alone.
            if (crystalNameOfFile(path).find_first_of("\r\n") != std::string::npos) {
                throw PhrasedError(
                    {{&readPhrase("sweep-name-line-break"), {quotedArgument(path)}}});
            }
            MeasuredSweep sweep = readSweepFile({path, format});
            outcome.fixture = fixtureOf(fixture, sweep.data);
            outcome.fit = fitCrystalSweep(sweep, path, fixture);
            outcome.sweep = std::move(sweep.data);
            outcome.hasPhase = sweep.hasPhase;
            const std::string name = uniqueCrystalName(crystalNameOfFile(path), taken);
            taken.insert(name);
            outcome.crystal = measuredCrystalOf(outcome.fit, name);
        } catch (const CommandError& error) {
            outcome.message = error.what();
            outcome.failure = std::current_exception();
        }
        outcomes.push_back(std::move(outcome));
        if (progress) {
            progress(static_cast<double>(outcomes.size()) / static_cast<double>(files.size()));
        }
    }
    return outcomes;
}

}  // namespace trellon
