#pragma once

#include <exception>
#include <string>

namespace trellon {

// The message a window shows for the exception being handled: a file that failed in the window's
// own words, a phrased refusal in the window's language, any other CommandError's text as it is,
// anything else as an internal error. Call it only from inside a catch block.
std::string currentFailureText();

// The same for a failure caught earlier.
std::string failureText(const std::exception_ptr& failure);

}  // namespace trellon
