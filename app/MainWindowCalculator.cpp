// The Ls and Fo calculator as a tool of the main window.
#include "Dialogs.h"
#include "LocaleSeparator.h"
#include "LsFoCalculator.h"
#include "MainWindow.h"

namespace trellon {

void MainWindow::createCalculator() {
    LsFoCalculatorHooks hooks{
        .showWarning = [this](const QString& text) { dialogs_.warning(text); },
        .showError = [this](const QString& text) { dialogs_.error(text); },
        .applyResults =
            [this](const QString& ld, const QString& fo) {
                inputs_.Edit3->setText(ld);
                inputs_.Edit1->setText(fo);
            },
    };
    calculator_ = std::make_unique<LsFoCalculator>(localeDecimalSeparator(), std::move(hooks));
    calculator_->setWindowIcon(windowIcon());
}

// The calculator does not block the designer: both windows stay usable.
void MainWindow::LsFo1Click() {
    calculator_->show();
    calculator_->raise();
    calculator_->activateWindow();
}

}  // namespace trellon
