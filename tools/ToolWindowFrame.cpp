#include "ToolWindowFrame.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace trellon {

namespace {

// What the window system adds around a window that is not yet shown, so has no frame to ask.
constexpr int kFrameSide = 8;
constexpr int kTitleBar = 32;

struct Placed {
    QWidget* widget;
    QRect rect;  // in the window's coordinates
};

}  // namespace

void placeOnScreen(QWidget& window, const QWidget* owner) {
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    if (window.layout() != nullptr) {
        window.layout()->activate();
    }
    const QSize room(available.width() - 2 * kFrameSide,
                     available.height() - kTitleBar - kFrameSide);
    const QSize wanted = window.isVisible() ? window.size() : window.sizeHint();
    const QSize size = wanted.expandedTo(window.minimumSizeHint()).boundedTo(room);
    window.resize(size);

    const QRect frame(QPoint(0, 0), size + QSize(2 * kFrameSide, kTitleBar + kFrameSide));
    QPoint topLeft = window.isVisible() ? window.frameGeometry().topLeft()
                     : owner != nullptr ? owner->frameGeometry().center() - frame.center()
                                        : available.center() - frame.center();
    topLeft.setX(std::clamp(topLeft.x(), available.left(),
                            std::max(available.left(), available.right() + 1 - frame.width())));
    topLeft.setY(std::clamp(topLeft.y(), available.top(),
                            std::max(available.top(), available.bottom() + 1 - frame.height())));
    window.move(topLeft);
    orderTabsByLayout(window);
}

void bringForward(QWidget& window, const QWidget* owner) {
    placeOnScreen(window, owner);
    window.show();
    window.raise();
    window.activateWindow();
}

namespace {

// Takes the keys no field of the window wanted: a cell being edited keeps its Enter and Esc.
class ToolWindowKeys : public QObject {
public:
    ToolWindowKeys(QWidget& window, QAbstractButton* run) : QObject(&window), run_(run) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || watched != parent()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) {
            return false;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (run_ != nullptr && run_->isEnabled()) {
                run_->click();
            }
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            static_cast<QWidget*>(parent())->close();
            return true;
        }
        return false;
    }

private:
    QAbstractButton* run_;
};

}  // namespace

void bindToolWindowKeys(QWidget& window, QAbstractButton* run) {
    window.installEventFilter(new ToolWindowKeys(window, run));
    orderTabsByLayout(window);
}

namespace {

constexpr const char* kOwnTabGroup = "trellonOwnTabGroup";

// The part of `window` whose fields `field` is walked with: its nearest ancestor marked as a
// group of its own, or the window.
QWidget* tabGroupOf(const QWidget* field, QWidget& window) {
    for (QWidget* part = field->parentWidget(); part != nullptr && part != &window;
         part = part->parentWidget()) {
        if (part->property(kOwnTabGroup).toBool()) {
            return part;
        }
    }
    return &window;
}

// The fields row by row, left to right within a row: a field that starts below every field of
// the row so far starts the next row.
std::vector<QWidget*> inRows(std::vector<Placed> fields) {
    std::stable_sort(fields.begin(), fields.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.top() < b.rect.top(); });
    std::vector<int> rowOf(fields.size());
    int row = 0;
    int rowBottom = -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].rect.top() > rowBottom && i > 0) {
            ++row;
        }
        rowBottom = i == 0 || fields[i].rect.top() > rowBottom
                        ? fields[i].rect.bottom()
                        : std::max(rowBottom, fields[i].rect.bottom());
        rowOf[i] = row;
    }
    std::vector<std::size_t> order(fields.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rowOf[a] != rowOf[b] ? rowOf[a] < rowOf[b]
                                    : fields[a].rect.left() < fields[b].rect.left();
    });
    std::vector<QWidget*> widgets;
    for (std::size_t index : order) {
        widgets.push_back(fields[index].widget);
    }
    return widgets;
}

}  // namespace

void walkTabsAsOneGroup(QWidget& part) {
    part.setProperty(kOwnTabGroup, true);
}

void orderTabsByLayout(QWidget& window) {
    if (window.layout() != nullptr) {
        window.layout()->activate();
    }
    std::vector<QWidget*> groups = {&window};
    std::vector<std::vector<Placed>> fields(1);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            child->focusProxy() == nullptr && child->window() == &window && !child->isHidden()) {
            QWidget* group = tabGroupOf(child, window);
            const auto found = std::find(groups.begin(), groups.end(), group);
            const std::size_t index = static_cast<std::size_t>(found - groups.begin());
            if (found == groups.end()) {
                groups.push_back(group);
                fields.emplace_back();
            }
            fields[index].push_back(
                {child, QRect(child->mapTo(&window, QPoint(0, 0)), child->size())});
        }
    }
    // The window's own fields first, then each group's.
    std::vector<QWidget*> chain;
    for (std::vector<Placed>& group : fields) {
        const std::vector<QWidget*> walked = inRows(std::move(group));
        chain.insert(chain.end(), walked.begin(), walked.end());
    }
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

}  // namespace trellon
