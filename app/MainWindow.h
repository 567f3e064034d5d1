#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "ChartQuantity.h"
#include "DataFile.h"
#include "DesignView.h"
#include "Dialogs.h"
#include "Engine.h"
#include "InputFields.h"
#include "MainMenu.h"
#include "ProjectDocument.h"
#include "ProjectFile.h"
#include "ReportBlock.h"
#include "ResultFieldSet.h"
#include "SpiceExport.h"

class QLabel;
class QScrollArea;
class QTimer;

namespace trellon {

class AnyOrderWindow;
class ChartView;
class CircuitSchematicView;
class CrystalBatchWindow;
class MonteCarloWindow;
class SweepFitChart;
class TuningWindow;
struct BuiltCircuit;
struct MonteCarloResult;
struct CurveRecord;
struct SpanSettings;
class CurveStatusBar;
class BenchWindow;
class LsFoCalculator;
class MemoView;
class PanelStatusBar;

// The blocks after the usual report that a repeat replaces in the results panel.
enum class ShownBlock { Built, Bench, MonteCarlo, Tuning };

// The designer's window: crystal and filter inputs, the schematic with the computed values, the
// results panel, the log and the response chart sharing one area, two status bars and the
// menu. Handlers are named after their control and event.
class MainWindow : public QMainWindow, public DesignView {
    Q_OBJECT

public:
    explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    const DesignState& designState() const { return engine_->state; }
    // The design of the last completed calculation; nothing before the first.
    std::shared_ptr<const CalculatedDesign> calculatedDesign() const {
        return document_.calculatedDesign();
    }

    void showWarning(const std::string& text) override;
    void showResultsPanel() override;
    void setResultField(ResultField field, const std::string& text) override;

    // Shows the schematic, the Ccor field and the result fields of the topology at list
    // position 0..6 and makes it the current one; the result values are left as they are.
    void ApplyTopology(int position);
    // Sets Response and its name field, the part of a response change that loading a design
    // file shares.
    void applyResponse(int response);

signals:
    void closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();

    void FormCreate();
    bool FormCloseQuery();
    // Asks about a run still going and about a batch or project not saved, before the log's
    // question; false when the user keeps the window open.
    bool closeWithPendingWork();
    void ComboBox1Change();
    void ComboBox2Change();
    bool EditKeyPress(QLineEdit* edit, const QKeyEvent& key);
    bool Edit5KeyPress(const QKeyEvent& key);
    void CalculateClick();
    void ExitClick();
    void N8Click();
    void PanelHint(const QString& hint);
    void LsFo1Click();

    // The design file.
    void OpenClick();
    void SaveClick();
    DesignInputs designInputs() const;
    void applyDesign(const DesignInputs& design);

    // The chart, its curves and status bars.
    void FRClick();
    void Log1Click();
    void ViewProtClick();
    void BonusACHClick();
    void ClearGraficClick();
    void PlusZoomClick();
    void NormalZoomClick();
    void Otn_LevelClick();
    void Abs_LevelClick();
    void StatusBar1DrawPanel(QPainter& painter, int panel, const QRect& rect);
    void Timer2Timer();

    // The chart's quantities, zoom, extra curves and exports.
    void connectChartCommands();
    void chooseQuantity(ChartQuantity quantity);
    void ZoomBackClick();
    void WideSpanWidthClick();
    // Keeps what curve k, just drawn by a completed calculation, needs for its other views
    // and for the exports of its design.
    void recordDrawnCurve(int k);
    // Makes `record`, drawn as curve k, the current curve, and `design` the document's.
    void showDrawnCurve(int k, std::shared_ptr<const CurveRecord> record,
                        std::shared_ptr<const CalculatedDesign> design);
    void ExportChartClick();
    void ExportCurvesClick();
    void ExportSpiceClick();
    void ExportTouchstoneClick();
    void ImportMeasuredClick();
    void importMeasured(const QString& path);
    // Draws a measured response with its report block and keeps it for the project file.
    void showMeasured(const std::string& name, std::shared_ptr<const TwoPortData> data);
    std::optional<double> typedLevel();
    // The file name the user chose, with `suffix` added when it has none; empty when cancelled.
    QString exportFileName(const QString& filters, const QString& suffix);
    // Where the dialogs of the tools, the exports and the project open, and how they remember
    // the folder of the file chosen in them (an empty name, a cancel, changes nothing).
    QString recentFolder() const;
    QString rememberFolder(const QString& chosen);

    // Shows a block after the usual report: in the results panel it replaces the block of the same
    // kind shown before; the log, the journal of the session, records it again.
    void showReportBlock(ShownBlock kind, const ReportBlockLines& lines);

    // The log.
    void SaveProtClick();
    void PrintProtocolClick();
    void PrintFormClick();
    bool SaveLog();
    // Saves the log, showing any failure; true when the file was written.
    bool saveLogCommand();

    // The design at the bench: its window, the built curve and block, the build sheet.
    void BenchClick();
    // The bench window, made hidden the first time it is needed.
    BenchWindow& benchWindow();
    // The calculated design at the bench as the builder solders it (io/DocumentCircuit.h): with
    // the crystals placed in the batch window when a placement is made (their names in
    // `crystalNames`), with the nominal crystal otherwise, and with the document's tuning.
    std::optional<BenchCircuit> benchCircuit(std::vector<std::string>& crystalNames);
    void showBench();
    void exportBenchSheetPdf();
    void exportBenchSheetCsv();

    void createCalculator();

    // The live tuning of the filter as soldered: its window, and the tuned curve and block.
    void TuningClick();
    TuningWindow& tuningWindow();
    void showTuned(const BenchCircuit& tuned, const QStringList& report);

    // Real crystals: the batch and its choice, the Monte-Carlo and what they draw.
    void createCrystalTools();
    void CrystalBatchClick();
    void CrystalChoiceClick();
    void MonteCarloClick();
    void showBuiltFilter(const CalculatedDesign& design,
                         const std::vector<MeasuredCrystal>& crystals);
    void recentreOn(const std::vector<MeasuredCrystal>& crystals);
    void showEnvelopes(const CalculatedDesign& design, const MonteCarloResult& result);
    void dropDesignResults();
    void dropBenchCurve();
    void showSweepFit(const QString& name, const std::vector<double>& frequencyHz,
                      std::vector<double> measuredDb, std::vector<double> fittedDb);

    // The ladder of any order: its window, and its design shown in place of the schematic and
    // its result fields until the next calculation.
    void buildCircuitSchematic(QWidget* client);
    void AnyOrderClick();
    AnyOrderWindow& anyOrderWindow();
    // Designs the ladder of the inputs as typed at the level typed in the main window and makes
    // it the current design; a refusal changes nothing.
    void designAnyOrderFrom(const ProjectAnyOrder& typed);
    void showCircuitSchematic(const BuiltCircuit& circuit);
    void showSpecifiedSchematic();

    // The project file and the document it is read into and written from.
    void OpenProjectClick();
    void SaveProjectClick();
    // Hands the document what the windows' fields hold; false, after a warning, while one of
    // them is wrong or the placement names a crystal the batch lacks.
    bool commitToDocument();
    // The main window follows the document's design, view, measured response and bench.
    void subscribeToDocument();
    void showView(const ProjectChart& view);
    // Runs a change of the export choices on the document's.
    void editExportSettings(const std::function<void(ProjectExport&)>& edit);
    void calculate();
    // The builder's tuning through a new design: true when there is none to drop, or the user
    // agrees to drop it (a tuning a project brought is kept for its design, without asking).
    bool newDesignMayDropTuning();
    // After a completed calculation: drops the tuning of the design it replaced, or keeps what
    // fits of the tuning a project brought.
    void followCalculationWithTuning();
    // Drops, with a line in the log, the tuning of parts the document's circuit lacks.
    void keepTuningWithinCircuit();
    // Adds lines to the log alone.
    void logBlock(const std::vector<std::string>& lines);
    void clearCurvesAndPanelTexts();
    void lowerPanelsToPlainText();
    void restartCurveCycle();
    void showLogOnReturnFromOtherWindow(QWindow* focusWindow);
    // Runs a command and shows the error that ends it, if any.
    void runCommand(const std::function<void()>& command);
    // Runs `handler` as a command whenever `sender` sends `signal`.
    template <typename Sender, typename Signal>
    void connectCommand(Sender* sender, Signal signal, void (MainWindow::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
    }

    Dialogs& dialogs_;
    std::unique_ptr<Engine> engine_;
    // The project: made before the windows that show it, and gone after them.
    ProjectDocument document_;
    // While the main window itself hands the document what it shows.
    bool editingDocument_ = false;
    // From opening a project with a tuning until its design is calculated.
    bool tuningAwaitsDesign_ = false;

    QLabel* ShemaFiltr = nullptr;
    MemoView* Memo1 = nullptr;
    MemoView* Memo2 = nullptr;
    ChartView* Chart1 = nullptr;
    CurveStatusBar* StatusBar1 = nullptr;
    PanelStatusBar* StatusBar2 = nullptr;
    QTimer* Timer2 = nullptr;
    InputFields inputs_{};
    MainMenu menu_{};
    std::unique_ptr<ResultFieldSet> resultFields_;
    DataFileLines dataFile_;
    // A window of its own, hidden until asked for; it keeps its texts and results all the run.
    std::unique_ptr<LsFoCalculator> calculator_;
    std::unique_ptr<CrystalBatchWindow> batchWindow_;
    std::unique_ptr<MonteCarloWindow> monteCarloWindow_;
    // The filter built with measured crystals while its curve is shown, for the SPICE export.
    std::shared_ptr<const BuiltCircuit> shownBuilt_;
    SpiceSweep shownBuiltSweep_{};
    // The fitted crystal's sweep and model, in a window of their own.
    std::unique_ptr<SweepFitChart> sweepFitChart_;
    // The filter at the bench while its curve is shown, for the SPICE and Touchstone exports.
    std::shared_ptr<const BenchCircuit> shownBench_;
    // The results panel's lines of each kind of block last shown.
    std::map<ShownBlock, QStringList> shownBlocks_;
    SpiceSweep shownBenchSweep_{};
    // The size the chart was last exported at in this session, or that an opened project keeps.
    std::optional<ChartImageSize> chartImageSize_;
    // The folder of the file last chosen in a dialog of the tools, the exports or the project;
    // the program's folder before the first.
    QString recentFolder_;
    std::unique_ptr<BenchWindow> bench_;
    std::unique_ptr<AnyOrderWindow> anyOrderWindow_;
    std::unique_ptr<TuningWindow> tuningWindow_;
    // The any-order ladder's schematic over the place of the picture, scrolled when it is taller.
    QScrollArea* circuitArea_ = nullptr;
    CircuitSchematicView* circuitView_ = nullptr;

    bool chartEnlarged_ = false;
    // The traced curve of that design as the chart holds it, which the design exports write.
    std::shared_ptr<const CurveRecord> drawnCurve_;
    // The wide span the curves are shown over, as the user chose it; shared with their sources.
    std::shared_ptr<SpanSettings> wideSpan_;
    QPointer<QWindow> lastFocusWindow_;
};

}  // namespace trellon
