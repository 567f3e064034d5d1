// The main window's use of a curve's recorded response for its other quantities, and the
// import of a measured response.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <cmath>

#include "BuiltCurveSource.h"
#include "ChartView.h"
#include "CommandError.h"
#include "CurveRecord.h"
#include "Dialogs.h"
#include "FileBytes.h"
#include "LoadVoltageSlope.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MeasuredResponse.h"
#include "MemoView.h"
#include "Messages.h"
#include "NumberText.h"
#include "PhaseResponse.h"
#include "ReadLimits.h"
#include "TerminalResponse.h"
#include "Touchstone.h"
#include "WideSpan.h"
#include "texts/ExportTexts.h"

namespace trellon {

namespace {

std::vector<double> returnLossOf(std::span<const Complex> reflection) {
    std::vector<double> loss;
    loss.reserve(reflection.size());
    for (const Complex& r : reflection) {
        loss.push_back(-20 * std::log10(std::hypot(r.re, r.im)));
    }
    return gapsForNonFinite(std::move(loss));
}

// The quantities of a traced curve, from the circuits its record kept: the group delay of its
// model at the traced points, the terminal quantities and the wide span.
CurveSeriesSource recordedSource(std::shared_ptr<const CurveRecord> record,
                                 std::shared_ptr<const SpanSettings> wideSpan) {
    return [record, wideSpan](ChartQuantity quantity) -> CurveSeries {
        switch (quantity) {
            case ChartQuantity::GroupDelay:
                return {record->detuningKhz,
                        gapsForNonFinite(circuitGroupDelayUs(record->model, record->frequencyHz))};
            case ChartQuantity::ReturnLoss: {
                std::vector<double> loss;
                for (const TerminalPoint& p : inputTerminal(record->built, record->frequencyHz)) {
                    loss.push_back(p.solved ? p.returnLossDb : std::nan(""));
                }
                return {record->detuningKhz, gapsForNonFinite(std::move(loss))};
            }
            case ChartQuantity::WideSpan: {
                SpanResponse span = traceWideSpan(*record, *wideSpan);
                return {std::move(span.detuningKhz), gapsForNonFinite(std::move(span.levelDb))};
            }
            case ChartQuantity::Amplitude:
                break;
        }
        return {};
    };
}

// A measurement shows its S21's group delay and its S11's return loss; over a wide span, the
// span it was measured over.
CurveSeriesSource measuredSource(std::shared_ptr<const TwoPortData> data,
                                 std::shared_ptr<const MeasuredResponse> measured) {
    return [data, measured](ChartQuantity quantity) -> CurveSeries {
        switch (quantity) {
            case ChartQuantity::GroupDelay:
                return {measured->detuningKhz,
                        gapsForNonFinite(groupDelayUs(data->frequencyHz, data->s21))};
            case ChartQuantity::ReturnLoss:
                return {measured->detuningKhz, returnLossOf(data->s11)};
            case ChartQuantity::WideSpan:
                return {measured->detuningKhz, gapsForNonFinite(measured->levelDb)};
            case ChartQuantity::Amplitude:
                break;
        }
        return {};
    };
}

// Each measurement in a colour of its own, dashed apart from the five solid curves.
QPen measuredPen(int index) {
    static const QColor colours[] = {QColor(0, 139, 139), QColor(255, 140, 0),
                                     QColor(128, 128, 128), QColor(139, 69, 19)};
    return QPen(colours[index % std::size(colours)], 2, Qt::DashLine);
}

}  // namespace

void MainWindow::recordDrawnCurve(int k) {
    std::shared_ptr<const CalculatedDesign> design = calculatedDesignOf(*engine_);
    auto record = std::make_shared<const CurveRecord>(
        recordTracedCurve(*engine_, "FR" + std::to_string(k + 1), design->circuit));
    showDrawnCurve(k, std::move(record), std::move(design));
}

void MainWindow::showDrawnCurve(int k, std::shared_ptr<const CurveRecord> record,
                                std::shared_ptr<const CalculatedDesign> design) {
    Chart1->setCurveSource(k, recordedSource(record, wideSpan_));
    Chart1->setReadoutFo(design->foKhz);
    drawnCurve_ = std::move(record);
    document_.setCalculatedDesign(std::move(design));
}

void MainWindow::ImportMeasuredClick() {
    const QString path = rememberFolder(dialogs_.openFileName(
        recentFolder(), QString::fromUtf8(texts::kTouchstoneFileFilters), QStringLiteral("s2p")));
    if (!path.isEmpty()) {
        runCommand([&] { importMeasured(path); });
    }
}

// Everything is read and checked before the chart, the results panel or the log change.
void MainWindow::importMeasured(const QString& path) {
    const std::string shownPath = QDir::toNativeSeparators(path).toStdString();
    const std::string bytes = readFileBytes(
        {.path = shownPath, .what = "the Touchstone file", .limitBytes = kTouchstoneLimit});
    auto data = std::make_shared<const TwoPortData>(readTouchstone(bytes, shownPath));
    showMeasured(QFileInfo(path).fileName().toStdString(), std::move(data));
}

// The level field as typed, negative; nothing, after a warning, when it is empty or not below 0.
std::optional<double> MainWindow::typedLevel() {
    const std::string levelText = inputs_.Edit5->text().toStdString();
    if (levelText.empty()) {
        dialogs_.warning(QString::fromUtf8(messages::kNoLevel));
        return std::nullopt;
    }
    const double level = TypedNumber(levelText, localeDecimalSeparator());
    if (level >= 0) {
        dialogs_.warning(QString::fromUtf8(messages::kBadLevel));
        return std::nullopt;
    }
    return level;
}

void MainWindow::showMeasured(const std::string& name, std::shared_ptr<const TwoPortData> data) {
    const char separator = localeDecimalSeparator();
    const std::optional<double> typed = typedLevel();
    if (!typed) {
        return;
    }
    const double level = *typed;
    const double foHz = TypedNumber(inputs_.Edit1->text().toStdString(), separator) * 1000;
    const LevelMode mode =
        engine_->state.AbsoluteLevel ? LevelMode::Absolute : LevelMode::RelativeToPeak;
    auto measured = std::make_shared<const MeasuredResponse>(
        analyseMeasuredResponse(name, data->frequencyHz, data->s21, foHz, mode, level));
    const ReportBlockLines lines =
        measuredReportLines(*measured, name, inputs_.Edit5->text().toStdString(), foHz, separator);

    Chart1->addExtraCurve(QString::fromStdString(name), measuredPen(Chart1->extraCurveCount()),
                          {measured->detuningKhz, gapsForNonFinite(measured->levelDb)},
                          measuredSource(data, measured));
    Memo1->show();
    appendReportBlock(engine_->state, *Memo1, *Memo2, lines);
    const QScopedValueRollback editing(editingDocument_, true);
    document_.setMeasured(ProjectMeasured{name, *data});
    FRClick();
}

}  // namespace trellon
