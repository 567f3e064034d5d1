#include "LogPrinting.h"

#include <QPainter>

#include "CommandError.h"
#include "LogHeader.h"

namespace trellon {

namespace {

[[noreturn]] void failToOpen() {
    throw CommandError("Printer cannot be opened");
}

}  // namespace

void printLog(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        failToOpen();
    }
    const QStringList printed = QStringList{QString(), QString::fromUtf8(kLogTitle)} + lines;
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int pageHeight = painter.viewport().height();
    int top = 0;
    for (const QString& line : printed) {
        if (top + lineHeight > pageHeight) {
            printer.newPage();
            top = 0;
        }
        painter.drawText(0, top + painter.fontMetrics().ascent(), line);
        top += lineHeight;
    }
    painter.end();
}

void printWidgetImage(QPrinter& printer, QWidget& widget) {
    const QPixmap image = widget.grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        failToOpen();
    }
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    painter.end();
}

}  // namespace trellon
