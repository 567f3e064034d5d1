#pragma once

#include <QPrinter>
#include <QStringList>
#include <QWidget>

namespace trellon {

// Prints an empty line, the log title and the lines one under another in the printer's
// default font, starting new pages as they fill. Throws CommandError when the printer cannot
// be opened.
void printLog(QPrinter& printer, const QStringList& lines);

// Prints an image of the widget, scaled in proportion to fill the page.
void printWidgetImage(QPrinter& printer, QWidget& widget);

}  // namespace trellon
