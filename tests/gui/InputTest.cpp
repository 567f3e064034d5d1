// Key filters, the Enter and Tab chains, and choosing a topology or a response type.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void crystalFieldsTakeOnlyUnsignedNumbers_data();
    void crystalFieldsTakeOnlyUnsignedNumbers();
    void levelFieldTakesSignButNotEnter();
    void ccorFieldTakesAnyKey();
    void enterMovesAlongTheInputs();
    void tabVisitsTheInputsInOrder();
    void everyTopologyShowsItsSchematicAndFields_data();
    void everyTopologyShowsItsSchematicAndFields();
    void choosingATopologyEmptiesTheResultFields();
    void everyResponseTypeShowsItsName();
    void wheelOverAListWithoutFocusChangesNothing();
};

void InputTest::crystalFieldsTakeOnlyUnsignedNumbers_data() {
    QTest::addColumn<QString>("field");
    for (const char* field : {"Edit1", "Edit3", "Edit4", "Edit6", "Edit2"}) {
        QTest::newRow(field) << QString::fromLatin1(field);
    }
}

void InputTest::crystalFieldsTakeOnlyUnsignedNumbers() {
    QFETCH(QString, field);
    WindowDriver w;
    const QByteArray name = field.toLatin1();
    w.setText(name, QString());
    w.type(name, QStringLiteral("-1a2,3.4 e+5"));
    QCOMPARE(w.edit(name)->text(), QStringLiteral("12,3.45"));
    QTest::keyClick(w.edit(name), Qt::Key_Backspace);
    QCOMPARE(w.edit(name)->text(), QStringLiteral("12,3.4"));
    // Moving and deleting type no character and stay possible.
    QTest::keyClick(w.edit(name), Qt::Key_Home);
    QTest::keyClick(w.edit(name), Qt::Key_Delete);
    QCOMPARE(w.edit(name)->text(), QStringLiteral("2,3.4"));
}

void InputTest::levelFieldTakesSignButNotEnter() {
    WindowDriver w;
    QLineEdit* level = w.edit("Edit5");
    w.setText("Edit5", QString());
    w.type("Edit5", QStringLiteral("-1x0,5.+"));
    QCOMPARE(level->text(), QStringLiteral("-10,5."));
    level->setFocus();
    QTest::keyClick(level, Qt::Key_Return);
    QCOMPARE(w.window().focusWidget(), level);
    QCOMPARE(level->text(), QStringLiteral("-10,5."));
}

void InputTest::ccorFieldTakesAnyKey() {
    WindowDriver w;
    w.setText("Edit11", QString());
    w.type("Edit11", QStringLiteral("-8a2"));
    QCOMPARE(w.edit("Edit11")->text(), QStringLiteral("-8a2"));
}

void InputTest::enterMovesAlongTheInputs() {
    WindowDriver w;
    w.selectTopology(4);  // the Ccor field is not on the Enter chain even when shown
    w.edit("Edit1")->setFocus();
    QStringList visited{QStringLiteral("Edit1")};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(w.window().focusWidget(), Qt::Key_Return);
        visited << w.window().focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Edit1", "Edit3", "Edit4", "Edit6", "Edit2", "Edit5"}));
    QCOMPARE(w.edit("Edit1")->text(), QStringLiteral("8863.682"));
}

void InputTest::tabVisitsTheInputsInOrder() {
    WindowDriver w;
    w.selectTopology(5);
    w.edit("Edit1")->setFocus();
    QStringList visited{QStringLiteral("Edit1")};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(w.window().focusWidget(), Qt::Key_Tab);
        visited << w.window().focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Edit1", "Edit3", "Edit4", "Edit6", "Edit11", "Edit7", "Edit10",
                                   "Edit2", "Edit5"}));
}

void InputTest::everyTopologyShowsItsSchematicAndFields_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("schematic");
    QTest::addColumn<QStringList>("fields");
    const QStringList start{"EditRin", "EditC1", "EditC2", "EditC3"};
    QTest::newRow("3-crystal") << 0 << "3-crystal" << QSize(240, 150)
                               << start + QStringList{"EditC5Cw8", "EditC5"};
    QTest::newRow("4-crystal") << 1 << "4-crystal" << QSize(290, 150)
                               << start + QStringList{"EditC5Cw8", "EditC6Cw8", "EditRout4"};
    QTest::newRow("6-crystal") << 2 << "6-crystal" << QSize(440, 150)
                               << start + QStringList{"EditC5Cw8", "EditC5",    "EditC6Cw8",
                                                      "EditC7Cw8", "EditC9Cw8", "EditC10Cw8",
                                                      "EditRout6"};
    QTest::newRow("8-crystal") << 3 << "8-crystal" << QSize(590, 150)
                               << start + QStringList{"EditC5Cw8",  "EditC5",     "EditC6Cw8",
                                                      "EditC7Cw8",  "EditC9Cw8",  "EditC9",
                                                      "EditC10Cw8", "EditC11Cw8", "EditC13Cw8",
                                                      "EditC14Cw8", "EditRout8"};
    QTest::newRow("4-crystal CW") << 4 << "4-crystal CW" << QSize(340, 150)
                                  << start + QStringList{"EditC4Cw8", "EditC5Cw8", "EditC6Cw8",
                                                         "EditC7Cw8", "EditC8Cw8"};
    QTest::newRow("6-crystal CW") << 5 << "6-crystal CW" << QSize(490, 150)
                                  << start + QStringList{"EditC4Cw8",  "EditC5Cw8",  "EditC6Cw8",
                                                         "EditC7Cw8",  "EditC8Cw8",  "EditC9Cw8",
                                                         "EditC10Cw8", "EditC11Cw8", "EditC12Cw8"};
    QTest::newRow("8-crystal CW") << 6 << "8-crystal CW" << QSize(729, 172)
                                  << start + QStringList{"EditC4Cw8",  "EditC5Cw8",  "EditC6Cw8",
                                                         "EditC7Cw8",  "EditC8Cw8",  "EditC9Cw8",
                                                         "EditC10Cw8", "EditC11Cw8", "EditC12Cw8",
                                                         "EditC13Cw8", "EditC14Cw8", "EditC15Cw8",
                                                         "EditRoutCw8"};
}

void InputTest::everyTopologyShowsItsSchematicAndFields() {
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QSize, schematic);
    QFETCH(QStringList, fields);
    WindowDriver w;
    w.selectTopology(position);
    QCOMPARE(w.edit("Edit7")->text(), name);
    QCOMPARE(w.state().Topology, position + 1);
    QCOMPARE(w.visibleResultFields(), fields);
    const bool cw = position >= 4;
    QCOMPARE(w.edit("Edit11")->isVisible(), cw);
    QCOMPARE(w.control<QLabel>("Label11")->isVisible(), cw);
    QCOMPARE(w.window().focusWidget(), w.edit("Edit7"));
    const QPixmap image = w.control<QLabel>("ShemaFiltr")->pixmap();
    QVERIFY(!image.isNull());
    QCOMPARE(image.deviceIndependentSize().toSize(), schematic);
}

void InputTest::choosingATopologyEmptiesTheResultFields() {
    WindowDriver w;
    w.selectTopology(5);
    w.calculate();
    QVERIFY(!w.resultField(ResultField::EditC12Cw8)->text().isEmpty());
    w.selectTopology(0);
    for (int i = 0; i < kResultFieldCount; ++i) {
        QVERIFY(w.resultField(static_cast<ResultField>(i))->text().isEmpty());
    }
    QVERIFY(!w.edit("Edit11")->isVisible());
    QVERIFY(w.dialogs().shown.empty());
}

void InputTest::everyResponseTypeShowsItsName() {
    const QStringList names{"Butt. dA=3 dB",     "Cheb. dA=0.044 dB", "Cheb. dA=0.099 dB",
                            "Cheb. dA=0.177 dB", "Cheb. dA=0.28 dB",  "Cheb. dA=0.5 dB",
                            "Cheb. dA=1.0 dB",   "Cheb. dA=1.5 dB"};
    WindowDriver w;
    for (int position = names.size() - 1; position >= 0; --position) {
        w.selectResponse(position);
        QCOMPARE(w.edit("Edit10")->text(), names[position]);
        QCOMPARE(w.state().Response, position + 1);
        QCOMPARE(w.window().focusWidget(), w.edit("Edit10"));
    }
}

void InputTest::wheelOverAListWithoutFocusChangesNothing() {
    WindowDriver w;
    w.calculate();
    const QString rin = w.resultField(ResultField::EditRin)->text();
    for (const char* name : {"ComboBox1", "ComboBox2"}) {
        auto* list = w.control<QComboBox>(name);
        QVERIFY(!list->hasFocus());
        const QPointF inside(5, 5);
        QWheelEvent wheel(inside, list->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
        QCOMPARE(list->currentIndex(), 0);
    }
    QCOMPARE(w.state().Topology, 1);
    QCOMPARE(w.state().Response, 1);
    QCOMPARE(w.resultField(ResultField::EditRin)->text(), rin);
}

QTEST_MAIN(InputTest)
#include "InputTest.moc"
