#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Complex.h"

namespace trellon {

// The S-parameters of a two-port over frequency, as a Touchstone file (.s2p) holds them.
struct TwoPortData {
    double referenceOhm = 50;
    std::vector<double> frequencyHz;  // strictly increasing
    std::vector<Complex> s11, s21, s12, s22;

    // Exactly the same numbers.
    bool operator==(const TwoPortData& other) const;
};

// How the complex values are written: magnitude and angle in degrees, dB and angle, or real and
// imaginary parts.
enum class TouchstoneFormat { MagnitudeAngle, Decibel, RealImaginary };

// Reads a version 1 two-port file: "!" comments, at most one option line
// "# <Hz|kHz|MHz|GHz> S <MA|DB|RI> R <ohm>" (any order and letter case; GHz, MA and R 50 where
// left out), then records of nine numbers (f, S11, S21, S12, S22) that may wrap over lines.
// The whole file is checked first: any fault throws CommandError naming the file and the line.
TwoPortData readTouchstone(std::string_view bytes, std::string_view fileName);

// The file's bytes: a comment header naming the program, "# Hz S <format> R <ohm>" and one
// record a line, every number with 17 significant digits. The data must have one value of each
// parameter per frequency. A value whose magnitude exceeds the double range cannot be written in
// MA or DB and throws CommandError.
std::string writeTouchstone(const TwoPortData& data, TouchstoneFormat format);

}  // namespace trellon
