// The main window's handlers of the design file: saving and opening the inputs of a design.
// The file itself is io's; the window converts its texts and names to and from UTF-8.
#include <QCoreApplication>

#include "Catalogue.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "WindowTexts.h"
#include "texts/AnyOrderTexts.h"

namespace trellon {

// The design file holds only the seven topologies: an any-order design goes to the project file.
void MainWindow::SaveClick() {
    if (document_.anyOrder()) {
        dialogs_.warning(QString::fromUtf8(texts::kAnyOrderNotInDesignFile));
        return;
    }
    const DesignInputs design = designInputs();
    const QString chosen = dialogs_.saveFileName(QCoreApplication::applicationDirPath(),
                                                 QString::fromUtf8(texts::kDesignFileSaveFilters));
    if (chosen.isEmpty()) {
        return;
    }
    runCommand([&] { dataFile_.save(DataFileNameForSaving(chosen.toStdString()), design); });
}

// The file is checked whole before anything is applied, so a bad one changes nothing.
void MainWindow::OpenClick() {
    const QString chosen = dialogs_.openFileName(
        QCoreApplication::applicationDirPath(), QString::fromUtf8(texts::kDesignFileOpenFilters),
        QString::fromUtf8(texts::kDesignFileDefaultExtension));
    if (chosen.isEmpty()) {
        return;
    }
    runCommand([&] { applyDesign(dataFile_.load(chosen.toStdString())); });
}

DesignInputs MainWindow::designInputs() const {
    return {.Fo = inputs_.Edit1->text().toStdString(),
            .Ld = inputs_.Edit3->text().toStdString(),
            .Cs = inputs_.Edit4->text().toStdString(),
            .Rd = inputs_.Edit6->text().toStdString(),
            .dF = inputs_.Edit2->text().toStdString(),
            .level = inputs_.Edit5->text().toStdString(),
            .Ccor = inputs_.Edit11->text().toStdString(),
            .Topology = engine_->state.Topology,
            .Response = engine_->state.Response};
}

// Nothing is calculated and the lists keep their selection: the name fields over them tell
// which topology and response the loaded design uses.
void MainWindow::applyDesign(const DesignInputs& design) {
    inputs_.Edit1->setText(QString::fromStdString(design.Fo));
    inputs_.Edit3->setText(QString::fromStdString(design.Ld));
    inputs_.Edit4->setText(QString::fromStdString(design.Cs));
    inputs_.Edit6->setText(QString::fromStdString(design.Rd));
    inputs_.Edit11->setText(QString::fromStdString(design.Ccor));
    inputs_.Edit2->setText(QString::fromStdString(design.dF));
    inputs_.Edit5->setText(QString::fromStdString(design.level));
    ApplyTopology(indexFromTopology(design.Topology));
    applyResponse(design.Response);
}

}  // namespace trellon
