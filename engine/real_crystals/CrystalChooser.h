#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "CalculatedDesign.h"
#include "ChoiceMeasure.h"
#include "CrystalBatch.h"
#include "ParallelTasks.h"
#include "SettingTables.h"

namespace trellon {

struct ChoiceSettings {
    int threads = settings::wholeDefault(settings::kThreads);  // 0: one per core
    int measurePoints = 41;  // frequencies of the measure over the ideal band at the level
    // Every placement is tried when there are at most this many (mirror images counted once).
    std::size_t exhaustiveLimit = 20000;
    int searchStarts = 12;  // windows of crystals adjacent in Fs refined by the local search
    ChoiceMeasure measure = ChoiceMeasure::Shape;
};

// Which crystal of the batch goes where, and how close each choice comes to the design by the
// measure of PlacementMeasure (dB, smaller is closer).
struct CrystalChoice {
    ChoiceMeasure kind = ChoiceMeasure::Shape;
    std::vector<std::size_t> placement;  // batch index per crystal position, ZQ1 first
    double measure = 0;
    double shiftHz = 0;   // the common shift and level offset the measure was taken at:
    double offsetDb = 0;  // zero for the absolute measure
    std::vector<std::size_t> naivePlacement;
    double naiveMeasure = 0;
    bool exhaustive = false;  // every placement was tried
};

// The names of the placed crystals, ZQ1 first.
std::vector<std::string> placementNames(const CrystalBatch& batch,
                                        const std::vector<std::size_t>& placement);

// The naive choice: the n crystals whose Fs span is smallest (the first such run in Fs order),
// in batch order.
std::vector<std::size_t> naivePlacement(const CrystalBatch& batch, int n);

// Chooses the design's n crystals from the batch (M >= n) and their positions in it. With few
// placements it tries them all. Otherwise it measures, for every run of n crystals adjacent in Fs,
// the symmetric placement (the two lowest in Fs at ZQ1 and ZQn, the next two one step inwards,
// ...; a pair in parallel takes two crystals adjacent in Fs), then refines the naive choice and
// the best runs by local search: the best of all swaps of two positions and all exchanges of a
// placed crystal for an unused one within n places in Fs order of the placed ones, until none
// improves (for the shape measure the neighbours are ranked by an estimate and the best two
// measured in full). The two crystals of a pair make the same circuit either way round: they are
// never swapped with each other, nor are both orders tried. Starts from the naive choice, so
// never does worse. Returns nothing when cancelled; throws CommandError when the batch has fewer
// than n crystals.
std::optional<CrystalChoice> ChooseCrystals(const CalculatedDesign& design,
                                            const CrystalBatch& batch,
                                            const ChoiceSettings& settings,
                                            const ProgressCallback& progress,
                                            std::atomic<bool>& cancel);

}  // namespace trellon
