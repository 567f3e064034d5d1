#include "LocaleClock.h"

namespace trellon {

namespace {

// Drops the unquoted time-zone letters "t" of a time format and the blanks they leave.
QString withoutTimeZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'') {
            quoted = !quoted;
        }
        if (quoted || c != 't') {
            result += c;
        }
    }
    return result.simplified();
}

}  // namespace

QString shortDateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

}  // namespace trellon
