#include "KeyFilter.h"

#include <QKeyEvent>

namespace trellon {

namespace {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Keys that type no character (moving, deleting, shortcuts) are not the filters' business.
bool typesCharacter(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace) {
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    return !key.text().isEmpty() && key.text().front().isPrint();
}

KeyVerdict filter(const QKeyEvent& key, const QString& accepted) {
    if (!typesCharacter(key) || key.key() == Qt::Key_Backspace) {
        return KeyVerdict::Accept;
    }
    const QChar typed = key.text().front();
    const bool digit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    return digit || accepted.contains(typed) ? KeyVerdict::Accept : KeyVerdict::Discard;
}

}  // namespace

KeyVerdict crystalFieldKey(const QKeyEvent& key) {
    if (isEnter(key)) {
        return KeyVerdict::NextField;
    }
    return filter(key, QStringLiteral(",."));
}

KeyVerdict levelFieldKey(const QKeyEvent& key) {
    if (isEnter(key)) {
        return KeyVerdict::Discard;
    }
    return filter(key, QStringLiteral(",-."));
}

}  // namespace trellon
