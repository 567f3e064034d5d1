#pragma once

#include <QApplication>
#include <functional>
#include <string>

namespace trellon {

// The application whose event loop is the last command boundary: a failure that leaves any
// handler (a tool window's button, a timer, a dialog) is shown to the user as a message, and
// the program goes on, instead of ending.
class GuardedApplication : public QApplication {
public:
    // `showFailure` receives the message (see currentFailureText) of each failure.
    GuardedApplication(int& argc, char** argv, std::function<void(const std::string&)> showFailure);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const std::string&)> showFailure_;
};

}  // namespace trellon
