// The window as it opens: texts, lists, result fields, menu, status bars, log header, hints
// and the information box.
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "LineEditRoom.h"
#include "LocaleClock.h"
#include "RussianTranslations.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

// The captions of a menu's items in order, "-" for a separator; "Caption|Hint" when hinted.
QStringList menuItems(const QMenu* menu) {
    QStringList items;
    for (const QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            items << QStringLiteral("-");
        } else if (item->statusTip().isEmpty()) {
            items << item->text();
        } else {
            items << item->text() + '|' + item->statusTip();
        }
    }
    return items;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void windowFieldsAndListsAtStart();
    void labelsStandBesideTheirFields();
    void menuAtStart();
    void viewsAndStatusBarsAtStart();
    void hintsFollowThePointer();
    void informationBox();
    void standardButtonsSpeakRussian();
};

void StartupTest::windowFieldsAndListsAtStart() {
    WindowDriver w;
    QCOMPARE(w.window().windowTitle(),
             QStringLiteral("Расчет кварцевых фильтров - Trellon - Ostrel"));
    QCOMPARE(w.window().centralWidget()->size(), QSize(905, 633));

    const QList<std::pair<const char*, const char*>> initial = {
        {"Edit1", "8863.682"}, {"Edit3", "17.15"},     {"Edit4", "3.3"},
        {"Edit6", "5.7"},      {"Edit11", "82"},       {"Edit2", "3100"},
        {"Edit5", "-10"},      {"Edit7", "3-crystal"}, {"Edit10", "Butt. dA=3 dB"}};
    for (const auto& [name, text] : initial) {
        QCOMPARE(w.edit(name)->text(), QString::fromUtf8(text));
    }
    QVERIFY(w.edit("Edit7")->isReadOnly());
    QVERIFY(w.edit("Edit10")->isReadOnly());
    QVERIFY(!w.edit("Edit11")->isVisible());
    QVERIFY(!w.control<QLabel>("Label11")->isVisible());
    QCOMPARE(w.window().focusWidget(), w.edit("Edit1"));

    auto* topologies = w.control<QComboBox>("ComboBox1");
    auto* responses = w.control<QComboBox>("ComboBox2");
    QCOMPARE(topologies->count(), 7);
    QCOMPARE(topologies->itemText(6), QStringLiteral("8-crystal CW"));
    QCOMPARE(responses->count(), 8);
    QCOMPARE(responses->itemText(1), QStringLiteral("Cheb. dA=0,044 dB"));
    QCOMPARE(responses->itemText(6), QStringLiteral("Cheb. dA=1.0 dB"));
    QCOMPARE(topologies->currentIndex(), 0);
    QCOMPARE(responses->currentIndex(), 0);
    // The name fields cover their lists but for the drop-down button.
    for (const auto& [list, name] :
         {std::pair{topologies, "Edit7"}, std::pair{responses, "Edit10"}}) {
        const QRect field = w.edit(name)->geometry();
        QCOMPARE(field.topLeft(), list->geometry().topLeft());
        QCOMPARE(field.width(), list->width() - 20);
        QCOMPARE(list->focusPolicy(), Qt::NoFocus);
    }

    QCOMPARE(w.visibleResultFields(),
             QStringList({"EditRin", "EditC1", "EditC2", "EditC3", "EditC5Cw8", "EditC5"}));
    QCOMPARE(w.resultField(ResultField::EditRin)->pos(), QPoint(4, 44));
    QCOMPARE(w.resultField(ResultField::EditRoutCw8)->pos(), QPoint(600, 44));
    QCOMPARE(w.resultField(ResultField::EditC14Cw8)->pos(), QPoint(528, 128));
    for (int i = 0; i < kResultFieldCount; ++i) {
        QLineEdit* field = w.resultField(static_cast<ResultField>(i));
        QVERIFY(field->text().isEmpty());
        QCOMPARE(field->height(), 20);
        QVERIFY(!(field->focusPolicy() & Qt::TabFocus));
    }

    const DesignState& s = w.state();
    QCOMPARE(s.Topology, 1);
    QCOMPARE(s.Response, 1);
    QCOMPARE(s.CalcCount, 0);
    QCOMPARE(s.LogLastLine, 3);
    QVERIFY(!s.LogUnsaved);
    QVERIFY(!s.AbsoluteLevel);
}

void StartupTest::labelsStandBesideTheirFields() {
    WindowDriver w;
    w.selectTopology(4);  // shows the Ccor field too
    const QList<std::pair<const char*, const char*>> labelled = {
        {"Edit1", "Fo (кГц) ="},        {"Edit3", "Ld (мГн) ="},   {"Edit4", "Cs (пФ) ="},
        {"Edit6", "Rd (Ом) ="},         {"Edit11", "Ccor (пФ) ="}, {"Edit2", "Полоса dF (Гц) ="},
        {"Edit5", "Уровень АЧХ (дБ) ="}};
    for (const auto& [name, caption] : labelled) {
        QLineEdit* field = w.edit(name);
        auto* label = w.control<QLabel>(QByteArray("Label").append(name + 4).constData());
        QVERIFY2(label != nullptr, name);
        QCOMPARE(label->text(), QString::fromUtf8(caption));
        QCOMPARE(label->parentWidget(), field->parentWidget());
        QCOMPARE(label->geometry().center().y(), field->geometry().center().y());
        QVERIFY2(label->geometry().right() < field->geometry().left(), name);
        // The whole caption fits in front of the field; a crystal's field shows ten digits whole.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
        if (field->parentWidget() == w.control("GroupBox1")) {
            QVERIFY2(
                field->fontMetrics().horizontalAdvance(QString(10, '0')) <= lineEditTextRoom(field),
                name);
        }
    }
}

void StartupTest::menuAtStart() {
    WindowDriver w;
    QMenuBar* bar = w.window().menuBar();
    QStringList top;
    for (const QAction* item : bar->actions()) {
        top << item->text();
    }
    QCOMPARE(top, QStringList({"Файл", "Протокол", "Вид", "АЧХ", "Инструменты", "РАСЧЕТ"}));
    QVERIFY(w.action("Calculate")->isEnabled());
    QCOMPARE(w.action("Calculate")->statusTip(), QStringLiteral("Calculate"));

    // "Инфо" stands alone at the right end of the bar.
    auto* rightEnd = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    QVERIFY(rightEnd != nullptr);
    QCOMPARE(rightEnd->actions(), QList<QAction*>{w.action("N8")});
    QCOMPARE(w.action("N8")->text(), QStringLiteral("&Инфо"));
    QCOMPARE(w.action("N8")->statusTip(), QStringLiteral("Info"));
    QVERIFY(rightEnd->geometry().left() > bar->actionGeometry(w.action("Calculate")).right());

    QCOMPARE(menuItems(w.control<QMenu>("N1")),
             QStringList({"Открыть|Open", "Сохранить|Save", "-", "Печать формы|Print Form", "-",
                          "Выход|Quiit", "-",
                          "Экспорт графика...|Export the chart as a PNG, SVG or PDF file",
                          "Экспорт кривых (CSV)...|Export the drawn curves as CSV",
                          "Экспорт схемы (SPICE)...|Export the design as a SPICE deck",
                          "Экспорт S-параметров (Touchstone)...|Export the design's S-parameters "
                          "as a Touchstone .s2p file",
                          "Импорт измерения (Touchstone)...|Draw a measured response from a "
                          "Touchstone .s2p file",
                          "-",
                          "Открыть проект...|Open a project: the design, the crystal batch and "
                          "the settings",
                          "Сохранить проект...|Save the design, the crystal batch and the "
                          "settings as a project"}));
    QCOMPARE(menuItems(w.control<QMenu>("Protocol")),
             QStringList(
                 {"Показать|Show Log", "-", "Сохранить|Save Log", "-", "Распечатать|Print Log"}));
    QCOMPARE(menuItems(w.control<QMenu>("View")),
             QStringList({"АЧХ", "Протокол", "-", "Амплитуда|Show the amplitude response",
                          "Групповое время|Show the group delay",
                          "Возвратные потери|Show the input return loss",
                          "Широкая полоса|Show the amplitude response over a wide span",
                          "Ширина широкой полосы...|Choose how far the wide span reaches on each "
                          "side"}));
    QVERIFY(w.action("ViewAmplitude")->isChecked());
    QCOMPARE(menuItems(w.control<QMenu>("N4")),
             QStringList({"Наложения|FR overlapping mode (up to 5 curves)", "-", "Очистить|Clear",
                          "-", "Размер|Size", "Уроветь АЧХ|FR Level", "-",
                          "Исходный масштаб|Zoom back (Ctrl+0)"}));
    QCOMPARE(menuItems(w.control<QMenu>("ZoomACH")),
             QStringList({"Большой|Full size", "Нормальный|Normal size"}));
    QCOMPARE(menuItems(w.control<QMenu>("LevelACH")),
             QStringList({"Относительно Amin|Relative to Amin", "Абсолютный|Absolute"}));
    QCOMPARE(menuItems(w.control<QMenu>("Servis")),
             QStringList({" Расчет Ls иFo|Ls and Fo Calculation from measurements", "-",
                          "Партия кварцев...|Measured crystals and the filter built with them",
                          "Подбор кварцев из партии...|Choose the crystals and their positions "
                          "from the batch",
                          "Разброс параметров (Монте-Карло)...|How the spread of real parts "
                          "changes the filter",
                          "От расчета к плате...|Standard values, strays, 50-ohm match and the "
                          "build sheet",
                          "Синтез любого порядка...|A ladder of 2 to 16 crystals with any common "
                          "response",
                          "Настройка фильтра...|Change a capacitor, a trimmer or a crystal's Fs "
                          "and watch the built curve"}));
    const QList<std::pair<const char*, const char*>> submenuHints = {{"N1", "File"},
                                                                     {"Protocol", "Log"},
                                                                     {"View", ""},
                                                                     {"N4", "Frequency Response"},
                                                                     {"Servis", "Tools"}};
    for (const auto& [name, hint] : submenuHints) {
        QCOMPARE(w.control<QMenu>(name)->menuAction()->statusTip(), QString::fromUtf8(hint));
    }

    QVERIFY(w.action("BonusACH")->isChecked());
    QVERIFY(w.action("Otn_Level")->isChecked());
    QVERIFY(!w.action("Abs_Level")->isChecked());
    QVERIFY(!w.action("FR")->isChecked());
    QVERIFY(w.action("Log1")->isChecked());
    QVERIFY(w.action("PlusZoom")->isEnabled());
    QVERIFY(!w.action("NormalZoom")->isEnabled());
}

void StartupTest::viewsAndStatusBarsAtStart() {
    const QDate today = QDate::currentDate();
    WindowDriver w;
    QVERIFY(w.control("Memo1")->isVisible());
    QVERIFY(w.results().join("").isEmpty());
    QVERIFY(w.control("Memo2")->isVisible());
    QVERIFY(!w.chart()->isVisible());
    QCOMPARE(w.control("Memo2")->geometry(), QRect(0, 176, 733, 409));
    QCOMPARE(w.chart()->geometry(), QRect(0, 176, 733, 409));

    const QStringList log = w.log();
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0], QStringLiteral("The Log of the program \"Trellon\""));
    QVERIFY2(log[1].startsWith(shortDateText(today, QLocale()) + " / "), qPrintable(log[1]));
    QCOMPARE(log[2], QString(53, '='));

    PanelStatusBar* clock = w.clockPanels();
    QCOMPARE(clock->panelText(1), QStringLiteral("Frequency Response Level - Relative to Amin"));
    QCOMPARE(clock->panelText(2), shortDateText(today, QLocale()));
    // Hours, minutes and seconds, and no time-zone name.
    QVERIFY2(QRegularExpression("^\\d{1,2}:\\d\\d:\\d\\d( ?[AP]M)?$")
                 .match(clock->panelText(3))
                 .hasMatch(),
             qPrintable(clock->panelText(3)));
    auto* timer = w.window().findChild<QTimer*>("Timer2");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);

    CurveStatusBar* curves = w.curvePanels();
    QCOMPARE(curves->geometry().height(), 26);
    QCOMPARE(clock->geometry().height(), 19);
    QCOMPARE(clock->geometry().bottom(), 632);
    for (int k = 0; k < kCurveCount; ++k) {
        QCOMPARE(curves->panelRect(k).width(), 160);
        QCOMPARE(curves->panelStyle(k), PanelStyle::OwnerDrawn);
        QCOMPARE(curves->panelBevel(k), PanelBevel::Lowered);
        QVERIFY(curves->panelCaption(k).isEmpty());
    }
}

void StartupTest::hintsFollowThePointer() {
    WindowDriver w;
    PanelStatusBar* clock = w.clockPanels();
    const auto enter = [](QWidget* widget) {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(widget, &event);
    };
    const auto leave = [](QWidget* widget) {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    };
    enter(w.edit("Edit1"));
    QCOMPARE(clock->panelText(0), QStringLiteral("Crystal series resonance frequency"));
    leave(w.edit("Edit1"));
    QCOMPARE(clock->panelText(0), QStringLiteral("Crystal parameters"));
    enter(w.edit("Edit5"));
    QCOMPARE(clock->panelText(0), QStringLiteral("Frequency responce calculation limit"));
    enter(w.control<QLabel>("Label7"));
    QCOMPARE(clock->panelText(0), QStringLiteral("Filter data"));
    enter(w.resultField(ResultField::EditC1));
    QCOMPARE(clock->panelText(0), QStringLiteral("Trellon"));
    enter(w.chart());
    QCOMPARE(clock->panelText(0), QStringLiteral("Frequency response"));

    // A menu item under the pointer.
    QMenuBar* bar = w.window().menuBar();
    auto* file = w.control<QMenu>("N1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QTRY_VERIFY(file->isVisible());
    QTest::mouseMove(file, file->actionGeometry(w.action("PrintForm")).center());
    QTRY_COMPARE(clock->panelText(0), QStringLiteral("Print Form"));
    file->close();

    // A submenu keeps its hint once it has opened.
    auto* response = w.control<QMenu>("N4");
    auto* size = w.control<QMenu>("ZoomACH");
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(response->menuAction()).center());
    QTRY_VERIFY(response->isVisible());
    QTest::mouseMove(response, response->actionGeometry(size->menuAction()).center());
    QTRY_VERIFY(size->isVisible());
    QTest::qWait(700);
    QCOMPARE(clock->panelText(0), QStringLiteral("Size"));
    response->close();
}

void StartupTest::informationBox() {
    WindowDriver w;
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    QTest::sendKeyEvent(QTest::Click, &w.window(), Qt::Key(0x0418), QStringLiteral("И"),
                        Qt::AltModifier);
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QCOMPARE(w.dialogs().shown[0].kind, FakeDialogs::Shown::Kind::Information);
    const QStringList lines = w.dialogs().shown[0].text.split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QStringLiteral("Программа расчета кварцевых фильтров V-6.3.0.0."));
    QVERIFY(lines[1].contains(QStringLiteral("идея, дизайн, продвижение")));
    QVERIFY(lines[2].contains(QStringLiteral("программирование")));
    QVERIFY(lines[3].contains(QStringLiteral("тестирование")));
    QCOMPARE(lines[4], QStringLiteral("Высказывания, пожелания и советы "));
    QVERIFY(lines[5].startsWith(QStringLiteral("можно отправить по адресу: ")));
    QVERIFY(lines[6].isEmpty());
    QCOMPARE(lines[7], QStringLiteral("\"Trellon\" V-6.3.0.0."));
    QVERIFY(lines[8].startsWith(QStringLiteral("Authors:")));
    QVERIFY(lines[9].startsWith(QStringLiteral("Please e-mail your problems/suggestions to ")));
}

void StartupTest::standardButtonsSpeakRussian() {
    QVERIFY(installRussianTranslations(*qApp));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Да"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Нет"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Отмена"));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
