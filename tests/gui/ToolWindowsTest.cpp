// The tool windows as a builder works in them: the batch imported twice, the values shown and a
// crystal put into a position by hand, a crystal measured in an oscillator, the bench's parts list,
// the windows' size, place and keys, and closing the program while their work is pending.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "BenchWindow.h"
#include "Catalogue.h"
#include "CrystalBatchWindow.h"
#include "CrystalFormulas.h"
#include "MonteCarloWindow.h"
#include "NumberText.h"
#include "WindowDriver.h"
#include "texts/ClosingTexts.h"
#include "texts/CrystalWindowTexts.h"

using namespace trellon;
using namespace trellon::test;

namespace {

void writeBatch(const QString& path, const QStringList& names) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("name,fs_khz,lm_mh,rm_ohm,c0_pf,spur1_khz,spur1_lm_mh,spur1_rm_ohm\n");
    for (int i = 0; i < names.size(); ++i) {
        file.write(names[i].toUtf8() + ",8863.68212345" + QByteArray::number(i) +
                   ",17.1512345,5.7123456,3.3123456" + (i == 0 ? ",41.25,52.5,60\n" : ",,,\n"));
    }
}

QStringList placed(const CrystalBatchWindow& batch) {
    QStringList names;
    for (const std::string& name : batch.placement()) {
        names << QString::fromStdString(name);
    }
    return names;
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void importAsksToReplaceOrAppendAndShowsWhatTheMeasurementSupports();
    void aCrystalIsPutIntoAChosenPosition();
    void oscillatorMeasurementAddsItsCrystal();
    void benchWindowListsThePartsAsBuilt();
    void toolWindowsFitTheScreenAndAnswerTheirKeys();
    void closingAsksAboutPendingWorkBeforeTheLog();

private:
    QTemporaryDir dir_;
};

void ToolWindowsTest::importAsksToReplaceOrAppendAndShowsWhatTheMeasurementSupports() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const int n = crystalCount(w.state().Topology);
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    auto* table = batch->findChild<QTableWidget*>("CrystalTable");
    QStringList names;
    for (int i = 1; i <= n; ++i) {
        names << QStringLiteral("X%1").arg(i);
    }
    const QString first = dir_.filePath("first.csv");
    writeBatch(first, names);
    d.fileNames = {first};
    batch->findChild<QPushButton*>("ImportBatch")->click();
    batch->findChild<QPushButton*>("PlaceCrystals")->click();
    QCOMPARE(placed(*batch), names);

    // Fs to 0.1 Hz, the others to 4 digits; the data keeps every digit. Q = 2 pi Fs Lm / Rm in
    // SI units, to the 6 digits shown.
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("8863.6821"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("17.15"));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("5.712"));
    QCOMPARE(batch->checkedBatch()->crystals[0].lmMh, 17.1512345);
    // A spurious mode is counted in its column, told in the tooltip and kept with its crystal.
    QCOMPARE(table->item(0, 8)->text(), QStringLiteral("1"));
    QCOMPARE(table->item(0, 8)->toolTip(), QStringLiteral("Fs + 41.25 кГц: Lm 52.5 мГн, Rm 60 Ом"));
    QCOMPARE(batch->checkedBatch()->crystals[0].spurious,
             (std::vector<SpuriousMode>{{41.25, 52.5, 60}}));
    QVERIFY(batch->checkedBatch()->crystals[1].spurious.empty());
    const double q = 2 * M_PI * 8863.682123450e3 * 17.1512345e-3 / 5.7123456;
    QCOMPARE(table->item(0, 5)->text(), QString::number(std::llround(q)));
    // Retyped, Q follows; not a number, no Q.
    table->item(1, 3)->setText("11.4246912");
    QCOMPARE(table->item(1, 5)->text(), QString::number(std::llround(2 * M_PI * 8863.682123451e3 *
                                                                     17.1512345e-3 / 11.4246912)));
    table->item(1, 3)->setText("x");
    QVERIFY(table->item(1, 5)->text().isEmpty());
    table->item(1, 3)->setText("5.7123456");

    // Cancelled, nothing changes; appended, the names taken get -2 and the placement stays.
    d.fileNames = {first, first};
    d.choices = {-1, 1};
    batch->findChild<QPushButton*>("ImportBatch")->click();
    QCOMPARE(table->rowCount(), n);
    batch->findChild<QPushButton*>("ImportBatch")->click();
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Question).size(), 2);
    QCOMPARE(table->rowCount(), 2 * n);
    QCOMPARE(table->item(n, 0)->text(), QStringLiteral("X1-2"));
    QCOMPARE(batch->checkedBatch()->crystals.size(), std::size_t(2 * n));
    QCOMPARE(placed(*batch), names);

    // Replaced by crystals of other names, the placement naming the old ones is cleared.
    const QString other = dir_.filePath("other.csv");
    writeBatch(other, {"Y1", "Y2"});
    d.fileNames = {other};
    d.choices = {0};
    batch->findChild<QPushButton*>("ImportBatch")->click();
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(batch->placement().empty());
    QVERIFY(!d.texts(FakeDialogs::Shown::Kind::Warning).size());
}

void ToolWindowsTest::aCrystalIsPutIntoAChosenPosition() {
    WindowDriver w;
    w.calculate();
    const int n = crystalCount(w.state().Topology);
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    auto* table = batch->findChild<QTableWidget*>("CrystalTable");
    QStringList names;
    for (int i = 1; i <= n + 1; ++i) {
        names << QStringLiteral("X%1").arg(i);
    }
    const QString path = dir_.filePath("manual.csv");
    writeBatch(path, names);
    w.dialogs().fileNames = {path};
    batch->findChild<QPushButton*>("ImportBatch")->click();
    auto* position = batch->findChild<QComboBox*>("PlacePosition");
    QCOMPARE(position->count(), n);

    // With nothing placed, the first crystals fill the positions and the chosen one goes in.
    table->selectRow(n);
    position->setCurrentIndex(1);
    batch->findChild<QPushButton*>("PutIntoPosition")->click();
    QStringList expected = names.mid(0, n);
    expected[1] = names[n];
    QCOMPARE(placed(*batch), expected);
    // A placed crystal moved: the one standing there takes its old position.
    table->selectRow(0);
    position->setCurrentIndex(n - 1);
    batch->findChild<QPushButton*>("PutIntoPosition")->click();
    expected.swapItemsAt(0, n - 1);
    QCOMPARE(placed(*batch), expected);
    QVERIFY(w.dialogs().shown.empty());
}

// A crystal measured in an oscillator at two loads is worked out and added to the table; a name
// already in the batch, a text that is not a number and loads too close are refused in Russian,
// and nothing is added.
void ToolWindowsTest::oscillatorMeasurementAddsItsCrystal() {
    WindowDriver w;
    FakeDialogs& d = w.dialogs();
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    batch->findChild<QPushButton*>("FromOscillator")->click();
    // 8 MHz, 17.15 mH, C0 3.3 pF, oscillating at 20 and 30 pF.
    const double cm = motionalCapacitance(8e6, 17.15e-3, kTwoPiExact);
    const auto khzAt = [&](double clPf) {
        return FormatExact(8000 * std::sqrt(1 + cm / ((3.3 + clPf) * 1e-12)));
    };
    const auto type = [&](const char* name, const std::string& f1, const char* cl2) {
        const std::pair<const char*, std::string> fields[] = {
            {"ShiftName", name}, {"ShiftF1", f1},    {"ShiftF2", khzAt(30)}, {"ShiftCl1", "20"},
            {"ShiftCl2", cl2},   {"ShiftC0", "3,3"}, {"ShiftRm", "12,5"}};
        for (const auto& [field, text] : fields) {
            batch->findChild<QLineEdit*>(field)->setText(QString::fromStdString(text));
        }
        d.forget();
        batch->findChild<QPushButton*>("AddShiftCrystal")->click();
    };
    type("X1", khzAt(20), "30");
    QVERIFY(d.shown.empty());
    QCOMPARE(batch->findChild<QLineEdit*>("ShiftCl2")->text(), QStringLiteral("30"));
    QVERIFY(batch->findChild<QLineEdit*>("ShiftName")->text().isEmpty());
    type("X1", khzAt(20), "30");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning),
             QStringList{QString::fromUtf8(texts::kShiftNameTaken)});
    type("X3", khzAt(20), "21");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning),
             QStringList{QString::fromUtf8("CL1 и CL2 должны различаться не меньше чем на 5 % от "
                                           "суммы C0 и меньшей из них; при более близких ёмкостях "
                                           "Fs определяет ошибка частотомера")});
    type("X2", "8003,9x", "30");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning),
             QStringList{QString::fromUtf8("F1, кГц: «8003,9x» - не число")});

    const std::optional<CrystalBatch> added = batch->checkedBatch();
    QVERIFY(added && added->crystals.size() == 1);
    const MeasuredCrystal& x1 = added->crystals[0];
    QCOMPARE(x1.name, std::string("X1"));
    QVERIFY(std::abs(x1.fsKhz / 8000 - 1) < 1e-9);
    QVERIFY(std::abs(x1.lmMh / 17.15 - 1) < 1e-6);
    QCOMPARE(x1.rmOhm, 12.5);
    QCOMPARE(x1.c0Pf, 3.3);
    batch->close();
}

void ToolWindowsTest::benchWindowListsThePartsAsBuilt() {
    WindowDriver w;
    w.calculate();
    w.choose("Bench");
    auto* bench = w.window().findChild<BenchWindow*>();
    const QStringList lines = bench->partsListText().split('\n');
    const DesignState& s = w.state();
    const int n = crystalCount(s.Topology);
    // Rin, every crystal and capacitor by its name on the schematic, Rout: the same value as the
    // result field shows.
    QVERIFY2(lines.value(0).startsWith(
                 "Rin = " + QString::fromStdString(FormatGeneral(
                                w.window().calculatedDesign()->circuit.sourceResistance, 4, '.'))),
             qPrintable(lines.join('|')));
    QVERIFY(lines.filter(QRegularExpression("^ZQ\\d+:")).size() == n);
    QVERIFY(lines.filter(QRegularExpression("^C\\d+ = ")).size() >= n - 1);
    QVERIFY(lines.filter("Rout = ").size() == 1);
    bench->findChild<QPushButton*>("BenchCopyParts")->click();
    QCOMPARE(QApplication::clipboard()->text(), bench->partsListText());
    // Another series changes what is soldered.
    bench->setSettings({12, std::nullopt, 0, MatchKind::None, 50});
    QVERIFY(bench->partsListText() != lines.join('\n'));
}

void ToolWindowsTest::toolWindowsFitTheScreenAndAnswerTheirKeys() {
    WindowDriver w;
    w.calculate();
    // The least size each window needs fits 1366 x 768 at 1.25 scale, title bar and task bar
    // included.
    const QSize room(1366 / 1.25 - 16, 768 / 1.25 - 40 - 40);
    for (const char* action : {"CrystalBatch", "MonteCarlo", "Bench", "AnyOrder"}) {
        w.choose(action);
        QWidget* window = QApplication::activeWindow();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != &w.window() && top->isWindow()) {
                window = top;
            }
        }
        QVERIFY(window != nullptr);
        const QSize least = window->minimumSizeHint();
        QVERIFY2(
            least.width() <= room.width() && least.height() <= room.height(),
            qPrintable(
                QStringLiteral("%1: %2 x %3").arg(action).arg(least.width()).arg(least.height())));
        const QRect available = window->screen()->availableGeometry();
        QVERIFY(available.contains(window->geometry().topLeft()));
        // No larger than the screen, unless the screen is smaller than the least size.
        QVERIFY2(window->width() <= std::max(available.width(), least.width()) &&
                     window->height() <= std::max(available.height(), least.height()),
                 action);
        // Tab walks the fields down the window.
        QWidget* field = window->nextInFocusChain();
        int lastTop = -1;
        for (int i = 0; i < 6 && field != window; ++i, field = field->nextInFocusChain()) {
            if ((field->focusPolicy() & Qt::TabFocus) && field->isVisibleTo(window) &&
                field->window() == window && field->focusProxy() == nullptr) {
                const int top = field->mapTo(window, QPoint(0, 0)).y();
                QVERIFY2(top + 2 >= lastTop, action);
                lastTop = top;
            }
        }
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY2(!window->isVisible(), action);
    }
    // Enter runs the Monte-Carlo.
    w.choose("MonteCarlo");
    auto* mc = toolWindow<MonteCarloWindow>();
    QTest::keyClick(mc, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(mc->lastResult().has_value(), 30000);
}

void ToolWindowsTest::closingAsksAboutPendingWorkBeforeTheLog() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    batch->findChild<QPushButton*>("AddRow")->click();
    auto* table = batch->findChild<QTableWidget*>("CrystalTable");
    const QStringList row{"A", "8863.682", "17.15", "5.7", "3.3"};
    for (int column = 0; column < row.size(); ++column) {
        table->setItem(0, column, new QTableWidgetItem(row[column]));
    }
    // Cancel keeps the window open and asks nothing more; No goes on to the log's question.
    d.answers = {Dialogs::Answer::Cancel};
    QVERIFY(!w.window().close());
    QCOMPARE(d.texts(), QStringList{QString::fromUtf8(texts::kUnsavedWorkQuestion)});
    d.forget();
    d.answers = {Dialogs::Answer::No, Dialogs::Answer::No};
    QVERIFY(w.window().close());
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Question).size(), 2);
    QCOMPARE(d.texts().back(), QStringLiteral("           Сохранить протокол?"));
}

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
