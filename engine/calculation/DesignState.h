#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trellon {

// The one record of a design: inputs, prototype row, element values, results at Fo and of the
// sweep, and the window's bookkeeping. Everything starts at zero; each calculation overwrites
// what it computes and leaves the rest as it was.
struct DesignState {
    // Inputs, in the user's units.
    double Fo = 0;              // kHz
    double dF = 0;              // Hz
    double Ld = 0;              // mH
    double Cs = 0;              // pF
    double Rd = 0;              // ohm
    double Ccor = 0;            // pF; 0 after a plain topology
    double FrLevel = 0;         // dB, negative
    std::int32_t Topology = 0;  // 1..7
    std::int32_t Response = 0;  // 1..8

    // Prototype row.
    double G1 = 0, G2 = 0, G3 = 0, G4 = 0, G5 = 0;
    double Kref = 0;  // percent
    double SWR = 0;
    std::string TableKey;

    // Element values.
    double Cq = 0;                           // F
    double Rsource = 0, Rload = 0, Rin = 0;  // ohm
    // Capacitor table in pF; Cap[1]..Cap[25] are used, Cap[0] never.
    std::array<double, 26> Cap{};
    double LevelAtFo = 0;        // dB
    double AttenuationAtFo = 0;  // dB

    // Analysis point of the current solve.
    double Frequency = 0;  // Hz

    // Sweep results.
    double Amin = 0;              // dB
    double FAmin = 0;             // Hz
    double BandLow = 0;           // Hz
    double BandHigh = 0;          // Hz
    double BandWidthAtLevel = 0;  // Hz
    std::string CcorNote;

    // Bookkeeping of the window.
    std::int32_t CalcCount = 0;
    bool Calculated = false;
    std::int32_t LogLastLine = 0;
    bool LogUnsaved = false;
    bool AbsoluteLevel = false;
};

}  // namespace trellon
