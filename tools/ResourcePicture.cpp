#include "ResourcePicture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace trellon {

QPixmap RenderResourcePicture(const QString& resource, QSize size, qreal pixelRatio) {
    if (!QFile::exists(resource)) {
        return {};
    }
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return {};
    }
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

}  // namespace trellon
