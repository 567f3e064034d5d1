#pragma once

#include <string>

namespace trellon {

// The message a window shows for the exception being handled: a file that failed in the window's
// own words, any other CommandError's text as it is, anything else as an internal error. Call it
// only from inside a catch block.
std::string currentFailureText();

}  // namespace trellon
