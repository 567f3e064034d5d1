#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CircuitTuning.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTimer;
class QUndoStack;

namespace trellon {

class CircuitSchematicView;
class ProjectDocument;
class RetrimPanel;
class TuningChange;
class TuningChart;
class TuningCurve;
class TuningPartPanel;
struct CalculatedDesign;

// What the tuning window hands the window that owns it.
struct TuningHooks {
    // The tuning has come to rest: the filter as tuned, and the report block the window shows.
    std::function<void(const BenchCircuit& tuned, const QStringList& report)> released;
    // A block for the log: the retrim's report.
    std::function<void(const std::vector<std::string>& lines)> logBlock;
};

// The filter as the builder solders it, tuned live: its schematic, where a capacitor, a trimmer
// or a crystal is picked; the picked part's value, stepped by the wheel, the keys or a slider;
// the built curve beside the ideal one, solved again at each step. The values are the
// document's tuning: every change is handed to it as one step that Undo takes back, and the
// window shows whatever the document holds. A non-modal window.
class TuningWindow : public QWidget {
    Q_OBJECT

public:
    TuningWindow(ProjectDocument& document, char decimalSeparator, TuningHooks hooks,
                 QWidget* parent = nullptr);
    ~TuningWindow() override;

    const ProjectDocument& document() const { return document_; }
    QUndoStack& undoStack() const { return *undo_; }
    // Hands the document `tuning` as one step that Undo takes back (a retrim's result, say).
    void applyTuning(const std::optional<CircuitTuning>& tuning, const QString& text);

    RetrimPanel& retrimPanel() const { return *retrim_; }
    QString reportText() const;

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Takes the document's circuit again: the filter as fitted too when `fitting`.
    void follow(bool fitting);
    void showCircuit();
    void showSelected();
    void showSchematic();
    void choose(double value, bool stepping);
    void toggleTrimmer();
    void push(TuningChange* change);
    void runOnStack(const std::function<void()>& step);
    void release();
    void showStatus(const QString& text);
    // The schematic's area as tall as the drawing, up to a third of the window.
    void fitSchematicArea();

    ProjectDocument& document_;
    char separator_;
    TuningHooks hooks_;
    std::vector<int> subscriptions_;
    QUndoStack* undo_ = nullptr;
    QElapsedTimer clock_;
    // While the window itself hands the document a tuning, the document's change is no news.
    bool changing_ = false;
    // While a value steps, the schematic's labels follow when it pauses: laying out every label
    // again would take most of a frame.
    bool stepping_ = false;
    QTimer* schematicDue_ = nullptr;
    // What the window last took from the document is stale: taken again when shown.
    bool stale_ = true;
    bool fittingStale_ = true;
    std::optional<BenchCircuit> untuned_;
    std::optional<BenchCircuit> tuned_;
    std::optional<double> measureBefore_;
    const CalculatedDesign* curveDesign_ = nullptr;
    std::unique_ptr<TuningCurve> curve_;
    std::string selectedName_;

    QScrollArea* schematicArea_ = nullptr;
    CircuitSchematicView* schematic_ = nullptr;
    TuningPartPanel* panel_ = nullptr;
    QLabel* status_ = nullptr;
    TuningChart* chart_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    RetrimPanel* retrim_ = nullptr;
};

}  // namespace trellon
