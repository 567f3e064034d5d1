#pragma once

#include <QStringList>

#include "BuiltCircuit.h"

namespace trellon {

// The lines written beside a part on the schematic: its name, then its value in the unit a
// builder reads (pF, µH) to 4 significant digits. A crystal shows its name only, and how many
// crystals it stands for when they are several in parallel. A value that is no number or not
// above zero shows as a dash.
QStringList schematicPartLabel(const BuiltPart& part, char decimalSeparator);

// The lines beside a termination resistance: its name and its value in ohm.
QStringList schematicResistanceLabel(const char* name, double ohm, char decimalSeparator);

}  // namespace trellon
