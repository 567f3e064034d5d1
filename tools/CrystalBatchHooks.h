#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "CalculatedDesign.h"
#include "CrystalBatch.h"

namespace trellon {

// What the batch window asks of the window that owns it: dialogs, and drawing on its chart.
struct CrystalBatchHooks {
    std::function<void(const QString& text)> showWarning;
    std::function<void(const QString& text)> showError;
    // The index of the button the user chose among `buttons`, or -1 when the user cancels.
    std::function<int(const QString& text, const QStringList& buttons)> choose;
    // The chosen file, or an empty text when the user cancels.
    std::function<QString(const QString& filters)> openFileName;
    std::function<QString(const QString& filters)> saveFileName;
    // The chosen files, or none when the user cancels.
    std::function<QStringList(const QString& filters)> openFileNames;
    // Draws and reports the filter built with these crystals, ZQ1 first.
    std::function<void(const CalculatedDesign& design,
                       const std::vector<MeasuredCrystal>& crystals)>
        showBuilt;
    // Sets the design's crystal inputs to the medians of these crystals, calculates again and
    // shows the filter built with them in the same positions.
    std::function<void(const std::vector<MeasuredCrystal>& crystals)> recentreOn;
    // Draws a fitted crystal's measured |S21| and its fitted model's, in dB over the sweep's
    // frequencies in Hz.
    std::function<void(const QString& name, const std::vector<double>& frequencyHz,
                       std::vector<double> measuredDb, std::vector<double> fittedDb)>
        showSweepFit;
};

}  // namespace trellon
