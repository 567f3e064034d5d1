#include "CurveRecord.h"

#include <cmath>

#include "CircuitSolver.h"

namespace trellon {

double CurveRecord::drawnLevel(Complex u) const {
    return CircuitSolver::levelOf(u) + levelOffsetDb;
}

CurveRecord recordTracedCurve(const Engine& engine, std::string caption, BuiltCircuit built) {
    const DesignState& s = engine.state;
    const CurvePoints& curve = engine.curve;
    const double matchedLoss = kMatchedLoadLossDb;
    CurveRecord record;
    record.caption = std::move(caption);
    record.model = engine.netlist;
    record.built = std::move(built);
    record.topology = s.Topology;
    record.foHz = s.Fo * 1000;
    record.passBandHz = s.dF;
    record.bandLowHz = s.BandLow;
    record.bandHighHz = s.BandHigh;
    record.frLevelDb = s.FrLevel;
    record.levelMode = s.AbsoluteLevel ? LevelMode::Absolute : LevelMode::RelativeToPeak;
    // The sweep keeps the peak level only as Amin = -matchedLoss - peak.
    record.levelOffsetDb = s.AbsoluteLevel ? matchedLoss : s.Amin + matchedLoss;
    const std::span<const double> f = curve.frequencyHz();
    record.frequencyHz.assign(f.begin(), f.end());
    record.detuningKhz.assign(curve.x().begin(), curve.x().end());
    record.levelDb.assign(curve.y().begin(), curve.y().end());
    record.loadVoltage.reserve(f.size());
    for (int i = 0; i < curve.size(); ++i) {
        record.loadVoltage.push_back(curve.loadVoltage(i));
    }
    return record;
}

}  // namespace trellon
