#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QTimer>
#include <QWindow>

#include "AnyOrderWindow.h"
#include "BenchWindow.h"
#include "Catalogue.h"
#include "ChartView.h"
#include "CommandRunner.h"
#include "CrystalBatchWindow.h"
#include "CurveStatusBar.h"
#include "Dialogs.h"
#include "Hints.h"
#include "InformationText.h"
#include "KeyFilter.h"
#include "LogHeader.h"
#include "LsFoCalculator.h"
#include "MemoView.h"
#include "MonteCarloWindow.h"
#include "SchematicImage.h"
#include "SweepFitChart.h"
#include "TuningWindow.h"
#include "WindowLayout.h"
#include "WindowTexts.h"

namespace trellon {

namespace {

constexpr QColor kInfoBackground{255, 255, 225};

QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(12);
    return font;
}

void giveInfoBackground(QWidget* widget) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, kInfoBackground);
    widget->setPalette(colours);
}

void makeBold(QWidget* widget) {
    QFont bold = widget->font();
    bold.setBold(true);
    widget->setFont(bold);
}

template <typename Widget>
Widget* addControl(QWidget* parent, const char* name, const char* hint, const QRect& place) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(place);
    setHint(widget, QString::fromUtf8(hint));
    return widget;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), engine_(makeEngine()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(texts::kWindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/icon")));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setHint(this, QString::fromUtf8(texts::kWindowHint));
    buildControls();
    connectHandlers();
    FormCreate();
    createCalculator();
    createCrystalTools();
    subscribeToDocument();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(layout::kClientSize);
    setCentralWidget(client);
    menu_ = buildMainMenu(menuBar());

    ShemaFiltr = addControl<QLabel>(client, "ShemaFiltr", "Selected filter circuit diagram",
                                    layout::kSchematic);
    ShemaFiltr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    buildCircuitSchematic(client);

    Memo2 = addControl<MemoView>(client, "Memo2", "Program Log", layout::kViewArea);
    Memo2->setFocusPolicy(Qt::ClickFocus);
    giveInfoBackground(Memo2);
    makeBold(Memo2);

    Chart1 = addControl<ChartView>(client, "Chart1", "Frequency response", layout::kViewArea);

    Memo1 = addControl<MemoView>(client, "Memo1", "Results calculation", layout::kResultsPanel);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    giveInfoBackground(Memo1);
    makeBold(Memo1);

    inputs_ = buildInputFields(client);
    resultFields_ = std::make_unique<ResultFieldSet>(client);

    StatusBar1 =
        addControl<CurveStatusBar>(client, "StatusBar1", "Filter Calculated", layout::kCurveBar);
    makeBold(StatusBar1);
    StatusBar2 =
        addControl<PanelStatusBar>(client, "StatusBar2", "Date and Time", layout::kClockBar);
    StatusBar2->addPanel(320, Qt::AlignLeft, PanelStyle::PlainText);
    StatusBar2->addPanel(320, Qt::AlignLeft, PanelStyle::PlainText);
    StatusBar2->addPanel(80, Qt::AlignHCenter, PanelStyle::PlainText);
    StatusBar2->addPanel(50, Qt::AlignHCenter, PanelStyle::PlainText);
    StatusBar2->setLastPanelStretches(true);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    inputs_.Edit1->setFocus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::connectHandlers() {
    connect(inputs_.ComboBox1, &QComboBox::activated, this, &MainWindow::ComboBox1Change);
    connect(inputs_.ComboBox2, &QComboBox::activated, this, &MainWindow::ComboBox2Change);
    for (QLineEdit* edit : {inputs_.Edit1, inputs_.Edit2, inputs_.Edit3, inputs_.Edit4,
                            inputs_.Edit6, inputs_.Edit5}) {
        edit->installEventFilter(this);
    }
    for (QComboBox* list : {inputs_.ComboBox1, inputs_.ComboBox2}) {
        list->installEventFilter(this);
    }
    const MainMenu& m = menu_;
    connectCommand(m.Calculate, &QAction::triggered, &MainWindow::CalculateClick);
    connectCommand(m.Exit, &QAction::triggered, &MainWindow::ExitClick);
    connectCommand(m.N8, &QAction::triggered, &MainWindow::N8Click);
    connectCommand(m.LsFo1, &QAction::triggered, &MainWindow::LsFo1Click);
    connectCommand(m.CrystalBatch, &QAction::triggered, &MainWindow::CrystalBatchClick);
    connectCommand(m.CrystalChoice, &QAction::triggered, &MainWindow::CrystalChoiceClick);
    connectCommand(m.MonteCarlo, &QAction::triggered, &MainWindow::MonteCarloClick);
    connectCommand(m.OpenProject, &QAction::triggered, &MainWindow::OpenProjectClick);
    connectCommand(m.SaveProject, &QAction::triggered, &MainWindow::SaveProjectClick);
    connectCommand(m.Bench, &QAction::triggered, &MainWindow::BenchClick);
    connectCommand(m.AnyOrder, &QAction::triggered, &MainWindow::AnyOrderClick);
    connectCommand(m.Tuning, &QAction::triggered, &MainWindow::TuningClick);
    connectCommand(m.Open, &QAction::triggered, &MainWindow::OpenClick);
    connectCommand(m.Save, &QAction::triggered, &MainWindow::SaveClick);
    connectCommand(m.FR, &QAction::triggered, &MainWindow::FRClick);
    connectCommand(m.Log1, &QAction::triggered, &MainWindow::Log1Click);
    connectCommand(m.ViewProt, &QAction::triggered, &MainWindow::ViewProtClick);
    connectCommand(m.BonusACH, &QAction::triggered, &MainWindow::BonusACHClick);
    connectCommand(m.ClearGrafic, &QAction::triggered, &MainWindow::ClearGraficClick);
    connectCommand(m.PlusZoom, &QAction::triggered, &MainWindow::PlusZoomClick);
    connectCommand(m.NormalZoom, &QAction::triggered, &MainWindow::NormalZoomClick);
    connectCommand(m.Otn_Level, &QAction::triggered, &MainWindow::Otn_LevelClick);
    connectCommand(m.Abs_Level, &QAction::triggered, &MainWindow::Abs_LevelClick);
    connectCommand(m.SaveProt, &QAction::triggered, &MainWindow::SaveProtClick);
    connectCommand(m.PrintProtocol, &QAction::triggered, &MainWindow::PrintProtocolClick);
    connectCommand(m.PrintForm, &QAction::triggered, &MainWindow::PrintFormClick);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    StatusBar1->setDrawPanelHandler([this](QPainter& painter, int panel, const QRect& rect) {
        StatusBar1DrawPanel(painter, panel, rect);
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            &MainWindow::showLogOnReturnFromOtherWindow);
    connectChartCommands();
}

void MainWindow::FormCreate() {
    // "Инфо" stands alone at the right end of the menu bar.
    auto* rightEnd = new QMenuBar(menuBar());
    menuBar()->removeAction(menu_.N8);
    menu_.N8->setText(QStringLiteral("&Инфо"));
    rightEnd->addAction(menu_.N8);
    menuBar()->setCornerWidget(rightEnd, Qt::TopRightCorner);

    Memo1->show();
    for (const QString& line : logHeaderLines(QDateTime::currentDateTime(), QLocale())) {
        Memo2->appendLine(line);
    }
    ViewProtClick();
    new HintTracker(this, [this](const QString& hint) { PanelHint(hint); });
    Timer2Timer();
    Timer2->start();

    DesignState& s = engine_->state;
    inputs_.ComboBox1->setCurrentIndex(0);
    inputs_.ComboBox2->setCurrentIndex(0);
    resultFields_->placeOverSchematic();
    ApplyTopology(0);
    applyResponse(1);
    s.CalcCount = 0;
    s.LogUnsaved = false;
    s.LogLastLine = 3;
    s.AbsoluteLevel = false;
    StatusBar2->setPanelText(1, QString::fromUtf8(texts::kLevelRelativeAtStart));
    menu_.Calculate->setEnabled(true);
}

void MainWindow::showWarning(const std::string& text) {
    dialogs_.warning(QString::fromStdString(text));
}

void MainWindow::showResultsPanel() {
    Memo1->show();
}

void MainWindow::setResultField(ResultField field, const std::string& text) {
    resultFields_->field(field)->setText(QString::fromStdString(text));
}

void MainWindow::ComboBox1Change() {
    const int position = inputs_.ComboBox1->currentIndex();
    if (position >= 0) {
        resultFields_->clearTexts();
        ApplyTopology(position);
    }
    inputs_.Edit7->setFocus();
}

void MainWindow::ApplyTopology(int position) {
    const int topology = topologyFromIndex(position);
    ShemaFiltr->setPixmap(schematicImage(topology, devicePixelRatio()));
    Memo1->show();
    inputs_.Edit11->setVisible(isCwTopology(topology));
    inputs_.Label11->setVisible(isCwTopology(topology));
    // The enlarged chart covers the schematic; its fields come back with the normal size. An
    // any-order design keeps its own schematic until the next calculation.
    if (!chartEnlarged_ && circuitArea_->isHidden()) {
        resultFields_->showFor(topology);
    }
    engine_->state.Topology = topology;
    inputs_.Edit7->setText(QString::fromStdString(topologyComboText(topology)));
}

void MainWindow::ComboBox2Change() {
    const int position = inputs_.ComboBox2->currentIndex();
    if (position >= 0) {
        applyResponse(responseFromIndex(position));
    }
    inputs_.Edit10->setFocus();
}

void MainWindow::applyResponse(int response) {
    engine_->state.Response = response;
    inputs_.Edit10->setText(QString::fromStdString(responseDisplayName(response)));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A wheel turned in passing would change the design under the results still shown.
    if (watched == inputs_.ComboBox1 || watched == inputs_.ComboBox2) {
        return event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus();
    }
    if (event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == inputs_.Edit5) {
        return Edit5KeyPress(key);
    }
    return EditKeyPress(static_cast<QLineEdit*>(watched), key);
}

// The crystal and pass-band fields; returns true when the key is used up here.
bool MainWindow::EditKeyPress(QLineEdit* edit, const QKeyEvent& key) {
    switch (crystalFieldKey(key)) {
        case KeyVerdict::Accept:
            return false;
        case KeyVerdict::Discard:
            return true;
        case KeyVerdict::NextField:
            break;
    }
    const std::pair<QLineEdit*, QLineEdit*> chain[] = {{inputs_.Edit1, inputs_.Edit3},
                                                       {inputs_.Edit3, inputs_.Edit4},
                                                       {inputs_.Edit4, inputs_.Edit6},
                                                       {inputs_.Edit6, inputs_.Edit2},
                                                       {inputs_.Edit2, inputs_.Edit5}};
    for (const auto& [from, to] : chain) {
        if (edit == from) {
            to->setFocus();
        }
    }
    return true;
}

bool MainWindow::Edit5KeyPress(const QKeyEvent& key) {
    return levelFieldKey(key) != KeyVerdict::Accept;
}

void MainWindow::PanelHint(const QString& hint) {
    StatusBar2->setPanelText(0, hint);
}

bool MainWindow::event(QEvent* event) {
    // Menu items report their hints this way.
    if (event->type() == QEvent::StatusTip) {
        PanelHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        ViewProtClick();
    }
}

// Coming back to this window from another window of the program brings the log forward; coming
// back from a message box, a dialog or a menu does not.
void MainWindow::showLogOnReturnFromOtherWindow(QWindow* focusWindow) {
    const QWindow* previous = lastFocusWindow_;
    lastFocusWindow_ = focusWindow;
    if (focusWindow == nullptr || focusWindow != windowHandle() || previous == nullptr ||
        previous == focusWindow) {
        return;
    }
    // The crystal tools and the any-order design draw on the chart: coming back from them keeps
    // it in view.
    if (previous == batchWindow_->windowHandle() || previous == monteCarloWindow_->windowHandle() ||
        (anyOrderWindow_ && previous == anyOrderWindow_->windowHandle())) {
        return;
    }
    const Qt::WindowType type = previous->type();
    if (previous->modality() == Qt::NonModal && type != Qt::Popup && type != Qt::ToolTip) {
        ViewProtClick();
    }
}

void MainWindow::runCommand(const std::function<void()>& command) {
    trellon::runCommand(dialogs_, command);
}

void MainWindow::ExitClick() {
    close();
}

void MainWindow::N8Click() {
    dialogs_.information(informationText());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

bool MainWindow::FormCloseQuery() {
    if (!closeWithPendingWork()) {
        return false;
    }
    if (!engine_->state.LogUnsaved) {
        return true;
    }
    switch (dialogs_.question(QString::fromUtf8(texts::kSaveLogQuestion))) {
        case Dialogs::Answer::Yes:
            return saveLogCommand();
        case Dialogs::Answer::No:
            return true;
        case Dialogs::Answer::Cancel:
            return false;
    }
    return false;
}

}  // namespace trellon
