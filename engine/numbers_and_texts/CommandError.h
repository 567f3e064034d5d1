#pragma once

#include <stdexcept>
#include <string>

namespace trellon {

// The one failure a user reads: its text is shown as it is, in the window's error box or on the
// command line's standard error, and ends the command that met it. Everything the user can
// cause throws it: a text that is not a number, a division by zero, a file that cannot be read
// or written, a setting out of its range, a batch too small for the filter.
//
// A broken precondition that no user input reaches is a programming error and throws a
// std::logic_error (or its kin) instead; the command boundaries report anything but a
// CommandError as an internal error.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace trellon
