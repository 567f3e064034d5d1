#include "MonteCarloWindow.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "AtOnceWriter.h"
#include "BackgroundRun.h"
#include "CommandError.h"
#include "CrystalWindowParts.h"
#include "MonteCarloCsv.h"
#include "MonteCarloReport.h"
#include "NumberText.h"
#include "ProjectDocument.h"
#include "SettingRefusalText.h"
#include "ToolWindowFrame.h"
#include "texts/CrystalWindowTexts.h"
#include "texts/FailureTexts.h"
#include "texts/MonteCarloTexts.h"

namespace trellon {

namespace {

std::optional<std::uint64_t> seedOf(const QString& text) {
    const std::string digits = text.trimmed().toStdString();
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return seed;
}

}  // namespace

MonteCarloWindow::MonteCarloWindow(ProjectDocument& document, char decimalSeparator,
                                   MonteCarloHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      decimalSeparator_(decimalSeparator),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("MonteCarloWindow"));
    setWindowTitle(QString::fromUtf8(texts::kMonteCarloWindowTitle));
    buildControls();
    run_ = new BackgroundRun(progress_, cancelButton_, this);
    setSettings(document_.spreads(), document_.targets());
    subscription_ = document_.subscribe(DocumentAspect::Spreads, [this] {
        if (!handingSpreads_) {
            setSettings(document_.spreads(), document_.targets());
        }
    });
    calculationSubscription_ =
        document_.subscribe(DocumentAspect::Calculation, [this] { showDesign(); });
    showDesign();
}

MonteCarloWindow::~MonteCarloWindow() {
    document_.unsubscribe(subscription_);
    document_.unsubscribe(calculationSubscription_);
}

bool MonteCarloWindow::resultsCurrent() const {
    return resultDesign_ && resultDesign_ == document_.calculatedDesign();
}

// The design of the results, or before any the design a run would take.
void MonteCarloWindow::showDesign() {
    const std::shared_ptr<const CalculatedDesign>& design =
        resultDesign_ ? resultDesign_ : document_.calculatedDesign();
    if (!design) {
        designLabel_->setText(QString::fromUtf8(texts::kMonteCarloNoDesign));
        return;
    }
    const bool stale = resultDesign_ && !resultsCurrent();
    designLabel_->setText(QString::fromUtf8(texts::kMonteCarloDesign) +
                          QString::fromStdString(designCaption(*design, decimalSeparator_)) +
                          (stale ? QString::fromUtf8(texts::kMonteCarloStale) : QString()));
    designLabel_->setStyleSheet(stale ? QStringLiteral("color: #b00000;") : QString());
}

QLineEdit* MonteCarloWindow::addField(const char* name, const SettingDeclaration& declaration) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(
        QString::fromUtf8(declaration.hint.data(), qsizetype(declaration.hint.size())));
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    addCaption(field, declaration);
    return field;
}

void MonteCarloWindow::addCaption(QWidget* field, const SettingDeclaration& declaration) {
    fields_.emplace_back(
        field, QString::fromUtf8(declaration.label.data(), qsizetype(declaration.label.size())));
}

void MonteCarloWindow::enableTargetsOfKind() {
    const bool relative = KindOfTargets->currentIndex() == int(TargetKind::Relative);
    RippleMargin->setEnabled(relative);
    LossMargin->setEnabled(relative);
    MaxRipple->setEnabled(!relative);
    MaxLoss->setEnabled(!relative);
}

void MonteCarloWindow::buildControls() {
    using namespace settings;
    SigmaFs = addField("SigmaFs", kSigmaFs);
    SigmaLm = addField("SigmaLm", kSigmaLm);
    SigmaRm = addField("SigmaRm", kSigmaRm);
    SigmaC0 = addField("SigmaC0", kSigmaC0);
    CapTolerance = addField("CapTolerance", kCapTolerance);
    Stray = addField("Stray", kSpreadStray);
    Samples = addField("Samples", kSamples);
    Seed = addField("Seed", kSeed);
    GridPoints = addField("GridPoints", kGridPoints);
    KindOfTargets = new QComboBox(this);
    KindOfTargets->setObjectName(QStringLiteral("TargetKind"));
    KindOfTargets->setToolTip(
        QString::fromUtf8(kTargetKind.hint.data(), qsizetype(kTargetKind.hint.size())));
    for (const char* kind : texts::kMonteCarloTargetKinds) {
        KindOfTargets->addItem(QString::fromUtf8(kind));
    }
    addCaption(KindOfTargets, kTargetKind);
    BandwidthTolerance = addField("BandwidthTolerance", kBandwidthTolerance);
    RippleMargin = addField("RippleMargin", kRippleMargin);
    LossMargin = addField("LossMargin", kLossMargin);
    MaxRipple = addField("MaxRipple", kMaxRipple);
    MaxLoss = addField("MaxLoss", kMaxLoss);
    connect(KindOfTargets, &QComboBox::currentIndexChanged, this,
            &MonteCarloWindow::enableTargetsOfKind);

    // One caption width for all three groups, so that their fields line up.
    int captionWidth = 0;
    for (const auto& [field, caption] : fields_) {
        captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(caption));
    }
    auto group = [this, captionWidth](const char* title, std::initializer_list<QWidget*> members) {
        auto* box = new QGroupBox(QString::fromUtf8(title), this);
        auto* form = new QFormLayout(box);
        for (QWidget* field : members) {
            for (const auto& [f, caption] : fields_) {
                if (f == field) {
                    auto* label = new QLabel(caption, box);
                    label->setMinimumWidth(captionWidth);
                    form->addRow(label, field);
                }
            }
        }
        return box;
    };
    auto* settings = new QVBoxLayout;
    settings->addWidget(
        group(texts::kSpreadGroup, {SigmaFs, SigmaLm, SigmaRm, SigmaC0, CapTolerance, Stray}));
    settings->addWidget(group(texts::kSamplingGroup, {Samples, Seed, GridPoints}));
    settings->addWidget(group(texts::kTargetGroup, {KindOfTargets, BandwidthTolerance, RippleMargin,
                                                    LossMargin, MaxRipple, MaxLoss}));

    auto* runButton = new QPushButton(QString::fromUtf8(texts::kRun), this);
    runButton->setObjectName(QStringLiteral("RunMonteCarlo"));
    runButton->setToolTip(QStringLiteral("Run the samples"));
    cancelButton_ = new QPushButton(QString::fromUtf8(texts::kCancel), this);
    cancelButton_->setObjectName(QStringLiteral("CancelMonteCarlo"));
    cancelButton_->setToolTip(QStringLiteral("Stop the run; the previous results stay"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("MonteCarloProgress"));
    connect(runButton, &QPushButton::clicked, this, &MonteCarloWindow::runClick);
    auto* exportButton = new QPushButton(QString::fromUtf8(texts::kMonteCarloExport), this);
    exportButton->setObjectName(QStringLiteral("ExportMonteCarlo"));
    exportButton->setToolTip(QString::fromUtf8(texts::kMonteCarloExportHint));
    connect(exportButton, &QPushButton::clicked, this, &MonteCarloWindow::exportClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(runButton);
    buttons->addWidget(cancelButton_);
    settings->addLayout(buttons);
    settings->addWidget(exportButton);
    settings->addWidget(progress_);
    settings->addStretch();

    aroundLabel_ = new QLabel(QString::fromUtf8(texts::kAroundUnknown), this);
    aroundLabel_->setObjectName(QStringLiteral("AroundLabel"));
    aroundLabel_->setToolTip(QStringLiteral(
        "The filter the samples spread around: the crystals placed in the batch window, or the "
        "nominal crystal in every position"));
    aroundLabel_->setWordWrap(true);
    designLabel_ = new QLabel(this);
    designLabel_->setObjectName(QStringLiteral("DesignLabel"));
    designLabel_->setWordWrap(true);
    missLabel_ = new QLabel(this);
    missLabel_->setObjectName(QStringLiteral("MissLabel"));
    missLabel_->setWordWrap(true);
    yieldLabel_ = new QLabel(this);
    yieldLabel_->setObjectName(QStringLiteral("YieldLabel"));
    QFont bold = yieldLabel_->font();
    bold.setBold(true);
    yieldLabel_->setFont(bold);
    percentileLabel_ = new QLabel(this);
    percentileLabel_->setObjectName(QStringLiteral("PercentileLabel"));
    percentileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* results = new QVBoxLayout;
    results->addWidget(designLabel_);
    results->addWidget(aroundLabel_);
    results->addWidget(yieldLabel_);
    results->addWidget(missLabel_);
    results->addWidget(percentileLabel_);
    const char* axes[] = {texts::kBandwidthHz, texts::kRippleDb, texts::kLossDb};
    for (int i = 0; i < 3; ++i) {
        auto* plot = new QCustomPlot(this);
        plot->setObjectName(QStringLiteral("Histogram%1").arg(i + 1));
        plot->setMinimumSize(360, 150);
        plot->xAxis->setLabel(QString::fromUtf8(axes[i]));
        plot->yAxis->setLabel(QStringLiteral("N"));
        new QCPBars(plot->xAxis, plot->yAxis);
        histograms_[i] = plot;
        results->addWidget(plot, 1);
    }

    // Room for the results before the first run, so that they do not squeeze the histograms.
    const int line = fontMetrics().lineSpacing();
    yieldLabel_->setMinimumHeight(line + 4);
    percentileLabel_->setMinimumHeight(4 * (line + 6));
    // The target missed most, and the targets the ideal filter itself misses: up to three lines.
    missLabel_->setMinimumHeight(3 * line);
    missLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    percentileLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The settings and the histograms scroll together when the screen is too small for them:
    // at 1.25 scale a 1366 x 768 screen leaves about 530 px of height.
    content_ = new QWidget;
    auto* row = new QHBoxLayout(content_);
    row->addLayout(settings);
    row->addLayout(results, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(scroll);
    bindToolWindowKeys(*this, runButton);
}

// With room for the vertical scroll bar, so that a screen too low for the window scrolls it
// only up and down.
QSize MonteCarloWindow::sizeHint() const {
    return content_->sizeHint() + QSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
}

void MonteCarloWindow::setSettings(const ProjectSpreads& spreads, const ProjectTargets& targets) {
    auto put = [this](QLineEdit* field, double value) {
        field->setText(QString::fromStdString(FormatGeneral(value, 15, decimalSeparator_)));
    };
    put(SigmaFs, spreads.spread.sigmaFsHz);
    put(SigmaLm, spreads.spread.sigmaLmPercent);
    put(SigmaRm, spreads.spread.sigmaRmPercent);
    put(SigmaC0, spreads.spread.sigmaC0Percent);
    put(CapTolerance, spreads.spread.capacitorTolerancePercent);
    put(Stray, spreads.spread.strayPf);
    Samples->setText(QString::number(spreads.samples));
    Seed->setText(QString::number(spreads.seed));
    GridPoints->setText(QString::number(spreads.gridPoints));
    KindOfTargets->setCurrentIndex(int(targets.kind));
    put(MaxRipple, targets.maxRippleDb);
    put(BandwidthTolerance, targets.bandwidthTolerancePercent);
    put(MaxLoss, targets.maxLossDb);
    put(RippleMargin, targets.rippleMarginDb);
    put(LossMargin, targets.lossMarginDb);
    enableTargetsOfKind();
}

std::optional<std::pair<ProjectSpreads, ProjectTargets>> MonteCarloWindow::projectSettings() {
    QLineEdit* current = nullptr;
    try {
        using namespace settings;
        // Each refusal names the field by its caption, in the window's words.
        auto refuse = [&](const char* text, const SettingDeclaration& declaration) {
            throw CommandError(QString::fromUtf8(text)
                                   .arg(QString::fromUtf8(declaration.label.data(),
                                                          qsizetype(declaration.label.size())),
                                        current->text().trimmed())
                                   .toStdString());
        };
        auto inRange = [&](const SettingDeclaration& declaration, auto value) {
            if (!declaration.accepts(static_cast<double>(value))) {
                throw CommandError(
                    settingRefusalText(declaration, current->text(), decimalSeparator_)
                        .toStdString());
            }
            return value;
        };
        auto number = [&](QLineEdit* field, const SettingDeclaration& declaration) {
            current = field;
            double value = 0;
            try {
                value = TypedNumber(field->text().toStdString(), decimalSeparator_);
            } catch (const CommandError&) {
                refuse(texts::kNotANumber, declaration);
            }
            return inRange(declaration, value);
        };
        auto count = [&](QLineEdit* field, const SettingDeclaration& declaration) {
            current = field;
            int value = 0;
            try {
                value = TextToInt(field->text().trimmed().toStdString());
            } catch (const CommandError&) {
                refuse(texts::kNotAWholeNumber, declaration);
            }
            return inRange(declaration, value);
        };
        ProjectSpreads s;
        s.spread.sigmaFsHz = number(SigmaFs, kSigmaFs);
        s.spread.sigmaLmPercent = number(SigmaLm, kSigmaLm);
        s.spread.sigmaRmPercent = number(SigmaRm, kSigmaRm);
        s.spread.sigmaC0Percent = number(SigmaC0, kSigmaC0);
        s.spread.capacitorTolerancePercent = number(CapTolerance, kCapTolerance);
        s.spread.strayPf = number(Stray, kSpreadStray);
        s.samples = count(Samples, kSamples);
        current = Seed;
        if (const std::optional<std::uint64_t> seed = seedOf(Seed->text())) {
            s.seed = *seed;
        } else {
            refuse(texts::kNotAWholeNumber, kSeed);
        }
        s.gridPoints = count(GridPoints, kGridPoints);
        if (!sampledLevelsFit(s.samples, s.gridPoints)) {
            current = Samples;
            throw CommandError(
                QString::fromUtf8(texts::kTooManySampledLevels)
                    .arg(QString::fromStdString(FormatGeneral(kMaxSampledLevels, 15, '.')))
                    .toStdString());
        }
        ProjectTargets t;
        t.kind = static_cast<TargetKind>(KindOfTargets->currentIndex());
        t.maxRippleDb = number(MaxRipple, kMaxRipple);
        t.bandwidthTolerancePercent = number(BandwidthTolerance, kBandwidthTolerance);
        t.maxLossDb = number(MaxLoss, kMaxLoss);
        t.rippleMarginDb = number(RippleMargin, kRippleMargin);
        t.lossMarginDb = number(LossMargin, kLossMargin);
        const QScopedValueRollback handing(handingSpreads_, true);
        document_.setSpreads(s, t);
        return std::pair{s, t};
    } catch (const CommandError& e) {
        hooks_.showWarning(QString::fromStdString(e.what()));
        if (current != nullptr) {
            current->setFocus();
        }
        return std::nullopt;
    }
}

std::optional<MonteCarloSettings> MonteCarloWindow::checkedSettings() {
    const auto project = projectSettings();
    if (!project) {
        return std::nullopt;
    }
    const auto& [s, t] = *project;
    MonteCarloSettings settings;
    settings.samples = s.samples;
    settings.gridPoints = s.gridPoints;
    settings.seed = s.seed;
    settings.spread = s.spread;
    settings.targets = t;
    return settings;
}

bool MonteCarloWindow::running() const {
    return run_->running();
}

void MonteCarloWindow::runClick() {
    if (run_->running()) {
        return;
    }
    const std::shared_ptr<const CalculatedDesign> design =
        calculatedDesignOrWarning(document_, hooks_.showWarning);
    if (!design) {
        return;
    }
    const std::optional<MonteCarloSettings> settings = checkedSettings();
    if (!settings) {
        return;
    }
    std::optional<MonteCarloCircuit> around = hooks_.circuitAround(*design);
    if (!around) {
        return;
    }
    auto circuit = std::make_shared<const BuiltCircuit>(std::move(around->circuit));
    QStringList names;
    for (const std::string& name : around->crystalNames) {
        names << QString::fromStdString(name);
    }
    const QString aroundText = names.isEmpty()
                                   ? QString::fromUtf8(texts::kAroundNominal)
                                   : QString::fromUtf8(texts::kAroundPlaced) +
                                         names.join(QStringLiteral(", ")) + QStringLiteral(")");
    auto result = std::make_shared<std::optional<MonteCarloResult>>();
    run_->start(
        [design, settings = *settings, circuit, result](const ProgressCallback& progress,
                                                        std::atomic<bool>& cancel) {
            *result = RunMonteCarlo(*design, *circuit, settings, progress, cancel);
        },
        [this, result, design, aroundText, targets = settings->targets](
            bool, const std::string& failure) {
            if (!failure.empty()) {
                hooks_.showError(QString::fromStdString(failure));
            } else if (*result) {
                result_ = std::move(*result);
                resultDesign_ = design;
                aroundLabel_->setText(aroundText);
                showDesign();
                showResult();
                hooks_.logBlock(
                    monteCarloReportLines(*design, *result_, targets, decimalSeparator_));
                // Envelopes of a design no longer calculated would read as the new curve's.
                if (resultsCurrent()) {
                    hooks_.showEnvelopes(*design, *result_);
                }
            }
        });
}

void MonteCarloWindow::showResult() {
    const MonteCarloResult& r = *result_;
    auto text = [this](double value, int digits) {
        return QString::fromStdString(FormatGeneral(value, digits, decimalSeparator_));
    };
    yieldLabel_->setText(QString::fromUtf8(texts::kYield)
                             .arg(text(r.yield * 100, 4))
                             .arg(std::lround(r.yield * r.samples))
                             .arg(r.samples));
    auto row = [&](const char* caption, const Percentiles& p, int digits) {
        return QStringLiteral(
                   "<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td>"
                   "<td align=right>%4</td></tr>")
            .arg(QString::fromUtf8(caption), text(p.p5, digits), text(p.p50, digits),
                 text(p.p95, digits));
    };
    percentileLabel_->setText(
        QStringLiteral("<table cellspacing=0 cellpadding=3><tr><th></th><th>5 %</th>"
                       "<th>50 %</th><th>95 %</th></tr>") +
        row(texts::kBandwidthHz, r.bandwidthPercentiles, 5) +
        row(texts::kRippleDb, r.ripplePercentiles, 3) + row(texts::kLossDb, r.lossPercentiles, 3) +
        QStringLiteral("</table>"));

    const Histogram* histograms[] = {&r.bandwidth, &r.ripple, &r.loss};
    for (int i = 0; i < 3; ++i) {
        const Histogram& h = *histograms[i];
        QCustomPlot* plot = histograms_[i];
        auto* bars = static_cast<QCPBars*>(plot->plottable(0));
        QVector<double> centres, counts;
        for (std::size_t b = 0; b < h.counts.size(); ++b) {
            centres << (h.edges[b] + h.edges[b + 1]) / 2;
            counts << h.counts[b];
        }
        const double width = h.edges.size() > 1 ? h.edges[1] - h.edges[0] : 0;
        bars->setWidth(width > 0 ? width : 1);
        bars->setData(centres, counts, true);
        plot->rescaleAxes();
        const QCPRange x = plot->xAxis->range();
        const double margin = width > 0 ? width : std::max(std::abs(x.center()) * 0.01, 1e-3);
        plot->xAxis->setRange(x.lower - margin, x.upper + margin);
        plot->yAxis->setRange(0, plot->yAxis->range().upper * 1.1);
    }
    showTargets();
    const std::pair<int, const char*> misses[] = {
        {r.bandwidthMisses, texts::kMonteCarloBandwidthTarget},
        {r.rippleMisses, texts::kMonteCarloRippleTarget},
        {r.lossMisses, texts::kMonteCarloLossTarget}};
    const auto most = std::max_element(
        misses, misses + 3, [](const auto& a, const auto& b) { return a.first < b.first; });
    QString missed = most->first == 0 ? QString::fromUtf8(texts::kMonteCarloNoneMissed)
                                      : QString::fromUtf8(texts::kMonteCarloMostMissed) +
                                            QString::fromUtf8(most->second) + QStringLiteral(" (") +
                                            QString::number(most->first) +
                                            QString::fromUtf8(texts::kMonteCarloMissOf) +
                                            QString::number(r.samples) + QStringLiteral(")");
    // Absolute targets beyond the ideal filter's own figures, which no spread can meet.
    const TargetMisses ideal = missedTargets(r.ideal, r.limits);
    QStringList idealMisses;
    if (ideal.ripple) {
        idealMisses << QString::fromUtf8(texts::kMonteCarloRippleTarget) + QStringLiteral(" ") +
                           text(r.ideal.ripple, 3) + QStringLiteral(" > ") +
                           text(r.limits.maxRippleDb, 4);
    }
    if (ideal.loss) {
        idealMisses << QString::fromUtf8(texts::kMonteCarloLossTarget) + QStringLiteral(" ") +
                           text(r.ideal.amin, 3) + QStringLiteral(" > ") +
                           text(r.limits.maxLossDb, 4);
    }
    if (!idealMisses.isEmpty()) {
        missed += QStringLiteral("\n") + QString::fromUtf8(texts::kMonteCarloIdealMisses) +
                  idealMisses.join(QStringLiteral("; "));
    }
    missLabel_->setText(missed);
    missLabel_->setStyleSheet(idealMisses.isEmpty() ? QString()
                                                    : QStringLiteral("color: #b00000;"));
}

// A vertical line at each target: the bandwidth's tolerance on both sides of the ideal curve's
// bandwidth, the ripple's and the loss's limit.
void MonteCarloWindow::showTargets() {
    for (QCPAbstractItem* line : targetLines_) {
        line->parentPlot()->removeItem(line);
    }
    targetLines_.clear();
    const TargetLimits& limits = result_->limits;
    const double ideal = limits.idealBandwidthHz;
    const double tolerance = ideal * limits.bandwidthTolerancePercent / 100;
    const std::vector<double> targets[] = {
        {ideal - tolerance, ideal + tolerance}, {limits.maxRippleDb}, {limits.maxLossDb}};
    for (int i = 0; i < 3; ++i) {
        QCustomPlot* plot = histograms_[i];
        for (double x : targets[i]) {
            auto* line = new QCPItemStraightLine(plot);
            line->setPen(QPen(QColor(200, 0, 0), 1.5, Qt::DashLine));
            line->point1->setCoords(x, 0);
            line->point2->setCoords(x, 1);
            targetLines_.push_back(line);
            // A target within a histogram's width of the bars widens the axis to it; one
            // further off would squeeze the bars into a line.
            const QCPRange range = plot->xAxis->range();
            const double lower = std::min(range.lower, x);
            const double upper = std::max(range.upper, x);
            if (upper - lower > range.size() && upper - lower <= 2 * range.size()) {
                const double margin = (upper - lower) * 0.03;
                plot->xAxis->setRange(lower - margin, upper + margin);
            }
        }
        plot->replot();
    }
}

void MonteCarloWindow::exportClick() {
    if (!result_) {
        hooks_.showWarning(QString::fromUtf8(texts::kMonteCarloNothingToExport));
        return;
    }
    const QString path = hooks_.saveFileName(QString::fromUtf8(texts::kMonteCarloFileFilters));
    if (path.isEmpty()) {
        return;
    }
    try {
        writeFileAtOnce(path.toStdString(), writeMonteCarloCsv(*result_),
                        "the Monte-Carlo figures");
    } catch (const CommandError& e) {
        hooks_.showError(QString::fromStdString(e.what()));
    }
}

}  // namespace trellon
