#include <QScreen>

#include "FileSizeSignal.h"
#include "GuardedApplication.h"
#include "MainWindow.h"
#include "QtDialogs.h"
#include "RussianTranslations.h"
#include "WindowTexts.h"

int main(int argc, char* argv[]) {
    trellon::ignoreFileSizeSignal();
    trellon::QtDialogs* shownDialogs = nullptr;
    trellon::GuardedApplication application(argc, argv, [&shownDialogs](const std::string& text) {
        if (shownDialogs != nullptr) {
            shownDialogs->error(QString::fromStdString(text));
        }
    });
    trellon::installRussianTranslations(application);
    QApplication::setApplicationName(QString::fromUtf8(trellon::texts::kApplicationTitle));
    // Ties the windows to the installed menu entry, whose icon the desktop then shows.
    QApplication::setDesktopFileName(QStringLiteral("trellon"));

    trellon::QtDialogs dialogs;
    shownDialogs = &dialogs;
    trellon::MainWindow window(dialogs);
    QObject::connect(&window, &trellon::MainWindow::closed, &application, &QApplication::quit);
    window.adjustSize();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
