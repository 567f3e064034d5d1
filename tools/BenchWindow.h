#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "BenchCircuit.h"
#include "RetrimPanel.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;

namespace trellon {

class ProjectDocument;

// What the bench window's buttons ask of the window that owns it.
struct BenchHooks {
    std::function<void()> show;
    std::function<void()> exportPdf;
    std::function<void()> exportCsv;
    // The parts list of the document's circuit as built (with the window's settings, which the
    // document holds), or why there is none.
    std::function<QStringList()> partsList;
    // What the retrim panel's result asks of the main window.
    RetrimHooks retrim;
    char decimalSeparator = '.';
};

// The steps from the design to the bench: the series the capacitors are rounded to, parallel
// pairs beyond a tolerance, the board's stray, and the match to a system resistance; beside them
// the retrim of the capacitors to the placed crystals. A
// non-modal window; what it shows is the document's bench settings, and every edit is handed to
// the document at once. Once the window is made the document has bench settings.
class BenchWindow : public QWidget {
    Q_OBJECT

public:
    BenchWindow(ProjectDocument& document, BenchHooks hooks, QWidget* parent = nullptr);
    ~BenchWindow() override;

    BenchSettings settings() const;
    // Shows these settings, and hands the document what the fields then hold.
    void setSettings(const BenchSettings& settings);

    // The parts list as shown, one part a line.
    QString partsListText() const;
    RetrimPanel& retrimPanel() const { return *retrim_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPartsList();
    void applySettings(const BenchSettings& settings);
    // The fields as they now stand become the document's bench settings.
    void handToDocument();

    ProjectDocument& document_;
    BenchHooks hooks_;
    std::vector<int> subscriptions_;
    // While the fields are set one by one, they are not a setting to hand on.
    bool applying_ = false;
    QComboBox* series_ = nullptr;
    QCheckBox* pairs_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QDoubleSpinBox* stray_ = nullptr;
    QComboBox* match_ = nullptr;
    QDoubleSpinBox* systemOhm_ = nullptr;
    QPlainTextEdit* parts_ = nullptr;
    RetrimPanel* retrim_ = nullptr;
};

}  // namespace trellon
