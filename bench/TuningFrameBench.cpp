// The tuning window's frame: one step of a capacitor of a 16-crystal ladder, the built curve
// solved at 801 points and the window drawn again offscreen, as the window does it while a
// value moves.
#include <benchmark/benchmark.h>

#include <qcustomplot.h>
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "AnyOrderCalculatedDesign.h"
#include "AnyOrderDesign.h"
#include "BuiltFilterSolver.h"
#include "CircuitSchematicView.h"
#include "ProjectDocument.h"
#include "SixteenCrystalLadder.h"
#include "TuningCurve.h"
#include "TuningWindow.h"

namespace trellon::bench {
namespace {

// A 16-crystal 0.1 dB Chebyshev of 2400 Hz on 8.86 MHz crystals, as the main window holds it.
std::shared_ptr<const CalculatedDesign> sixteenCrystals() {
    return anyOrderCalculatedDesign(designAnyOrder(sixteenCrystalLadder()), -6);
}

void send(QWidget* to, QEvent&& event) {
    QApplication::sendEvent(to, &event);
}

// The window with a coupling capacitor of the middle picked by a click on its symbol.
CircuitSchematicView* pickMiddleCapacitor(TuningWindow& window) {
    auto* schematic = window.findChild<CircuitSchematicView*>("TuningSchematic");
    const SchematicLayout layout = schematic->layoutAt(schematic->width());
    const int middle = int(schematic->circuit().parts.size()) / 2;
    for (const SchematicItem& item : layout.items) {
        if (item.part && *item.part >= middle && item.symbol == SchematicSymbol::Capacitor) {
            const QPointF at = item.body.center();
            send(schematic, QMouseEvent(QEvent::MouseButtonPress, at, schematic->mapToGlobal(at),
                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            break;
        }
    }
    return schematic;
}

void BM_TuningFrame16(benchmark::State& state) {
    ProjectDocument document;
    document.setCalculatedDesign(sixteenCrystals());
    TuningWindow window(document, '.', {});
    window.resize(1000, 700);
    window.show();
    QCoreApplication::processEvents();
    CircuitSchematicView* schematic = pickMiddleCapacitor(window);
    auto* plot = window.findChild<QCustomPlot*>("TuningChart");
    // Every frame must have replotted the chart once, or the time says nothing.
    int replots = 0;
    QObject::connect(plot, &QCustomPlot::afterReplot, [&replots] { ++replots; });
    int direction = 1;
    for (auto _ : state) {
        const QPointF at(10, 10);
        send(schematic,
             QWheelEvent(at, schematic->mapToGlobal(at), QPoint(), QPoint(0, 120 * direction),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
        // The queued replot and the repaints run as the event loop runs them.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(plot->grab());
        direction = -direction;
    }
    state.counters["replotsPerFrame"] = double(replots) / double(state.iterations());
}

BENCHMARK(BM_TuningFrame16)->Unit(benchmark::kMillisecond)->UseRealTime();

// The solve alone, for its share of the frame.
void BM_TuningSolve16(benchmark::State& state) {
    const auto design = sixteenCrystals();
    TuningCurve curve(*design);
    for (auto _ : state) {
        benchmark::DoNotOptimize(curve.solve(design->circuit).data());
    }
}

BENCHMARK(BM_TuningSolve16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trellon::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
