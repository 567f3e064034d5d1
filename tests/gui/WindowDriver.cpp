#include "WindowDriver.h"

#include <QApplication>
#include <QTest>

namespace trellon::test {

namespace {

// Every step changes the selection, so even choosing the current item again reaches the window.
void selectByKeys(QComboBox* list, int position) {
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < position; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

}  // namespace

WindowDriver::WindowDriver() : window_(std::make_unique<MainWindow>(dialogs_)) {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

WindowDriver::~WindowDriver() = default;

QAction* WindowDriver::action(const char* name) const {
    return window_->findChild<QAction*>(QString::fromUtf8(name));
}

QLineEdit* WindowDriver::resultField(ResultField field) const {
    return edit(resultFieldName(field).c_str());
}

LsFoCalculator* WindowDriver::calculator() const {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* calculator = qobject_cast<LsFoCalculator*>(window)) {
            return calculator;
        }
    }
    return nullptr;
}

QStringList WindowDriver::visibleResultFields() const {
    QStringList names;
    for (int i = 0; i < kResultFieldCount; ++i) {
        QLineEdit* field = resultField(static_cast<ResultField>(i));
        if (field->isVisible()) {
            names << field->objectName();
        }
    }
    return names;
}

void WindowDriver::choose(const char* actionName) {
    QAction* item = action(actionName);
    QVERIFY2(item != nullptr, actionName);
    QVERIFY2(item->isEnabled(), actionName);
    item->trigger();
}

void WindowDriver::selectTopology(int position) {
    selectByKeys(control<QComboBox>("ComboBox1"), position);
}

void WindowDriver::selectResponse(int position) {
    selectByKeys(control<QComboBox>("ComboBox2"), position);
}

void WindowDriver::setText(const char* editName, const QString& text) {
    edit(editName)->setText(text);
}

void WindowDriver::type(const char* editName, const QString& text) {
    QLineEdit* field = edit(editName);
    for (const QChar c : text) {
        QTest::keyClick(field, c.toLatin1());
    }
}

}  // namespace trellon::test
