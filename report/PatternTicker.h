#pragma once

#include <qcustomplot.h>

namespace trellon {

// Axis labels in a pattern such as "#0.0##": at least one integer digit, between minDecimals
// and maxDecimals decimals, the locale's decimal separator; labels never closer than minStep.
class PatternTicker : public QCPAxisTicker {
public:
    PatternTicker(int minDecimals, int maxDecimals, double minStep);

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    int minDecimals_;
    int maxDecimals_;
    double minStep_;
};

}  // namespace trellon
