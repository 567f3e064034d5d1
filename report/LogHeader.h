#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringList>

namespace trellon {

// The title of the log, also printed above it.
inline constexpr const char* kLogTitle = "The Log of the program \"Trellon\"";

// The three lines that open the log: title, date / time of `now`, a rule.
QStringList logHeaderLines(const QDateTime& now, const QLocale& locale);

}  // namespace trellon
