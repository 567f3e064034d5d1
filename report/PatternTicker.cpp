#include "PatternTicker.h"

#include <algorithm>
#include <cmath>

namespace trellon {

PatternTicker::PatternTicker(int minDecimals, int maxDecimals, double minStep)
    : minDecimals_(minDecimals), maxDecimals_(maxDecimals), minStep_(minStep) {}

double PatternTicker::getTickStep(const QCPRange& range) {
    return std::max(QCPAxisTicker::getTickStep(range), minStep_);
}

QString PatternTicker::getTickLabel(double tick, const QLocale& locale, QChar, int) {
    const double scale = std::pow(10.0, maxDecimals_);
    double rounded = std::round(tick * scale) / scale;
    if (rounded == 0) {
        rounded = 0;  // no "-0.0" for a tick a rounding error below zero
    }
    // QString::number ignores the locale, so the separator is always '.' here.
    QString text = QString::number(rounded, 'f', maxDecimals_);
    const qsizetype point = text.indexOf('.');
    qsizetype end = text.size();
    while (end > point + 1 + minDecimals_ && text[end - 1] == '0') {
        --end;
    }
    text.truncate(end);
    text.replace(point, 1, locale.decimalPoint());
    return text;
}

}  // namespace trellon
