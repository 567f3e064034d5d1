#pragma once

#include <string>
#include <vector>

#include "BuiltCircuit.h"
#include "Complex.h"
#include "Engine.h"
#include "Netlist.h"

namespace trellon {

// How a curve's levels are drawn: relative to its own peak, or absolute (the level of a
// matched filter's transfer ratio, 0 dB for no loss).
enum class LevelMode { RelativeToPeak, Absolute };

// Everything a drawn curve needs to be shown in any view after the fact: its circuits, the
// design figures its views are placed by, and for each traced point the frequency, the load
// voltage it was solved to and the level as drawn.
struct CurveRecord {
    std::string caption;
    Netlist model;       // the circuit model the chart shows
    BuiltCircuit built;  // the circuit as built, for the quantities at its terminals
    int topology = 0;    // of the design, for its schematic
    double foHz = 0;
    double passBandHz = 0;  // dF
    double bandLowHz = 0;   // the band edges at the level, as the sweep found them
    double bandHighHz = 0;
    double frLevelDb = 0;
    LevelMode levelMode = LevelMode::RelativeToPeak;
    // Added to 20 log10 |load voltage| to give the level as drawn.
    double levelOffsetDb = 0;

    std::vector<double> frequencyHz;
    std::vector<double> detuningKhz;
    std::vector<double> levelDb;  // as drawn
    std::vector<Complex> loadVoltage;

    // The level as this curve draws it, for a load voltage of its model.
    double drawnLevel(Complex loadVoltage) const;
};

// The record of the curve the engine traced last, from its current circuit model and design.
// `built` is the circuit as built that stands for it (makeBuiltCircuit(engine.state) for the
// nominal crystals).
CurveRecord recordTracedCurve(const Engine& engine, std::string caption, BuiltCircuit built);

}  // namespace trellon
