#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "CrystalBatch.h"
#include "CrystalBatchHooks.h"
#include "CrystalChooser.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace trellon {

class BackgroundRun;
class ProjectDocument;

// The choice of crystals from the batch for the last calculated design: run in the background
// (Cancel keeps the previous choice) by the measure picked, shown with its measure beside the
// naive choice's, and applied as the document's placement.
class CrystalChoicePanel : public QWidget {
    Q_OBJECT

public:
    // `typedBatch` is the batch as typed, or nothing after a warning.
    CrystalChoicePanel(ProjectDocument& document, const CrystalBatchHooks& hooks,
                       std::function<std::optional<CrystalBatch>()> typedBatch,
                       char decimalSeparator, QWidget* parent);

    const std::optional<CrystalChoice>& lastChoice() const { return choice_; }
    bool choosing() const;

    void chooseClick();
    void applyChoiceClick();

private:
    void showChoice();
    ChoiceMeasure chosenMeasure() const;

    ProjectDocument& document_;
    const CrystalBatchHooks& hooks_;
    std::function<std::optional<CrystalBatch>()> typedBatch_;
    char decimalSeparator_;
    QComboBox* measureBox_ = nullptr;
    QLabel* choiceLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    BackgroundRun* run_ = nullptr;

    std::optional<CrystalChoice> choice_;
    CrystalBatch choiceBatch_;  // the batch the choice was made from
};

}  // namespace trellon
