#include "DocumentCircuit.h"

#include "BuiltFilter.h"
#include "CircuitTuning.h"

namespace trellon {

BenchSettings fittingSettings(const ProjectDocument& document) {
    if (document.bench()) {
        return *document.bench();
    }
    BenchSettings none;
    none.eSeries = 0;
    none.strayPf = 0;
    none.match = MatchKind::None;
    return none;
}

std::optional<BenchCircuit> documentCircuit(const ProjectDocument& document, bool withTuning) {
    const std::shared_ptr<const CalculatedDesign>& design = document.calculatedDesign();
    if (!design) {
        return std::nullopt;
    }
    std::vector<MeasuredCrystal> placed;
    if (document.placement().size() == static_cast<std::size_t>(design->crystalCount())) {
        placed = document.placedCrystals().value_or(std::vector<MeasuredCrystal>{});
    }
    const BenchSettings settings = fittingSettings(document);
    const BenchCircuit bench = makeBenchCircuit(
        design->band, placed.empty() ? design->circuit : makeBuiltFilter(*design, placed),
        settings);
    if (!withTuning || !document.tuning()) {
        return bench;
    }
    return tunedBenchCircuit(bench, *document.tuning(), settings);
}

}  // namespace trellon
