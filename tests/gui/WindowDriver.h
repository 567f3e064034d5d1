#pragma once

#include <initializer_list>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <memory>

#include "ChartView.h"
#include "CurveStatusBar.h"
#include "FakeDialogs.h"
#include "LsFoCalculator.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "ResultFields.h"

namespace trellon::test {

// A shown main window with scripted dialogs, reached the way a user reaches it: through its
// menu, its lists and typed keys.
class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    MainWindow& window() { return *window_; }
    FakeDialogs& dialogs() { return dialogs_; }
    const DesignState& state() const { return window_->designState(); }

    template <typename T = QWidget>
    T* control(const char* name) const {
        return window_->findChild<T*>(QString::fromUtf8(name));
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QAction* action(const char* name) const;
    ChartView* chart() const { return control<ChartView>("Chart1"); }
    CurveStatusBar* curvePanels() const { return control<CurveStatusBar>("StatusBar1"); }
    PanelStatusBar* clockPanels() const { return control<PanelStatusBar>("StatusBar2"); }
    QStringList results() const { return control<MemoView>("Memo1")->lines(); }
    QStringList log() const { return control<MemoView>("Memo2")->lines(); }
    QLineEdit* resultField(ResultField field) const;
    // The calculator window, shown or not; there is one while a main window lives.
    LsFoCalculator* calculator() const;
    QStringList visibleResultFields() const;

    // Chooses a menu item as the user would; it must be enabled.
    void choose(const char* actionName);
    void calculate() { choose("Calculate"); }
    // One curve per pass band (Edit2), in order: two curves that differ where they are compared.
    void calculateForBands(std::initializer_list<const char*> bands) {
        for (const char* band : bands) {
            setText("Edit2", band);
            calculate();
        }
    }
    void selectTopology(int position);
    void selectResponse(int position);
    void setText(const char* editName, const QString& text);
    // Types each character as its own key press, so that key filters see every one.
    void type(const char* editName, const QString& text);

private:
    FakeDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;
};

// The open tool window of that class, or null.
template <typename Window>
Window* toolWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* tool = qobject_cast<Window*>(window)) {
            return tool;
        }
    }
    return nullptr;
}

}  // namespace trellon::test
