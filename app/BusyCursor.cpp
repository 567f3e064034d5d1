#include "BusyCursor.h"

#include <QApplication>

namespace trellon {

void BusyCursor::sweepStarted() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void BusyCursor::sweepEnded() {
    QApplication::restoreOverrideCursor();
}

}  // namespace trellon
