#include "GuardedApplication.h"

#include "FailureText.h"

namespace trellon {

GuardedApplication::GuardedApplication(int& argc, char** argv,
                                       std::function<void(const std::string&)> showFailure)
    : QApplication(argc, argv), showFailure_(std::move(showFailure)) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showFailure_(currentFailureText());
        return false;
    }
}

}  // namespace trellon
