#pragma once

#include <QWidget>
#include <optional>

#include "TuningSteps.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace trellon {

// The part being tuned: its name, its value in a field that can be typed into, a slider over
// its span and, for a crystal, the button that adds or shorts its trimmer. The mouse wheel and
// the Up and Down keys step the value over the field, the slider and any widget that hands its
// events to step(); Shift makes the step finer, Ctrl coarser.
class TuningPartPanel : public QWidget {
    Q_OBJECT

public:
    explicit TuningPartPanel(char decimalSeparator, QWidget* parent = nullptr);

    // Shows `part`; nothing with `caption` says why there is nothing to tune.
    void showPart(const std::optional<TunedPart>& part, const QString& caption);
    const std::optional<TunedPart>& part() const { return part_; }

    // Puts `widget` at the end of the slider's row.
    void addBesideSlider(QWidget* widget);

    // Steps the value for a wheel turn or an Up or Down key; true when the event was one.
    bool step(QEvent* event);

signals:
    // The user moved the value to `value` (pF, or the crystal's shift in Hz). Steps and slider
    // moves come as `stepping`; a typed value does not.
    void valueChosen(double value, bool stepping);
    // Add the crystal's trimmer, or short the crystal's or the selected trimmer.
    void trimmerToggled();
    // The value has come to rest: the slider or the key released, the wheel quiet, a typed value
    // taken.
    void released();
    // A typed value that is not a positive number, in the window's words.
    void refused(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stepBy(int steps, Qt::KeyboardModifiers modifiers);
    void takeTyped();
    void sliderMoved(int position);
    QString valueText() const;

    char separator_;
    std::optional<TunedPart> part_;
    bool showing_ = false;
    int wheelEighths_ = 0;  // of a degree, turned but not yet a whole step
    QLabel* name_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
    QLabel* detail_ = nullptr;
    QSlider* slider_ = nullptr;
    QPushButton* trimmer_ = nullptr;
    QTimer* wheelQuiet_ = nullptr;
    QHBoxLayout* besideSlider_ = nullptr;
};

}  // namespace trellon
