#include "BenchWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <cmath>

#include "ProjectDocument.h"
#include "ToolWindowFrame.h"
#include "texts/BenchTexts.h"

namespace trellon {

namespace {

constexpr int kSeries[] = {0, 6, 12, 24, 48, 96};
constexpr MatchKind kMatches[] = {MatchKind::None, MatchKind::SeriesLShuntC,
                                  MatchKind::SeriesCShuntL, MatchKind::Transformer};

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A box for the setting's values: its range, less one step at an end it leaves out.
QDoubleSpinBox* spinBox(const SettingDeclaration& declaration, int decimals) {
    const SettingRange& r = declaration.range;
    const double step = std::pow(10.0, -decimals);
    auto* box = new QDoubleSpinBox;
    box->setRange(r.lowIncluded ? r.low : r.low + step, r.highIncluded ? r.high : r.high - step);
    box->setDecimals(decimals);
    box->setValue(declaration.defaultValue);
    box->setToolTip(text(declaration.hint));
    return box;
}

}  // namespace

BenchWindow::BenchWindow(ProjectDocument& document, BenchHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), hooks_(std::move(hooks)) {
    setObjectName("BenchWindow");
    setWindowTitle(QString::fromUtf8(texts::kBenchWindowTitle));

    series_ = new QComboBox;
    series_->setObjectName("BenchSeries");
    series_->addItem(QString::fromUtf8(texts::kNoRounding));
    for (int series : {6, 12, 24, 48, 96}) {
        series_->addItem("E" + QString::number(series));
    }
    series_->setToolTip(text(settings::kESeries.hint));
    pairs_ = new QCheckBox(text(settings::kParallelTolerance.label));
    pairs_->setObjectName("BenchPairs");
    pairs_->setToolTip("Two parallel values where one lies beyond the tolerance");
    tolerance_ = spinBox(settings::kParallelTolerance, 2);
    tolerance_->setObjectName("BenchTolerance");
    stray_ = spinBox(settings::kBenchStray, 2);
    stray_->setObjectName("BenchStray");
    match_ = new QComboBox;
    match_->setObjectName("BenchMatch");
    for (const char* kind : texts::kMatchKinds) {
        match_->addItem(QString::fromUtf8(kind));
    }
    match_->setToolTip(text(settings::kMatch.hint));
    systemOhm_ = spinBox(settings::kSystemOhm, 2);
    systemOhm_->setObjectName("BenchSystemOhm");

    auto* form = new QFormLayout;
    form->addRow(text(settings::kESeries.label), series_);
    auto* pairRow = new QHBoxLayout;
    pairRow->addWidget(pairs_);
    pairRow->addWidget(tolerance_);
    form->addRow(pairRow);
    form->addRow(text(settings::kBenchStray.label), stray_);
    form->addRow(text(settings::kMatch.label), match_);
    form->addRow(text(settings::kSystemOhm.label), systemOhm_);

    auto* show = new QPushButton(QString::fromUtf8(texts::kShowBench));
    show->setObjectName("BenchShow");
    show->setToolTip("Draw the built curve and add the \"as built\" block to the report");
    auto* pdf = new QPushButton(QString::fromUtf8(texts::kBuildSheetPdf));
    pdf->setObjectName("BenchPdf");
    pdf->setToolTip("Save the build sheet as PDF");
    auto* csv = new QPushButton(QString::fromUtf8(texts::kBuildSheetCsv));
    csv->setObjectName("BenchCsv");
    csv->setToolTip("Save the parts list as CSV");
    connect(show, &QPushButton::clicked, this, [this] { hooks_.show(); });
    connect(pdf, &QPushButton::clicked, this, [this] { hooks_.exportPdf(); });
    connect(csv, &QPushButton::clicked, this, [this] { hooks_.exportCsv(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(pdf);
    buttons->addWidget(csv);

    parts_ = new QPlainTextEdit;
    parts_->setObjectName("BenchParts");
    parts_->setReadOnly(true);
    parts_->setLineWrapMode(QPlainTextEdit::NoWrap);
    parts_->setMinimumSize(parts_->fontMetrics().averageCharWidth() * 66,
                           parts_->fontMetrics().lineSpacing() * 12);
    auto* copy = new QPushButton(QString::fromUtf8(texts::kCopyPartsList));
    copy->setObjectName("BenchCopyParts");
    copy->setToolTip(QString::fromUtf8(texts::kCopyPartsListHint));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(partsListText()); });
    auto* partsHead = new QHBoxLayout;
    partsHead->addWidget(new QLabel(QString::fromUtf8(texts::kPartsListCaption)), 1);
    partsHead->addWidget(copy);

    auto* layout = new QHBoxLayout(this);
    auto* steps = new QVBoxLayout;
    layout->addLayout(steps);
    steps->addLayout(form);
    steps->addLayout(buttons);
    steps->addLayout(partsHead);
    steps->addWidget(parts_, 1);
    retrim_ = new RetrimPanel(document_, hooks_.retrim, hooks_.decimalSeparator);
    layout->addSpacing(fontMetrics().averageCharWidth() * 2);
    layout->addWidget(retrim_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    bindToolWindowKeys(*this, show);

    connect(series_, &QComboBox::currentIndexChanged, this, &BenchWindow::handToDocument);
    connect(pairs_, &QCheckBox::toggled, this, &BenchWindow::handToDocument);
    for (QDoubleSpinBox* box : {tolerance_, stray_, systemOhm_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &BenchWindow::handToDocument);
    }
    connect(match_, &QComboBox::currentIndexChanged, this, &BenchWindow::handToDocument);
    if (document_.bench()) {
        setSettings(*document_.bench());
    } else {
        handToDocument();
    }
    // A project without bench settings sets the window's fields to the defaults.
    subscriptions_.push_back(document_.subscribe(DocumentAspect::Bench, [this] {
        if (!applying_) {
            setSettings(document_.bench().value_or(BenchSettings{}));
        }
        showPartsList();
    }));
    for (DocumentAspect aspect : {DocumentAspect::Calculation, DocumentAspect::Batch,
                                  DocumentAspect::Placement, DocumentAspect::Tuning}) {
        subscriptions_.push_back(document_.subscribe(aspect, [this] { showPartsList(); }));
    }
    showPartsList();
}

BenchWindow::~BenchWindow() {
    for (int id : subscriptions_) {
        document_.unsubscribe(id);
    }
}

void BenchWindow::showEvent(QShowEvent* event) {
    showPartsList();
    QWidget::showEvent(event);
}

// Only a shown window computes its list: a hidden one catches up when shown.
void BenchWindow::showPartsList() {
    if (isVisible() && hooks_.partsList) {
        parts_->setPlainText(hooks_.partsList().join('\n'));
    }
}

QString BenchWindow::partsListText() const {
    return parts_->toPlainText();
}

void BenchWindow::handToDocument() {
    if (!applying_) {
        const QScopedValueRollback applying(applying_, true);
        document_.setBench(settings());
    }
}

BenchSettings BenchWindow::settings() const {
    BenchSettings s;
    s.eSeries = kSeries[series_->currentIndex()];
    if (pairs_->isChecked()) {
        s.parallelTolerancePercent = tolerance_->value();
    }
    s.strayPf = stray_->value();
    s.match = kMatches[match_->currentIndex()];
    s.systemOhm = systemOhm_->value();
    return s;
}

void BenchWindow::setSettings(const BenchSettings& s) {
    {
        const QScopedValueRollback applying(applying_, true);
        applySettings(s);
    }
    handToDocument();
}

void BenchWindow::applySettings(const BenchSettings& s) {
    for (int i = 0; i < static_cast<int>(std::size(kSeries)); ++i) {
        if (kSeries[i] == s.eSeries) {
            series_->setCurrentIndex(i);
        }
    }
    pairs_->setChecked(s.parallelTolerancePercent.has_value());
    if (s.parallelTolerancePercent) {
        tolerance_->setValue(*s.parallelTolerancePercent);
    }
    stray_->setValue(s.strayPf);
    for (int i = 0; i < static_cast<int>(std::size(kMatches)); ++i) {
        if (kMatches[i] == s.match) {
            match_->setCurrentIndex(i);
        }
    }
    systemOhm_->setValue(s.systemOhm);
}

}  // namespace trellon
