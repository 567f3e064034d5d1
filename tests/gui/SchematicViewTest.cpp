// The schematic drawn from a circuit: a long ladder folds so that every text stays clear of the
// others and of the symbols, within the view, at the main window's width and narrower; every
// part can be picked on its symbol, and the keys move the choice along the ladder.
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "AnyOrderDesign.h"
#include "CircuitSchematicView.h"
#include "MatchingNetwork.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

Q_DECLARE_METATYPE(trellon::BuiltCircuit)

namespace {

AnyOrderDesign anyOrder(int order, AnyOrderFamily family) {
    AnyOrderInputs inputs;
    inputs.order = order;
    inputs.family = family;
    inputs.bandwidthHz = 1500;
    inputs.crystal = {8.86e6, 17.15e-3, 3.3e-12, 10};
    return designAnyOrder(inputs);
}

// An 8-crystal ladder with a pair of crystals at each end and an L-match to 50 ohm at both: the
// tallest symbols and every kind of part in one circuit.
BuiltCircuit pairedEndsMatched() {
    const AnyOrderDesign design = anyOrder(8, AnyOrderFamily::Butterworth);
    BuiltCircuit circuit = design.circuit;
    for (BuiltPart& part : circuit.parts) {
        if (part.name == "ZQ1" || part.name == "ZQ8") {
            part.parallelCrystals = 2;
        }
    }
    const MatchingNetwork network = designMatchingNetwork(
        MatchKind::SeriesCShuntL, 50, circuit.sourceResistance, design.designFrequencyHz);
    return withMatchingNetworks(circuit, network, 50);
}

QString nameOf(const SchematicItem& item) {
    return item.lines.value(0, QStringLiteral("source"));
}

// What a reader needs at `width`: every text and symbol inside the view, no text over another
// text or over a symbol or ground, and every part picked at the middle of its symbol.
void checkReadable(const BuiltCircuit& circuit, int width) {
    CircuitSchematicView view;
    view.setCircuit(circuit);
    view.resize(width, view.heightForWidth(width));
    const SchematicLayout layout = view.layoutAt(width);
    QCOMPARE(layout.size.width(), double(width));
    const QRectF area(0, 0, width, view.height());
    int parts = 0;
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const SchematicItem& item = layout.items[i];
        const QString what = nameOf(item);
        QVERIFY2(area.contains(item.body) && (item.ground.isEmpty() || area.contains(item.ground)),
                 qPrintable(what));
        QVERIFY2(item.label.isEmpty() || area.contains(item.label), qPrintable(what));
        for (size_t j = 0; j < layout.items.size(); ++j) {
            const SchematicItem& other = layout.items[j];
            QVERIFY2(!item.label.intersects(other.body) && !item.label.intersects(other.ground),
                     qPrintable(what + " on " + nameOf(other)));
            QVERIFY2(j == i || !item.label.intersects(other.label),
                     qPrintable(what + " on " + nameOf(other)));
        }
        if (item.part) {
            QCOMPARE(view.partAt(item.body.center().toPoint()), item.part);
            ++parts;
        }
    }
    QCOMPARE(parts, int(circuit.parts.size()));
}

}  // namespace

class SchematicViewTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextIsClearAtTheWindowsWidthAndNarrower_data();
    void everyTextIsClearAtTheWindowsWidthAndNarrower();
    void specifiedDesignIsClear();
    void partsArePickedByMouseAndKeys();
};

void SchematicViewTest::everyTextIsClearAtTheWindowsWidthAndNarrower_data() {
    QTest::addColumn<BuiltCircuit>("circuit");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("leastRows");
    const BuiltCircuit sixteen = anyOrder(16, AnyOrderFamily::Chebyshev).circuit;
    const BuiltCircuit paired = pairedEndsMatched();
    QTest::newRow("N16 chebyshev 880") << sixteen << 880 << 3;
    QTest::newRow("N16 chebyshev 600") << sixteen << 600 << 4;
    QTest::newRow("paired ends, matched 880") << paired << 880 << 2;
    QTest::newRow("paired ends, matched 600") << paired << 600 << 2;
}

void SchematicViewTest::everyTextIsClearAtTheWindowsWidthAndNarrower() {
    QFETCH(BuiltCircuit, circuit);
    QFETCH(int, width);
    QFETCH(int, leastRows);
    checkReadable(circuit, width);
    CircuitSchematicView view;
    view.setCircuit(circuit);
    QVERIFY(int(view.layoutAt(width).rows.size()) >= leastRows);
}

void SchematicViewTest::specifiedDesignIsClear() {
    WindowDriver w;
    w.selectTopology(6);  // eight crystals with the series capacitors
    w.calculate();
    const BuiltCircuit circuit = makeBuiltCircuit(w.state());
    QCOMPARE(std::count_if(circuit.parts.begin(), circuit.parts.end(),
                           [](const BuiltPart& p) { return p.kind == BuiltPartKind::Crystal; }),
             8);
    checkReadable(circuit, 880);
}

void SchematicViewTest::partsArePickedByMouseAndKeys() {
    BuiltCircuit circuit = pairedEndsMatched();
    circuit.parts[0].value = 47.0625e-12;
    circuit.parts[1].value = 2.2e-6;
    circuit.parts[2].value = std::nan("");
    CircuitSchematicView view;
    view.setCircuit(circuit);
    view.setDecimalSeparator(',');
    view.resize(880, view.heightForWidth(880));
    const SchematicLayout layout = view.layoutAt(880);
    QSignalSpy picked(&view, &CircuitSchematicView::partSelected);

    // The input match's parts, their values in the builder's units to 4 digits with the
    // window's decimal mark.
    const SchematicItem& match = layout.items[2];
    QCOMPARE(match.lines, QStringList({"Cin", "47,06 пФ"}));
    QCOMPARE(layout.items[3].lines, QStringList({"Lin", "2,2 мкГн"}));
    QCOMPARE(layout.items[4].lines.value(1), QStringLiteral("—"));
    QTest::mouseClick(&view, Qt::LeftButton, {}, match.label.center().toPoint());
    QCOMPARE(view.selectedPart(), std::optional<int>(0));
    QTest::keyClick(&view, Qt::Key_Left);  // already the first
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.selectedPart(), std::optional<int>(1));
    QCOMPARE(picked.size(), 2);
    QCOMPARE(picked.last().at(0).toInt(), 1);

    // Rin is no part: a click on it picks nothing and keeps the choice.
    const SchematicRow& row = layout.rows.front();
    QTest::mouseClick(&view, Qt::LeftButton, {},
                      QPoint(int(layout.items[0].body.right() + 2), int(row.lineY)));
    QCOMPARE(view.selectedPart(), std::optional<int>(1));
    QCOMPARE(picked.size(), 2);
}

QTEST_MAIN(SchematicViewTest)
#include "SchematicViewTest.moc"
