#pragma once

#include <QImage>
#include <QString>
#include <QTextDocument>
#include <memory>
#include <span>
#include <string>

#include "BenchCircuit.h"
#include "BenchReport.h"
#include "CalculatedDesign.h"

namespace trellon {

class ChartView;

// The predicted response for the build sheet, drawn on `chart` as the window's extra curves: the
// attenuation of the filter at the bench over the ideal one (the nominal circuit as built) on
// the frequencies of `result`, against the detuning from Fo, the whole range of both shown.
void drawBenchResponse(ChartView& chart, const CalculatedDesign& design, const BenchResult& result);
// That chart as a picture of `size` pixels.
QImage benchResponsePicture(const CalculatedDesign& design, const BenchResult& result, QSize size);

// The build sheet as a document to print or save: the settings, the parts list by schematic
// position (design value, value to fit or parallel pair, the crystal's name from a batch, the
// matching parts), the schematic and the predicted response, and the "as built" figures.
std::unique_ptr<QTextDocument> buildSheetDocument(const CalculatedDesign& design,
                                                  const BenchSettings& settings,
                                                  const BenchCircuit& bench,
                                                  const BenchResult& result,
                                                  std::span<const std::string> crystalNames,
                                                  const QImage& schematic, char decimalSeparator);

// The document as PDF on A4, written at once or not at all; throws CommandError like the other
// file writers.
void writeBuildSheetPdf(QTextDocument& document, const QString& path);

}  // namespace trellon
