#pragma once

#include <string_view>

#include "Touchstone.h"

namespace trellon {

// A crystal's sweep as a fit takes it: S21 over frequency, and whether its phase was measured.
// Without a phase the S21 values are real (phase 0) and only their magnitude is measured.
struct MeasuredSweep {
    TwoPortData data;  // S21 only; the other parameters are left empty
    bool hasPhase = true;
};

// Reads a sweep exported as CSV: a header line naming a frequency column with its unit
// (frequency_hz, frequency_khz or frequency_mhz), the level as s21_db (0 dB or below) or as
// loss_db (0 dB or above), and an optional phase_deg; found by name in any order and letter
// case, other columns ignored; separated and quoted as the crystal batch is. Frequencies must be
// positive and strictly increasing. The reference resistance is 50 ohm, as a Touchstone file
// without one has. The whole file is checked first: any fault throws CommandError naming the
// file and the line.
MeasuredSweep readSweepCsv(std::string_view bytes, std::string_view fileName);

}  // namespace trellon
