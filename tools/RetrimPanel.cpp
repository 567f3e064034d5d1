#include "RetrimPanel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "BackgroundRun.h"
#include "DocumentCircuit.h"
#include "FailureText.h"
#include "NumberText.h"
#include "ProjectDocument.h"
#include "Retrim.h"
#include "RetrimReportText.h"
#include "ToolWindowFrame.h"
#include "texts/RetrimTexts.h"

namespace trellon {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QDoubleSpinBox* trimmerBox(double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(1, 999999);
    box->setDecimals(0);
    box->setValue(value);
    return box;
}

constexpr int kFreeColumn = 2;

}  // namespace

struct RetrimPanel::Outcome {
    std::optional<RetrimResult> result;
};

RetrimPanel::RetrimPanel(ProjectDocument& document, RetrimHooks hooks, char decimalSeparator,
                         QWidget* parent)
    : QWidget(parent), document_(document), hooks_(std::move(hooks)), separator_(decimalSeparator) {
    setObjectName("RetrimPanel");
    walkTabsAsOneGroup(*this);
    capacitors_ = new QTableWidget(0, 3);
    capacitors_->setObjectName("RetrimCapacitors");
    capacitors_->setHorizontalHeaderLabels({text(texts::kRetrimColumns[0]),
                                            text(texts::kRetrimColumns[1]),
                                            text(texts::kRetrimColumns[2])});
    capacitors_->verticalHeader()->hide();
    capacitors_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    capacitors_->horizontalHeader()->setStretchLastSection(true);
    capacitors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    capacitors_->setSelectionMode(QAbstractItemView::NoSelection);
    capacitors_->setMinimumHeight(capacitors_->fontMetrics().lineSpacing() * 9);

    symmetric_ = new QCheckBox(text(texts::kRetrimSymmetric));
    symmetric_->setObjectName("RetrimSymmetric");
    symmetric_->setToolTip(text(texts::kRetrimSymmetricHint));
    trimmers_ = new QCheckBox(text(texts::kRetrimTrimmers));
    trimmers_->setObjectName("RetrimTrimmers");
    trimmers_->setToolTip(text(texts::kRetrimTrimmersHint));
    trimmerMin_ = trimmerBox(100);
    trimmerMin_->setObjectName("RetrimTrimmerMin");
    trimmerMax_ = trimmerBox(10000);
    trimmerMax_->setObjectName("RetrimTrimmerMax");
    for (QDoubleSpinBox* box : {trimmerMin_, trimmerMax_}) {
        box->setEnabled(false);
        connect(trimmers_, &QCheckBox::toggled, box, &QWidget::setEnabled);
    }
    auto* trimmerRow = new QHBoxLayout;
    trimmerRow->addWidget(trimmers_);
    trimmerRow->addWidget(new QLabel(text(texts::kRetrimTrimmerFrom)));
    trimmerRow->addWidget(trimmerMin_);
    trimmerRow->addWidget(new QLabel(text(texts::kRetrimTrimmerTo)));
    trimmerRow->addWidget(trimmerMax_);
    trimmerRow->addStretch(1);

    run_ = new QPushButton(text(texts::kRetrimRun));
    run_->setObjectName("RetrimRun");
    run_->setToolTip(text(texts::kRetrimRunHint));
    auto* progress = new QProgressBar;
    progress->setObjectName("RetrimProgress");
    cancel_ = new QPushButton(text(texts::kRetrimCancel));
    cancel_->setObjectName("RetrimCancel");
    background_ = new BackgroundRun(progress, cancel_, this);
    connect(run_, &QPushButton::clicked, this, &RetrimPanel::start);
    connect(cancel_, &QPushButton::clicked, background_, &BackgroundRun::cancel);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(run_);
    runRow->addWidget(progress, 1);
    runRow->addWidget(cancel_);

    report_ = new QPlainTextEdit;
    report_->setObjectName("RetrimReport");
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setMinimumHeight(report_->fontMetrics().lineSpacing() * 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(text(texts::kRetrimCaption)));
    layout->addWidget(capacitors_, 1);
    layout->addWidget(symmetric_);
    layout->addLayout(trimmerRow);
    layout->addLayout(runRow);
    layout->addWidget(report_, 1);

    for (DocumentAspect aspect :
         {DocumentAspect::Calculation, DocumentAspect::Batch, DocumentAspect::Placement,
          DocumentAspect::Bench, DocumentAspect::Tuning}) {
        subscriptions_.push_back(document_.subscribe(aspect, [this] { showCapacitors(); }));
    }
    showCapacitors();
}

RetrimPanel::~RetrimPanel() {
    for (int id : subscriptions_) {
        document_.unsubscribe(id);
    }
}

bool RetrimPanel::running() const {
    return background_->running();
}

QString RetrimPanel::reportText() const {
    return report_->toPlainText();
}

RetrimPanel::Basis RetrimPanel::basis() const {
    return {document_.calculatedDesign(), document_.batch(), document_.placement(),
            fittingSettings(document_), document_.tuning()};
}

// The capacitors of the circuit as soldered, each free unless the user held it; a circuit that
// cannot be built lists none.
void RetrimPanel::showCapacitors() {
    std::map<QString, bool> free;
    for (int row = 0; row < capacitors_->rowCount(); ++row) {
        free[capacitors_->item(row, 0)->text()] =
            capacitors_->item(row, kFreeColumn)->checkState() == Qt::Checked;
    }
    std::optional<BenchCircuit> bench;
    try {
        bench = documentCircuit(document_);
    } catch (const std::exception&) {
        bench.reset();
    }
    capacitors_->setRowCount(0);
    if (!bench) {
        return;
    }
    capacitors_->setRowCount(static_cast<int>(bench->capacitors.size()));
    for (int row = 0; row < capacitors_->rowCount(); ++row) {
        const BenchCapacitor& c = bench->capacitors[static_cast<std::size_t>(row)];
        const QString name = QString::fromStdString(c.name);
        capacitors_->setItem(row, 0, new QTableWidgetItem(name));
        capacitors_->setItem(
            row, 1,
            new QTableWidgetItem(QString::fromStdString(FormatGeneral(c.fittedPf, 4, separator_))));
        auto* check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        const auto kept = free.find(name);
        check->setCheckState(kept == free.end() || kept->second ? Qt::Checked : Qt::Unchecked);
        capacitors_->setItem(row, kFreeColumn, check);
    }
}

void RetrimPanel::start() {
    if (background_->running()) {
        return;
    }
    const Basis now = basis();
    if (!now.design) {
        showReport(text(texts::kRetrimNoDesign));
        return;
    }
    RetrimSettings settings;
    bool allFree = true;
    for (int row = 0; row < capacitors_->rowCount(); ++row) {
        if (capacitors_->item(row, kFreeColumn)->checkState() == Qt::Checked) {
            settings.freeCapacitors.push_back(capacitors_->item(row, 0)->text().toStdString());
        } else {
            allFree = false;
        }
    }
    if (settings.freeCapacitors.empty()) {
        showReport(text(texts::kRetrimNothingFree));
        return;
    }
    if (allFree) {
        settings.freeCapacitors.clear();
    }
    settings.symmetric = symmetric_->isChecked();
    if (trimmers_->isChecked()) {
        if (!(trimmerMin_->value() < trimmerMax_->value())) {
            showReport(text(texts::kRetrimTrimmerRange));
            return;
        }
        settings.trimmerMinPf = trimmerMin_->value();
        settings.trimmerMaxPf = trimmerMax_->value();
    }
    std::optional<BenchCircuit> untuned;
    try {
        untuned = documentCircuit(document_, false);
    } catch (const std::exception&) {
        showReport(QString::fromStdString(currentFailureText()));
        return;
    }
    started_ = now;
    startedSeries_ = now.bench.eSeries;
    outcome_ = std::make_shared<Outcome>();
    showReport(text(texts::kRetrimRunning));
    run_->setEnabled(false);
    background_->start(
        [design = now.design, bench = *untuned, benchSettings = now.bench,
         tuning = now.tuning.value_or(CircuitTuning{}), settings,
         outcome = outcome_](const ProgressCallback& progress, std::atomic<bool>& cancel) {
            outcome->result =
                retrim(*design, bench, benchSettings, tuning, settings, progress, cancel);
        },
        [this](bool cancelled, const std::string& failure) { finish(cancelled, failure); });
}

void RetrimPanel::finish(bool cancelled, const std::string& failure) {
    run_->setEnabled(true);
    const std::shared_ptr<Outcome> outcome = std::move(outcome_);
    if (!failure.empty()) {
        showReport(QString::fromStdString(failure));
        return;
    }
    if (cancelled || !outcome || !outcome->result) {
        showReport(text(texts::kRetrimCancelled));
        return;
    }
    if (!(basis() == started_)) {
        showReport(text(texts::kRetrimOutdated));
        return;
    }
    const std::vector<std::string> lines =
        retrimReportLines(*outcome->result, startedSeries_, separator_);
    QStringList shown;
    for (const std::string& line : lines) {
        shown << QString::fromStdString(line);
    }
    showReport(shown.join('\n'));
    if (hooks_.logBlock) {
        hooks_.logBlock(lines);
    }
    if (hooks_.apply) {
        const CircuitTuning& tuning = outcome->result->tuning;
        hooks_.apply(tuning);
    }
}

void RetrimPanel::showReport(const QString& shown) {
    report_->setPlainText(shown);
}

}  // namespace trellon
