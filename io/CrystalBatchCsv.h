#pragma once

#include <string>
#include <string_view>

#include "CrystalBatch.h"

namespace trellon {

// Reads a crystal batch from CSV with a header line, in one of three sets of columns, found by
// name in any order and any letter case:
//   name,fs_khz,lm_mh,rm_ohm,c0_pf   the program's own units; cm_ff (fF) may stand in place of
//                                     lm_mh, or stand beside it and must then agree within 1 %;
//   XTAL,FS,CM,LM,RM,QU,CO           hertz, farad, henry, ohm, unitless, farad; FS and LM define
//                                     the crystal, CM (if given) must agree within 1 %, QU is
//                                     ignored;
//   name,f1_khz,f2_khz,cl1_pf,...     crystals measured in an oscillator at two load
//                                     capacitances, handed to readOscillatorShiftCsv.
// The program's set may add a crystal's spurious modes, each in three columns that come together:
// spur1_khz (the offset above Fs), spur1_lm_mh, spur1_rm_ohm, and so on to spur3_rm_ohm; a mode
// is given by all three values of a line or left empty.
// Columns are separated by "," with a decimal point, or by ";" with a decimal point or comma
// (the header line decides). Values may be quoted with "" for a quote inside. The whole file is
// checked first: any fault throws CommandError naming the file and the line.
CrystalBatch readCrystalBatchCsv(std::string_view bytes, std::string_view fileName);

// The batch in the program's columns, "," and a decimal point, 17 significant digits, header
// first; a name is quoted where it needs to be. The spurious modes' columns follow when some
// crystal has them, as many modes as the crystal with the most, empty where a crystal has fewer.
// Throws CommandError for a name with a line break.
std::string writeCrystalBatchCsv(const CrystalBatch& batch);

}  // namespace trellon
