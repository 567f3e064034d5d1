// The event loop as the last command boundary: a handler's failure becomes one message, and the
// program goes on to handle the next event.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandError.h"
#include "GuardedApplication.h"

namespace {

// Throws what the test tells it to, once per posted event.
class FailingReceiver : public QObject {
public:
    std::vector<int> handled;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) {
            return QObject::event(event);
        }
        const int n = static_cast<int>(handled.size());
        handled.push_back(n);
        switch (n) {
            case 0:
                throw trellon::CommandError("the value is out of range");
            case 1:
                throw std::runtime_error("broken invariant");
            case 2:
                throw std::bad_alloc();
            default:
                return true;
        }
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> shown;
    trellon::GuardedApplication application(
        argc, argv, [&shown](const std::string& text) { shown.push_back(text); });
    FailingReceiver receiver;
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    }
    QCoreApplication::processEvents();
    const std::vector<std::string> expected = {"the value is out of range",
                                               "Внутренняя ошибка: broken invariant",
                                               "Внутренняя ошибка: не хватает памяти"};
    if (receiver.handled.size() != 4 || shown != expected) {
        std::fprintf(stderr, "handled %zu events, %zu messages\n", receiver.handled.size(),
                     shown.size());
        for (const std::string& text : shown) {
            std::fprintf(stderr, "  %s\n", text.c_str());
        }
        return 1;
    }
    std::puts("1 passed, 0 failed");
    return 0;
}
