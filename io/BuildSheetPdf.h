#pragma once

#include <span>
#include <string>

#include "BenchCircuit.h"

namespace trellon {

// The build sheet on A4 for the command line, in English: a heading, `headLines` (the design and
// how it is fitted), the parts as the CSV lists them (a parallel pair written "100 || 6.2", the
// numbers to 4 digits, the crystal's batch name or the note last), then `tailLines`. The bytes of
// a PDF file.
std::string buildSheetPdf(std::span<const std::string> headLines, const BenchCircuit& bench,
                          std::span<const std::string> crystalNames,
                          std::span<const std::string> tailLines);

}  // namespace trellon
