#include "Hints.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace trellon {

namespace {

constexpr const char* kHintProperty = "hint";

}  // namespace

void setHint(QWidget* widget, const QString& hint) {
    widget->setProperty(kHintProperty, hint);
}

QString inheritedHint(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QString hint = widget->property(kHintProperty).toString();
        if (!hint.isEmpty()) {
            return hint;
        }
    }
    return {};
}

HintTracker::HintTracker(QWidget* root, HintChanged onChange)
    : QObject(root), onChange_(std::move(onChange)) {
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = static_cast<QWidget*>(watched);
    // Menus report their items' hints themselves; the pointer crossing into or out of one,
    // or leaving the window for one, would put another hint (or none) in their place.
    if (widget->window()->windowType() == Qt::Popup) {
        return false;
    }
    if (event->type() == QEvent::Enter) {
        onChange_(inheritedHint(widget));
    } else if (event->type() == QEvent::Leave && !widget->isWindow()) {
        // Leaving a control puts the pointer back over its parent.
        onChange_(inheritedHint(widget->parentWidget()));
    }
    return false;
}

}  // namespace trellon
