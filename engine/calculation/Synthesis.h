#pragma once

#include <string>

#include "DesignView.h"
#include "Engine.h"

namespace trellon {

// The six input texts exactly as typed.
struct DesignTexts {
    std::string fo;    // kHz
    std::string ld;    // mH
    std::string cs;    // pF
    std::string rd;    // ohm
    std::string ccor;  // pF
    std::string dF;    // Hz
};

// Designs the ladder of the state's Topology and Response from the texts, writes the element
// values into the state and the result fields, and evaluates the circuit at Fo. Returns true
// when the design is complete, false after one of its warnings. A text that is not a number,
// or a value that would divide by zero, throws CommandError.
bool SynthesizeFilter(Engine& engine, const DesignTexts& texts, char decimalSeparator,
                      DesignView& view);

}  // namespace trellon
