// The main window's handlers of the chart, its curves, its size and level modes and the two
// status bars.
#include <QDateTime>
#include <QPainter>
#include <QTimer>

#include "ChartView.h"
#include "CurveColours.h"
#include "CurveStatusBar.h"
#include "LocaleClock.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "WindowLayout.h"
#include "WindowTexts.h"

namespace trellon {

namespace {

constexpr int kLevelModePanel = 1;
constexpr int kDatePanel = 2;
constexpr int kTimePanel = 3;

}  // namespace

void MainWindow::FRClick() {
    menu_.FR->setChecked(true);
    menu_.Log1->setChecked(false);
    Chart1->show();
}

void MainWindow::Log1Click() {
    menu_.FR->setChecked(false);
    menu_.Log1->setChecked(true);
    Chart1->hide();
}

void MainWindow::ViewProtClick() {
    Log1Click();
}

// The check mark has already flipped: switching overlays on starts a new cycle of curves.
void MainWindow::BonusACHClick() {
    if (menu_.BonusACH->isChecked()) {
        engine_->state.CalcCount = 0;
    }
}

void MainWindow::clearCurvesAndPanelTexts() {
    for (int k = 0; k < kCurveCount; ++k) {
        Chart1->clearCurve(k);
        StatusBar1->panelCleared(k);
    }
}

void MainWindow::lowerPanelsToPlainText() {
    for (int k = 0; k < kCurveCount; ++k) {
        StatusBar1->setPanelBevel(k, PanelBevel::Lowered);
        StatusBar1->setPanelStyle(k, PanelStyle::PlainText);
    }
}

void MainWindow::restartCurveCycle() {
    DesignState& s = engine_->state;
    s.CalcCount = 0;
    s.Calculated = false;
    for (int k = 0; k < kCurveCount; ++k) {
        Chart1->clearCurve(k);
    }
    lowerPanelsToPlainText();
}

void MainWindow::ClearGraficClick() {
    clearCurvesAndPanelTexts();
    Chart1->clearExtraCurves();
    shownBuilt_.reset();
    shownBench_.reset();
    lowerPanelsToPlainText();
    engine_->state.CalcCount = 0;
    Memo1->clear();
    shownBlocks_.clear();
}

void MainWindow::PlusZoomClick() {
    chartEnlarged_ = true;
    resultFields_->hideAll();
    Chart1->setGeometry(layout::kLargeChart);
    Chart1->setRightReserve(layout::kRightColumnWidth);
    for (QWidget* column : {static_cast<QWidget*>(Memo1), static_cast<QWidget*>(inputs_.GroupBox1),
                            static_cast<QWidget*>(inputs_.GroupBox2)}) {
        column->raise();
    }
    menu_.PlusZoom->setEnabled(false);
    menu_.NormalZoom->setEnabled(true);
}

void MainWindow::NormalZoomClick() {
    chartEnlarged_ = false;
    Chart1->setRightReserve(0);
    Chart1->setGeometry(layout::kNormalSizeChart);
    if (circuitArea_->isHidden()) {
        resultFields_->showFor(engine_->state.Topology);
    }
    menu_.PlusZoom->setEnabled(true);
    menu_.NormalZoom->setEnabled(false);
}

void MainWindow::Otn_LevelClick() {
    engine_->state.AbsoluteLevel = false;
    StatusBar2->setPanelText(kLevelModePanel, QString::fromUtf8(texts::kLevelRelative));
    menu_.Otn_Level->setChecked(true);
    menu_.Abs_Level->setChecked(false);
}

void MainWindow::Abs_LevelClick() {
    engine_->state.AbsoluteLevel = true;
    StatusBar2->setPanelText(kLevelModePanel, QString::fromUtf8(texts::kLevelAbsolute));
    menu_.Abs_Level->setChecked(true);
    menu_.Otn_Level->setChecked(false);
}

// An owner-drawn curve panel shows the caption of the calculation that drew its own curve.
void MainWindow::StatusBar1DrawPanel(QPainter& painter, int panel, const QRect& rect) {
    if (!engine_->state.Calculated) {
        return;
    }
    painter.setPen(curvePanelColour(panel));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, StatusBar1->panelCaption(panel));
}

void MainWindow::Timer2Timer() {
    const QDateTime now = QDateTime::currentDateTime();
    StatusBar2->setPanelText(kDatePanel, shortDateText(now.date(), QLocale()));
    StatusBar2->setPanelText(kTimePanel, longTimeText(now.time(), QLocale()));
}

}  // namespace trellon
