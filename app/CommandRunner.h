#pragma once

#include <functional>

#include "Dialogs.h"

namespace trellon {

// Runs one command of the window. Whatever ends it early becomes one error box: a CommandError
// shows its own text, anything else is shown as an internal error, and the window goes on.
void runCommand(Dialogs& dialogs, const std::function<void()>& command);

}  // namespace trellon
