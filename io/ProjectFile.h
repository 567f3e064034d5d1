#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BenchCircuit.h"
#include "ChartQuantityKind.h"
#include "CircuitTuning.h"
#include "CrystalBatch.h"
#include "CurveCsv.h"
#include "MonteCarlo.h"
#include "ProjectAnyOrderGroup.h"
#include "SettingTables.h"
#include "Touchstone.h"

namespace trellon {

// The design inputs as typed in the window: the seven field texts exactly as typed (either
// decimal mark) and the two choices.
struct ProjectDesign {
    std::string Fo;     // kHz
    std::string Ld;     // mH
    std::string Cs;     // pF
    std::string Rd;     // ohm
    std::string dF;     // Hz
    std::string level;  // dB
    std::string Ccor;   // pF
    int Topology = 1;   // 1..7
    int Response = 1;   // 1..8

    bool operator==(const ProjectDesign&) const = default;
};

// The spread of real parts and how the Monte-Carlo analysis samples it.
struct ProjectSpreads {
    PartSpread spread;
    int samples = settings::wholeDefault(settings::kSamples);
    std::uint64_t seed = settings::wholeDefault(settings::kSeed);
    int gridPoints = settings::wholeDefault(settings::kGridPoints);

    bool operator==(const ProjectSpreads&) const = default;
};

// What a sample must meet to count towards the yield.
using ProjectTargets = YieldTargets;

// What the chart shows and over which span.
struct ProjectChart {
    ChartQuantity quantity = ChartQuantity::Amplitude;
    std::optional<double> spanKhz;  // half the wide span; the default span where left out
    int spanPoints = settings::wholeDefault(settings::kSpanPoints);

    bool operator==(const ProjectChart&) const = default;
};

enum class ImageFormat { Png, Svg, Pdf };
enum class TouchstoneRange { Band, WideSpan };

// The size of an exported chart image, in pixels.
struct ImageSizePx {
    int width = 0;
    int height = 0;

    bool operator==(const ImageSizePx&) const = default;
};

// The choices of the export dialogs. A chart size is kept only once the user has chosen one.
struct ProjectExport {
    ImageFormat imageFormat = ImageFormat::Png;
    std::optional<ImageSizePx> imageSizePx;
    CsvStyle csvStyle = CsvStyle::DecimalPoint;
    TouchstoneFormat touchstoneFormat = TouchstoneFormat::RealImaginary;
    TouchstoneRange touchstoneRange = TouchstoneRange::Band;

    bool operator==(const ProjectExport&) const = default;
};

// A measured response as it was read, so that the project shows it without its file.
struct ProjectMeasured {
    std::string fileName;
    TwoPortData data;

    bool operator==(const ProjectMeasured&) const = default;
};

// The steps from the design to the bench.
using ProjectBench = BenchSettings;

// Everything a project file holds; the optional groups are left out of a file that has none.
struct Project {
    ProjectDesign design;
    // Present when the design is a ladder of any order rather than one of the seven topologies.
    std::optional<ProjectAnyOrder> anyOrder;
    CrystalBatch batch;
    std::vector<std::string> placement;  // crystal names from the batch, by ladder position
    ProjectSpreads spreads;
    ProjectTargets targets;
    std::optional<ProjectChart> chart;
    std::optional<ProjectExport> exportSettings;
    std::optional<ProjectMeasured> measured;
    std::optional<ProjectBench> bench;
    // The builder's tuning of the filter as placed; nothing when untuned.
    std::optional<CircuitTuning> tuning;

    bool operator==(const Project&) const = default;
};

// The version this program writes; it reads every file of the same major version. A file
// without a tuning is written as version 1.2, which it is: older programs read all of it.
inline constexpr int kProjectMajorVersion = 1;
inline constexpr int kProjectMinorVersion = 3;
inline constexpr int kProjectUntunedMinorVersion = 2;

// A project as read, with the whole document it came from, kept so that saving it again keeps
// the fields this program does not know.
struct LoadedProject {
    Project project;
    std::string document;
};

// Reads and checks the whole file; a file that is not JSON, lacks a required field, holds a
// field of the wrong type or out of range, or has a newer major version throws CommandError
// naming the file (and the line, for a syntax error).
LoadedProject readProjectFile(std::string_view bytes, std::string_view fileName);

// The file's bytes: the kept document (if any) with every field this program knows replaced
// by the project's, and the optional groups the project lacks removed.
std::string writeProjectFile(const Project& project, std::string_view keptDocument = {});

}  // namespace trellon
