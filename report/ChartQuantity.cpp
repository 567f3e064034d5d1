#include "ChartQuantity.h"

namespace trellon {

QString horizontalAxisTitle(ChartQuantity) {
    return QStringLiteral("Расстройка относительно Fo (kHz)");
}

QString verticalAxisTitle(ChartQuantity quantity) {
    switch (quantity) {
        case ChartQuantity::GroupDelay:
            return QStringLiteral("Групповое время (µs)");
        case ChartQuantity::ReturnLoss:
            return QStringLiteral("Возвратные потери (dB)");
        case ChartQuantity::Amplitude:
        case ChartQuantity::WideSpan:
            break;
    }
    return QStringLiteral("Затухание (dB)");
}

QString quantityUnit(ChartQuantity quantity) {
    return quantity == ChartQuantity::GroupDelay ? QStringLiteral("µs") : QStringLiteral("dB");
}

}  // namespace trellon
