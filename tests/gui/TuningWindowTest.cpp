// The live tuning as a builder works it: a capacitor picked on the schematic and turned with the
// wheel moves the document's tuning by whole steps and the window's curve to the tuned circuit's
// own; at rest the report block and the main chart follow; one Undo takes the turn back.
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "BuiltFilterSolver.h"
#include "CircuitSchematicView.h"
#include "CrystalWindowHelpers.h"
#include "DocumentCircuit.h"
#include "NumberText.h"
#include "TuningCurve.h"
#include "TuningSteps.h"
#include "TuningWindow.h"
#include "WindowDriver.h"
#include "texts/TuningTexts.h"

using namespace trellon;
using namespace trellon::test;

namespace {

// The level the window draws for the tuned curve at its point `index`.
double drawnLevel(TuningWindow* window, int index) {
    const auto* plot = window->findChild<QCustomPlot*>("TuningChart");
    return (plot->graph(1)->data()->constBegin() + index)->value;
}

void turnWheel(QWidget* over, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (int i = 0; i < notches; ++i) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }
}

}  // namespace

class TuningWindowTest : public QObject {
    Q_OBJECT

private slots:
    void wheelTurnsACapacitorAndOneUndoTakesItBack();
    void crystalShiftAndTrimmerStandInTheCircuitAndResetIsOneStep();
};

void TuningWindowTest::wheelTurnsACapacitorAndOneUndoTakesItBack() {
    WindowDriver w;
    w.calculate();
    w.choose("Tuning");
    auto* window = toolWindow<TuningWindow>();
    QVERIFY(window != nullptr && window->isVisible());
    const ProjectDocument& document = window->document();
    auto* schematic = window->findChild<CircuitSchematicView*>("TuningSchematic");

    // The first coupling capacitor (after a crystal), picked with the mouse on its symbol.
    const std::optional<BenchCircuit> fitted = documentCircuit(document, false);
    QVERIFY(fitted.has_value());
    std::string name;
    for (const SchematicItem& item : schematic->layoutAt(schematic->width()).items) {
        const BuiltPart* part = item.part ? &fitted->circuit.parts[size_t(*item.part)] : nullptr;
        if (part != nullptr && *item.part > 0 && part->kind != BuiltPartKind::Crystal) {
            QTest::mouseClick(schematic, Qt::LeftButton, {}, item.body.center().toPoint());
            name = part->name;
            break;
        }
    }
    QVERIFY(!name.empty());
    double fittedPf = 0;
    for (const BenchCapacitor& c : fitted->capacitors) {
        fittedPf = c.name == name ? c.fittedPf : fittedPf;
    }

    // Near the upper band edge the level moves with any coupling capacitor.
    const TuningCurve grid(*document.calculatedDesign());
    const int edge = TuningCurve::kPoints * 3 / 4;
    const double before = drawnLevel(window, edge);
    turnWheel(schematic, 3);
    QVERIFY(document.tuning().has_value());
    const double tunedPf = document.tuning()->capacitorsPf.at(name);
    QVERIFY(std::abs(tunedPf / (fittedPf * std::pow(1.01, 3)) - 1) < 1e-12);
    const QString shownPf = QString::fromStdString(FormatGeneral(tunedPf, 6, '.'));
    QCOMPARE(window->findChild<QLineEdit*>("TuningValue")->text(), shownPf);

    // The drawn curve is the tuned circuit's, solved on its own.
    const BenchCircuit tuned =
        tunedBenchCircuit(*fitted, *document.tuning(), fittingSettings(document));
    BuiltFilterSolver solver;
    solver.prepare(tuned.circuit);
    double level = 0;
    solver.solveLevels(std::span(&grid.frequenciesHz()[edge], 1), std::span(&level, 1));
    const double after = drawnLevel(window, edge);
    QVERIFY(std::abs(after - before) > 1e-3);
    QVERIFY(std::abs(after - (level + kMatchedLoadLossDb)) < 1e-9);

    // At rest: the block names the capacitor with its values, and the main chart has the curve.
    const QString line = QString::fromStdString(name) + ": " +
                         QString::fromStdString(FormatGeneral(fittedPf, 4, '.')) + " → " +
                         QString::fromStdString(FormatGeneral(tunedPf, 4, '.')) + " пФ";
    QTRY_VERIFY(window->reportText().contains(line));
    QVERIFY(w.log().contains(line));
    QVERIFY(extraCurve(w.chart(), QString::fromUtf8(texts::kTunedCurve)) != nullptr);

    // The three notches are one step.
    auto* undo = window->findChild<QPushButton*>("TuningUndo");
    QVERIFY(undo->isEnabled());
    undo->click();
    QVERIFY(!document.tuning().has_value());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(drawnLevel(window, edge), before);
    QCOMPARE(window->findChild<QLineEdit*>("TuningValue")->text(),
             QString::fromStdString(FormatGeneral(fittedPf, 6, '.')));
    window->findChild<QPushButton*>("TuningRedo")->click();
    QCOMPARE(document.tuning()->capacitorsPf.at(name), tunedPf);
    QCOMPARE(drawnLevel(window, edge), after);
}

// The crystal ZQ2 picked with the keys, stepped by 10 Hz a notch with Ctrl, then given a trimmer:
// the circuit the window solves has both, and Reset takes all of it back as one step.
void TuningWindowTest::crystalShiftAndTrimmerStandInTheCircuitAndResetIsOneStep() {
    WindowDriver w;
    w.calculate();
    w.choose("Tuning");
    auto* window = toolWindow<TuningWindow>();
    const ProjectDocument& document = window->document();
    auto* schematic = window->findChild<CircuitSchematicView*>("TuningSchematic");
    while (schematic->selectedPart() == std::nullopt ||
           schematic->circuit().parts[size_t(*schematic->selectedPart())].name != "ZQ2") {
        QTest::keyClick(schematic, Qt::Key_Right);
    }
    const BenchCircuit fitted = *documentCircuit(document, false);
    turnWheel(schematic, 3, Qt::ControlModifier);
    QCOMPARE(document.tuning()->fsShiftsHz.at("ZQ2"), 30.0);
    window->findChild<QPushButton*>("TuningTrimmer")->click();

    const BenchCircuit tuned = *documentCircuit(document);
    std::size_t at = 0;
    while (tuned.circuit.parts[at].name != "ZQ2") {
        ++at;
    }
    QVERIFY(std::abs(crystalFsHz(tuned.circuit.parts[at]) -
                     (crystalFsHz(fitted.circuit.parts[at]) + 30)) < 1e-6);
    QCOMPARE(tuned.circuit.parts[at + 1].name, std::string("CT2"));
    QCOMPARE(tuned.circuit.parts[at + 1].value, kNewTrimmerPf * 1e-12);
    QCOMPARE(schematic->circuit().parts.size(), tuned.circuit.parts.size());
    QVERIFY(window->reportText().contains(QString::fromUtf8("ZQ2: Fs +30 Гц")));
    QVERIFY(window->reportText().contains(QString::fromUtf8("CT2: 1000 пФ")));

    window->findChild<QPushButton*>("TuningReset")->click();
    QVERIFY(!document.tuning().has_value());
    window->findChild<QPushButton*>("TuningUndo")->click();
    QCOMPARE(document.tuning()->trimmersPf.at("ZQ2"), kNewTrimmerPf);
    QCOMPARE(document.tuning()->fsShiftsHz.at("ZQ2"), 30.0);
}

QTEST_MAIN(TuningWindowTest)
#include "TuningWindowTest.moc"
