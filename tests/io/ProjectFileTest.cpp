#include "ProjectFile.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ExpectCommandError.h"

namespace trellon {
namespace {

using Json = nlohmann::ordered_json;

Project minimalProject() {
    Project project;
    project.design = {.Fo = "8000,5",
                      .Ld = "17.15",
                      .Cs = "3.3",
                      .Rd = "12",
                      .dF = "2400",
                      .level = "-6",
                      .Ccor = "",
                      .Topology = 3,
                      .Response = 8};
    project.batch = {{{"X1", 8000.1, 17.15, 12.5, 3.3}, {"Кварц 2", 7999.95, 17.2, 15, 0}}};
    project.placement = {"Кварц 2", "X1"};
    project.spreads = {.spread = {.sigmaFsHz = 25,
                                  .sigmaLmPercent = 1.5,
                                  .sigmaRmPercent = 10,
                                  .sigmaC0Percent = 2,
                                  .capacitorTolerancePercent = 5,
                                  .strayPf = 0.7},
                       .samples = 500,
                       .seed = 18446744073709551615u,
                       .gridPoints = 401};
    project.targets = {.maxRippleDb = 0.5, .bandwidthTolerancePercent = 7.5, .maxLossDb = 4};
    return project;
}

Project fullProject() {
    Project project = minimalProject();
    project.batch.crystals[0].spurious = {{0.1 + 0.2, 17.15, 1e-2}, {25.5, 40, 60}};
    project.chart = ProjectChart{ChartQuantity::GroupDelay, 12.5, 1001};
    project.exportSettings =
        ProjectExport{ImageFormat::Svg, ImageSizePx{800, 600}, CsvStyle::DecimalComma,
                      TouchstoneFormat::Decibel, TouchstoneRange::WideSpan};
    project.measured = ProjectMeasured{"bench.s2p",
                                       {75,
                                        {1e7, 1.0000001e7},
                                        {{0.1, 0.2}, {0.3, -0.4}},
                                        {{0.1 + 0.2, 0}, {1, 0}},
                                        {{0, 0}, {1e-300, -5e-324}},
                                        {{-1, 1}, {2, 2}}}};
    project.bench = ProjectBench{24, 2.5, 1.2, MatchKind::Transformer, 50};
    project.targets.kind = TargetKind::Absolute;
    project.targets.rippleMarginDb = 0.25;
    project.targets.lossMarginDb = 2;
    project.anyOrder = ProjectAnyOrder{.Fo = "8867,2",
                                       .Ld = "17.15",
                                       .Cs = "3.3",
                                       .Rd = "12",
                                       .bandwidth = "500",
                                       .order = 16,
                                       .family = AnyOrderFamily::QuasiEquiripple,
                                       .rippleDb = 0.05};
    project.tuning = CircuitTuning{.capacitorsPf = {{"C3", 47}, {"Cin+C1", 0.1 + 0.2}},
                                   .trimmersPf = {{"ZQ2", 2200}},
                                   .fsShiftsHz = {{"ZQ1", -12.5}}};
    return project;
}

// Arrays `levels` deep.
Json nested(int levels) {
    Json value = Json::array();
    for (int i = 1; i < levels; ++i) {
        value = Json::array({value});
    }
    return value;
}

Project readText(const std::string& text) {
    return readProjectFile(text, "p.trellon").project;
}

TEST(ProjectFile, RoundTripWithAndWithoutTheOptionalGroupsAndVersionOneZero) {
    const std::string minimal = writeProjectFile(minimalProject());
    EXPECT_EQ(readText(minimal), minimalProject());
    const Json document = Json::parse(minimal);
    EXPECT_EQ(document["version"], "1.2");
    EXPECT_FALSE(document.contains("anyOrder"));
    EXPECT_FALSE(document.contains("chart"));
    EXPECT_FALSE(document["batch"][0].contains("spurious"));
    // A file of version 1.0 knew only absolute targets and no margins.
    Json older = document;
    older["version"] = "1.0";
    for (const char* key : {"targetKind", "rippleMarginDb", "lossMarginDb"}) {
        older["targets"].erase(key);
    }
    Project absolute = minimalProject();
    absolute.targets.kind = TargetKind::Absolute;
    EXPECT_EQ(readText(older.dump()), absolute);

    const std::string full = writeProjectFile(fullProject());
    EXPECT_EQ(readText(full), fullProject());
    // Only a tuned project needs a reader of version 1.3.
    EXPECT_EQ(Json::parse(full)["version"], "1.3");
    Project noSpan = fullProject();
    noSpan.chart->spanKhz.reset();
    noSpan.bench->parallelTolerancePercent.reset();
    noSpan.exportSettings->imageSizePx.reset();
    const std::string noSpanText = writeProjectFile(noSpan);
    EXPECT_EQ(readText(noSpanText), noSpan);
    // A chart size never chosen is not written as if it had been.
    EXPECT_FALSE(Json::parse(noSpanText)["export"].contains("imageWidthPx"));
}

TEST(ProjectFile, FieldsItDoesNotKnowSurviveASave) {
    // As a later minor version might write it, with fields of its own at every level.
    Json later = Json::parse(writeProjectFile(fullProject()));
    later["version"] = "1.7";
    later["notes"] = {{"author", "R3ABC"}, {"tags", {"cw", 8}}};
    later["design"]["comment"] = "second try";
    later["chart"]["gridColour"] = "#ccc";
    // Deep and large, within the limits: 32 levels with the document, 64 KiB in all.
    later["design"]["history"] = nested(30);
    later["trace"] = std::string(60000, 'x');
    const LoadedProject loaded = readProjectFile(later.dump(), "later.trellon");
    EXPECT_EQ(loaded.project, fullProject());

    Project changed = loaded.project;
    changed.design.Fo = "9000";
    changed.chart->spanKhz.reset();
    changed.bench.reset();
    changed.tuning->trimmersPf.clear();
    const Json saved = Json::parse(writeProjectFile(changed, loaded.document));
    EXPECT_EQ(saved["notes"], later["notes"]);
    EXPECT_EQ(saved["design"]["comment"], "second try");
    EXPECT_EQ(saved["design"]["Fo"], "9000");
    EXPECT_EQ(saved["chart"]["gridColour"], "#ccc");
    EXPECT_FALSE(saved["chart"].contains("spanKhz"));
    EXPECT_FALSE(saved.contains("bench"));
    EXPECT_FALSE(saved["tuning"].contains("trimmers"));
    EXPECT_EQ(readText(saved.dump()), changed);
}

TEST(ProjectFile, MalformedOrNewerFilesAreRefusedWithTheirMessage) {
    const Json good = Json::parse(writeProjectFile(fullProject()));
    const auto with = [&](auto change) {
        Json document = good;
        change(document);
        return document.dump(1);
    };
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"{\n  \"format\": \"trellon-project\",\n  \"version\": \"1.0\"\n  \"design\": {}\n}",
         ", line 4: this is not valid JSON"},
        {"[1, 2]", ": this is not a Trellon project"},
        {"{\"format\": 3e999}", ": it holds a number beyond the range of a double"},
        {with([](Json& d) { d["version"] = "2.0"; }),
         ": the field 'version' is '2.0', newer than the 1.x this program reads"},
        {with([](Json& d) { d["version"] = "1"; }),
         ": the field 'version' must be of the form major.minor, such as \"1.0\""},
        {with([](Json& d) { d.erase("targets"); }), ": the field 'targets' is missing"},
        {with([](Json& d) { d["design"]["topology"] = "3"; }),
         ": the field 'design.topology' must be a whole number from 1 to 7"},
        {with([](Json& d) { d["design"]["Fo"] = 8000; }), ": the field 'design.Fo' must be a text"},
        {with([](Json& d) { d["batch"][1]["lm_mh"] = 0; }),
         ": the crystal 'batch[1]': Lm must lie from 1 µH to 100 H"},
        {with([](Json& d) { d["batch"][0]["spurious"][1]["offset_khz"] = 0.2; }),
         ": the crystal 'batch[0]': spurious modes must be listed lowest first, no two at the "
         "same offset"},
        {with([](Json& d) { d["batch"][0]["spurious"][0].erase("rm_ohm"); }),
         ": the field 'batch[0].spurious[0].rm_ohm' is missing"},
        {with([](Json& d) { d["placement"][0] = "X9"; }),
         ": the field 'placement[0]' names 'X9', which is not in the batch"},
        {with([](Json& d) { d["spreads"]["sigmaFsHz"] = -1; }),
         ": the field 'spreads.sigmaFsHz' must be from 0 to below 100000"},
        {with([](Json& d) { d["chart"]["quantity"] = "phase"; }),
         ": the field 'chart.quantity' must be one of amplitude, groupDelay, returnLoss, "
         "wideSpan"},
        {with([](Json& d) { d["design"]["history"] = nested(31); }),
         ": it nests deeper than 32 levels"},
        {with([](Json& d) { d["chart"]["trace"] = std::string(65536, 'x'); }),
         ": its unknown fields take more than 65536 bytes"},
        {with([](Json& d) { d["anyOrder"]["family"] = "elliptic"; }),
         ": the field 'anyOrder.family' must be one of butterworth, chebyshev, bessel, gaussian, "
         "gaussian-6db, gaussian-12db, linear-phase-0.05, linear-phase-0.5, equal-c, qer"},
        {with([](Json& d) { d["anyOrder"]["order"] = 17; }),
         ": the field 'anyOrder.order' must be a whole number from 2 to 16"},
        {with([](Json& d) { d["tuning"]["capacitors"]["C3"] = 0; }),
         ": the field 'tuning.capacitors.C3' must be above 0 and below 1000000"},
        {with([](Json& d) { d["tuning"]["fsShifts"]["ZQ1"] = -2e6; }),
         ": the field 'tuning.fsShifts.ZQ1' must be above -1000000 and below 1000000"},
        {with([](Json& d) { d["tuning"]["trimmers"][""] = 100; }),
         ": the field 'tuning.trimmers' must name each part in 1 to 64 characters"},
        {with([](Json& d) { d["measured"]["s21"][1] = {1}; }),
         ": the field 'measured.s21[1]' must be a pair of numbers [re, im]"},
    };
    for (const auto& c : cases) {
        expectCommandError([&] { readProjectFile(c.text, "p.trellon"); },
                           "Cannot read the project file 'p.trellon'" + c.message);
    }
}

}  // namespace
}  // namespace trellon
