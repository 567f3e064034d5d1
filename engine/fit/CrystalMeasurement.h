#pragma once

namespace trellon {

// What the test oscillator gives: its capacitors and the crystal's shunt capacitance in pF, and
// the two frequencies in kHz, F1 with K1 closed (C1 shorted) and F2 with K1 open (C1 in series
// with the crystal).
struct OscillatorReadings {
    double C1 = 0;
    double C2 = 0;
    double C3 = 0;
    double Cs = 0;
    double F1 = 0;
    double F2 = 0;
};

// The capacitances derived from the readings, pF.
struct CrystalCapacitances {
    double Ca = 0;    // load of the crystal with K1 closed
    double Cb = 0;    // load of the crystal with K1 open
    double Cq = 0;    // motional capacitance
    double Cser = 0;  // Cq in series with Ca
};

// Ld and Fo come from separate calls because the calculator keeps a new Ld even when the
// frequency that follows from it cannot be computed.
// Every operation throws CommandError "Floating point division by zero" for a division of a
// non-zero value by zero, "Invalid floating point operation" for 0 / 0 or a negative root, and
// "Floating point overflow" for a result too large for a number.

CrystalCapacitances MeasureCapacitances(const OscillatorReadings& readings);

// The motional inductance in mH; with F1 = F2 Cser is 0 and this divides by zero.
double MeasureInductance(const CrystalCapacitances& capacitances, double F1);

// The series resonance frequency in kHz from Cq and the inductance Ld in mH.
double MeasureFrequency(const CrystalCapacitances& capacitances, double Ld);

}  // namespace trellon
