#pragma once

#include <string_view>

#include "CrystalBatch.h"

namespace trellon {

// Whether a crystal batch's header line names the columns of crystals measured in an oscillator
// (it has an f1_khz column).
bool holdsOscillatorShifts(std::string_view bytes);

// Reads such a batch: the columns name,f1_khz,f2_khz,cl1_pf,cl2_pf,c0_pf,rm_ohm, all of them and
// no other, found by name in any order and letter case, separated and quoted as the batch's own
// columns are; each row becomes the crystal crystalOfOscillatorShift works out. The whole file
// is checked first: any fault throws CommandError naming the file and the line.
CrystalBatch readOscillatorShiftCsv(std::string_view bytes, std::string_view fileName);

}  // namespace trellon
