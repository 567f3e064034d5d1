// The main window's handlers of the design file: saving and opening the inputs of a design.
#include <QCoreApplication>

#include "Catalogue.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "WindowTexts.h"

namespace trellon {

void MainWindow::SaveClick() {
    const DesignInputs design = designInputs();
    const QString chosen = dialogs_.saveFileName(QCoreApplication::applicationDirPath(),
                                                 QString::fromUtf8(texts::kDesignFileSaveFilters));
    if (chosen.isEmpty()) {
        return;
    }
    runCommand([&] { dataFile_.save(DataFileNameForSaving(chosen), design); });
}

// The file is checked whole before anything is applied, so a bad one changes nothing.
void MainWindow::OpenClick() {
    const QString chosen = dialogs_.openFileName(
        QCoreApplication::applicationDirPath(), QString::fromUtf8(texts::kDesignFileOpenFilters),
        QString::fromUtf8(texts::kDesignFileDefaultExtension));
    if (chosen.isEmpty()) {
        return;
    }
    runCommand([&] { applyDesign(dataFile_.load(chosen)); });
}

DesignInputs MainWindow::designInputs() const {
    return {.Fo = inputs_.Edit1->text(),
            .Ld = inputs_.Edit3->text(),
            .Cs = inputs_.Edit4->text(),
            .Rd = inputs_.Edit6->text(),
            .dF = inputs_.Edit2->text(),
            .level = inputs_.Edit5->text(),
            .Ccor = inputs_.Edit11->text(),
            .Topology = engine_->state.Topology,
            .Response = engine_->state.Response};
}

// Nothing is calculated and the lists keep their selection: the name fields over them tell
// which topology and response the loaded design uses.
void MainWindow::applyDesign(const DesignInputs& design) {
    inputs_.Edit1->setText(design.Fo);
    inputs_.Edit3->setText(design.Ld);
    inputs_.Edit4->setText(design.Cs);
    inputs_.Edit6->setText(design.Rd);
    inputs_.Edit11->setText(design.Ccor);
    inputs_.Edit2->setText(design.dF);
    inputs_.Edit5->setText(design.level);
    ApplyTopology(indexFromTopology(design.Topology));
    applyResponse(design.Response);
}

}  // namespace trellon
