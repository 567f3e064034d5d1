#include "SweepFitPanel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <limits>

#include "BackgroundRun.h"
#include "CommandError.h"
#include "CrystalTable.h"
#include "CrystalWindowParts.h"
#include "FailureText.h"
#include "NumberText.h"
#include "texts/CrystalWindowTexts.h"

namespace trellon {

namespace {

// A zero in the sweep leaves a gap in the curve rather than stretching the axis without end.
std::vector<double> levelsDb(const std::vector<Complex>& s21) {
    std::vector<double> db;
    db.reserve(s21.size());
    for (const Complex& s : s21) {
        const double level = 20 * std::log10(std::hypot(s.re, s.im));
        db.push_back(std::isfinite(level) ? level : std::numeric_limits<double>::quiet_NaN());
    }
    return db;
}

}  // namespace

SweepFitPanel::SweepFitPanel(CrystalTable& table, const CrystalBatchHooks& hooks,
                             char decimalSeparator, QWidget* parent)
    : QWidget(parent), table_(table), hooks_(hooks), decimalSeparator_(decimalSeparator) {
    QPushButton* fit = crystalToolButton(
        this, "FitSweeps", texts::kFitSweeps,
        "Fit a crystal to each chosen sweep (Touchstone .s2p or CSV) and add them");
    QPushButton* show =
        crystalToolButton(this, "ShowFit", texts::kShowFit,
                          "Draw the selected fitted crystal's measured and fitted |S21|");
    cancelButton_ = crystalToolButton(this, "CancelFit", texts::kCancel,
                                      "Stop fitting; the crystals fitted so far are added");
    connect(fit, &QPushButton::clicked, this, &SweepFitPanel::fitSweepsClick);
    connect(show, &QPushButton::clicked, this, &SweepFitPanel::showFitClick);
    fixtureOhmEdit_ = new QLineEdit(this);
    fixtureOhmEdit_->setObjectName(QStringLiteral("FixtureOhm"));
    fixtureOhmEdit_->setPlaceholderText(QString::fromUtf8(texts::kFromFile));
    fixtureOhmEdit_->setToolTip(
        QStringLiteral("The resistance each fixture port presents to the crystal, ohm; empty: "
                       "the file's reference resistance"));
    fixtureLossEdit_ = new QLineEdit(QStringLiteral("0"), this);
    fixtureLossEdit_->setObjectName(QStringLiteral("FixtureLoss"));
    fixtureLossEdit_->setToolTip(QStringLiteral("The fixture's own loss, flat over the sweep, dB"));
    const int digits =
        fontMetrics().horizontalAdvance(QString::fromUtf8(texts::kFromFile) + QStringLiteral("__"));
    fixtureOhmEdit_->setFixedWidth(digits);
    fixtureLossEdit_->setFixedWidth(digits);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("FitProgress"));

    auto* fields = new QHBoxLayout(this);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(fit);
    fields->addWidget(new QLabel(QString::fromUtf8(texts::kFixtureOhmCaption), this));
    fields->addWidget(fixtureOhmEdit_);
    fields->addWidget(new QLabel(QString::fromUtf8(texts::kFixtureLossCaption), this));
    fields->addWidget(fixtureLossEdit_);
    fields->addWidget(progress_, 1);
    fields->addWidget(cancelButton_);
    fields->addWidget(show);
    run_ = new BackgroundRun(progress_, cancelButton_, this);
}

bool SweepFitPanel::fitting() const {
    return run_->running();
}

std::optional<FixtureChoice> SweepFitPanel::typedFixture() {
    FixtureChoice fixture;
    const std::string ohm = fixtureOhmEdit_->text().trimmed().toStdString();
    const std::string loss = fixtureLossEdit_->text().trimmed().toStdString();
    try {
        if (!ohm.empty()) {
            fixture.portOhm = TypedNumber(ohm, decimalSeparator_);
        }
        fixture.lossDb = loss.empty() ? settings::kFixtureLoss.defaultValue
                                      : TypedNumber(loss, decimalSeparator_);
    } catch (const CommandError& e) {
        hooks_.showWarning(QString::fromStdString(e.what()));
        return std::nullopt;
    }
    if (fixture.portOhm && !settings::kFixtureOhm.accepts(*fixture.portOhm)) {
        hooks_.showWarning(QString::fromUtf8(texts::kBadFixtureOhm));
        return std::nullopt;
    }
    if (!settings::kFixtureLoss.accepts(fixture.lossDb)) {
        hooks_.showWarning(QString::fromUtf8(texts::kBadFixtureLoss));
        return std::nullopt;
    }
    return fixture;
}

void SweepFitPanel::fitSweepsClick() {
    if (run_->running()) {
        return;
    }
    const std::optional<FixtureChoice> fixture = typedFixture();
    if (!fixture) {
        return;
    }
    const QStringList chosen = hooks_.openFileNames(QString::fromUtf8(texts::kSweepFileFilters));
    if (chosen.isEmpty()) {
        return;
    }
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        paths.push_back(QDir::toNativeSeparators(path).toStdString());
    }
    auto outcomes = std::make_shared<std::vector<SweepFileOutcome>>();
    run_->start(
        [paths, fixture = *fixture, taken = table_.names(), outcomes](
            const ProgressCallback& progress, std::atomic<bool>& cancel) {
            *outcomes = fitCrystalSweepFiles(paths, fixture, taken, progress, &cancel);
        },
        [this, outcomes](bool, const std::string& failure) {
            if (!failure.empty()) {
                hooks_.showError(QString::fromStdString(failure));
            } else {
                addFitted(*outcomes);
            }
        });
}

// Stopped early, the crystals fitted so far are still added. The names are made unique again
// against the table as it is now, since it may have been edited during the fit.
void SweepFitPanel::addFitted(std::vector<SweepFileOutcome>& outcomes) {
    std::set<std::string> taken = table_.names();
    QStringList failures;
    for (SweepFileOutcome& outcome : outcomes) {
        if (!outcome.crystal) {
            failures << QString::fromStdString(failureText(outcome.failure));
            continue;
        }
        MeasuredCrystal crystal = *outcome.crystal;
        crystal.name = uniqueCrystalName(crystal.name, taken);
        taken.insert(crystal.name);
        table_.appendFitted(
            crystal, FittedSweep{std::move(outcome.sweep.frequencyHz), std::move(outcome.sweep.s21),
                                 outcome.fixture, outcome.fit});
    }
    if (!failures.isEmpty()) {
        hooks_.showError(QString::fromUtf8(texts::kFitFailedFiles) + QStringLiteral("\n") +
                         failures.join(QStringLiteral("\n")));
    }
}

void SweepFitPanel::showFitClick() {
    const int row = table_.currentRow();
    const FittedSweep* fitted = row < 0 ? nullptr : table_.fittedSweep(row);
    if (fitted == nullptr) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoFittedCrystal));
        return;
    }
    std::vector<Complex> model;
    model.reserve(fitted->frequencyHz.size());
    for (double f : fitted->frequencyHz) {
        model.push_back(modelS21(fitted->fit, fitted->fixture, f));
    }
    hooks_.showSweepFit(table_.rowName(row), fitted->frequencyHz, levelsDb(fitted->s21),
                        levelsDb(model));
}

}  // namespace trellon
