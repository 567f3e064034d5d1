// A setting's range is one: the engine's check, the project file and the command line refuse
// the same values, and --help lists every option of the tables.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "BenchCircuit.h"
#include "CliOptions.h"
#include "CommandError.h"
#include "MonteCarlo.h"
#include "NumberText.h"
#include "ProjectFile.h"
#include "WideSpan.h"

namespace trellon {
namespace {

using Json = nlohmann::ordered_json;

// Just outside the range at its top and at its bottom.
std::vector<double> outsideValues(const SettingDeclaration& declaration) {
    const SettingRange& r = declaration.range;
    const double step = declaration.whole ? 1 : 1e-9;
    std::vector<double> values{r.lowIncluded ? r.low - step : r.low};
    if (!std::isinf(r.high)) {
        values.push_back(r.highIncluded ? r.high + step : r.high);
    }
    return values;
}

// A check of the engine on its settings with one value changed.
template <typename Settings>
std::function<void(double)> engineCheck(void (*check)(const Settings&),
                                        void (*change)(Settings&, double)) {
    return [check, change](double value) {
        Settings settings;
        change(settings, value);
        check(settings);
    };
}

void runMonteCarlo(const MonteCarloSettings& settings) {
    std::atomic<bool> cancel{false};
    RunMonteCarlo(CalculatedDesign(*TracedBand::between(0, 1)), BuiltCircuit{}, settings, {},
                  cancel);
}

void traceSpan(const SpanSettings& settings) {
    spanFrequencies(CurveRecord{}, settings);
}

TEST(SettingTables, EveryRangeIsEnforcedAlikeByEngineProjectFileAndCommandLine) {
    using namespace settings;
    using Bench = BenchSettings;
    using Mc = MonteCarloSettings;
    using Span = SpanSettings;
    const struct {
        const SettingDeclaration& declaration;
        std::string group;  // in the project file
        std::function<void(double)> engineCheck;
    } cases[] = {
        {kParallelTolerance, "bench",
         engineCheck<Bench>(requireValidBenchSettings,
                            [](Bench& s, double v) { s.parallelTolerancePercent = v; })},
        {kBenchStray, "bench",
         engineCheck<Bench>(requireValidBenchSettings, [](Bench& s, double v) { s.strayPf = v; })},
        {kSystemOhm, "bench",
         engineCheck<Bench>(requireValidBenchSettings,
                            [](Bench& s, double v) { s.systemOhm = v; })},
        {kSigmaFs, "spreads",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.spread.sigmaFsHz = v; })},
        {kSigmaLm, "spreads",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.spread.sigmaLmPercent = v; })},
        {kSigmaRm, "spreads",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.spread.sigmaRmPercent = v; })},
        {kSigmaC0, "spreads",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.spread.sigmaC0Percent = v; })},
        {kCapTolerance, "spreads",
         engineCheck<Mc>(runMonteCarlo,
                         [](Mc& s, double v) { s.spread.capacitorTolerancePercent = v; })},
        {kSpreadStray, "spreads",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.spread.strayPf = v; })},
        {kSamples, "spreads",
         engineCheck<Mc>(runMonteCarlo,
                         [](Mc& s, double v) {
                             s.samples = int(v);
                             s.gridPoints = 2;
                         })},
        {kGridPoints, "spreads",
         engineCheck<Mc>(runMonteCarlo,
                         [](Mc& s, double v) {
                             s.samples = 1;
                             s.gridPoints = int(v);
                         })},
        {kMaxLoss, "targets",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.targets.maxLossDb = v; })},
        {kBandwidthTolerance, "targets",
         engineCheck<Mc>(runMonteCarlo,
                         [](Mc& s, double v) { s.targets.bandwidthTolerancePercent = v; })},
        {kRippleMargin, "targets",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.targets.rippleMarginDb = v; })},
        {kLossMargin, "targets",
         engineCheck<Mc>(runMonteCarlo, [](Mc& s, double v) { s.targets.lossMarginDb = v; })},
        {kSpanKhz, "chart",
         engineCheck<Span>(traceSpan, [](Span& s, double v) { s.halfWidthHz = v * 1000; })},
        {kSpanPoints, "chart",
         engineCheck<Span>(traceSpan, [](Span& s, double v) { s.points = int(v); })},
    };
    Project project;
    project.chart = ProjectChart{};
    project.bench = BenchSettings{};
    project.bench->parallelTolerancePercent = 2;
    const Json good = Json::parse(writeProjectFile(project));
    for (const auto& c : cases) {
        for (const double value : outsideValues(c.declaration)) {
            const std::string typed = FormatGeneral(value, 17, '.');
            SCOPED_TRACE(std::string(c.declaration.key) + " = " + typed);
            EXPECT_THROW(c.engineCheck(value), CommandError);
            EXPECT_THROW(
                cli::parseCliOptions({"--" + std::string(c.declaration.option), typed}, '.'),
                cli::UsageError);
            Json document = good;
            document[c.group][std::string(c.declaration.key)] = value;
            try {
                readProjectFile(document.dump(), "p.json");
                ADD_FAILURE() << "the project file took it";
            } catch (const CommandError& error) {
                const SettingRequirement requirement = settingRequirement(c.declaration);
                const std::string field =
                    "the field '" + c.group + "." + std::string(c.declaration.key) + "' must be ";
                EXPECT_NE(std::string(error.what()).find(field), std::string::npos) << error.what();
                EXPECT_NE(std::string(error.what()).find(requirement.low), std::string::npos)
                    << error.what();
            }
        }
    }
}

TEST(SettingTables, HelpListsEveryOptionOfTheTables) {
    const std::string help = cli::usageText();
    using Table = std::span<const SettingDeclaration* const>;
    const Table tables[] = {settings::kBenchTable,    settings::kSpreadTable,
                            settings::kSamplingTable, settings::kTargetTable,
                            settings::kSpanTable,     settings::kFixtureTable};
    for (const Table table : tables) {
        for (const SettingDeclaration* declaration : table) {
            EXPECT_NE(help.find("  --" + std::string(declaration->option) + " "), std::string::npos)
                << declaration->option;
        }
    }
}

}  // namespace
}  // namespace trellon
