#pragma once

#include <stdexcept>

namespace trellon::cli {

// A command line the program cannot take: an unknown option, a missing or unreadable value,
// options that do not go together. Its text says what was wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace trellon::cli
