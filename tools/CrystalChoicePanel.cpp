#include "CrystalChoicePanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "BackgroundRun.h"
#include "Catalogue.h"
#include "CrystalWindowParts.h"
#include "NumberText.h"
#include "ProjectDocument.h"
#include "texts/CrystalWindowTexts.h"

namespace trellon {

CrystalChoicePanel::CrystalChoicePanel(ProjectDocument& document, const CrystalBatchHooks& hooks,
                                       std::function<std::optional<CrystalBatch>()> typedBatch,
                                       char decimalSeparator, QWidget* parent)
    : QWidget(parent),
      document_(document),
      hooks_(hooks),
      typedBatch_(std::move(typedBatch)),
      decimalSeparator_(decimalSeparator) {
    auto* measure = new QLabel(QString::fromUtf8(texts::kShapeMeasure), this);
    measure->setWordWrap(true);
    measureBox_ = new QComboBox(this);
    measureBox_->setObjectName(QStringLiteral("ChoiceMeasure"));
    measureBox_->addItem(QString::fromUtf8(texts::kShapeMeasureItem));
    measureBox_->addItem(QString::fromUtf8(texts::kAbsoluteMeasureItem));
    connect(measureBox_, &QComboBox::currentIndexChanged, measure, [this, measure] {
        measure->setText(QString::fromUtf8(chosenMeasure() == ChoiceMeasure::Shape
                                               ? texts::kShapeMeasure
                                               : texts::kChoiceMeasure));
    });

    choiceLabel_ = new QLabel(this);
    choiceLabel_->setObjectName(QStringLiteral("ChoiceLabel"));
    choiceLabel_->setWordWrap(true);
    choiceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ChoiceProgress"));
    auto* buttons = new QHBoxLayout;
    QPushButton* choose =
        crystalToolButton(this, "ChooseCrystals", texts::kChooseCrystals,
                          "Choose the crystals and their positions from the batch");
    cancelButton_ = crystalToolButton(this, "CancelChoice", texts::kCancel,
                                      "Stop the choice; the previous one stays");
    QPushButton* apply = crystalToolButton(this, "ApplyChoice", texts::kApplyChoice,
                                           "Place the chosen crystals in their positions");
    connect(choose, &QPushButton::clicked, this, &CrystalChoicePanel::chooseClick);
    connect(apply, &QPushButton::clicked, this, &CrystalChoicePanel::applyChoiceClick);
    buttons->addWidget(new QLabel(QString::fromUtf8(texts::kChoiceMeasureCaption), this));
    buttons->addWidget(measureBox_);
    buttons->addWidget(choose);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(apply);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(measure);
    column->addLayout(buttons);
    column->addWidget(choiceLabel_);
    // Room for the longest text, so that showing it does not squeeze the table.
    choiceLabel_->setMinimumHeight(5 * fontMetrics().lineSpacing());
    choiceLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    run_ = new BackgroundRun(progress_, cancelButton_, this);
}

ChoiceMeasure CrystalChoicePanel::chosenMeasure() const {
    return measureBox_->currentIndex() == 1 ? ChoiceMeasure::Absolute : ChoiceMeasure::Shape;
}

bool CrystalChoicePanel::choosing() const {
    return run_->running();
}

void CrystalChoicePanel::chooseClick() {
    if (run_->running()) {
        return;
    }
    const std::shared_ptr<const CalculatedDesign> design =
        calculatedDesignOrWarning(document_, hooks_.showWarning);
    if (!design) {
        return;
    }
    const std::optional<CrystalBatch> batch = typedBatch_();
    if (!batch) {
        return;
    }
    const int n = design->crystalCount();
    if (batch->crystals.size() < static_cast<std::size_t>(n)) {
        hooks_.showWarning(QString::fromUtf8(texts::kTooFewCrystals) + QString::number(n));
        return;
    }
    auto result = std::make_shared<std::optional<CrystalChoice>>();
    ChoiceSettings settings;
    settings.measure = chosenMeasure();
    run_->start(
        [design, batch = *batch, result, settings](const ProgressCallback& progress,
                                                   std::atomic<bool>& cancel) {
            *result = ChooseCrystals(*design, batch, settings, progress, cancel);
        },
        [this, result, batch = *batch](bool, const std::string& failure) {
            if (!failure.empty()) {
                hooks_.showError(QString::fromStdString(failure));
            } else if (*result) {
                choice_ = *result;
                choiceBatch_ = batch;
                showChoice();
            }
        });
}

void CrystalChoicePanel::showChoice() {
    const CrystalChoice& c = *choice_;
    auto dB = [this](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, decimalSeparator_)) +
               QString::fromUtf8(texts::kDecibelSuffix);
    };
    const QString search =
        QString::fromUtf8(c.exhaustive ? texts::kExhaustiveSearch : texts::kHeuristicSearch);
    QString measure = dB(c.measure);
    if (c.kind == ChoiceMeasure::Shape) {
        measure += QString::fromUtf8(texts::kChoiceShift)
                       .arg(QString::fromStdString(FormatGeneral(c.shiftHz, 4, decimalSeparator_)),
                            dB(c.offsetDb));
    }
    const CalculatedDesign* design = document_.calculatedDesign().get();
    choiceLabel_->setText(
        joinedPlacement(placementNames(choiceBatch_, c.placement), design) +
        QString::fromUtf8(texts::kChoiceSummary).arg(measure, dB(c.naiveMeasure)) +
        joinedPlacement(placementNames(choiceBatch_, c.naivePlacement), design) +
        QString::fromUtf8(texts::kChoiceSearch) + search);
}

void CrystalChoicePanel::applyChoiceClick() {
    if (!choice_) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoChoiceToApply));
        return;
    }
    document_.setPlacement(placementNames(choiceBatch_, choice_->placement));
}

}  // namespace trellon
