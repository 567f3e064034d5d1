#include "LocaleSeparator.h"

#include <QLocale>

namespace trellon {

char localeDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    // A separator outside ASCII cannot be typed through the key filters; fall back to '.'.
    if (separator.size() != 1 || separator.front().unicode() >= 128) {
        return '.';
    }
    return separator.front().toLatin1();
}

}  // namespace trellon
