#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace trellon {

// The hint of a control, shown in the hint panel while the pointer rests on it.
void setHint(QWidget* widget, const QString& hint);

// The hint of the widget or, when it has none, of its nearest parent that has one.
QString inheritedHint(const QWidget* widget);

// Follows the pointer over a widget tree and reports the hint under it whenever it changes
// from one widget to another.
class HintTracker : public QObject {
public:
    using HintChanged = std::function<void(const QString& hint)>;

    HintTracker(QWidget* root, HintChanged onChange);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintChanged onChange_;
};

}  // namespace trellon
