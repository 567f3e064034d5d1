#include "TuningWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "CircuitSchematicView.h"
#include "CommandError.h"
#include "DocumentCircuit.h"
#include "ProjectDocument.h"
#include "Retrim.h"
#include "RetrimPanel.h"
#include "ShapeMeasure.h"
#include "ToolWindowFrame.h"
#include "TuningChart.h"
#include "TuningCommands.h"
#include "TuningCurve.h"
#include "TuningPartPanel.h"
#include "TuningReportText.h"
#include "TuningSteps.h"
#include "texts/RetrimTexts.h"
#include "texts/TuningTexts.h"

namespace trellon {

namespace {

constexpr int kSchematicPauseMs = 150;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QPushButton* button(const char* caption, const char* name, const char* hint) {
    auto* b = new QPushButton(utf8(caption));
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(QString::fromUtf8(hint));
    return b;
}

std::optional<int> partNamed(const BuiltCircuit& circuit, const std::string& name) {
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        if (circuit.parts[i].name == name) {
            return int(i);
        }
    }
    return std::nullopt;
}

}  // namespace

TuningWindow::TuningWindow(ProjectDocument& document, char decimalSeparator, TuningHooks hooks,
                           QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      separator_(decimalSeparator),
      hooks_(std::move(hooks)),
      undo_(new QUndoStack(this)) {
    setObjectName("TuningWindow");
    setWindowTitle(utf8(texts::kTuningWindowTitle));
    clock_.start();

    schematic_ = new CircuitSchematicView;
    schematic_->setObjectName("TuningSchematic");
    schematic_->setDecimalSeparator(decimalSeparator);
    QSizePolicy policy = schematic_->sizePolicy();
    policy.setHeightForWidth(true);
    // Its height follows its width alone: the least size it could take, folded at its narrowest,
    // would leave most of the area empty.
    policy.setVerticalPolicy(QSizePolicy::Ignored);
    schematic_->setSizePolicy(policy);
    schematicArea_ = new QScrollArea;
    schematicArea_->setObjectName("TuningSchematicArea");
    schematicArea_->setWidgetResizable(true);
    schematicArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    schematicArea_->setWidget(schematic_);

    panel_ = new TuningPartPanel(decimalSeparator);
    panel_->setObjectName("TuningPartPanel");
    auto* undo = button(texts::kUndo, "TuningUndo", "Undo the last change (Ctrl+Z)");
    auto* redo = button(texts::kRedo, "TuningRedo", "Redo the change undone (Ctrl+Shift+Z)");
    auto* reset = button(texts::kReset, "TuningReset", "Every value back as calculated");
    auto* controls = new QHBoxLayout;
    controls->addWidget(panel_, 1);
    for (QPushButton* b : {undo, redo, reset}) {
        panel_->addBesideSlider(b);
    }
    status_ = new QLabel;
    status_->setObjectName("TuningStatus");
    status_->setWordWrap(true);

    chart_ = new TuningChart;
    chart_->setMinimumHeight(fontMetrics().lineSpacing() * 14);
    report_ = new QPlainTextEdit;
    report_->setObjectName("TuningReport");
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setMinimumSize(report_->fontMetrics().averageCharWidth() * 44,
                            report_->fontMetrics().lineSpacing() * 7);
    // The retrim works on the same tuning, one Undo step a result.
    retrim_ = new RetrimPanel(document_,
                              RetrimHooks{.apply =
                                              [this](const CircuitTuning& tuning) {
                                                  applyTuning(documentTuning(tuning),
                                                              utf8(texts::kRetrimRun));
                                              },
                                          .logBlock = hooks_.logBlock},
                              decimalSeparator);
    auto* left = new QVBoxLayout;
    left->addLayout(controls);
    left->addWidget(status_);
    left->addWidget(chart_, 3);
    left->addWidget(report_, 1);
    auto* lower = new QHBoxLayout;
    lower->addLayout(left, 1);
    lower->addWidget(retrim_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schematicArea_);
    layout->addLayout(lower, 1);
    bindToolWindowKeys(*this, nullptr);

    auto* undoKey = new QAction(this);
    undoKey->setShortcuts(QKeySequence::Undo);
    auto* redoKey = new QAction(this);
    redoKey->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({undoKey, redoKey});
    const auto undoStep = [this] {
        runOnStack([this] { undo_->undo(); });
        release();
    };
    const auto redoStep = [this] {
        runOnStack([this] { undo_->redo(); });
        release();
    };
    connect(undo, &QPushButton::clicked, this, undoStep);
    connect(undoKey, &QAction::triggered, this, undoStep);
    connect(redo, &QPushButton::clicked, this, redoStep);
    connect(redoKey, &QAction::triggered, this, redoStep);
    connect(undo_, &QUndoStack::canUndoChanged, undo, &QPushButton::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, redo, &QPushButton::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(reset, &QPushButton::clicked, this, [this] {
        if (document_.tuning()) {
            applyTuning(std::nullopt, utf8(texts::kReset));
        }
    });

    schematicDue_ = new QTimer(this);
    schematicDue_->setSingleShot(true);
    schematicDue_->setInterval(kSchematicPauseMs);
    connect(schematicDue_, &QTimer::timeout, this, &TuningWindow::showSchematic);
    schematic_->installEventFilter(this);
    connect(schematic_, &CircuitSchematicView::partSelected, this, [this](int index) {
        selectedName_ = schematic_->circuit().parts[std::size_t(index)].name;
        showSelected();
    });
    connect(panel_, &TuningPartPanel::valueChosen, this, &TuningWindow::choose);
    connect(panel_, &TuningPartPanel::trimmerToggled, this, &TuningWindow::toggleTrimmer);
    connect(panel_, &TuningPartPanel::released, this, &TuningWindow::release);
    connect(panel_, &TuningPartPanel::refused, this, &TuningWindow::showStatus);

    subscriptions_.push_back(document_.subscribe(DocumentAspect::Calculation, [this] {
        undo_->clear();
        follow(true);
    }));
    for (DocumentAspect aspect :
         {DocumentAspect::Batch, DocumentAspect::Placement, DocumentAspect::Bench}) {
        subscriptions_.push_back(document_.subscribe(aspect, [this] { follow(true); }));
    }
    // A tuning the document takes from elsewhere (a project opened) is not the stack's to undo.
    subscriptions_.push_back(document_.subscribe(DocumentAspect::Tuning, [this] {
        if (!changing_) {
            undo_->clear();
        }
        follow(false);
    }));
}

TuningWindow::~TuningWindow() {
    for (int id : subscriptions_) {
        document_.unsubscribe(id);
    }
}

// Room for two rows of a long ladder, the chart and the report; the screen bounds it.
QSize TuningWindow::sizeHint() const {
    return QSize(fontMetrics().averageCharWidth() * 170, fontMetrics().lineSpacing() * 52);
}

QString TuningWindow::reportText() const {
    return report_->toPlainText();
}

void TuningWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitSchematicArea();
}

void TuningWindow::fitSchematicArea() {
    // The layout gives the area the window's width within its margins, once it runs again.
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * schematicArea_->frameWidth();
    const int width = this->width() - margins.left() - margins.right() - frame;
    const int drawing = schematic_->heightForWidth(width) + frame;
    schematicArea_->setFixedHeight(std::min(drawing, height() / 3));
}

void TuningWindow::showEvent(QShowEvent* event) {
    if (stale_) {
        showCircuit();
    }
    QWidget::showEvent(event);
}

bool TuningWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == schematic_ && panel_->step(event)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TuningWindow::follow(bool fitting) {
    fittingStale_ = fittingStale_ || fitting;
    stale_ = true;
    if (isVisible()) {
        showCircuit();
    }
}

// A hidden window takes nothing: it catches up when shown.
void TuningWindow::showCircuit() {
    stale_ = false;
    showStatus({});
    const std::shared_ptr<const CalculatedDesign>& design = document_.calculatedDesign();
    if (!design) {
        untuned_.reset();
        tuned_.reset();
        schematicDue_->stop();
        schematic_->setCircuit(BuiltCircuit{});
        chart_->clear();
        panel_->showPart(std::nullopt, utf8(texts::kNoDesignToTune));
        return;
    }
    if (curveDesign_ != design.get()) {
        curve_ = std::make_unique<TuningCurve>(*design);
        curveDesign_ = design.get();
        chart_->showIdeal(*curve_, design->foHz());
        fittingStale_ = true;
    }
    try {
        if (fittingStale_ || !untuned_) {
            measureBefore_.reset();
            untuned_ = documentCircuit(document_, false);
            fittingStale_ = false;
        }
        tuned_ = documentCircuit(document_);
        curve_->solve(tuned_->circuit);
    } catch (const std::exception& refused) {
        // A tuning of parts this fitting lacks: the filter as fitted, and why.
        showStatus(QString::fromStdString(refused.what()));
        tuned_ = untuned_;
        if (tuned_) {
            curve_->solve(tuned_->circuit);
        }
    }
    if (!tuned_) {
        return;
    }
    if (stepping_ && schematic_->circuit().parts.size() == tuned_->circuit.parts.size()) {
        schematicDue_->start();
        showSelected();
    } else {
        showSchematic();
    }
    chart_->showTuned(*curve_);
}

void TuningWindow::showSchematic() {
    schematicDue_->stop();
    if (!tuned_) {
        return;
    }
    const std::size_t partsBefore = schematic_->circuit().parts.size();
    schematic_->setCircuit(tuned_->circuit);
    if (partsBefore != tuned_->circuit.parts.size()) {
        fitSchematicArea();
    }
    schematic_->selectPart(partNamed(tuned_->circuit, selectedName_));
    showSelected();
}

// The line says something only when there is something to say.
void TuningWindow::showStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void TuningWindow::showSelected() {
    const std::optional<int> index = schematic_->selectedPart();
    std::optional<TunedPart> part;
    QString caption = utf8(texts::kPickAPart);
    if (index && untuned_ && tuned_) {
        part =
            tunedPartAt(*untuned_, *tuned_, document_.tuning().value_or(CircuitTuning{}), *index);
        caption = QString::fromStdString(selectedName_) + utf8(texts::kPartNotTuned);
    }
    panel_->showPart(part, caption);
}

void TuningWindow::choose(double value, bool stepping) {
    const std::optional<TunedPart>& part = panel_->part();
    if (!part) {
        return;
    }
    const std::optional<CircuitTuning> after =
        documentTuning(withValue(document_.tuning().value_or(CircuitTuning{}), *part, value));
    if (after != document_.tuning()) {
        const QScopedValueRollback steps(stepping_, stepping);
        push(new TuningChange(document_, after, QString::fromStdString(part->name),
                              stepping ? part->name : std::string{}, clock_.elapsed()));
    }
}

void TuningWindow::toggleTrimmer() {
    const std::optional<TunedPart>& part = panel_->part();
    if (!part || part->kind == TunedKind::Capacitor) {
        return;
    }
    const std::string crystal = part->key;
    const bool adding = part->kind == TunedKind::Crystal && !part->hasTrimmer;
    // The new trimmer is what the builder tunes next; a shorted one leaves its crystal picked.
    selectedName_ = adding ? trimmerName(crystal) : crystal;
    const CircuitTuning current = document_.tuning().value_or(CircuitTuning{});
    applyTuning(documentTuning(withTrimmer(current, crystal,
                                           adding ? std::optional(kNewTrimmerPf) : std::nullopt)),
                utf8(adding ? texts::kAddTrimmer : texts::kShortTrimmer));
}

void TuningWindow::applyTuning(const std::optional<CircuitTuning>& tuning, const QString& text) {
    push(new TuningChange(document_, tuning, text));
    release();
}

void TuningWindow::push(TuningChange* change) {
    runOnStack([&] { undo_->push(change); });
}

void TuningWindow::runOnStack(const std::function<void()>& step) {
    const QScopedValueRollback changing(changing_, true);
    step();
}

void TuningWindow::release() {
    const std::shared_ptr<const CalculatedDesign>& design = document_.calculatedDesign();
    if (!design || !untuned_ || !tuned_) {
        return;
    }
    // The retrim's own measure, so that the two report alike.
    const ShapeGrid grid(*design, RetrimSettings{}.measurePoints, ChoiceMeasure::Shape);
    ShapeMeasure measure(grid);
    if (!measureBefore_) {
        measureBefore_ = measure(untuned_->circuit).deviation;
    }
    const double now = measure(tuned_->circuit).deviation;
    const QStringList lines = tuningReportLines(
        *untuned_, document_.tuning().value_or(CircuitTuning{}), *measureBefore_, now, separator_);
    report_->setPlainText(lines.join('\n'));
    if (hooks_.released) {
        hooks_.released(*tuned_, lines);
    }
}

}  // namespace trellon
