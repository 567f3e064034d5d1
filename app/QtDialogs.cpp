#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

#include "ExportDialogs.h"

namespace trellon {

namespace {

QString title() {
    return QCoreApplication::applicationName();
}

}  // namespace

void QtDialogs::warning(const QString& text) {
    QMessageBox::warning(QApplication::activeWindow(), title(), text);
}

void QtDialogs::information(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), title(), text);
}

void QtDialogs::error(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), title(), text);
}

Dialogs::Answer QtDialogs::question(const QString& text) {
    switch (QMessageBox::question(QApplication::activeWindow(), title(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

int QtDialogs::choice(const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Cancel,
                    QApplication::activeWindow());
    QList<QAbstractButton*> offered;
    for (const QString& caption : buttons) {
        offered.push_back(box.addButton(caption, QMessageBox::AcceptRole));
    }
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return int(offered.indexOf(box.clickedButton()));
}

QString QtDialogs::saveFileName(const QString& folder, const QString& filters) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), folder, filters);
}

QString QtDialogs::openFileName(const QString& folder, const QString& filters,
                                const QString& defaultExtension) {
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultExtension);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

QStringList QtDialogs::openFileNames(const QString& folder, const QString& filters) {
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), QString(), folder, filters);
}

std::unique_ptr<QPrinter> QtDialogs::choosePrinter() {
    auto printer = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

std::optional<ChartImageSize> QtDialogs::chartImageSize(const ChartImageSize& initial) {
    ChartSizeDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.size();
}

std::optional<double> QtDialogs::wideSpanKhz(double initial, double largest) {
    WideSpanDialog dialog(initial, largest, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.halfWidthKhz();
}

std::optional<CsvStyle> QtDialogs::csvStyle() {
    CsvStyleDialog dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.style();
}

std::optional<TouchstoneFormat> QtDialogs::touchstoneFormat(TouchstoneFormat initial) {
    TouchstoneFormatDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.format();
}

}  // namespace trellon
