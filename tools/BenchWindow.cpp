#include "BenchWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "ProjectDocument.h"

namespace trellon {

namespace {

constexpr int kSeries[] = {0, 6, 12, 24, 48, 96};
constexpr MatchKind kMatches[] = {MatchKind::None, MatchKind::SeriesLShuntC,
                                  MatchKind::SeriesCShuntL, MatchKind::Transformer};

QDoubleSpinBox* spinBox(double low, double high, double value, int decimals, const char* hint) {
    auto* box = new QDoubleSpinBox;
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setToolTip(QString::fromUtf8(hint));
    return box;
}

BenchSettings benchSettingsOf(const ProjectBench& b) {
    return {b.eSeries, b.parallelTolerancePercent, b.strayPf, b.match, b.systemOhm};
}

ProjectBench projectBenchOf(const BenchSettings& b) {
    return {b.eSeries, b.parallelTolerancePercent, b.strayPf, b.match, b.systemOhm};
}

}  // namespace

BenchWindow::BenchWindow(ProjectDocument& document, BenchHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), hooks_(std::move(hooks)) {
    setObjectName("BenchWindow");
    setWindowTitle(QString::fromUtf8("От расчета к плате"));

    series_ = new QComboBox;
    series_->setObjectName("BenchSeries");
    series_->addItem(QString::fromUtf8("не округлять"));
    for (int series : {6, 12, 24, 48, 96}) {
        series_->addItem("E" + QString::number(series));
    }
    series_->setToolTip("Round every capacitor to the nearest value of the series");
    pairs_ = new QCheckBox(QString::fromUtf8("пара параллельно, допуск %"));
    pairs_->setObjectName("BenchPairs");
    pairs_->setToolTip("Two parallel values where one lies beyond the tolerance");
    tolerance_ = spinBox(0, 99, 2, 2, "Tolerance of a single standard value, per cent");
    tolerance_->setObjectName("BenchTolerance");
    stray_ = spinBox(0, 1000, 0, 2, "Board capacitance at each node with a shunt capacitor, pF");
    stray_->setObjectName("BenchStray");
    match_ = new QComboBox;
    match_->setObjectName("BenchMatch");
    match_->addItems({QString::fromUtf8("нет"), QString::fromUtf8("посл. L, парал. C"),
                      QString::fromUtf8("посл. C, парал. L"), QString::fromUtf8("трансформатор")});
    match_->setToolTip("Match both ends to the system resistance");
    systemOhm_ = spinBox(0.01, 1e6, 50, 2, "System resistance, ohm");
    systemOhm_->setObjectName("BenchSystemOhm");

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("Ряд"), series_);
    auto* pairRow = new QHBoxLayout;
    pairRow->addWidget(pairs_);
    pairRow->addWidget(tolerance_);
    form->addRow(pairRow);
    form->addRow(QString::fromUtf8("Монтажная емкость, пФ"), stray_);
    form->addRow(QString::fromUtf8("Согласование"), match_);
    form->addRow(QString::fromUtf8("Сопротивление тракта, Ом"), systemOhm_);

    auto* show = new QPushButton(QString::fromUtf8("Показать"));
    show->setObjectName("BenchShow");
    show->setToolTip("Draw the built curve and add the \"as built\" block to the report");
    auto* pdf = new QPushButton(QString::fromUtf8("Лист сборки PDF..."));
    pdf->setObjectName("BenchPdf");
    pdf->setToolTip("Save the build sheet as PDF");
    auto* csv = new QPushButton(QString::fromUtf8("Лист сборки CSV..."));
    csv->setObjectName("BenchCsv");
    csv->setToolTip("Save the parts list as CSV");
    connect(show, &QPushButton::clicked, this, [this] { hooks_.show(); });
    connect(pdf, &QPushButton::clicked, this, [this] { hooks_.exportPdf(); });
    connect(csv, &QPushButton::clicked, this, [this] { hooks_.exportCsv(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(pdf);
    buttons->addWidget(csv);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(series_, &QComboBox::currentIndexChanged, this, &BenchWindow::handToDocument);
    connect(pairs_, &QCheckBox::toggled, this, &BenchWindow::handToDocument);
    for (QDoubleSpinBox* box : {tolerance_, stray_, systemOhm_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &BenchWindow::handToDocument);
    }
    connect(match_, &QComboBox::currentIndexChanged, this, &BenchWindow::handToDocument);
    if (document_.bench()) {
        setSettings(benchSettingsOf(*document_.bench()));
    } else {
        handToDocument();
    }
    // A project without bench settings sets the window's fields to the defaults.
    subscription_ = document_.subscribe(DocumentAspect::Bench, [this] {
        if (!applying_) {
            setSettings(benchSettingsOf(document_.bench().value_or(ProjectBench{})));
        }
    });
}

BenchWindow::~BenchWindow() {
    document_.unsubscribe(subscription_);
}

void BenchWindow::handToDocument() {
    if (!applying_) {
        const QScopedValueRollback applying(applying_, true);
        document_.setBench(projectBenchOf(settings()));
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
