#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "BuiltCircuit.h"
#include "CrystalBatch.h"
#include "CrystalModel.h"
#include "Engine.h"
#include "Netlist.h"
#include "TracedBand.h"

namespace trellon {

// What only the classic ladder's own report and chart read of a design: its circuit model's
// series ends to Rsource, the capacitor slots and the key of its prototype row.
struct ClassicModel {
    std::string tableKey;
    double sourceResistance = 0;   // ohm: Rsource
    double loadResistance = 0;     // ohm: Rload
    std::array<double, 26> cap{};  // pF; Cap[1]..Cap[25]
    double ccor = 0;               // pF
};

// A completed calculation, as every analysis after it takes it. Nothing changes it: a new
// calculation makes a new one.
struct CalculatedDesign {
    explicit CalculatedDesign(TracedBand tracedBand) : band(tracedBand) {}

    // Which filter it is.
    int topology = 0;
    int response = 0;
    std::string name;  // what its reports are headed with

    // What the reports need of the inputs.
    double foKhz = 0;
    double passBandHz = 0;    // dF
    double frLevelDb = 0;     // the level the band is traced at, negative
    MeasuredCrystal nominal;  // the crystal as typed: Fo, Ld, Rd, Cs

    // The circuit as built, with the nominal crystal in every position.
    BuiltCircuit circuit;

    // The ideal filter the analyses compare against: the circuit its curve was traced on, the
    // band it traced and the curve's figures.
    Netlist reference;
    TracedBand band;
    double amin = 0;              // dB
    double fAmin = 0;             // Hz
    double bandwidthAtLevel = 0;  // Hz
    double levelAtFo = 0;         // dB
    double attenuationAtFo = 0;   // dB

    std::optional<ClassicModel> classic;

    double foHz() const { return foKhz * 1000; }
    // The crystals of the circuit, each of a pair counted: its crystal positions, ZQ1 first.
    int crystalCount() const;
};

// What names the design to a user beside its results: the key of its report's heading and its Fo,
// as "T08C-54-3100, Fo=8867.2 kHz".
std::string designCaption(const CalculatedDesign& design, char decimalSeparator);

// The design of the engine's last calculation, which has traced its band. Throws
// std::logic_error when it has not.
std::shared_ptr<const CalculatedDesign> calculatedDesignOf(const Engine& engine);

}  // namespace trellon
