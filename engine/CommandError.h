#pragma once

#include <stdexcept>
#include <string>

namespace trellon {

// A failure that ends the whole command with one error box carrying this text: a text that is
// not a number, a division by zero, a file that cannot be read or written.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace trellon
