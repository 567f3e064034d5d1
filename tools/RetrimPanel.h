#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "CircuitTuning.h"
#include "CrystalBatch.h"

class QCheckBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace trellon {

class BackgroundRun;
class ProjectDocument;

// What a retrim's result asks of the window that hosts the panel.
struct RetrimHooks {
    // Makes the retrimmed values the document's tuning (the tuning window makes it one Undo step).
    std::function<void(const CircuitTuning& tuning)> apply;
    // Adds the report block to the log.
    std::function<void(const std::vector<std::string>& lines)> logBlock;
};

// The retrim of the document's filter as the builder solders it: which bench capacitors it may
// change, symmetry, crystal trimmers within a range; a run off the window's thread with progress
// and Cancel, starting from the document's tuning; its report. A result that belongs to a design,
// crystals, bench or tuning changed while it ran is dropped with a note.
class RetrimPanel : public QWidget {
    Q_OBJECT

public:
    RetrimPanel(ProjectDocument& document, RetrimHooks hooks, char decimalSeparator,
                QWidget* parent = nullptr);
    ~RetrimPanel() override;

    bool running() const;
    // The report of the last run, or why it did not run.
    QString reportText() const;

private:
    // What a result is computed from; a result applies only while the document still holds it.
    struct Basis {
        std::shared_ptr<const CalculatedDesign> design;
        CrystalBatch batch;
        std::vector<std::string> placement;
        BenchSettings bench;
        std::optional<CircuitTuning> tuning;
        bool operator==(const Basis&) const = default;
    };
    Basis basis() const;

    void showCapacitors();
    void start();
    void finish(bool cancelled, const std::string& failure);
    void showReport(const QString& text);

    ProjectDocument& document_;
    RetrimHooks hooks_;
    char separator_;
    std::vector<int> subscriptions_;
    QTableWidget* capacitors_ = nullptr;
    QCheckBox* symmetric_ = nullptr;
    QCheckBox* trimmers_ = nullptr;
    QDoubleSpinBox* trimmerMin_ = nullptr;
    QDoubleSpinBox* trimmerMax_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    BackgroundRun* background_ = nullptr;
    // The run in progress: what it started from and, once it ends, its result.
    Basis started_;
    int startedSeries_ = 0;
    struct Outcome;
    std::shared_ptr<Outcome> outcome_;
};

}  // namespace trellon
