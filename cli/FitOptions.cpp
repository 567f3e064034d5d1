#include "FitOptions.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

#include "CommandError.h"
#include "CrystalBatchCsv.h"
#include "CrystalSweepFit.h"
#include "NumberText.h"
#include "OptionValues.h"
#include "OutputFile.h"
#include "SettingTables.h"
#include "UsageError.h"

namespace trellon::cli {

namespace {

nlohmann::ordered_json fitJson(const MeasuredCrystal& crystal, const CrystalFitResult& fit) {
    nlohmann::ordered_json json;
    json["name"] = crystal.name;
    json["fs_khz"] = crystal.fsKhz;
    json["lm_mh"] = crystal.lmMh;
    json["rm_ohm"] = crystal.rmOhm;
    json["c0_pf"] = crystal.c0Pf;
    json["q"] = fit.q;
    json["residual"] = fit.residual;
    json["spurious"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < crystal.spurious.size(); ++i) {
        const SpuriousMode& mode = crystal.spurious[i];
        json["spurious"].push_back({{"offset_khz", mode.offsetKhz},
                                    {"lm_mh", mode.lmMh},
                                    {"rm_ohm", mode.rmOhm},
                                    {"strength_db", fit.spurious[i].strengthDb}});
    }
    json["warnings"] = nlohmann::ordered_json::array();
    for (const FitWarning& warning : fit.warnings) {
        json["warnings"].push_back({{"code", warning.code}, {"text", warning.text()}});
    }
    return json;
}

// The fit's warnings, one line each naming the file.
void printWarnings(const SweepFileOutcome& outcome, std::ostream& err) {
    for (const FitWarning& warning : outcome.fit.warnings) {
        err << "Warning: the fit of '" << outcome.path << "' may not be trusted (" << warning.code
            << "): " << warning.text() << '\n';
    }
}

}  // namespace

bool takeFitOption(FitOptions& options, const std::string& name, const std::string& value) {
    if (name == "fit-crystal") {
        options.files.push_back({value, SweepFormat::Touchstone});
    } else if (name == "sweep-csv") {
        options.files.push_back({value, SweepFormat::Csv});
    } else if (name == settings::kFixtureOhm.option) {
        options.fixtureOhm = settingNumber(settings::kFixtureOhm, value);
    } else if (name == settings::kFixtureLoss.option) {
        options.fixtureLossDb = settingNumber(settings::kFixtureLoss, value);
    } else if (name == "batch-out") {
        options.batchFile = value;
    } else if (name == "fit-phase") {
        if (value != "on" && value != "off") {
            throw UsageError("--fit-phase takes on or off");
        }
        options.model.phaseTerms = value == "on";
        options.phaseGiven = true;
    } else {
        return false;
    }
    return true;
}

std::vector<FitFlag> fitFlags(FitOptions& options) {
    return {{"fit-magnitude-only", &options.model.magnitudeOnly}, {"strict", &options.strict}};
}

void checkFitOptions(const FitOptions& options, const std::set<std::string>& given) {
    if (!options.any() && (options.fixtureOhm || options.fixtureLossDb || options.batchFile)) {
        throw UsageError("--fixture-ohm, --fixture-loss and --batch-out go with --fit-crystal");
    }
    if (!options.any() && (options.phaseGiven || options.model.magnitudeOnly || options.strict)) {
        throw UsageError("--fit-phase, --fit-magnitude-only and --strict go with --fit-crystal");
    }
    if (options.phaseGiven && options.model.magnitudeOnly) {
        throw UsageError("--fit-phase does not go with --fit-magnitude-only, which fits no phase");
    }
    if (!options.any()) {
        return;
    }
    FitOptions unused;
    const std::vector<FitFlag> flags = fitFlags(unused);
    // A fit designs nothing: an option of the design would be silently left out.
    for (const std::string& name : given) {
        const bool fitOption = std::find(std::begin(kFitOptionNames), std::end(kFitOptionNames),
                                         name) != std::end(kFitOptionNames) ||
                               std::any_of(flags.begin(), flags.end(),
                                           [&](const FitFlag& flag) { return name == flag.name; });
        if (!fitOption && name != "json" && name != "help") {
            throw UsageError("--" + name + " does not go with --fit-crystal");
        }
    }
}

std::string fitUsageText() {
    return "  --fit-crystal FILE      fit a crystal to its sweep in a series fixture (Touchstone\n"
           "                          S21; repeat for each crystal) instead of designing, and\n"
           "                          print name,fs_khz,lm_mh,rm_ohm,c0_pf\n"
           "  --sweep-csv FILE        the same for a sweep exported as CSV (docs/sweep-csv.md);\n"
           "                          both may be given, the files are fitted in their order\n" +
           settingUsage(settings::kFixtureOhm) + settingUsage(settings::kFixtureLoss) +
           "  --batch-out FILE        write the fitted crystals as a batch CSV\n"
           "  --fit-phase on|off      fit the fixture's phase offset and slope with the crystal\n"
           "                          (on)\n"
           "  --fit-magnitude-only    fit |S21| alone, for sweeps without a trusted phase\n"
           "  --strict                a fit with a warning gives no crystal and fails the run\n";
}

int runCrystalFit(const FitOptions& options, bool json, std::ostream& out, std::ostream& err) {
    const FixtureChoice fixture{options.fixtureOhm,
                                options.fixtureLossDb.value_or(settings::kFixtureLoss.defaultValue),
                                options.model};
    const std::vector<SweepFileOutcome> outcomes = fitCrystalSweepFiles(options.files, fixture, {});
    CrystalBatch batch;
    nlohmann::ordered_json fits = nlohmann::ordered_json::array();
    for (const SweepFileOutcome& outcome : outcomes) {
        if (!outcome.crystal) {
            err << outcome.message << '\n';
            continue;
        }
        printWarnings(outcome, err);
        if (options.strict && !outcome.fit.warnings.empty()) {
            err << "The crystal in '" << outcome.path << "' is left out: --strict refuses a fit "
                << "with warnings\n";
            continue;
        }
        batch.crystals.push_back(*outcome.crystal);
        fits.push_back(fitJson(*outcome.crystal, outcome.fit));
    }
    bool failed = batch.crystals.size() != outcomes.size();
    try {
        const std::string csv = writeCrystalBatchCsv(batch);
        if (json) {
            nlohmann::ordered_json object;
            object["fit"] = fits;
            out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        } else {
            out << csv;
        }
        // A run that fitted nothing leaves an earlier batch file as it was.
        if (options.batchFile && !batch.crystals.empty()) {
            writeOutput(*options.batchFile, csv, "the crystal batch", out);
        }
    } catch (const CommandError& error) {
        err << error.what() << '\n';
        failed = true;
    }
    return failed ? 1 : 0;
}

}  // namespace trellon::cli
