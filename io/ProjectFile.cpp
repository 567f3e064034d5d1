#include "ProjectFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "NumberText.h"
#include "ProjectAnyOrder.h"
#include "ProjectBatch.h"
#include "ProjectFields.h"
#include "ProjectPhrases.h"
#include "ProjectTuning.h"
#include "ResponseDescription.h"
#include "TextReading.h"
#include "TopologyDescription.h"

namespace trellon {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFormatName = "trellon-project";

// The names a file uses for each choice, in the order of the enumeration.
constexpr std::array<std::string_view, 4> kQuantityNames = {"amplitude", "groupDelay", "returnLoss",
                                                            "wideSpan"};
constexpr std::array<std::string_view, 3> kImageNames = {"png", "svg", "pdf"};
constexpr std::array<std::string_view, 2> kCsvStyleNames = {"decimalPoint", "decimalComma"};
constexpr std::array<std::string_view, 3> kTouchstoneFormatNames = {"MA", "DB", "RI"};
constexpr std::array<std::string_view, 2> kTouchstoneRangeNames = {"band", "wideSpan"};
constexpr std::array<std::string_view, 4> kMatchNames = {"none", "lc", "cl", "transformer"};
constexpr std::array<std::string_view, 2> kTargetKindNames = {"relative", "absolute"};

using Fields = ProjectFields;
using Bound = Fields::Bound;

void readVersion(const Fields& root) {
    const std::string version = root.text("version");
    const std::size_t dot = version.find('.');
    int major = -1;
    int minor = -1;
    const auto whole = [](std::string_view digits, int& value) {
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return !digits.empty() && digits.front() != '-' && error == std::errc() &&
               end == digits.data() + digits.size();
    };
    if (dot == std::string::npos || !whole(std::string_view(version).substr(0, dot), major) ||
        !whole(std::string_view(version).substr(dot + 1), minor) || major < 1) {
        root.fail("version", projectPhrase("project-version-form"));
    }
    if (major > kProjectMajorVersion) {
        root.fail("version", projectPhrase("project-version-newer"),
                  {quotedArgument(version), {std::to_string(kProjectMajorVersion)}});
    }
}

ProjectDesign readDesign(const Fields& design) {
    return {.Fo = design.text("Fo"),
            .Ld = design.text("Ld"),
            .Cs = design.text("Cs"),
            .Rd = design.text("Rd"),
            .dF = design.text("dF"),
            .level = design.text("level"),
            .Ccor = design.text("Ccor"),
            .Topology = design.integer("topology", 1, kTopologyCount),
            .Response = design.integer("response", 1, kResponseCount)};
}

std::vector<std::string> readPlacement(const Fields& root, const CrystalBatch& batch,
                                       std::string_view fileName) {
    std::vector<std::string> placement;
    const Json& array = root.array("placement");
    for (std::size_t i = 0; i < array.size(); ++i) {
        const std::string path = root.elementName("placement", i);
        const auto inBatch = [&](const MeasuredCrystal& c) { return c.name == array[i]; };
        if (!array[i].is_string()) {
            failOnProject(fileName, projectPhrase("field-text"), {quotedArgument(path)});
        }
        const std::string name = array[i].get<std::string>();
        if (std::none_of(batch.crystals.begin(), batch.crystals.end(), inBatch)) {
            failOnProject(fileName, projectPhrase("field-not-in-batch"),
                          {quotedArgument(path), quotedArgument(name)});
        }
        if (std::find(placement.begin(), placement.end(), name) != placement.end()) {
            failOnProject(fileName, projectPhrase("field-placed-twice"),
                          {quotedArgument(path), quotedArgument(name)});
        }
        placement.push_back(name);
    }
    return placement;
}

ProjectSpreads readSpreads(const Fields& spreads) {
    using namespace settings;
    ProjectSpreads read{.spread = {.sigmaFsHz = spreads.setting(kSigmaFs),
                                   .sigmaLmPercent = spreads.setting(kSigmaLm),
                                   .sigmaRmPercent = spreads.setting(kSigmaRm),
                                   .sigmaC0Percent = spreads.setting(kSigmaC0),
                                   .capacitorTolerancePercent = spreads.setting(kCapTolerance),
                                   .strayPf = spreads.setting(kSpreadStray)},
                        .samples = spreads.count(kSamples),
                        .seed = spreads.unsignedInteger(kSeed.key),
                        .gridPoints = spreads.count(kGridPoints)};
    if (!sampledLevelsFit(read.samples, read.gridPoints)) {
        spreads.fail(kSamples.key, projectPhrase("field-product"),
                     {{std::string(kGridPoints.key)}, {FormatGeneral(kMaxSampledLevels, 15, '.')}});
    }
    return read;
}

// Files before relative targets (version 1.0) have neither the kind nor the margins: their
// targets are absolute, as they were saved with.
ProjectTargets readTargets(const Fields& targets) {
    using namespace settings;
    const auto margin = [&](const SettingDeclaration& declaration) {
        return targets.optionalSetting(declaration).value_or(declaration.defaultValue);
    };
    return {.kind = targets.has(kTargetKind.key)
                        ? targets.choice<TargetKind>(kTargetKind.key, kTargetKindNames)
                        : TargetKind::Absolute,
            .maxRippleDb = targets.setting(kMaxRipple),
            .bandwidthTolerancePercent = targets.setting(kBandwidthTolerance),
            .maxLossDb = targets.setting(kMaxLoss),
            .rippleMarginDb = margin(kRippleMargin),
            .lossMarginDb = margin(kLossMargin)};
}

ProjectChart readChart(const Fields& chart) {
    return {.quantity = chart.choice<ChartQuantity>("quantity", kQuantityNames),
            .spanKhz = chart.optionalSetting(settings::kSpanKhz),
            .spanPoints = chart.count(settings::kSpanPoints)};
}

// A file without a chart size (or one written before the size was kept only when chosen, which
// always has one) is read as it is.
ProjectExport readExport(const Fields& settings) {
    std::optional<ImageSizePx> size;
    if (settings.has("imageWidthPx") || settings.has("imageHeightPx")) {
        size = ImageSizePx{settings.integer("imageWidthPx", 1, 100000),
                           settings.integer("imageHeightPx", 1, 100000)};
    }
    return {.imageFormat = settings.choice<ImageFormat>("imageFormat", kImageNames),
            .imageSizePx = size,
            .csvStyle = settings.choice<CsvStyle>("csvStyle", kCsvStyleNames),
            .touchstoneFormat =
                settings.choice<TouchstoneFormat>("touchstoneFormat", kTouchstoneFormatNames),
            .touchstoneRange =
                settings.choice<TouchstoneRange>("touchstoneRange", kTouchstoneRangeNames)};
}

std::vector<Complex> readComplexArray(const Fields& owner, std::string_view key, std::size_t count,
                                      std::string_view fileName) {
    const Json& array = owner.array(key);
    if (array.size() != count) {
        owner.fail(key, projectPhrase("field-per-frequency"));
    }
    std::vector<Complex> values;
    for (std::size_t i = 0; i < array.size(); ++i) {
        const Json& pair = array[i];
        if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number() || !pair[1].is_number()) {
            failOnProject(fileName, projectPhrase("field-pair"),
                          {quotedArgument(owner.elementName(key, i))});
        }
        values.push_back({pair[0].get<double>(), pair[1].get<double>()});
    }
    return values;
}

ProjectMeasured readMeasured(const Fields& measured, std::string_view fileName) {
    ProjectMeasured result{.fileName = measured.text("fileName"), .data = {}};
    TwoPortData& data = result.data;
    data.referenceOhm = measured.number("referenceOhm", Bound::Positive);
    const Json& frequencies = measured.array("frequencyHz");
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        const Json& f = frequencies[i];
        if (!f.is_number() || f.get<double>() < 0 ||
            (i > 0 && !(f.get<double>() > data.frequencyHz.back()))) {
            measured.fail("frequencyHz", projectPhrase("field-frequencies"));
        }
        data.frequencyHz.push_back(f.get<double>());
    }
    const std::size_t count = data.frequencyHz.size();
    data.s11 = readComplexArray(measured, "s11", count, fileName);
    data.s21 = readComplexArray(measured, "s21", count, fileName);
    data.s12 = readComplexArray(measured, "s12", count, fileName);
    data.s22 = readComplexArray(measured, "s22", count, fileName);
    return result;
}

ProjectBench readBench(const Fields& bench) {
    using namespace settings;
    const int eSeries = bench.count(kESeries);
    if (eSeries != 0 && !isESeries(eSeries)) {
        bench.fail(kESeries.key, projectPhrase("field-e-series"));
    }
    return {.eSeries = eSeries,
            .parallelTolerancePercent = bench.optionalSetting(kParallelTolerance),
            .strayPf = bench.setting(kBenchStray),
            .match = bench.choice<MatchKind>(kMatch.key, kMatchNames),
            .systemOhm = bench.setting(kSystemOhm)};
}

template <typename Group, typename Read>
std::optional<Group> optionalGroup(const Fields& root, std::string_view key, Read read) {
    if (!root.has(key)) {
        return std::nullopt;
    }
    return read(root.object(key));
}

// The line of a byte position, counted from 1.
int lineAt(std::string_view bytes, std::size_t position) {
    const std::size_t end = std::min(position, bytes.size());
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + end, '\n'));
}

// --- writing ---------------------------------------------------------------------------------

template <std::size_t N>
std::string nameOf(const std::array<std::string_view, N>& names, auto choice) {
    return std::string(names.at(static_cast<std::size_t>(choice)));
}

Json complexArray(const std::vector<Complex>& values) {
    Json array = Json::array();
    for (const Complex value : values) {
        array.push_back(Json::array({value.re, value.im}));
    }
    return array;
}

// Each group as an object; a null member stands for an optional field left out.
Json designJson(const ProjectDesign& d) {
    return {{"Fo", d.Fo},
            {"Ld", d.Ld},
            {"Cs", d.Cs},
            {"Rd", d.Rd},
            {"dF", d.dF},
            {"level", d.level},
            {"Ccor", d.Ccor},
            {"topology", d.Topology},
            {"response", d.Response}};
}

// A group's members under their settings' keys, in the order given.
Json settingsJson(std::initializer_list<std::pair<const SettingDeclaration*, Json>> members) {
    Json group = Json::object();
    for (const auto& [declaration, value] : members) {
        group[std::string(declaration->key)] = value;
    }
    return group;
}

Json spreadsJson(const ProjectSpreads& s) {
    using namespace settings;
    return settingsJson({{&kSigmaFs, s.spread.sigmaFsHz},
                         {&kSigmaLm, s.spread.sigmaLmPercent},
                         {&kSigmaRm, s.spread.sigmaRmPercent},
                         {&kSigmaC0, s.spread.sigmaC0Percent},
                         {&kCapTolerance, s.spread.capacitorTolerancePercent},
                         {&kSpreadStray, s.spread.strayPf},
                         {&kSamples, s.samples},
                         {&kSeed, s.seed},
                         {&kGridPoints, s.gridPoints}});
}

Json targetsJson(const ProjectTargets& t) {
    using namespace settings;
    return settingsJson({{&kTargetKind, nameOf(kTargetKindNames, t.kind)},
                         {&kMaxRipple, t.maxRippleDb},
                         {&kBandwidthTolerance, t.bandwidthTolerancePercent},
                         {&kMaxLoss, t.maxLossDb},
                         {&kRippleMargin, t.rippleMarginDb},
                         {&kLossMargin, t.lossMarginDb}});
}

Json optionalNumberJson(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json chartJson(const ProjectChart& c) {
    Json chart = {{"quantity", nameOf(kQuantityNames, c.quantity)}};
    chart.update(settingsJson({{&settings::kSpanKhz, optionalNumberJson(c.spanKhz)},
                               {&settings::kSpanPoints, c.spanPoints}}));
    return chart;
}

Json exportJson(const ProjectExport& e) {
    Json settings = {{"imageFormat", nameOf(kImageNames, e.imageFormat)}};
    if (e.imageSizePx) {
        settings["imageWidthPx"] = e.imageSizePx->width;
        settings["imageHeightPx"] = e.imageSizePx->height;
    }
    settings.update(Json{{"csvStyle", nameOf(kCsvStyleNames, e.csvStyle)},
                         {"touchstoneFormat", nameOf(kTouchstoneFormatNames, e.touchstoneFormat)},
                         {"touchstoneRange", nameOf(kTouchstoneRangeNames, e.touchstoneRange)}});
    return settings;
}

Json measuredJson(const ProjectMeasured& m) {
    return {{"fileName", m.fileName},
            {"referenceOhm", m.data.referenceOhm},
            {"frequencyHz", m.data.frequencyHz},
            {"s11", complexArray(m.data.s11)},
            {"s21", complexArray(m.data.s21)},
            {"s12", complexArray(m.data.s12)},
            {"s22", complexArray(m.data.s22)}};
}

Json benchJson(const ProjectBench& b) {
    using namespace settings;
    return settingsJson({{&kESeries, b.eSeries},
                         {&kParallelTolerance, optionalNumberJson(b.parallelTolerancePercent)},
                         {&kBenchStray, b.strayPf},
                         {&kMatch, nameOf(kMatchNames, b.match)},
                         {&kSystemOhm, b.systemOhm}});
}

// Replaces the known members of a kept group and removes those left out, keeping the rest.
void mergeGroup(Json& document, const std::string& key, const Json& group) {
    if (group.is_null()) {
        document.erase(key);
        return;
    }
    Json& kept = document[key];
    if (!group.is_object() || !kept.is_object()) {
        kept = group;
    }
    for (const auto& [member, value] : group.items()) {
        if (value.is_null()) {
            kept.erase(member);
        } else {
            kept[member] = value;
        }
    }
}

template <typename Group>
Json optionalJson(const std::optional<Group>& group, Json (*toJson)(const Group&)) {
    return group ? toJson(*group) : Json(nullptr);
}

// Fields this program does not know are kept, so long as they stay small: a deep or large one
// would make every save slow and large (docs/project-file.md).
constexpr int kDeepestNesting = 32;
constexpr std::size_t kUnknownFieldsLimit = 64 * 1024;

// The parser's callback that refuses a document nested deeper than the limit.
Json::parser_callback_t nestingLimit(std::string_view fileName) {
    return [fileName](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth >= kDeepestNesting) {
            failOnProject(fileName, projectPhrase("project-too-deep"),
                          {{std::to_string(kDeepestNesting)}});
        }
        return true;
    };
}

// The size, as compact JSON, of the members of `object` that `known` does not have.
std::size_t unknownMembersSize(const Json& object, const Json& known) {
    std::size_t size = 0;
    for (const auto& [key, value] : object.items()) {
        if (!known.contains(key)) {
            size += key.size() + value.dump().size();
        }
    }
    return size;
}

// The same at the top level and inside the groups that both documents have.
std::size_t unknownFieldsSize(const Json& document, const Json& known) {
    std::size_t size = unknownMembersSize(document, known);
    for (const auto& [key, value] : document.items()) {
        const auto group = known.find(key);
        if (value.is_object() && group != known.end() && group->is_object()) {
            size += unknownMembersSize(value, *group);
        }
    }
    return size;
}

}  // namespace

LoadedProject readProjectFile(std::string_view bytes, std::string_view fileName) {
    Json document;
    try {
        document = Json::parse(bytes.begin(), bytes.end(), nestingLimit(fileName));
    } catch (const Json::parse_error& error) {
        failOnLine(kProjectFileKind, fileName, lineAt(bytes, error.byte > 0 ? error.byte - 1 : 0),
                   {{&projectPhrase("project-not-json"), {}}});
    } catch (const Json::out_of_range&) {
        // The parser refuses a number beyond the double range this way, without its place.
        failOnProject(fileName, projectPhrase("project-double-range"));
    }
    if (!document.is_object() || !document.contains("format") ||
        document["format"] != kFormatName) {
        failOnProject(fileName, projectPhrase("project-not-project"));
    }
    const Fields root(document, "", fileName);
    readVersion(root);
    LoadedProject loaded;
    Project& project = loaded.project;
    project.design = readDesign(root.object("design"));
    project.anyOrder = optionalGroup<ProjectAnyOrder>(root, "anyOrder", readProjectAnyOrder);
    project.batch = readProjectBatch(root, fileName);
    project.placement = readPlacement(root, project.batch, fileName);
    project.spreads = readSpreads(root.object("spreads"));
    project.targets = readTargets(root.object("targets"));
    project.chart = optionalGroup<ProjectChart>(root, "chart", readChart);
    project.exportSettings = optionalGroup<ProjectExport>(root, "export", readExport);
    project.measured = optionalGroup<ProjectMeasured>(
        root, "measured", [&](const Fields& f) { return readMeasured(f, fileName); });
    project.bench = optionalGroup<ProjectBench>(root, "bench", readBench);
    project.tuning = optionalGroup<CircuitTuning>(root, "tuning", readProjectTuning);
    if (unknownFieldsSize(document, Json::parse(writeProjectFile(project))) > kUnknownFieldsLimit) {
        failOnProject(fileName, projectPhrase("project-unknown-too-large"),
                      {{std::to_string(kUnknownFieldsLimit)}});
    }
    loaded.document = document.dump();
    return loaded;
}

std::string writeProjectFile(const Project& project, std::string_view keptDocument) {
    Json document = Json::object();
    if (!keptDocument.empty()) {
        document = Json::parse(keptDocument.begin(), keptDocument.end(), nullptr, false);
        if (!document.is_object()) {
            document = Json::object();
        }
    }
    document["format"] = kFormatName;
    const int minor = project.tuning ? kProjectMinorVersion : kProjectUntunedMinorVersion;
    document["version"] = std::to_string(kProjectMajorVersion) + "." + std::to_string(minor);
    mergeGroup(document, "design", designJson(project.design));
    mergeGroup(document, "anyOrder", optionalJson(project.anyOrder, projectAnyOrderJson));
    document["batch"] = projectBatchJson(project.batch);
    document["placement"] = project.placement;
    mergeGroup(document, "spreads", spreadsJson(project.spreads));
    mergeGroup(document, "targets", targetsJson(project.targets));
    mergeGroup(document, "chart", optionalJson(project.chart, chartJson));
    mergeGroup(document, "export", optionalJson(project.exportSettings, exportJson));
    mergeGroup(document, "measured", optionalJson(project.measured, measuredJson));
    mergeGroup(document, "bench", optionalJson(project.bench, benchJson));
    mergeGroup(document, "tuning", optionalJson(project.tuning, projectTuningJson));
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace trellon
