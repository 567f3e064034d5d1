#include "DesignCurveRecord.h"

#include "BuiltFilter.h"
#include "GridSolve.h"

namespace trellon {

CurveRecord designCurveRecord(const CalculatedDesign& design, LevelMode mode, std::string caption) {
    CurveRecord record;
    record.caption = std::move(caption);
    record.model = design.reference;
    record.built = design.circuit;
    record.topology = design.topology;
    record.foHz = design.foHz();
    record.passBandHz = design.passBandHz;
    record.bandLowHz = design.band.lowHz();
    record.bandHighHz = design.band.highHz();
    record.frLevelDb = design.frLevelDb;
    record.levelMode = mode;
    record.levelOffsetDb =
        mode == LevelMode::Absolute ? kMatchedLoadLossDb : design.amin + kMatchedLoadLossDb;
    record.frequencyHz = idealTraceFrequencies(design.band);
    const std::vector<GridPoint> points = SolveNetlistGrid(record.model, record.frequencyHz);
    for (std::size_t i = 0; i < points.size(); ++i) {
        record.detuningKhz.push_back((record.frequencyHz[i] - record.foHz) / 1000);
        record.loadVoltage.push_back(points[i].loadVoltage);
        record.levelDb.push_back(record.drawnLevel(points[i].loadVoltage));
    }
    return record;
}

}  // namespace trellon
