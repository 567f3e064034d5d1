#include "CommandRunner.h"

#include <QString>

#include "FailureText.h"

namespace trellon {

void runCommand(Dialogs& dialogs, const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        dialogs.error(QString::fromStdString(currentFailureText()));
    }
}

}  // namespace trellon
