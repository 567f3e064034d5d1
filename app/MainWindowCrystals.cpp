// The main window's tools for real crystals: the measured batch and the filter built with it,
// the choice of crystals from the batch, and the Monte-Carlo over the spread of the parts.
#include <QCoreApplication>

#include "AnyOrderWindow.h"
#include "BuiltCurveSource.h"
#include "BuiltFilter.h"
#include "BuiltFilterReport.h"
#include "Catalogue.h"
#include "ChartView.h"
#include "CrystalBatchWindow.h"
#include "Dialogs.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "MonteCarloWindow.h"
#include "NumberText.h"
#include "RecentredInputs.h"
#include "SweepFitChart.h"
#include "ToolWindowFrame.h"
#include "texts/BenchTexts.h"
#include "texts/CrystalWindowTexts.h"
#include "texts/TuningTexts.h"

namespace trellon {

namespace {

const QString kBuiltCaption = QString::fromUtf8(texts::kBuiltCurve);
const QString kAsBuiltCaption = QString::fromUtf8(texts::kAsBuiltCurve);
const QStringList kEnvelopeCaptions = {QString::fromUtf8(texts::kEnvelopeCaptions[0]),
                                       QString::fromUtf8(texts::kEnvelopeCaptions[1]),
                                       QString::fromUtf8(texts::kEnvelopeCaptions[2])};

// Detuning from Fo in kHz, as the chart's curves are drawn over.
std::vector<double> detuningKhz(double foKhz, const std::vector<double>& hz) {
    std::vector<double> x;
    x.reserve(hz.size());
    for (double f : hz) {
        x.push_back((f - foKhz * 1000) / 1000);
    }
    return x;
}

}  // namespace

void MainWindow::createCrystalTools() {
    const char separator = localeDecimalSeparator();
    auto warn = [this](const QString& text) { dialogs_.warning(text); };
    auto fail = [this](const QString& text) { dialogs_.error(text); };
    CrystalBatchHooks batchHooks{
        .showWarning = warn,
        .showError = fail,
        .choose = [this](const QString& text,
                         const QStringList& buttons) { return dialogs_.choice(text, buttons); },
        .openFileName =
            [this](const QString& filters) {
                return rememberFolder(
                    dialogs_.openFileName(recentFolder(), filters, QStringLiteral("csv")));
            },
        .saveFileName =
            [this](const QString& filters) {
                return rememberFolder(dialogs_.saveFileName(recentFolder(), filters));
            },
        .openFileNames =
            [this](const QString& filters) {
                const QStringList chosen = dialogs_.openFileNames(recentFolder(), filters);
                rememberFolder(chosen.value(0));
                return chosen;
            },
        .showBuilt =
            [this](const CalculatedDesign& d, const std::vector<MeasuredCrystal>& c) {
                runCommand([&] { showBuiltFilter(d, c); });
            },
        .recentreOn =
            [this](const std::vector<MeasuredCrystal>& c) { runCommand([&] { recentreOn(c); }); },
        .showSweepFit =
            [this](const QString& name, const std::vector<double>& hz,
                   std::vector<double> measuredDb, std::vector<double> fittedDb) {
                runCommand(
                    [&] { showSweepFit(name, hz, std::move(measuredDb), std::move(fittedDb)); });
            },
    };
    batchWindow_ =
        std::make_unique<CrystalBatchWindow>(document_, separator, std::move(batchHooks));
    batchWindow_->setWindowIcon(windowIcon());

    MonteCarloHooks monteCarloHooks{
        .showWarning = warn,
        .showError = fail,
        // Around the crystals placed in the batch window when there are, as the bench would
        // build it; around the nominal crystal otherwise.
        .circuitAround = [this](const CalculatedDesign& d) -> std::optional<MonteCarloCircuit> {
            const std::optional<std::vector<MeasuredCrystal>> placed =
                batchWindow_->placedCrystals(d.crystalCount());
            if (!placed) {
                return std::nullopt;
            }
            if (placed->empty()) {
                return MonteCarloCircuit{d.circuit, {}};
            }
            MonteCarloCircuit around{makeBuiltFilter(d, *placed), {}};
            for (const MeasuredCrystal& crystal : *placed) {
                around.crystalNames.push_back(crystal.name);
            }
            return around;
        },
        .showEnvelopes =
            [this](const CalculatedDesign& d, const MonteCarloResult& r) {
                runCommand([&] { showEnvelopes(d, r); });
            },
        .logBlock =
            [this](const std::vector<std::string>& lines) {
                showReportBlock(ShownBlock::MonteCarlo, {{}, lines});
            },
        .saveFileName =
            [this](const QString& filters) {
                return dialogs_.saveFileName(QCoreApplication::applicationDirPath(), filters);
            },
    };
    monteCarloWindow_ =
        std::make_unique<MonteCarloWindow>(document_, separator, std::move(monteCarloHooks));
    monteCarloWindow_->setWindowIcon(windowIcon());
}

// The curves computed from a design go when another calculation replaces it: beside the new
// curve they would read as its own. Measurements and crystal fits do not depend on the design.
void MainWindow::dropDesignResults() {
    Chart1->removeExtraCurves(QStringList(kEnvelopeCaptions)
                              << kBuiltCaption << QString::fromUtf8(texts::kTunedCurve));
    shownBuilt_.reset();
    dropBenchCurve();
}

// The curve at the bench goes when the circuit it was drawn for changes.
void MainWindow::dropBenchCurve() {
    Chart1->removeExtraCurves({kAsBuiltCaption});
    shownBench_.reset();
}

void MainWindow::CrystalBatchClick() {
    bringForward(*batchWindow_, this);
}

void MainWindow::CrystalChoiceClick() {
    bringForward(*batchWindow_, this);
    batchWindow_->chooseClick();
}

void MainWindow::MonteCarloClick() {
    bringForward(*monteCarloWindow_, this);
}

// The built curve replaces the previous one; its report block follows the usual report.
// The placement stays in the document through the calculation, which keeps it.
void MainWindow::recentreOn(const std::vector<MeasuredCrystal>& crystals) {
    if (!newDesignMayDropTuning()) {
        return;
    }
    const CrystalInputTexts texts = recentredInputs(crystals, localeDecimalSeparator());
    inputs_.Edit1->setText(QString::fromStdString(texts.foKhz));
    inputs_.Edit3->setText(QString::fromStdString(texts.ldMh));
    inputs_.Edit6->setText(QString::fromStdString(texts.rdOhm));
    inputs_.Edit4->setText(QString::fromStdString(texts.csPf));
    const std::shared_ptr<const CalculatedDesign> before = calculatedDesign();
    // An any-order ladder is designed again around them, in its own window's inputs too.
    if (document_.anyOrder()) {
        ProjectAnyOrder typed = *document_.anyOrder();
        typed.Fo = texts.foKhz;
        typed.Ld = texts.ldMh;
        typed.Cs = texts.csPf;
        typed.Rd = texts.rdOhm;
        anyOrderWindow().setInputs(typed);
        designAnyOrderFrom(typed);
    } else {
        calculate();
    }
    // A calculation that did not complete leaves no design of these inputs to build.
    const std::shared_ptr<const CalculatedDesign> design = calculatedDesign();
    if (design && design != before && design->crystalCount() == static_cast<int>(crystals.size())) {
        showBuiltFilter(*design, crystals);
    }
}

void MainWindow::showBuiltFilter(const CalculatedDesign& design,
                                 const std::vector<MeasuredCrystal>& crystals) {
    auto circuit = std::make_shared<const BuiltCircuit>(makeBuiltFilter(design, crystals));
    const std::vector<double> frequencies = builtCurveFrequencies(design.band);
    const BuiltFilterResult built = solveBuiltFilter(design, *circuit, frequencies);
    const bool absolute = engine_->state.AbsoluteLevel;
    std::vector<double> levels;
    levels.reserve(built.levelsDb.size());
    for (double level : built.levelsDb) {
        levels.push_back(displayedLevel(level, built.figures, absolute));
    }
    Chart1->removeExtraCurves({kBuiltCaption});
    Chart1->addExtraCurve(
        kBuiltCaption, QPen(QColor(148, 0, 211), 2, Qt::DashDotLine),
        {detuningKhz(design.foKhz, built.frequenciesHz), std::move(levels)},
        builtCurveSource(circuit, built.figures, absolute, drawnCurve_, wideSpan_));
    shownBuilt_ = std::move(circuit);
    shownBuiltSweep_ = {frequencies.front(), frequencies.back(), int(frequencies.size())};

    std::vector<std::string> names;
    for (const MeasuredCrystal& crystal : crystals) {
        names.push_back(crystal.name);
    }
    // The block is placed by the design it was built from; the log's count is the window's.
    showReportBlock(ShownBlock::Built,
                    builtFilterReportLines(design, built, names, localeDecimalSeparator()));
    FRClick();
}

// The pair replaces the pair of the crystal shown before, on the sweep's own frequencies.
void MainWindow::showSweepFit(const QString& name, const std::vector<double>& frequencyHz,
                              std::vector<double> measuredDb, std::vector<double> fittedDb) {
    if (!sweepFitChart_) {
        sweepFitChart_ = std::make_unique<SweepFitChart>();
        sweepFitChart_->setWindowIcon(windowIcon());
    }
    sweepFitChart_->showFit(name, frequencyHz, measuredDb, fittedDb);
    bringForward(*sweepFitChart_, this);
}

// The envelopes are drawn at the level of the ideal curve, so that their spread reads against it.
void MainWindow::showEnvelopes(const CalculatedDesign& design, const MonteCarloResult& result) {
    const bool absolute = engine_->state.AbsoluteLevel;
    CurveFigures ideal;
    ideal.amin = design.amin;
    const std::vector<double> x = detuningKhz(design.foKhz, result.frequenciesHz);
    const std::vector<double>* envelopes[] = {&result.p5Db, &result.p50Db, &result.p95Db};
    const QPen pens[] = {QPen(QColor(0, 128, 0), 1, Qt::DotLine),
                         QPen(QColor(0, 128, 0), 2, Qt::DashLine),
                         QPen(QColor(0, 128, 0), 1, Qt::DotLine)};
    Chart1->removeExtraCurves(kEnvelopeCaptions);
    for (int i = 0; i < 3; ++i) {
        std::vector<double> y;
        y.reserve(envelopes[i]->size());
        for (double level : *envelopes[i]) {
            y.push_back(displayedLevel(level, ideal, absolute));
        }
        Chart1->addExtraCurve(kEnvelopeCaptions[i], pens[i], {x, std::move(y)}, nullptr);
    }
    FRClick();
}

}  // namespace trellon
