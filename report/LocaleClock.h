#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace trellon {

// The date in the locale's short format.
QString shortDateText(const QDate& date, const QLocale& locale);

// The time in the locale's long format, without the time-zone name that format may carry.
QString longTimeText(const QTime& time, const QLocale& locale);

}  // namespace trellon
