// The main window's handlers of saving and printing the log and printing the window.
#include <QCoreApplication>

#include "Dialogs.h"
#include "LogFile.h"
#include "LogPrinting.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "WindowTexts.h"

namespace trellon {

void MainWindow::showReportBlock(ShownBlock kind, const ReportBlockLines& lines) {
    QStringList& shown = shownBlocks_[kind];
    Memo1->removeLastRun(shown);
    shown.clear();
    for (const std::string& line : lines.results) {
        shown << QString::fromStdString(line);
    }
    if (!lines.results.empty()) {
        Memo1->show();
    }
    appendReportBlock(engine_->state, *Memo1, *Memo2, lines);
}

// The log save operation: false when the user cancels the dialog.
bool MainWindow::SaveLog() {
    const QString chosen = dialogs_.saveFileName(QCoreApplication::applicationDirPath(),
                                                 QString::fromUtf8(texts::kLogFileFilters));
    if (chosen.isEmpty()) {
        return false;
    }
    std::vector<std::string> lines;
    for (const QString& line : Memo2->lines()) {
        lines.push_back(line.toStdString());
    }
    writeLogFile(logFileName(chosen.toStdString()), lines);
    return true;
}

bool MainWindow::saveLogCommand() {
    bool saved = false;
    runCommand([&] { saved = SaveLog(); });
    if (saved) {
        engine_->state.LogUnsaved = false;
    }
    return saved;
}

void MainWindow::SaveProtClick() {
    saveLogCommand();
}

void MainWindow::PrintProtocolClick() {
    const std::unique_ptr<QPrinter> printer = dialogs_.choosePrinter();
    if (printer) {
        runCommand([&] { printLog(*printer, Memo2->lines()); });
    }
}

void MainWindow::PrintFormClick() {
    const std::unique_ptr<QPrinter> printer = dialogs_.choosePrinter();
    if (printer) {
        runCommand([&] { printWidgetImage(*printer, *centralWidget()); });
    }
}

}  // namespace trellon
