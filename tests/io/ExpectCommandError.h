#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CommandError.h"

namespace trellon {

// Runs the operation and checks that it throws CommandError with exactly this text.
inline void expectCommandError(auto&& operation, const std::string& text) {
    try {
        operation();
        ADD_FAILURE() << "expected CommandError " << text;
    } catch (const CommandError& error) {
        EXPECT_EQ(error.what(), text);
    }
}

}  // namespace trellon
