#include "LogHeader.h"

#include "LocaleClock.h"

namespace trellon {

QStringList logHeaderLines(const QDateTime& now, const QLocale& locale) {
    return {QString::fromUtf8(kLogTitle),
            shortDateText(now.date(), locale) + " / " + longTimeText(now.time(), locale),
            QString(53, '=')};
}

}  // namespace trellon
