#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace trellon {

// Draws the SVG picture of the resource at exactly the given size, sharp on the screen's pixel
// ratio; a null pixmap when the resource is missing, so the window still opens without it.
QPixmap RenderResourcePicture(const QString& resource, QSize size, qreal pixelRatio);

}  // namespace trellon
