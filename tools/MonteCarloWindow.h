#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "BuiltCircuit.h"
#include "CalculatedDesign.h"
#include "MonteCarlo.h"
#include "ProjectFile.h"

class QCPAbstractItem;
class QComboBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace trellon {

class BackgroundRun;
class ProjectDocument;

// The circuit as built that the samples spread around, and the crystals placed in it by name
// (none for the nominal crystal in every position).
struct MonteCarloCircuit {
    BuiltCircuit circuit;
    std::vector<std::string> crystalNames;
};

// What the Monte-Carlo window needs from the window that owns it.
struct MonteCarloHooks {
    std::function<void(const QString& text)> showWarning;
    std::function<void(const QString& text)> showError;
    // The circuit to spread around for the design; nothing, after a warning, when there is none.
    std::function<std::optional<MonteCarloCircuit>(const CalculatedDesign& design)> circuitAround;
    // Draws the 5, 50 and 95 % envelopes of a completed run.
    std::function<void(const CalculatedDesign& design, const MonteCarloResult& result)>
        showEnvelopes;
    // Writes a completed run's block, in the report's notation, to the log.
    std::function<void(const std::vector<std::string>& lines)> logBlock;
    // The file to export to; empty when cancelled.
    std::function<QString(const QString& filters)> saveFileName;
};

// How the spread of real parts moves the filter built from the last design: the spreads, the
// sampling and the targets typed in, the yield, the percentiles and histograms of the bandwidth,
// ripple and loss with the targets marked, and the target missed most. The results name the
// design they were run on, and say so when a calculation since has made them stale; a run that
// ends after such a calculation draws nothing on the chart. The run goes on in the background;
// Cancel keeps the previous results. The
// spreads and targets are the document's: the fields are where they are typed, and what they
// hold becomes the document's whenever a command takes them.
class MonteCarloWindow : public QWidget {
    Q_OBJECT

public:
    MonteCarloWindow(ProjectDocument& document, char decimalSeparator, MonteCarloHooks hooks,
                     QWidget* parent = nullptr);
    ~MonteCarloWindow() override;

    // The fields as settings; a field that is not a number or out of range gives one warning
    // naming it, and nothing.
    std::optional<MonteCarloSettings> checkedSettings();
    void setSettings(const ProjectSpreads& spreads, const ProjectTargets& targets);
    // The fields as the project keeps them, which the document then holds; nothing (after a
    // warning) while one is wrong.
    std::optional<std::pair<ProjectSpreads, ProjectTargets>> projectSettings();

    const std::optional<MonteCarloResult>& lastResult() const { return result_; }
    bool running() const;
    // Whether the results shown belong to the design the document now holds.
    bool resultsCurrent() const;

    // All of the settings and histograms: the window opens that large when the screen has room.
    QSize sizeHint() const override;

public slots:
    void runClick();
    void exportClick();

private:
    void buildControls();
    QLineEdit* addField(const char* name, const SettingDeclaration& declaration);
    void addCaption(QWidget* field, const SettingDeclaration& declaration);
    // Only the targets of the kind chosen can be typed.
    void enableTargetsOfKind();
    void showResult();
    void showDesign();
    void showTargets();

    ProjectDocument& document_;
    char decimalSeparator_;
    MonteCarloHooks hooks_;
    int subscription_ = 0;
    int calculationSubscription_ = 0;
    // While the window itself hands the document the spreads its fields show.
    bool handingSpreads_ = false;
    std::vector<std::pair<QWidget*, QString>> fields_;  // with their captions
    QLineEdit* SigmaFs = nullptr;
    QLineEdit* SigmaLm = nullptr;
    QLineEdit* SigmaRm = nullptr;
    QLineEdit* SigmaC0 = nullptr;
    QLineEdit* CapTolerance = nullptr;
    QLineEdit* Stray = nullptr;
    QLineEdit* Samples = nullptr;
    QLineEdit* Seed = nullptr;
    QLineEdit* GridPoints = nullptr;
    QComboBox* KindOfTargets = nullptr;
    QLineEdit* MaxRipple = nullptr;
    QLineEdit* BandwidthTolerance = nullptr;
    QLineEdit* MaxLoss = nullptr;
    QLineEdit* RippleMargin = nullptr;
    QLineEdit* LossMargin = nullptr;
    QWidget* content_ = nullptr;     // inside the scroll area that takes a small screen
    QLabel* designLabel_ = nullptr;  // which design the results belong to, and whether stale
    QLabel* aroundLabel_ = nullptr;  // which crystals the last results spread around
    QLabel* missLabel_ = nullptr;    // the target missed most
    QLabel* yieldLabel_ = nullptr;
    QLabel* percentileLabel_ = nullptr;
    QCustomPlot* histograms_[3] = {};
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    BackgroundRun* run_ = nullptr;

    std::optional<MonteCarloResult> result_;
    std::shared_ptr<const CalculatedDesign> resultDesign_;
    std::vector<QCPAbstractItem*> targetLines_;
};

}  // namespace trellon
