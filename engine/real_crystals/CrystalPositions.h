#pragma once

#include <span>
#include <string>
#include <vector>

#include "BuiltCircuit.h"
#include "CrystalModel.h"

namespace trellon {

// One crystal a crystal part holds: its equivalent circuit and its spurious arms.
struct PartCrystal {
    CrystalModel model;
    std::vector<MotionalArm> spurious;
};

// Puts one crystal, or a pair in parallel, into the crystal part as BuiltPart describes it, and
// sets its parallelCrystals. Throws std::invalid_argument for any other count.
void setPartCrystals(BuiltPart& part, std::span<const PartCrystal> crystals);

// The crystals the part holds, first to last, as setPartCrystals put them.
std::vector<PartCrystal> partCrystals(const BuiltPart& part);

// How many crystals the circuit holds: its crystal parts' parallelCrystals added up.
int crystalCount(const BuiltCircuit& circuit);

// What the builder calls each crystal position of the crystal part: a single crystal by the
// part's name, the crystals of a pair by the part's name and a letter, "ZQ1a" and "ZQ1b". Every
// list of placed crystals names its positions so.
std::vector<std::string> crystalPositionNames(const BuiltPart& part);

// The same for every crystal part of the circuit in ladder order, ZQ1 first.
std::vector<std::string> crystalPositionNames(const BuiltCircuit& circuit);

}  // namespace trellon
