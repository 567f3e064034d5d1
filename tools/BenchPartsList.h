#pragma once

#include <QStringList>
#include <span>
#include <string>

#include "BenchCircuit.h"

namespace trellon {

// The circuit at the bench as the builder solders it, one part a line from the input: Rin, each
// capacitor with the value to fit (and its design value), each crystal with its name from the
// batch (`crystalNames` in position order; none for the nominal crystal), the matching parts,
// and Rout. Values to four significant digits.
QStringList benchPartsList(const BenchCircuit& bench, std::span<const std::string> crystalNames,
                           double strayPf, char decimalSeparator);

}  // namespace trellon
